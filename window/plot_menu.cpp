#include "window/plot_menu.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>

#include "form/plot_menu.h"
#include "outputs/shown_png.h"
#include "window/message_box.h"
#include "window/translations.h"

namespace sho {
namespace {

// A save dialog that starts in the working directory, beside the data files.
QString AskForPngFile(QWidget* parent) {
  QFileDialog dialog(parent, PlotMenu::tr("Save plot as PNG"), QDir::currentPath(),
                     PlotMenu::tr("PNG images (*.png)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("png"));
  dialog.selectFile(QString::fromLatin1(kPlotFileName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace

PlotMenu::PlotMenu(PlotCanvas& plot, QWidget& window)
    : QMenu(&window), plot_(plot), window_(window), choose_file_(AskForPngFile) {
  setObjectName("PlotMenu");
  // A menu reads in its parent's direction, and the window's is fixed: follow the user's language.
  setLayoutDirection(QGuiApplication::layoutDirection());
  QAction* copy = addAction(Translated(CopyPlotText()), this, &PlotMenu::CopyPlot_Click);
  copy->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(kCopyPlotKey)));
  copy->setShortcutContext(Qt::WidgetShortcut);
  plot_.addAction(copy);
  addAction(Translated(SavePlotText()), this, &PlotMenu::SavePlot_Click);
}

void PlotMenu::CopyPlot_Click() { QGuiApplication::clipboard()->setImage(ShownImage(plot_)); }

void PlotMenu::SavePlot_Click() {
  const QString path = choose_file_(&window_);
  if (path.isEmpty()) return;
  if (const QString reason = SaveShownAsPng(plot_, path); !reason.isEmpty()) {
    ReportSaveError(path, reason);
  }
}

void PlotMenu::ReportSaveError(const QString& path, const QString& reason) {
  OpenMessageBox(window_, QMessageBox::Warning, "PlotSaveErrorBox", tr("Plot not saved"),
                 tr("The plot could not be saved as %1.").arg(QDir::toNativeSeparators(path)),
                 reason);
}

}  // namespace sho
