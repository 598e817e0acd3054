#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>
#include <array>
#include <cmath>
#include <memory>

#include "outputs/run_outputs.h"
#include "run/run.h"
#include "tests/test_support.h"
#include "tests/window_fixture.h"
#include "window/form1.h"
#include "window/look.h"
#include "window/window_style.h"

namespace sho {
namespace {

using testing::DataLines;
using testing::kBlue;
using testing::kRed;
using testing::Lines;
using testing::MemorySurface;
using testing::ReadBytes;
using testing::ReferenceRun;
using testing::SameBytes;
using testing::TempDir;
using testing::Window;

// "i", 21 blanks, "Y", 19 blanks, "V": the list's header, which names the fields of its entries.
const std::string kHeader = "i" + std::string(21, ' ') + "Y" + std::string(19, ' ') + "V";

TEST_F(Window, IsBuiltFromTheControlTable) {
  EXPECT_EQ(form.windowTitle().toStdString(),
            "Simple Harmonic Oscilator" + std::string(12, ' ') +
                "Test some time steps as 0.1 & 0.01 &...   by   Telvorandis");
  EXPECT_EQ(form.size(), QSize(678, 528));
  EXPECT_EQ(form.palette().color(QPalette::Window), QColor(255, 192, 128));

  for (const ControlSpec& row : kControlTable) {
    const std::string key = ControlKey(row);
    SCOPED_TRACE(key);
    QWidget* control = form.Control(key);
    ASSERT_NE(control, nullptr);
    const std::string container = row.container;
    EXPECT_EQ(control->parentWidget(), container == "Form1" ? &form : form.Control(container));
    EXPECT_TRUE(control->isVisible());

    const QFontInfo font(control->font());
    const std::string face = row.font.face;
    const std::string expected_family = face == "Zar"       ? "Nazli"
                                        : face == "MV Boli" ? "Comic Neue"
                                                            : "Liberation Sans";
    EXPECT_EQ(font.family().toStdString(), expected_family);
    EXPECT_EQ(font.pixelSize(), std::lround(row.font.points * 96 / 72));
    EXPECT_EQ(font.bold(), row.font.bold);
  }

  EXPECT_EQ(form.Frame3->title().toStdString(), " i (Step)" + std::string(18, ' ') +
                                                    "Yi (Position)" + std::string(20, ' ') +
                                                    "Vi (Velocity)" + std::string(26, ' '));
  EXPECT_EQ(form.Text2[0]->toPlainText().toStdString(), "1-Enter your Initial \nvalues.\n");
  EXPECT_EQ(form.Label4->text().toStdString(), "Euler's algorithm for Simple  Harmonic Oscilator");
  EXPECT_EQ(form.Command1->text().toStdString(), "Run");
  EXPECT_EQ(form.Exit->text().toStdString(), "Exit");
  EXPECT_EQ(form.Label3->text().toStdString(), "نتيجه محاسبات");  // result of calculations
  EXPECT_EQ(form.Label2[0]->text().toStdString(), "جواب دقيق");   // exact answer
}

// Where the window's design puts them, in twips, at 15 twips a pixel: the same pixels on a screen
// of any density, each pixel then as many device pixels as the density says.
TEST_F(Window, PlacesTheListThePlotRunAndTheEntriesWhereTheyWereDesigned) {
  const std::pair<QWidget*, std::array<int, 4>> placed[] = {
      {form.Cmby, {{280, 72, 353, 28}}},      // 4200, 1080, 5295, 420 twips
      {form.fig, {{280, 160, 352, 345}}},     // 4200, 2400, 5280, 5175
      {form.Command1, {{16, 464, 65, 41}}},   // 240, 6960, 975, 615
      {form.Exit, {{160, 464, 65, 41}}},      // 2400, 6960, 975, 615
      {form.Text1[0], {{32, 248, 169, 33}}},  // 0, 360, 2535, 495 in its frame at 480, 3360
      {form.Text1[1], {{32, 328, 169, 33}}},  // in its frame at 480, 4560
      {form.Text1[2], {{32, 400, 169, 33}}},  // in its frame at 480, 5640
      {form.Line1, {{280, 336, 352, 1}}},     // (0, 2640) to (5280, 2640) in the plot
  };
  for (const auto& [control, pixels] : placed) {
    const QPoint at = control->mapTo(&form, QPoint(0, 0));
    EXPECT_EQ((std::array{at.x(), at.y(), control->width(), control->height()}), pixels)
        << control->objectName().toStdString();
  }

  // As shown, in device pixels: the plot's white from corner to corner, the black axis across it
  // in row 336, as thick as a pixel.
  const QImage shown = form.grab().toImage();
  const int ratio = static_cast<int>(shown.devicePixelRatio());
  const auto at = [&](int x, int y) { return QColor(shown.pixel(x, y)).name().toStdString(); };
  for (const auto& [x, y] : {std::pair{280, 160}, {631, 504}, {400, 337}}) {
    EXPECT_EQ(at(x * ratio, y * ratio), "#ffffff") << x << ", " << y;
  }
  for (const auto& [x, y] : {std::pair{279, 160}, {280, 159}, {632, 504}, {631, 505}}) {
    EXPECT_NE(at(x * ratio, y * ratio), "#ffffff") << x << ", " << y;
  }
  EXPECT_EQ(at(400 * ratio, 336 * ratio), "#000000");
  EXPECT_EQ(at(400 * ratio, 337 * ratio - 1), "#000000");
}

TEST_F(Window, ShowsTheTablesColoursAndPersianLabels) {
  EXPECT_EQ(form.Frame1[0]->palette().color(QPalette::Window), QColor(128, 128, 255));
  EXPECT_EQ(form.Command1->palette().color(QPalette::Button), QColor(255, 128, 128));
  EXPECT_EQ(form.Text2[1]->palette().color(QPalette::Base), QColor(192, 255, 255));
  EXPECT_EQ(form.Label3->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(form.Label2[0]->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(form.Frame2->palette().color(QPalette::WindowText),
            QApplication::palette().color(QPalette::WindowText));

  // As shown on screen: the window's orange in a corner, the entry frame's blue beside its box.
  const QImage shown = form.grab().toImage();
  const double ratio = shown.devicePixelRatio();
  EXPECT_EQ(QColor(shown.pixel(4 * ratio, 520 * ratio)), QColor(255, 192, 128));
  EXPECT_EQ(QColor(shown.pixel(100 * ratio, 230 * ratio)), QColor(128, 128, 255));

  for (QLabel* label : {form.Label3, form.Label2[0], form.Label2[1], form.Label2[2]}) {
    EXPECT_TRUE(label->text().isRightToLeft());
    const QFontMetrics metrics(label->font());
    for (const QChar c : label->text())
      EXPECT_TRUE(metrics.inFont(c)) << static_cast<int>(c.unicode());
  }
  // The legend labels stand above the drawing area, the axis labels above the frames.
  EXPECT_EQ(form.childAt(QPoint(370, 420)), form.Label2[2]);
  EXPECT_EQ(form.childAt(QPoint(250, 165)), form.Label1[0]);
}

TEST_F(Window, StartsEmptyWithTheFocusInTheFirstEntryAndTabsInOrder) {
  for (QLineEdit* entry : form.Text1) EXPECT_TRUE(entry->text().isEmpty());
  EXPECT_EQ(form.Cmby->currentText().toStdString(), std::string(9, ' '));
  EXPECT_EQ(form.Cmby->count(), 0);
  EXPECT_TRUE(DrawingIsBlank());
  EXPECT_EQ(FocusKey(), "Text1(0)");

  std::vector<std::string> order;
  for (int k = 0; k < 10; ++k) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order.push_back(FocusKey());
  }
  EXPECT_EQ(order,
            (std::vector<std::string>{"Text1(1)", "Text1(2)", "Command1", "Cmby", "Exit", "fig",
                                      "Text2(0)", "Text2(1)", "Text2(2)", "Text1(0)"}));
}

TEST_F(Window, RunFillsTheListThePlotAndTheDataFiles) {
  TypeEntries("1", "0", "0.01");
  ClickRun();
  ASSERT_EQ(ErrorBox(), nullptr);

  EXPECT_EQ(form.Cmby->count(), 10000);
  EXPECT_EQ(form.Cmby->itemText(0).toStdString(),
            " 1" + std::string(8, ' ') + " 1" + std::string(7, ' ') + "-0.25");
  EXPECT_EQ(form.Cmby->itemText(9999).left(6), " 10000");
  EXPECT_EQ(form.Cmby->currentText().toStdString(), kHeader);

  const EntryTexts classic{{"1", "0", "0.01"}, {}};
  EXPECT_EQ(form.fig->Drawing(), ExpectedDrawing(classic));
  // Steps 1 to 14 fall in the first pixel column near the baseline; blue is set last.
  const double ratio = form.fig->devicePixelRatioF();
  EXPECT_EQ(form.fig->Drawing().pixel(0, static_cast<int>(2637.5 * ratio / 15)), kBlue);

  // The same bytes as the run itself writes.
  const Lines reference = ReferenceRun(classic).lines;
  EXPECT_PRED_FORMAT2(SameBytes, ReadBytes(dir / "y.dat"), reference.y);
  EXPECT_PRED_FORMAT2(SameBytes, ReadBytes(dir / "v.dat"), reference.v);
  const auto y = DataLines(dir / "y.dat");
  ASSERT_EQ(y.size(), 10000u);
  EXPECT_EQ(std::vector<std::string>(y.begin(), y.begin() + 3),
            (std::vector<std::string>{"1", "0.9975", "0.9925"}));

  // A second run overwrites the list, redraws the plot from blank and appends to the files.
  TypeEntries("20", "0", "0.02");
  ClickRun();
  EXPECT_EQ(form.Cmby->count(), 10000);
  EXPECT_EQ(form.Cmby->itemText(0).toStdString(),
            " 1" + std::string(8, ' ') + " 20" + std::string(7, ' ') + "-10");
  EXPECT_EQ(form.fig->Drawing(), ExpectedDrawing({{"20", "0", "0.02"}, {}}));
  // Its first red point lies below every blue point of the first pixel column.
  EXPECT_EQ(form.fig->Drawing().pixel(0, static_cast<int>(3587.5 * ratio / 15)), kRed);
  EXPECT_EQ(DataLines(dir / "y.dat").size(), 20000u);
  EXPECT_EQ(DataLines(dir / "v.dat").size(), 20000u);

  // The drawing survives the window being minimised and restored.
  form.showMinimized();
  form.showNormal();
  const QImage shown = form.fig->grab().toImage();
  EXPECT_EQ(shown.pixel(0, static_cast<int>(3587.5 * ratio / 15)), kRed);
}

TEST_F(Window, BadEntriesAreReportedAndTheWindowStaysUsable) {
  TypeEntries("1", "0", "0.01");
  ClickRun();

  TypeEntries("", "", "");
  ClickRun();
  std::string message = DismissError();
  EXPECT_NE(message.find("Type mismatch"), std::string::npos) << message;
  EXPECT_NE(message.find("Phi(0)Degree"), std::string::npos) << message;
  EXPECT_EQ(FocusKey(), "Text1(1)");
  EXPECT_TRUE(DrawingIsBlank());
  EXPECT_EQ(form.Cmby->count(), 0);
  EXPECT_EQ(DataLines(dir / "y.dat").size(), 10000u);

  TypeEntries("abc", "0", "0.01");
  ClickRun();
  message = DismissError();
  EXPECT_NE(message.find("\"y(0)\""), std::string::npos) << message;
  EXPECT_NE(message.find("abc"), std::string::npos) << message;
  EXPECT_EQ(FocusKey(), "Text1(0)");
  EXPECT_EQ(form.Text1[0]->selectedText(), "abc");

  TypeEntries("1", "0", "0,01");  // a group separator where "." is the decimal point
  ClickRun();
  message = DismissError();
  EXPECT_NE(message.find("Time step<0.01"), std::string::npos) << message;
  EXPECT_EQ(form.Text1[2]->selectedText(), "0,01");
  EXPECT_EQ(form.Cmby->currentText().toStdString(), kHeader);  // set before step 1
  EXPECT_EQ(DataLines(dir / "y.dat").size(), 10000u);

  TypeEntries("1", "0", "0.01");
  ClickRun();
  EXPECT_EQ(ErrorBox(), nullptr);
  EXPECT_EQ(form.Cmby->count(), 10000);
  EXPECT_EQ(DataLines(dir / "y.dat").size(), 20000u);
}

// What a screen reader is told of a control.
std::string Accessible(QWidget* control, QAccessible::Text text) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
  return accessible ? accessible->text(text).toStdString() : "";
}

// The red and blue points of a run's last step that lies inside the plot's width (5,279).
std::pair<float, float> LastShownPoints(const EntryTexts& entries) {
  MemorySurface surface;
  Plot plot(surface);
  ResultsList list;
  TempDir scratch;
  DataFiles files(scratch.path());
  RunOutputs outputs([&] { return entries; }, list, plot, files);
  PerformRun(outputs);
  std::pair<float, float> points;
  for (const auto& point : surface.points) {
    if (point.x != 5279) continue;
    (point.colour == kEulerColour ? points.first : points.second) = point.y;
  }
  return points;
}

TEST_F(Window, ScreenReadersHearWhatEachControlAndThePlotIs) {
  for (const ControlSpec& row : kControlTable) {
    QWidget* control = form.Control(ControlKey(row));
    if (!(control->focusPolicy() & Qt::TabFocus) && control != form.fig) continue;
    EXPECT_NE(Accessible(control, QAccessible::Name).find_first_not_of(' '), std::string::npos)
        << ControlKey(row);
  }
  EXPECT_EQ(Accessible(form.Text1[0], QAccessible::Name), "y(0)");
  EXPECT_EQ(Accessible(form.Text1[2], QAccessible::Name), "Time step<0.01");
  EXPECT_EQ(Accessible(form.Command1, QAccessible::Name), "Run");
  EXPECT_EQ(Accessible(form.Cmby, QAccessible::Name), "Current values");
  EXPECT_EQ(Accessible(form.Cmby->lineEdit(), QAccessible::Name), "Current values");
  EXPECT_EQ(Accessible(form.fig, QAccessible::Name), "Graphs");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(form.fig)->role(), QAccessible::Chart);

