#pragma once

#include <QCoreApplication>
#include <QMenu>
#include <QString>
#include <functional>

#include "outputs/plot_canvas.h"

namespace sho {

// The plot's menu, opened over the window: "Copy plot" (Ctrl+C on the plot as well) and "Save plot
// as PNG…", which asks for a file and says so in a message over the window when it cannot write
// it. Both take the drawing area as it is shown, with what lies on it.
class PlotMenu : public QMenu {
  Q_DECLARE_TR_FUNCTIONS(Form1)  // its texts are the window's

 public:
  PlotMenu(PlotCanvas& plot, QWidget& window);

  void CopyPlot_Click();
  void SavePlot_Click();

  // Asks for the file to save the plot in; an empty path when the user cancels. A file dialog
  // unless told otherwise.
  using FileChooser = std::function<QString(QWidget* parent)>;
  void SetFileChooser(FileChooser chooser) { choose_file_ = std::move(chooser); }

 private:
  void ReportSaveError(const QString& path, const QString& reason);

  PlotCanvas& plot_;
  QWidget& window_;
  FileChooser choose_file_;
};

}  // namespace sho
