#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMessageBox>
#include <QPainter>
#include <QTest>
#include <filesystem>
#include <functional>

#include "tests/test_support.h"
#include "tests/window_fixture.h"
#include "window/form1.h"

namespace sho {
namespace {

using testing::kBlack;
using testing::kBlue;
using testing::kRed;
using testing::TempDir;

// The window after a run that leaves red and blue points all over the plot, in a directory of its
// own, with the file dialog replaced by a file named in advance.
class SavePlot : public ::testing::Test {
 protected:
  SavePlot() {
    std::filesystem::current_path(dir.path());
    form.PlotMenu->SetFileChooser([this](QWidget* parent) {
      ++times_asked;
      EXPECT_EQ(parent, &form);
      return QString::fromStdString(chosen.string());
    });
    form.show();
    form.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
    form.Text1[0]->setText("20");
    form.Text1[1]->setText("0");
    form.Text1[2]->setText("0.02");
    QTest::mouseClick(form.Command1, Qt::LeftButton);
  }
  ~SavePlot() override { std::filesystem::current_path(previous_directory); }

  // Right-clicks this point of the window as a user would.
  void RightClick(QPoint where) {
    QTest::mouseClick(form.windowHandle(), Qt::RightButton, {}, where);
  }
  // Right-clicks the plot and clicks the entry of the menu that opens with this text.
  void ChooseFromThePlotsMenu(const QString& entry, QPoint on_plot = QPoint(200, 300)) {
    RightClick(form.fig->mapTo(&form, on_plot));
    ASSERT_TRUE(form.PlotMenu->isVisible());
    QStringList entries;
    for (const QAction* action : form.PlotMenu->actions()) entries << action->text();
    ASSERT_EQ(entries, QStringList({kCopy, kSave}));
    QAction* chosen_entry = form.PlotMenu->actions().at(entries.indexOf(entry));
    QTest::mouseClick(form.PlotMenu, Qt::LeftButton, {},
                      form.PlotMenu->actionGeometry(chosen_entry).center());
    EXPECT_FALSE(form.PlotMenu->isVisible());
  }
  void SaveFromThePlotsMenu(QPoint on_plot = QPoint(200, 300)) {
    ChooseFromThePlotsMenu(kSave, on_plot);
  }

  const QString kCopy = QStringLiteral("Copy plot");
  const QString kSave = QString::fromUtf8("Save plot as PNG\u2026");

  QMessageBox* ErrorBox() const { return form.findChild<QMessageBox*>("PlotSaveErrorBox"); }

  // The drawing area as it should look in device pixels: the drawing; over it, the axis line and
  // the legend labels on it; over them, the controls of the window that lie on the drawing area.
  // Each control as it shows itself.
  QImage ExpectedPicture() const {
    const double ratio = form.fig->devicePixelRatioF();
    QImage picture = form.fig->Drawing().convertToFormat(QImage::Format_RGB32);
    picture.setDevicePixelRatio(1);
    QPainter painter(&picture);
    const auto draw = [&](QWidget* control, QPoint at) {
      QImage shown = control->grab().toImage();
      shown.setDevicePixelRatio(1);
      painter.drawImage(at * ratio, shown);
    };
    bool above_plot = false;
    for (QObject* child : form.children()) {  // bottom to top
      auto* control = qobject_cast<QWidget*>(child);
      if (control == form.fig) {
        for (QObject* on_plot : form.fig->children()) {
          if (auto* c = qobject_cast<QWidget*>(on_plot); c && c->isVisible()) draw(c, c->pos());
        }
        above_plot = true;
      } else if (above_plot && control && control->isVisible() &&
                 control->geometry().intersects(form.fig->geometry())) {
        draw(control, control->pos() - form.fig->pos());
      }
    }
    return picture;
  }

  std::filesystem::path previous_directory = std::filesystem::current_path();
  TempDir dir;
  Form1 form;
  std::filesystem::path chosen;
  int times_asked = 0;
};

int CountPixels(const QImage& image, QRect area, const std::function<bool(QRgb)>& wanted) {
  int count = 0;
  area &= image.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) count += wanted(image.pixel(x, y));
  }
  return count;
}

QRect InDevicePixels(const QWidget* control, double ratio) {
  return QRect(control->pos() * ratio, control->size() * ratio);
}

