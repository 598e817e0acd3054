// The texts of the program and of Qt's dialogs in the user's language. ctest runs the Persian cases
// with LANG and LANGUAGE set to Persian and the English cases with them set to English.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QStyleHints>
#include <QTest>
#include <QTimer>

#include "tests/window_fixture.h"

namespace sho {
namespace {

class Persian : public testing::Window {};
class English : public testing::Window {};
// Run by Persian.WindowIsTheEnglishOnePixelForPixel in a process of its own, set up in English.
class EnglishWindowPicture : public testing::Window {};

// The window as it shows, the text cursor of the entry that has the focus shown, not blinking.
QImage WindowPicture(Form1& form) {
  QGuiApplication::styleHints()->setCursorFlashTime(0);
  QWidget* focused = QApplication::focusWidget();
  form.setFocus();
  if (focused) focused->setFocus();
  return form.grab().toImage();
}

// What the file dialog that Save plot as PNG… opens shows: its title and direction. The dialog is
// cancelled once seen.
struct SaveDialogSeen {
  QString title;
  Qt::LayoutDirection direction = Qt::LayoutDirectionAuto;
};
SaveDialogSeen OpenSaveDialog(Form1& form) {
  SaveDialogSeen seen;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    seen = {dialog->windowTitle(), dialog->layoutDirection()};
    dialog->reject();
  });
  form.PlotMenu->SavePlot_Click();
  return seen;
}