  const std::string legend = "Red points: Euler's positions. Blue points: the exact cosine.";
  EXPECT_EQ(Accessible(form.fig, QAccessible::Description), legend + " No step is shown.");

  TypeEntries("1", "0", "0.001");
  ClickRun();
  const auto [red, blue] = LastShownPoints({{"1", "0", "0.001"}, {}});
  const double apart = std::abs(double{red} - blue) / 50;
  ASSERT_GT(apart, 0.001);  // Euler's positions have drifted visibly from the cosine by then
  EXPECT_EQ(Accessible(form.fig, QAccessible::Description),
            legend + " Shown: steps 1 to 5279. At step 5279 the red point is " +
                QLocale().toString(apart, 'g', 3).toStdString() + " from the blue one.");

  // Euler's curve spirals out of the drawing.
  TypeEntries("-1.5", "30", "0.01");
  ClickRun();
  EXPECT_THAT(Accessible(form.fig, QAccessible::Description),
              ::testing::MatchesRegex(legend + " Shown: steps 1 to 5279\\. At step 5279 the red "
                                               "point is [0-9,]+ from the blue one\\. The red "
                                               "point lies outside the drawing\\."));
}

// Euler's curve spirals out of what the plot can draw: the run stops in step 764, with everything
// before that step shown.
TEST_F(Window, OverflowIsReportedWithWhatTheRunLeft) {
  TypeEntries("1", "0", "0.1");
  ClickRun();
  const std::string message = DismissError();
  EXPECT_NE(message.find("Overflow in step 764"), std::string::npos) << message;
  EXPECT_EQ(form.Cmby->count(), 764);
  EXPECT_EQ(form.Cmby->itemText(763).left(4), " 764");
  EXPECT_EQ(form.fig->Drawing(), ExpectedDrawing({{"1", "0", "0.1"}, {}}));
  EXPECT_THAT(Accessible(form.fig, QAccessible::Description),
              ::testing::MatchesRegex(".* Shown: steps 1 to 763\\. At step 763 .*\\. "
                                      "The red point lies outside the drawing\\."));
}

// Counts the times a widget is shown.
class ShowCount final : public QObject {
 public:
  explicit ShowCount(QWidget* widget) { widget->installEventFilter(this); }
  int shown = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    shown += event->type() == QEvent::Show;
    return false;
  }
};

