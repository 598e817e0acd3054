#include "outputs/results_list_box.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <array>
#include <string_view>

namespace sho {
namespace {

// What an entry is made of: the step number and two numbers as "%.15G" writes them, and blanks.
constexpr std::string_view kEntryCharacters = " 0123456789.-+E";

// The width of a text of those characters in one font: the sum of the characters' advances and of
// what each pair of neighbours adds to it (kerning), the same as laying out the whole text gives.
class EntryWidths {
 public:
  explicit EntryWidths(const QFontMetricsF& metrics) : metrics_(metrics) {
    slot_.fill(-1);
    for (std::size_t k = 0; k < kEntryCharacters.size(); ++k) {
      slot_[static_cast<unsigned char>(kEntryCharacters[k])] = static_cast<int>(k);
      advance_[k] = metrics.horizontalAdvance(QString(QChar(kEntryCharacters[k])));
    }
    for (std::size_t a = 0; a < kEntryCharacters.size(); ++a) {
      for (std::size_t b = 0; b < kEntryCharacters.size(); ++b) {
        const QString pair = QString(QChar(kEntryCharacters[a])) + QChar(kEntryCharacters[b]);
        kerning_[a][b] = metrics.horizontalAdvance(pair) - advance_[a] - advance_[b];
      }
    }
  }

  double Width(std::string_view text) const {
    double width = 0;
    int previous = -1;
    for (const char c : text) {
      const int k = slot_[static_cast<unsigned char>(c)];
      if (k < 0) return metrics_.horizontalAdvance(QString::fromLatin1(text));  // "INF", say
      width += advance_[static_cast<std::size_t>(k)];
      if (previous >= 0) {
        width += kerning_[static_cast<std::size_t>(previous)][static_cast<std::size_t>(k)];
      }
      previous = k;
    }
    return width;
  }

 private:
  static constexpr std::size_t kCount = kEntryCharacters.size();
  const QFontMetricsF& metrics_;
  std::array<int, 256> slot_{};
  std::array<double, kCount> advance_{};
  std::array<std::array<double, kCount>, kCount> kerning_{};
};

// The list as screen readers know it. On Linux Qt gives an editable combo box its edit text for a
// name (the list's would be nine blanks, then the header) and leaves naming it to a label; this one
// says its accessible name, with the edit text as its value, the drop-down list and the edit field
// as its children, as Qt's own does.
class AccessibleResultsListBox : public QAccessibleWidget {
 public:
  explicit AccessibleResultsListBox(ResultsListBox* box)
      : QAccessibleWidget(box, QAccessible::ComboBox) {}

  int childCount() const override { return 2; }
  QAccessibleInterface* child(int index) const override {
    if (index == 0) return QAccessible::queryAccessibleInterface(Box()->view());
    if (index == 1) return QAccessible::queryAccessibleInterface(Box()->lineEdit());
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child->object() == Box()->view()) return 0;
    if (child->object() == Box()->lineEdit()) return 1;
    return -1;
  }
  // The edit field has the keyboard focus whenever the box has it.
  QAccessibleInterface* focusChild() const override { return child(1); }

  QString text(QAccessible::Text text) const override {
    if (text == QAccessible::Value) return Box()->currentText();
    return QAccessibleWidget::text(text);
  }

  QStringList actionNames() const override {
    return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action == showMenuAction()) {
      Box()->showPopup();
    } else {
      QAccessibleWidget::doAction(action);
    }
  }

 private:
  ResultsListBox* Box() const { return static_cast<ResultsListBox*>(widget()); }
};

QAccessibleInterface* ResultsListBoxInterface(const QString&, QObject* object) {
  auto* box = dynamic_cast<ResultsListBox*>(object);
  return box ? new AccessibleResultsListBox(box) : nullptr;
}

}  // namespace

ResultsListBox::ResultsListBox(const ResultsList& list, QWidget* parent)
    : QComboBox(parent), list_(list) {
  [[maybe_unused]] static const bool accessible_known =
      (QAccessible::installFactory(ResultsListBoxInterface), true);
  // Qt's own list for a combo box fits its entries to its width; a plain list lets them run on,
  // so that it can scroll sideways.
  setView(new QListView);
  view()->setTextElideMode(Qt::ElideNone);
  view()->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Setting the chosen entry's text leaves the cursor at its end, scrolled out of sight of the step
  // number; the start of the line is what tells entries apart.
  connect(this, &QComboBox::currentIndexChanged, this, [this] {
    if (lineEdit()) lineEdit()->setCursorPosition(0);
  });
}

int ResultsListBox::WidestEntry(const ResultsList& list, const QFontMetricsF& metrics) {
  const EntryWidths widths(metrics);
  int widest = -1;
  double widest_width = -1;
  for (int index = 0; index < list.Count(); ++index) {
    const double width = widths.Width(list.EntryText(index));
    if (width > widest_width) {
      widest = index;
      widest_width = width;
    }
  }
  return widest;
}

void ResultsListBox::showPopup() {
  // Worked out afresh each time, as the list changes with every run; it costs a few milliseconds.
  view()->setMinimumWidth(PopupWidth());
  QComboBox::showPopup();
  AnnounceCurrentEntry();
}

// Opening the list, Qt tells screen readers that the highlighted entry has the focus and then that
// the list has, so they name the list and not the entry. Told once more after the list, the entry
// is spoken on opening, as every entry is after it when the keys move the highlight.
void ResultsListBox::AnnounceCurrentEntry() {
  QAbstractItemView* list_view = view();
  if (!QAccessible::isActive() || !list_view->hasFocus()) return;
  const QModelIndex current = list_view->currentIndex();
  if (!current.isValid()) return;
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(list_view);
  if (!list || !list->tableInterface()) return;
  QAccessibleInterface* entry = list->tableInterface()->cellAt(current.row(), current.column());
  if (!entry) return;
  QAccessibleEvent focus(entry, QAccessible::Focus);
  QAccessible::updateAccessibility(&focus);
}

int ResultsListBox::PopupWidth() {
  if (list_.Count() == 0) return 0;
  QAbstractItemView* list_view = view();
  const int widest = WidestEntry(list_, QFontMetricsF(list_view->font()));
  QStyleOptionViewItem option;
  option.initFrom(list_view);
  option.font = list_view->font();
  option.fontMetrics = list_view->fontMetrics();
  const QModelIndex index = model()->index(widest, modelColumn(), rootModelIndex());
  const int entry = list_view->itemDelegate()->sizeHint(option, index).width();
  const int frame = 2 * list_view->frameWidth();
  const int scroll_bar = list_view->verticalScrollBar()->sizeHint().width();
  const int wanted = entry + frame + scroll_bar;
  // Where the screen is narrower, the list takes all of it, less the frame of the window it is
  // in, and scrolls sideways.
  const QWidget* container = list_view->parentWidget();
  QMargins around = container->contentsMargins();
  if (container->layout()) around += container->layout()->contentsMargins();
  const int screen = this->screen() ? this->screen()->availableGeometry().width() - frame -
                                          around.left() - around.right()
                                    : wanted;
  return std::min(wanted, screen);
}

}  // namespace sho