TEST_F(Persian, RunErrorIsPersianRightToLeftWithQtsOwnButton) {
  ClickRun();  // all entries empty
  QMessageBox* box = ErrorBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowTitle(), QString::fromUtf8("اجرا متوقف شد"));
  EXPECT_EQ(box->text(), QString::fromUtf8("ناسازگاری نوع در خانهٔ «Phi(0)Degree»."));
  EXPECT_EQ(box->informativeText(),
            QString::fromUtf8("خانهٔ «Phi(0)Degree» خالی است. عددی مانند 1، -0.5 یا "
                              "1e-3 بنویسید."));
  // Both texts read right to left as paragraphs, even where a Latin caption is near their start.
  EXPECT_TRUE(box->text().isRightToLeft());
  EXPECT_TRUE(box->informativeText().isRightToLeft());
  EXPECT_EQ(box->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(box->button(QMessageBox::Ok)->text(), QString::fromUtf8("تأیید"));
  DismissError();

  // The changing parts of a message are filled in after translating it, each in its place.
  TypeEntries("1", "0", "0.1");
  ClickRun();
  ASSERT_NE(ErrorBox(), nullptr);
  EXPECT_EQ(ErrorBox()->text(), QString::fromUtf8("سرریز در گام 764."));
  EXPECT_TRUE(ErrorBox()->informativeText().startsWith(
      QString::fromUtf8("در گام 764 مکان اویلر برای رسم بیش از اندازه از محور دور است (")))
      << ErrorBox()->informativeText().toStdString();
  DismissError();

  // The window itself keeps its layout and captions.
  EXPECT_EQ(form.layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(form.Text1[0]->layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(form.Frame1[1]->title().toStdString(), "Phi(0)Degree");
}

TEST_F(Persian, PlotMenuSaveDialogAndSaveErrorArePersianRightToLeft) {
  QTest::mouseClick(form.windowHandle(), Qt::RightButton, {}, form.fig->mapTo(&form, QPoint(9, 9)));
  ASSERT_TRUE(form.PlotMenu->isVisible());
  EXPECT_EQ(form.PlotMenu->layoutDirection(), Qt::RightToLeft);
  ASSERT_EQ(form.PlotMenu->actions().size(), 2);
  EXPECT_EQ(form.PlotMenu->actions()[0]->text(), QString::fromUtf8("کپی نمودار"));
  EXPECT_EQ(form.PlotMenu->actions()[1]->text(),
            QString::fromUtf8("ذخیرهٔ نمودار به‌صورت PNG…"));
  // What a screen reader says of the plot is Persian too.
  EXPECT_EQ(form.fig->accessibleName(), QString::fromUtf8("نمودارها"));
  form.PlotMenu->hide();

  const SaveDialogSeen dialog = OpenSaveDialog(form);
  EXPECT_EQ(dialog.title, QString::fromUtf8("ذخیرهٔ نمودار به‌صورت PNG"));
  EXPECT_EQ(dialog.direction, Qt::RightToLeft);

  const QString missing = QString::fromStdString((dir / "missing" / "plot.png").string());
  form.PlotMenu->SetFileChooser([&](QWidget*) { return missing; });
  form.PlotMenu->SavePlot_Click();
  auto* box = form.findChild<QMessageBox*>("PlotSaveErrorBox");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->text(), QString::fromUtf8("ذخیرهٔ نمودار در %1 ممکن نشد.").arg(missing));
  EXPECT_EQ(box->layoutDirection(), Qt::RightToLeft);
  box->close();
}

TEST_F(EnglishWindowPicture, Save) {
  const QString path = qEnvironmentVariable("SHO_WINDOW_PICTURE");
  if (path.isEmpty()) GTEST_SKIP() << "only as a part of the Persian case";
  ASSERT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
  ASSERT_TRUE(WindowPicture(form).save(path));
}

// Only messages, dialogs and menus read right to left: the window before a run shows the same
// pixels as in English, captions and column labels in their places.
TEST_F(Persian, WindowIsTheEnglishOnePixelForPixel) {
  ASSERT_EQ(QGuiApplication::layoutDirection(), Qt::RightToLeft);
  const QImage persian = WindowPicture(form);

  const QString path = QString::fromStdString((dir / "english.png").string());
  QProcessEnvironment english = QProcessEnvironment::systemEnvironment();
  english.remove(QStringLiteral("LC_ALL"));
  english.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
  english.insert(QStringLiteral("LANGUAGE"), QStringLiteral("en"));
  english.insert(QStringLiteral("SHO_WINDOW_PICTURE"), path);
  QProcess child;
  child.setProcessEnvironment(english);
  child.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=EnglishWindowPicture.Save")});
  ASSERT_TRUE(child.waitForFinished(30000));
  ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
  const QImage shown_in_english(path);
  ASSERT_FALSE(shown_in_english.isNull());
  ASSERT_EQ(persian.size(), shown_in_english.size());

  int differing = 0;
  QRect where;
  for (int y = 0; y < persian.height(); ++y) {
    for (int x = 0; x < persian.width(); ++x) {
      if (persian.pixel(x, y) == shown_in_english.pixel(x, y)) continue;
      ++differing;
      where |= QRect(x, y, 1, 1);
    }
  }
  EXPECT_EQ(differing, 0) << "within " << where.x() << "," << where.y() << " " << where.width()
                          << "x" << where.height();
}

TEST_F(English, TextsAndDirectionStayEnglish) {
  ClickRun();
  QMessageBox* box = ErrorBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowTitle().toStdString(), "Run stopped");
  EXPECT_EQ(box->text().toStdString(), "Type mismatch in entry \"Phi(0)Degree\".");
  EXPECT_EQ(box->informativeText().toStdString(),
            "\"Phi(0)Degree\" is empty. Type a number such as 1, -0.5 or 1e-3.");
  EXPECT_EQ(box->layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(box->button(QMessageBox::Ok)->text().toStdString(), "OK");
  DismissError();

  ASSERT_EQ(form.PlotMenu->actions().size(), 2);
  EXPECT_EQ(form.PlotMenu->actions()[0]->text().toStdString(), "Copy plot");
  EXPECT_EQ(form.PlotMenu->actions()[1]->text(), QString::fromUtf8("Save plot as PNG…"));
  const SaveDialogSeen dialog = OpenSaveDialog(form);
  EXPECT_EQ(dialog.title.toStdString(), "Save plot as PNG");
  EXPECT_EQ(dialog.direction, Qt::LeftToRight);
}

}  // namespace
}  // namespace sho
