#include "window/form1.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QLocale>
#include <QMessageBox>
#include <optional>

#include "form/accessible_names.h"
#include "form/plot_description.h"
#include "form/run_stopped.h"
#include "form/tab_order.h"
#include "outputs/plot_facts.h"
#include "run/run.h"
#include "runtime/units.h"
#include "window/look.h"
#include "window/message_box.h"
#include "window/translations.h"

namespace sho {

Form1::Form1(QWidget* parent) : QWidget(parent) {
  setWindowTitle(QString::fromUtf8(kWindowCaption));
  setLayoutDirection(Qt::LeftToRight);
  setFixedSize(NearestPixel(kClientWidthTwips), NearestPixel(kClientHeightTwips));
  setFont(WindowFont(kWindowFont));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, WindowColour(kWindowBackColour));
  setPalette(palette);
  setAutoFillBackground(true);

  controls_ = BuildControls(*this, list_, list_model_);
  BindControls();
  PlotMenu = new sho::PlotMenu(*fig, *this);
  RunStatus = new sho::RunStatus(*this);
  NameForScreenReaders();
  plot_ = std::make_unique<Plot>(*fig);
  outputs_ = std::make_unique<RunOutputs>([this] { return ReadEntries(); }, list_, *plot_, files_);
  fig->Clear();

  connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
  connect(Exit, &QPushButton::clicked, this, &Form1::Exit_Click);
  controls_.at(ControlKey(FirstFocus()))->setFocus();
}

void Form1::BindControls() {
  Bind(Text1, controls_, "Text1");
  Bind(Text2, controls_, "Text2");
  Bind(Frame1, controls_, "Frame1");
  Bind(Frame2, controls_, "Frame2");
  Bind(Frame3, controls_, "Frame3");
  Bind(Frame4, controls_, "Frame4");
  Bind(Cmby, controls_, "Cmby");
  Bind(fig, controls_, "fig");
  Bind(Line1, controls_, "Line1");
  Bind(Label1, controls_, "Label1");
  Bind(Label2, controls_, "Label2");
  Bind(Label3, controls_, "Label3");
  Bind(Label4, controls_, "Label4");
  Bind(Command1, controls_, "Command1");
  Bind(Exit, controls_, "Exit");
}

void Form1::NameForScreenReaders() {
  for (const ControlSpec& row : kControlTable) {
    const std::optional<Message> name = AccessibleName(row);
    if (!name) continue;
    const QString text = Translated(*name);
    QWidget* control = controls_.at(ControlKey(row));
    control->setAccessibleName(text);
    // A screen reader meets the list in its edit field and its drop-down too: named alike.
    if (auto* box = qobject_cast<QComboBox*>(control)) {
      box->lineEdit()->setAccessibleName(text);
      box->view()->setAccessibleName(text);
    }
  }
  DescribePlot();
}

PlotFacts Form1::DescribePlot() {
  const PlotFacts facts = FactsOf(fig->Drawn());
  fig->setAccessibleDescription(Translated(PlotDescription(facts, LocaleNumberSymbols())));
  return facts;
}

EntryTexts Form1::ReadEntries() const {
  std::array<std::string, kEntryCount> texts;
  for (std::size_t k = 0; k < texts.size(); ++k) texts[k] = Text1.at(k)->text().toStdString();
  return ReadEntryTexts(std::move(texts), QLocale().decimalPoint().toStdString());
}

void Form1::Command1_Click() {
  list_.SetEditText(Cmby->currentText().toStdString());
  try {
    PerformRun(*outputs_);
    ShowRunResults(true);
  } catch (const RunError& error) {
    ShowRunResults(false);
    ReportRunError(error);
  }
}

void Form1::ShowRunResults(bool finished) {
  list_model_.Publish();
  Cmby->setCurrentIndex(-1);
  const std::string_view edit_text = list_.EditText();
  Cmby->setEditText(QString::fromUtf8(edit_text.data(), static_cast<qsizetype>(edit_text.size())));
  fig->ShowChanges();
  const PlotFacts facts = DescribePlot();
  // A run that stopped says so in its message alone.
  RunStatus->Tell(finished ? Translated(RunSummary(facts, LocaleNumberSymbols())) : QString());
}

void Form1::ReportRunError(const RunError& error) {
  QMessageBox* box =
      OpenMessageBox(*this, QMessageBox::Critical, "RunErrorBox", Translated(RunStoppedTitle()),
                     Translated(RunStoppedText(error)), Translated(RunStoppedDetails(error)));
  if (const int entry = error.entry(); entry >= 0) {
    connect(box, &QMessageBox::finished, this, [this, entry] {
      Text1.at(static_cast<std::size_t>(entry))->setFocus();
      Text1.at(static_cast<std::size_t>(entry))->selectAll();
    });
  }
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