// Screen readers speak a notification as it is shown.
TEST_F(Window, EachFinishedRunShowsANotificationOfWhatThePlotShowsAndKeepsTheFocus) {
  ASSERT_EQ(QAccessible::queryAccessibleInterface(form.RunStatus)->role(),
            QAccessible::Notification);
  EXPECT_FALSE(form.RunStatus->isVisible());
  EXPECT_TRUE(form.RunStatus->rect().isEmpty());  // the window does not show it
  const ShowCount notified(form.RunStatus);
  TypeEntries("1", "30", "0.01");
  ClickRun();
  ClickRun();  // the same text once more
  EXPECT_EQ(notified.shown, 2);
  EXPECT_EQ(QApplication::focusWidget(), form.Command1);
  const std::string legend = "Red points: Euler's positions. Blue points: the exact cosine. ";
  const std::string description = Accessible(form.fig, QAccessible::Description);
  ASSERT_EQ(description.substr(0, legend.size()), legend);
  EXPECT_EQ(Accessible(form.RunStatus, QAccessible::Name),
            "The run is done. " + description.substr(legend.size()));

  TypeEntries("1", "0", "0.1");  // stops in step 3,483, and its message says so
  ClickRun();
  DismissError();
  EXPECT_EQ(notified.shown, 2);
  EXPECT_FALSE(form.RunStatus->isVisible());
}

