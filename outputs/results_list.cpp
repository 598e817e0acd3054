#include "outputs/results_list.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "runtime/number_text.h"

namespace sho {
namespace {

char* WriteSignSlotText(char* out, double x) {
  if (!(x < 0)) *out++ = ' ';  // the digits of a negative number start with its "-"
  return WriteText15G(out, x);
}

// The same text for a step number as for the double of it, made as an integer's: working out a
// whole double's "%.15G" digits costs many times more, ten thousand times a run.
char* WriteSignSlotText(char* out, std::int16_t i) {
  if (i >= 0) *out++ = ' ';
  return std::to_chars(out, out + 6, i).ptr;
}

}  // namespace

std::string SignSlotText(double x) {
  char buffer[kMaxNumberTextLength + 1];
  return std::string(buffer, WriteSignSlotText(buffer, x));
}

void ResultsList::SetListEntry(std::int16_t i, double y, double v) {
  // The index is a 16-bit number as the step is.
  const auto index = static_cast<std::int16_t>(i - 1);
  if (index < 0 || index > Count()) throw std::out_of_range("list entry beyond the end");
  if (index == Count()) {
    entries_.push_back({i, y, v});
  } else {
    entries_[static_cast<std::size_t>(index)] = {i, y, v};
  }
}

void ResultsList::KeepEntries(int count) {
  if (count >= 0 && count < Count()) entries_.resize(static_cast<std::size_t>(count));
}

std::string ResultsList::EntryText(int index) const {
  const Entry& e = entries_.at(static_cast<std::size_t>(index));
  char line[3 * (kMaxNumberTextLength + 1) + 15];
  char* end = WriteSignSlotText(line, e.i);
  end = std::fill_n(end, 8, ' ');
  end = WriteSignSlotText(end, e.y);
  end = std::fill_n(end, 7, ' ');
  end = WriteSignSlotText(end, e.v);
  return std::string(line, end);
}

}  // namespace sho
