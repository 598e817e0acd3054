#pragma once

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "outputs/data_files.h"
#include "outputs/plot.h"
#include "outputs/plot_canvas.h"
#include "outputs/plot_facts.h"
#include "outputs/results_list.h"
#include "outputs/results_list_model.h"
#include "outputs/run_outputs.h"
#include "runtime/run_error.h"
#include "window/control_builder.h"
#include "window/plot_menu.h"
#include "window/run_status.h"

namespace sho {

// The program's one window: the entries with Run and Exit on the left, the results list and the
// plot on the right. Its controls are built from the control table.
class Form1 : public QWidget {
 public:
  explicit Form1(QWidget* parent = nullptr);

  // Run: one whole run. A run's error is shown in a message box over the window.
  void Command1_Click();
  // Exit: ends the program.
  void Exit_Click();

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
  // Opened by right-clicking the plot or what lies on it.
  sho::PlotMenu* PlotMenu = nullptr;
  // Tells screen readers what a run did.
  sho::RunStatus* RunStatus = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void BindControls();
  // Names for the controls whose caption does not say what they are, for screen readers.
  void NameForScreenReaders();
  // Describes the plot as it is now; returns the facts told.
  PlotFacts DescribePlot();
  EntryTexts ReadEntries() const;
  // Shows what the run did in the list and the plot; `finished`: it went to its end, and says so.
  void ShowRunResults(bool finished);
  void ReportRunError(const RunError& error);

  Controls controls_;
  ResultsList list_;
  ResultsListModel list_model_{list_};
  DataFiles files_;
  std::unique_ptr<Plot> plot_;
  std::unique_ptr<RunOutputs> outputs_;
};

}  // namespace sho
