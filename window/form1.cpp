#include "window/form1.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "outputs/shown_png.h"
#include "run/run.h"
#include "window/look.h"
#include "window/translations.h"

namespace sho {
namespace {

// The colours a control has when the table gives none: 0x80000005 window background,
// 0x80000008 window text, 0x8000000F button face, 0x80000012 button text.
std::uint32_t DefaultBackColour(ControlKind kind) {
  switch (kind) {
    case ControlKind::kTextBox:
    case ControlKind::kMultiLineTextBox:
    case ControlKind::kComboBox:
      return 0x80000005;
    default:
      return 0x8000000F;
  }
}

std::uint32_t DefaultForeColour(ControlKind kind) {
  switch (kind) {
    case ControlKind::kTextBox:
    case ControlKind::kMultiLineTextBox:
    case ControlKind::kComboBox:
    case ControlKind::kLine:
      return 0x80000008;
    default:
      return 0x80000012;
  }
}

void ApplyColours(QWidget* widget, const ControlSpec& row) {
  QPalette palette = widget->palette();
  const QColor back = WindowColour(row.back_colour.value_or(DefaultBackColour(row.kind)));
  const QColor fore = WindowColour(row.fore_colour.value_or(DefaultForeColour(row.kind)));
  switch (row.kind) {
    case ControlKind::kTextBox:
    case ControlKind::kMultiLineTextBox:
    case ControlKind::kComboBox:
      palette.setColor(QPalette::Base, back);
      palette.setColor(QPalette::Text, fore);
      break;
    case ControlKind::kButton:
      palette.setColor(QPalette::Button, back);
      palette.setColor(QPalette::ButtonText, fore);
      break;
    case ControlKind::kLine:
      palette.setColor(QPalette::Window, fore);  // a line is its border colour all through
      break;
    default:
      palette.setColor(QPalette::Window, back);
      palette.setColor(QPalette::WindowText, fore);
      break;
  }
  widget->setPalette(palette);
  widget->setAutoFillBackground(row.kind != ControlKind::kPictureBox);
}

bool TakesFocus(ControlKind kind) {
  return kind != ControlKind::kLabel && kind != ControlKind::kLine && kind != ControlKind::kFrame;
}

QRect Geometry(const ControlSpec& row) {
  if (row.kind == ControlKind::kLine) {  // (x1, y1) to (x2, y2), one pixel wide
    const QPoint from(TwipsToPixels(row.left), TwipsToPixels(row.top));
    const QPoint to(TwipsToPixels(row.width), TwipsToPixels(row.height));
    return QRect(from, QSize(std::max(1, to.x() - from.x()), std::max(1, to.y() - from.y())));
  }
  return QRect(TwipsToPixels(row.left), TwipsToPixels(row.top), TwipsToPixels(row.width),
               TwipsToPixels(row.height));
}

QString MultiLineText(const char* text) { return QString::fromUtf8(text).replace("\r\n", "\n"); }

// A save dialog that starts in the working directory, beside the data files.
QString AskForPngFile(QWidget* parent) {
  QFileDialog dialog(parent, Form1::tr("Save plot as PNG"), QDir::currentPath(),
                     Form1::tr("PNG images (*.png)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("png"));
  dialog.selectFile(QStringLiteral("plot.png"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  setLayoutDirection(Qt::LeftToRight);
  setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
  setFont(WindowFont(kWindowFont));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, WindowColour(kWindowBackColour));
  setPalette(palette);
  setAutoFillBackground(true);

  BuildControls();
  BuildPlotMenu();
  NameForScreenReaders();
  plot_ = std::make_unique<Plot>(*fig);
  outputs_ = std::make_unique<RunOutputs>([this] { return ReadEntries(); }, list_, *plot_, files_);
  fig->Clear();

  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(Exit, &QPushButton::clicked, this, &Form1::Exit_Click);
  Text1[0]->setFocus();
}

void Form1::BuildControls() {
  std::vector<std::pair<int, QWidget*>> tab_stops;
  for (const ControlSpec& row : kControlTable) {
    QWidget* container =
        std::string_view(row.container) == "Form1" ? this : controls_.at(row.container);
    QWidget* control = MakeControl(row, container);
    const std::string key = ControlKey(row);
    control->setObjectName(QString::fromStdString(key));
    control->setGeometry(Geometry(row));
    control->setFont(WindowFont(row.font));
    ApplyColours(control, row);
    controls_[key] = control;
    if (TakesFocus(row.kind)) tab_stops.emplace_back(row.tab_index, control);
  }

  // Where controls overlap, the earlier in the table lies above; labels lie above everything.
  for (auto row = kControlTable.rbegin(); row != kControlTable.rend(); ++row) {
    controls_.at(ControlKey(*row))->raise();
  }
  for (auto row = kControlTable.rbegin(); row != kControlTable.rend(); ++row) {
    if (row->kind == ControlKind::kLabel) controls_.at(ControlKey(*row))->raise();
  }

  std::sort(tab_stops.begin(), tab_stops.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t k = 1; k < tab_stops.size(); ++k) {
    setTabOrder(tab_stops[k - 1].second, tab_stops[k].second);
  }
}

QWidget* Form1::MakeControl(const ControlSpec& row, QWidget* container) {
  const QString text = QString::fromUtf8(row.text);
  const std::string_view name = row.name;
  const auto index = static_cast<std::size_t>(std::max(row.index, 0));
  switch (row.kind) {
    case ControlKind::kTextBox: {
      auto* box = new QLineEdit(text, container);
      // Qt would cut a pasted text at 32,767 characters without a word, and the run would then
      // read another number than the one entered (or none): take all of it.
      box->setMaxLength(std::numeric_limits<int>::max());
      if (name == "Text1") Text1.at(index) = box;
      return box;
    }
    case ControlKind::kMultiLineTextBox: {
      auto* box = new QPlainTextEdit(MultiLineText(row.text), container);
      box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      box->setTabChangesFocus(true);
      if (name == "Text2") Text2.at(index) = box;
      return box;
    }
    case ControlKind::kComboBox: {
      Cmby = new ResultsListBox(list_, container);
      Cmby->setEditable(true);
      Cmby->setModel(&list_model_);
      Cmby->setInsertPolicy(QComboBox::NoInsert);
      Cmby->setCompleter(nullptr);
      Cmby->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
      Cmby->setEditText(text);
      return Cmby;
    }
    case ControlKind::kPictureBox:
      fig = new PlotCanvas(container);
      fig->setFocusPolicy(Qt::StrongFocus);
      return fig;
    case ControlKind::kLabel: {
      auto* label = new QLabel(text, container);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      if (name == "Label1") Label1.at(index) = label;
      if (name == "Label2") Label2.at(index) = label;
      if (name == "Label3") Label3 = label;
      if (name == "Label4") Label4 = label;
      return label;
    }
    case ControlKind::kLine:
      Line1 = new QFrame(container);
      return Line1;
    case ControlKind::kButton: {
      auto* button = new QPushButton(text, container);
      if (name == "Command1") Command1 = button;
      if (name == "Exit") Exit = button;
      return button;
    }
    case ControlKind::kFrame: {
      auto* frame = new QGroupBox(text, container);
      if (name == "Frame1") Frame1.at(index) = frame;
      if (name == "Frame2") Frame2 = frame;
      if (name == "Frame3") Frame3 = frame;
      if (name == "Frame4") Frame4 = frame;
      return frame;
    }
  }
  return nullptr;
}

void Form1::BuildPlotMenu() {
  PlotMenu = new QMenu(this);
  PlotMenu->setObjectName("PlotMenu");
  // A menu reads in its parent's direction, and the window's is fixed: follow the user's language.
  PlotMenu->setLayoutDirection(QGuiApplication::layoutDirection());
  QAction* copy = PlotMenu->addAction(tr("Copy plot"), this, &Form1::CopyPlot_Click);
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  fig->addAction(copy);
  PlotMenu->addAction(tr("Save plot as PNG…"), this, &Form1::SavePlot_Click);
  choose_plot_file_ = AskForPngFile;
}

EntryTexts Form1::ReadEntries() const {
  EntryTexts entries;
  for (std::size_t k = 0; k < Text1.size(); ++k) entries.text[k] = Text1[k]->text().toStdString();
  const QList<uint> separator = QLocale().decimalPoint().toUcs4();
  entries.locale.decimal_separator = separator.isEmpty() ? U'.' : separator.front();
  return entries;
}

void Form1::Command1_Click() {
  list_.SetEditText(Cmby->currentText().toStdString());
  try {
    PerformRun(*outputs_);
    ShowRunResults();
  } catch (const RunError& error) {
    ShowRunResults();
    ReportRunError(error);
  }
}

void Form1::ShowRunResults() {
  list_model_.Publish();
  Cmby->setCurrentIndex(-1);
  const std::string_view edit_text = list_.EditText();
  Cmby->setEditText(QString::fromUtf8(edit_text.data(), static_cast<qsizetype>(edit_text.size())));
  fig->ShowChanges();
  fig->setAccessibleDescription(PlotDescription());
}

void Form1::ReportRunError(const RunError& error) {
  QMessageBox* box = OpenMessageBox(QMessageBox::Critical, "RunErrorBox", tr("Run stopped"),
                                    tr("%1 in %2.")
                                        .arg(TranslatedRunText(KindName(error.kind())),
                                             TranslatedRunText(PlaceMessage(error.place()))),
                                    TranslatedRunText(error.message()));
  if (const int entry = error.entry(); entry >= 0) {
    connect(box, &QMessageBox::finished, this, [this, entry] {
      Text1.at(static_cast<std::size_t>(entry))->setFocus();
      Text1.at(static_cast<std::size_t>(entry))->selectAll();
    });
  }
}

void Form1::SavePlot_Click() {
  const QString path = choose_plot_file_(this);
  if (path.isEmpty()) return;
  if (const QString reason = SaveShownAsPng(*fig, path); !reason.isEmpty()) {
    ReportPlotSaveError(path, reason);
  }
}

void Form1::CopyPlot_Click() { QGuiApplication::clipboard()->setImage(ShownImage(*fig)); }

void Form1::ReportPlotSaveError(const QString& path, const QString& reason) {
  OpenMessageBox(QMessageBox::Warning, "PlotSaveErrorBox", tr("Plot not saved"),
                 tr("The plot could not be saved as %1.").arg(QDir::toNativeSeparators(path)),
                 reason);
}

QMessageBox* Form1::OpenMessageBox(QMessageBox::Icon icon, const char* name, const QString& title,
                                   const QString& text, const QString& details) {
  auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok, this);
  box->setObjectName(name);
  box->setInformativeText(details);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::WindowModal);
  box->open();
  return box;
}

void Form1::NameForScreenReaders() {
  // Left alone, the list would be named by its edit text, nine blanks at first.
  Cmby->setAccessibleName(tr("Current values"));
  Cmby->lineEdit()->setAccessibleName(tr("Current values"));
  Cmby->view()->setAccessibleName(tr("Current values"));
  for (QPlainTextEdit* instructions : Text2) instructions->setAccessibleName(tr("Instructions"));
  fig->setAccessibleName(tr("Graphs"));
  fig->setAccessibleDescription(PlotDescription());
}

QString Form1::PlotDescription() const {
  QString text = tr("Red points: Euler's positions. Blue points: the exact cosine.");
  const PlotCanvas::Trace& euler = fig->Shown(kEulerColour);
  const PlotCanvas::Trace& exact = fig->Shown(kExactColour);
  if (euler.count == 0 && exact.count == 0) {
    return text + QLatin1Char(' ') + tr("No step is shown.");
  }

  const PlotCanvas::Trace& longer = euler.last_x >= exact.last_x ? euler : exact;
  text += QLatin1Char(' ') +
          tr("Shown: steps %1 to %2.").arg(qRound(longer.first_x)).arg(qRound(longer.last_x));
  if (euler.count == 0 || exact.count == 0 || euler.last_x != exact.last_x) return text;
  const double apart = std::abs(double{euler.last_y} - exact.last_y) / kTwipsPerUnit;
  // Three significant digits, without an exponent where a listener would hear one for no gain.
  const QString distance =
      apart >= 100 ? QLocale().toString(apart, 'f', 0) : QLocale().toString(apart, 'g', 3);
  text += QLatin1Char(' ') + tr("At step %1 the red point is %2 from the blue one.")
                                 .arg(qRound(euler.last_x))
                                 .arg(distance);
  if (!euler.last_inside) text += QLatin1Char(' ') + tr("The red point lies outside the drawing.");
  if (!exact.last_inside) text += QLatin1Char(' ') + tr("The blue point lies outside the drawing.");
  return text;
}

void Form1::Exit_Click() {
  hide();
  QCoreApplication::exit(0);
}

// The plot's menu, for the plot and the labels and line on it; the drawing area has no menu of
// its own and the labels have none, so their requests come here.
void Form1::contextMenuEvent(QContextMenuEvent* event) {
  if (!fig->geometry().contains(event->pos())) {
    QWidget::contextMenuEvent(event);
    return;
  }
  PlotMenu->popup(event->globalPos());
}

void Form1::closeEvent(QCloseEvent* event) {
  event->accept();
  QCoreApplication::exit(0);
}

}  // namespace sho
