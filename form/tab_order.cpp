#include "form/tab_order.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace sho {
namespace {

// Added to the tab index of a control without a tab stop in it, to put it after every one with.
constexpr int kNoTabStop = 1000;

std::vector<const ControlSpec*> ControlsIn(std::string_view container) {
  std::vector<const ControlSpec*> children;
  for (const ControlSpec& row : kControlTable) {
    if (row.container == container) children.push_back(&row);
  }
  return children;
}

int ReadingKey(const ControlSpec& row) {
  if (IsTitle(row)) return -1;
  std::vector<int> keys;
  for (const ControlSpec* child : ControlsIn(ControlKey(row))) keys.push_back(ReadingKey(*child));
  if (TakesFocus(row.kind)) keys.push_back(row.tab_index);
  return keys.empty() ? row.tab_index + kNoTabStop : *std::min_element(keys.begin(), keys.end());
}

void AppendInReadingOrder(std::string_view container, std::vector<const ControlSpec*>& order) {
  std::vector<const ControlSpec*> children = ControlsIn(container);
  std::stable_sort(
      children.begin(), children.end(),
      [](const ControlSpec* a, const ControlSpec* b) { return ReadingKey(*a) < ReadingKey(*b); });
  for (const ControlSpec* child : children) {
    order.push_back(child);
    AppendInReadingOrder(ControlKey(*child), order);
  }
}

}  // namespace

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::kLabel && kind != ControlKind::kLine && kind != ControlKind::kFrame;
}

std::vector<const ControlSpec*> TabOrder() {
  std::vector<const ControlSpec*> stops;
  for (const ControlSpec& row : kControlTable) {
    if (TakesFocus(row.kind)) stops.push_back(&row);
  }
  std::stable_sort(stops.begin(), stops.end(), [](const ControlSpec* a, const ControlSpec* b) {
    return a->tab_index < b->tab_index;
  });
  return stops;
}

const ControlSpec& FirstFocus() { return *TabOrder().front(); }

std::vector<const ControlSpec*> ReadingOrder() {
  std::vector<const ControlSpec*> order;
  AppendInReadingOrder("Form1", order);
  return order;
}

}  // namespace sho