// Runs the event loop as the program does until it ends, or gives up after ten seconds.
int RunEventLoop() {
  QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });
  return QApplication::exec();
}

TEST_F(Window, ExitAndClosingTheWindowEndTheProgram) {
  QTimer::singleShot(0, [&] { QTest::mouseClick(form.Exit, Qt::LeftButton); });
  EXPECT_EQ(RunEventLoop(), 0);
  EXPECT_FALSE(form.isVisible());

  form.show();
  QTimer::singleShot(0, [&] { form.close(); });
  EXPECT_EQ(RunEventLoop(), 0);
  EXPECT_FALSE(form.isVisible());
}

TEST(WindowStyle, IsFusionUnlessTheCommandLineNamesAnother) {
  const std::unique_ptr<QStyle> fusion(NewWindowStyle());
  EXPECT_EQ(static_cast<QProxyStyle*>(fusion.get())->baseStyle()->name(), "fusion");
  const std::unique_ptr<QStyle> windows(NewWindowStyle("Windows"));
  EXPECT_EQ(static_cast<QProxyStyle*>(windows.get())->baseStyle()->name(), "windows");
  const std::unique_ptr<QStyle> unknown(NewWindowStyle("Foo"));
  EXPECT_EQ(static_cast<QProxyStyle*>(unknown.get())->baseStyle()->name(), "fusion");
}

// The page shows a system colour as Fusion's standard palette does: the window's own style.
TEST(WindowStyle, PagesColoursForSystemColoursAreFusions) {
  const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
  const QPalette palette = fusion->standardPalette();
  for (const PaletteRole role :
       {PaletteRole::kWindow, PaletteRole::kWindowText, PaletteRole::kBase, PaletteRole::kButton,
        PaletteRole::kButtonText, PaletteRole::kHighlightedText}) {
    const QColor colour = palette.color(QPalette::Active, QtPaletteRole(role));
    EXPECT_EQ(FusionColour(role), colour.red() | colour.green() << 8 | colour.blue() << 16)
        << static_cast<int>(role);
  }
}

}  // namespace
}  // namespace sho
