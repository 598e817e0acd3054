#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "outputs/data_files.h"
#include "outputs/plot.h"
#include "outputs/plot_canvas.h"
#include "outputs/results_list.h"
#include "outputs/results_list_box.h"
#include "outputs/results_list_model.h"
#include "outputs/run_outputs.h"
#include "runtime/run_error.h"
#include "window/control_table.h"

namespace sho {

// The program's one window: the entries with Run and Exit on the left, the results list and the
// plot on the right. Its controls are built from the control table.
class Form1 : public QWidget {
  Q_DECLARE_TR_FUNCTIONS(Form1)

 public:
  explicit Form1(QWidget* parent = nullptr);

  // Run: one whole run. A run's error is shown in a message box over the window.
  void Command1_Click();
  // Exit: ends the program.
  void Exit_Click();
  // The plot's context menu, "Save plot as PNG…": saves the drawing area as it is shown to the file
  // the user chooses. A file that cannot be written is reported in a message box over the window.
  void SavePlot_Click();
  // The plot's context menu, "Copy plot", or Ctrl+C on the plot: puts the picture that "Save plot
  // as PNG…" saves on the clipboard.
  void CopyPlot_Click();

  // Asks for the file to save the plot in; an empty path when the user cancels. A file dialog
  // unless told otherwise.
  using PlotFileChooser = std::function<QString(QWidget* parent)>;
  void SetPlotFileChooser(PlotFileChooser chooser) { choose_plot_file_ = std::move(chooser); }

  // The control with this key ("Text1(0)", "Cmby"), for the tests.
  QWidget* Control(const std::string& key) const { return controls_.at(key); }
  const ResultsList& Results() const { return list_; }

  std::array<QLineEdit*, 3> Text1{};
  std::array<QPlainTextEdit*, 3> Text2{};
  std::array<QGroupBox*, 3> Frame1{};
  QGroupBox* Frame2 = nullptr;
  QGroupBox* Frame3 = nullptr;
  QGroupBox* Frame4 = nullptr;
  QComboBox* Cmby = nullptr;
  PlotCanvas* fig = nullptr;
  QFrame* Line1 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  std::array<QLabel*, 3> Label1{};
  std::array<QLabel*, 3> Label2{};
  QPushButton* Command1 = nullptr;
  QPushButton* Exit = nullptr;
  QMenu* PlotMenu = nullptr;  // opened by right-clicking the plot or what lies on it

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void BuildControls();
  QWidget* MakeControl(const ControlSpec& row, QWidget* container);
  EntryTexts ReadEntries() const;
  void ShowRunResults();
  void ReportRunError(const RunError& error);
  // A message over the window that leaves it usable behind once dismissed.
  QMessageBox* OpenMessageBox(QMessageBox::Icon icon, const char* name, const QString& title,
                              const QString& text, const QString& details);
  void BuildPlotMenu();
  void ReportPlotSaveError(const QString& path, const QString& reason);
  // Names for the controls whose caption does not say what they are, for screen readers.
  void NameForScreenReaders();
  // What a sighted user sees in the plot: which curve is which and how far apart they end.
  QString PlotDescription() const;

  std::map<std::string, QWidget*> controls_;
  ResultsList list_;
  ResultsListModel list_model_{list_};
  DataFiles files_;
  std::unique_ptr<Plot> plot_;
  std::unique_ptr<RunOutputs> outputs_;
  PlotFileChooser choose_plot_file_;
};

}  // namespace sho
