// A window with nothing but a plain editable QComboBox holding the results list's 10,000 entries
// after a run with y(0) = 1, Phi(0)Degree = 0 and time step 0.01, named as the window names its
// list. bench/orca_list_latency.sh times a screen reader opening this list against opening the
// program's own, so that the two differ only in ResultsListBox and ResultsListModel.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>

#include "outputs/results_list.h"
#include "run/run.h"

namespace {

// A run's host that fills the results list and nothing else.
class ListOnlyHost : public sho::RunHost {
 public:
  explicit ListOnlyHost(sho::ResultsList& list) : list_(list) {}
  void ClearPlot() override {}
  sho::EntryTexts ReadEntries() override { return {{"1", "0", "0.01"}, {}}; }
  void OpenDataFiles() override {}
  void SetListHeader() override { list_.SetListHeader(); }
  void SetListEntry(std::int16_t i, double y, double v) override { list_.SetListEntry(i, y, v); }
  void PlotEulerPoint(std::int16_t, double) override {}
  void PlotExactPoint(std::int16_t, double, double) override {}
  void WriteStep(double, double) override {}
  void CloseAllFiles() override {}
  void KeepListEntries(int count) override { list_.KeepEntries(count); }

 private:
  sho::ResultsList& list_;
};

QStringList EntryTexts(const sho::ResultsList& list) {
  QStringList texts;
  texts.reserve(list.Count());
  for (int index = 0; index < list.Count(); ++index) {
    texts.append(QString::fromStdString(list.EntryText(index)));
  }
  return texts;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  sho::ResultsList list;
  ListOnlyHost host(list);
  sho::PerformRun(host);

  QWidget window;
  window.setWindowTitle("sho plain combo box");
  auto* box = new QComboBox(&window);
  // Set up as the window sets up its list, with Qt's own list view and item model.
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->addItems(EntryTexts(list));
  box->setCurrentIndex(-1);
  box->setEditText(
      QString::fromUtf8(list.EditText().data(), static_cast<qsizetype>(list.EditText().size())));
  box->setAccessibleName("Current values");
  box->lineEdit()->setAccessibleName("Current values");
  box->view()->setAccessibleName("Current values");

  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(box);
  layout->addStretch();
  window.resize(480, 120);
  window.show();
  box->setFocus();
  return QApplication::exec();
}