TEST_F(SavePlot, SavesTheDrawingAreaAsShownAtTheScreensDensity) {
  chosen = dir / "plot.png";
  SaveFromThePlotsMenu();
  EXPECT_EQ(times_asked, 1);
  EXPECT_EQ(ErrorBox(), nullptr);

  const QImage saved(QString::fromStdString(chosen.string()));
  ASSERT_FALSE(saved.isNull());
  const double ratio = form.fig->devicePixelRatioF();
  EXPECT_EQ(saved.size(), QSize(352, 345) * ratio);
  EXPECT_NEAR(saved.dotsPerMeterX(), 96 * ratio / 0.0254, 1);
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), ExpectedPicture());

  // What that is: red and blue points below the axis, the black axis line, the legend labels in
  // their colours.
  const int below_axis = static_cast<int>((form.Line1->y() + 1) * ratio);
  const QRect lower_half(0, below_axis, saved.width(), saved.height() - below_axis);
  EXPECT_GT(CountPixels(saved, lower_half, [](QRgb c) { return c == kRed; }), 100);
  EXPECT_GT(CountPixels(saved, lower_half, [](QRgb c) { return c == kBlue; }), 100);
  QRect axis = InDevicePixels(form.Line1, ratio);
  EXPECT_EQ(axis.width(), saved.width());
  // The window's "0" beside the axis covers its first pixel, on screen as in the file.
  const int covered = form.Label1[2]->geometry().right() + 1 - form.fig->x();
  EXPECT_EQ(covered, 1);
  axis.setLeft(static_cast<int>(covered * ratio));
  EXPECT_EQ(CountPixels(saved, axis, [](QRgb c) { return c == kBlack; }),
            axis.width() * axis.height());
  const auto reddish = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; };
  const auto bluish = [](QRgb c) { return qBlue(c) > 200 && qRed(c) < 80 && qGreen(c) < 80; };
  EXPECT_GT(CountPixels(saved, InDevicePixels(form.Label3, ratio), reddish), 20 * ratio * ratio);
  const QRect exact_label = InDevicePixels(form.Label2[0], ratio)
                                .intersected(QRect(0, 0, saved.width(), form.Label3->y() * ratio));
  EXPECT_GT(CountPixels(saved, exact_label, bluish), 20 * ratio * ratio);
  const QRect lower_legend((form.Label2[2]->pos() - form.fig->pos()) * ratio,
                           form.Label2[2]->size() * ratio);
  EXPECT_GT(CountPixels(saved, lower_legend, bluish), 20 * ratio * ratio);
}

TEST_F(SavePlot, TheMenuIsOnThePlotAndWhatLiesOnItOnly) {
  chosen = dir / "from-the-legend.png";
  SaveFromThePlotsMenu(form.Label2[2]->geometry().center() - form.fig->pos());
  SaveFromThePlotsMenu(form.Label3->geometry().center());
  EXPECT_EQ(times_asked, 2);
  EXPECT_TRUE(std::filesystem::exists(chosen));

  // The menu key on the plot opens it too: what the platform sends the plot for that key.
  const QPoint centre = form.fig->rect().center();
  QContextMenuEvent menu_key(QContextMenuEvent::Keyboard, centre, form.fig->mapToGlobal(centre));
  QApplication::sendEvent(form.fig, &menu_key);
  EXPECT_TRUE(form.PlotMenu->isVisible());
  QTest::keyClick(form.PlotMenu, Qt::Key_Escape);
  EXPECT_FALSE(form.PlotMenu->isVisible());

  RightClick(QPoint(4, 520));  // the window's background
  EXPECT_FALSE(form.PlotMenu->isVisible());
  RightClick(form.Command1->geometry().center());
  EXPECT_FALSE(form.PlotMenu->isVisible());
}

TEST_F(SavePlot, AFileThatCannotBeWrittenIsReportedAndTheWindowGoesOn) {
  chosen = dir / "no such folder" / "plot.png";
  SaveFromThePlotsMenu();
  QMessageBox* box = ErrorBox();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->isVisible());
  EXPECT_NE(box->windowModality(), Qt::NonModal);
  EXPECT_NE(box->text().indexOf("could not be saved"), -1) << box->text().toStdString();
  EXPECT_NE(box->text().indexOf(QString::fromStdString(chosen.string())), -1);
  EXPECT_EQ(box->informativeText(), "No such file or directory");
  QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(ErrorBox(), nullptr);
  EXPECT_TRUE(form.isVisible());
  EXPECT_FALSE(std::filesystem::exists(chosen.parent_path()));

  // Cancelling the dialog saves nothing and says nothing.
  chosen.clear();
  SaveFromThePlotsMenu();
  EXPECT_EQ(ErrorBox(), nullptr);

  // Another file saves as usual, and a run still works.
  chosen = dir / "plot.png";
  SaveFromThePlotsMenu();
  EXPECT_EQ(ErrorBox(), nullptr);
  EXPECT_FALSE(QImage(QString::fromStdString(chosen.string())).isNull());
  EXPECT_EQ(times_asked, 3);
  QTest::mouseClick(form.Command1, Qt::LeftButton);
  EXPECT_EQ(form.Cmby->count(), 10000);
}

TEST_F(SavePlot, CopiesWhatItSavesFromTheMenuAndWithCtrlCOnThePlot) {
  chosen = dir / "plot.png";
  SaveFromThePlotsMenu();
  const QImage saved =
      QImage(QString::fromStdString(chosen.string())).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(saved.isNull());
  QClipboard* clipboard = QGuiApplication::clipboard();

  clipboard->setText("not a picture");
  ChooseFromThePlotsMenu(kCopy);
  EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), saved);

  clipboard->setText("not a picture");
  form.fig->setFocus();
  QTest::keyClick(form.fig, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), saved);

  // Elsewhere Ctrl+C is the control's own: an entry copies its selected text.
  form.Text1[2]->setFocus();
  form.Text1[2]->selectAll();
  QTest::keyClick(form.Text1[2], Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->text(), "0.02");
  EXPECT_TRUE(clipboard->image().isNull());
}

}  // namespace
}  // namespace sho
