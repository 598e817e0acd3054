#include "window/control_builder.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>
#include <limits>
#include <string_view>
#include <vector>

#include "form/stacking.h"
#include "form/tab_order.h"
#include "outputs/plot_canvas.h"
#include "outputs/results_list_box.h"
#include "runtime/units.h"
#include "window/look.h"

namespace sho {
namespace {

void ApplyColours(QWidget* widget, const ControlSpec& row) {
  QPalette palette = widget->palette();
  const QColor back = WindowColour(ControlBackColour(row));
  const QColor fore = WindowColour(ControlForeColour(row));
  if (HoldsText(row.kind)) {
    palette.setColor(QPalette::Base, back);
    palette.setColor(QPalette::Text, fore);
  } else if (row.kind == ControlKind::kButton) {
    palette.setColor(QPalette::Button, back);
    palette.setColor(QPalette::ButtonText, fore);
  } else if (row.kind == ControlKind::kLine) {
    palette.setColor(QPalette::Window, WindowColour(ControlFillColour(row)));
  } else {
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, fore);
  }
  widget->setPalette(palette);
  widget->setAutoFillBackground(row.kind != ControlKind::kPictureBox);
}

QRect Geometry(const ControlSpec& row) {
  const PixelRect pixels = PixelGeometry(row);
  return QRect(pixels.left, pixels.top, pixels.width, pixels.height);
}

QWidget* MakeEntry(const QString& text, QWidget* container) {
  auto* box = new QLineEdit(text, container);
  // Qt would cut a pasted text at 32,767 characters without a word, and the run would then read
  // another number than the one entered (or none): take all of it.
  box->setMaxLength(std::numeric_limits<int>::max());
  return box;
}

QWidget* MakeInstructions(const QString& text, QWidget* container) {
  auto* box = new QPlainTextEdit(text, container);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setTabChangesFocus(true);
  return box;
}

QWidget* MakeResultsBox(const QString& text, QWidget* container, const ResultsList& list,
                        ResultsListModel& list_model) {
  auto* box = new ResultsListBox(list, container);
  box->setEditable(true);
  box->setModel(&list_model);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  box->setEditText(text);
  return box;
}

QWidget* MakeCanvas(QWidget* container) {
  auto* canvas = new PlotCanvas(container);
  canvas->setFocusPolicy(Qt::StrongFocus);
  return canvas;
}

QWidget* MakeLabel(const QString& text, QWidget* container) {
  auto* label = new QLabel(text, container);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(true);
  return label;
}

// The widget for a row of the table, by its kind alone.
QWidget* MakeControl(const ControlSpec& row, QWidget* container, const ResultsList& list,
                     ResultsListModel& list_model) {
  const QString text = QString::fromStdString(ControlShownText(row));
  switch (row.kind) {
    case ControlKind::kTextBox:
      return MakeEntry(text, container);
    case ControlKind::kMultiLineTextBox:
      return MakeInstructions(text, container);
    case ControlKind::kComboBox:
      return MakeResultsBox(text, container, list, list_model);
    case ControlKind::kPictureBox:
      return MakeCanvas(container);
    case ControlKind::kLabel:
      return MakeLabel(text, container);
    case ControlKind::kLine:
      return new QFrame(container);
    case ControlKind::kButton:
      return new QPushButton(text, container);
    case ControlKind::kFrame:
      return new QGroupBox(text, container);
  }
  throw std::logic_error("a control of no known kind");
}

// Raised one after the other, the control of the highest rank last and so above the others.
void Stack(const Controls& controls) {
  std::vector<const ControlSpec*> rows;
  for (const ControlSpec& row : kControlTable) rows.push_back(&row);
  std::sort(rows.begin(), rows.end(), [](const ControlSpec* a, const ControlSpec* b) {
    return StackRank(*a) < StackRank(*b);
  });
  for (const ControlSpec* row : rows) controls.at(ControlKey(*row))->raise();
}

void SetTabOrder(const Controls& controls) {
  const std::vector<const ControlSpec*> stops = TabOrder();
  for (std::size_t k = 1; k < stops.size(); ++k) {
    QWidget::setTabOrder(controls.at(ControlKey(*stops[k - 1])),
                         controls.at(ControlKey(*stops[k])));
  }
}

}  // namespace

Controls BuildControls(QWidget& window, const ResultsList& list, ResultsListModel& list_model) {
  Controls controls;
  for (const ControlSpec& row : kControlTable) {
    QWidget* container =
        std::string_view(row.container) == "Form1" ? &window : controls.at(row.container);
    QWidget* control = MakeControl(row, container, list, list_model);
    const std::string key = ControlKey(row);
    control->setObjectName(QString::fromStdString(key));
    control->setGeometry(Geometry(row));
    control->setFont(WindowFont(row.font));
    ApplyColours(control, row);
    controls[key] = control;
  }
  Stack(controls);
  SetTabOrder(controls);
  return controls;
}

}  // namespace sho
