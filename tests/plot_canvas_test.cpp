#include "outputs/plot_canvas.h"

#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QPixmap>
#include <QTest>

#include "tests/window_fixture.h"

namespace sho {
namespace {

using testing::kBlue;
using testing::kRed;
using testing::kWhite;

// 5280 x 5175 twips, white: the window's drawing area.
class Canvas : public ::testing::Test {
 protected:
  Canvas() {
    canvas.setFixedSize(352, 345);
    QPalette palette = canvas.palette();
    palette.setColor(QPalette::Window, Qt::white);
    canvas.setPalette(palette);
    canvas.Clear();
  }
  int CountNotWhite() const {
    const QImage drawing = canvas.Drawing();
    int count = 0;
    for (int y = 0; y < drawing.height(); ++y) {
      for (int x = 0; x < drawing.width(); ++x) count += drawing.pixel(x, y) != kWhite;
    }
    return count;
  }
  QRgb Pixel(int x, int y) const { return canvas.Drawing().pixel(x, y); }

  PlotCanvas canvas;
};

TEST_F(Canvas, APointColoursTheOnePixelThatContainsIt) {
  const double ratio = canvas.devicePixelRatioF();
  EXPECT_EQ(canvas.HeightInPoints(), 258.75f);
  EXPECT_EQ(canvas.Drawing().size(), QSize(352, 345) * ratio);

  canvas.SetPoint(1, 2637.5f, kEulerColour);
  EXPECT_EQ(Pixel(0, static_cast<int>(2637.5 * ratio / 15)), kRed);
  canvas.SetPoint(14.9f, 0, kExactColour);
  canvas.SetPoint(15, 0, kEulerColour);
  canvas.SetPoint(5279.9f, 5174.9f, kExactColour);
  EXPECT_EQ(Pixel(static_cast<int>(14.9 * ratio / 15), 0), kBlue);
  EXPECT_EQ(Pixel(static_cast<int>(ratio), 0), kRed);
  EXPECT_EQ(Pixel(canvas.Drawing().width() - 1, canvas.Drawing().height() - 1), kBlue);
  EXPECT_EQ(CountNotWhite(), 4);

  // Outside the area: skipped without a word.
  for (const auto& [x, y] : {std::pair{-0.5f, 10.0f},
                             {10.0f, -0.01f},
                             {5280.0f, 10.0f},
                             {10.0f, 5175.0f},
                             {1e30f, 1e30f},
                             {-3e38f, 3e38f}}) {
    canvas.SetPoint(x, y, kEulerColour);
  }
  EXPECT_EQ(CountNotWhite(), 4);

  canvas.Clear();
  EXPECT_EQ(CountNotWhite(), 0);
}

TEST_F(Canvas, ACopyOfTheDrawingKeepsItsPixelsWhileTheRunDrawsOn) {
  canvas.SetPoint(150, 150, kEulerColour);  // pixel (10, 10)
  const QImage copy = canvas.Drawing();
  canvas.SetPoint(300, 300, kExactColour);  // pixel (20, 20)
  canvas.Clear();
  canvas.SetPoint(150, 150, kExactColour);
  const double ratio = canvas.devicePixelRatioF();
  EXPECT_EQ(copy.pixel(10 * ratio, 10 * ratio), kRed);
  EXPECT_EQ(copy.pixel(20 * ratio, 20 * ratio), kWhite);
  EXPECT_EQ(Pixel(10 * ratio, 10 * ratio), kBlue);
}

TEST_F(Canvas, PaintsWhatItHasDrawn) {
  canvas.SetPoint(150, 150, kEulerColour);  // pixel (10, 10)
  canvas.SetPoint(150, 165, kExactColour);  // pixel (10, 11)
  const QImage shown = canvas.grab().toImage();
  EXPECT_EQ(shown.pixel(10 * shown.devicePixelRatio(), 10 * shown.devicePixelRatio()), kRed);
  EXPECT_EQ(shown.pixel(10 * shown.devicePixelRatio(), 11 * shown.devicePixelRatio()), kBlue);
  EXPECT_EQ(shown.pixel(40 * shown.devicePixelRatio(), 40 * shown.devicePixelRatio()), kWhite);
}

// Whether `region` covers all of `rect` (QRegion::contains only asks for an overlap).
bool Covers(const QRegion& region, const QRect& rect) { return (QRegion(rect) - region).isEmpty(); }

// Remembers the area of every paint event.
class PaintRecorder : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
  QRegion painted;
};

TEST_F(Canvas, RepaintsOnlyWhatTheRunChangedOnceAskedTo) {
  canvas.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&canvas));
  canvas.ShowChanges();  // the blank area as first made
  QCoreApplication::processEvents();
  PaintRecorder recorder;
  canvas.installEventFilter(&recorder);
  const double ratio = canvas.devicePixelRatioF();

  canvas.SetPoint(150, 150, kEulerColour);   // logical pixel (10, 10)
  canvas.SetPoint(600, 1500, kExactColour);  // logical pixel (40, 100)
  QCoreApplication::processEvents();
  EXPECT_TRUE(recorder.painted.isEmpty());  // nothing is repainted while a run draws

  canvas.ShowChanges();
  QCoreApplication::processEvents();
  EXPECT_TRUE(Covers(recorder.painted, QRect(10, 10, 31, 91)));
  EXPECT_FALSE(recorder.painted.intersects(QRect(0, 200, 352, 145)));

  // The next run clears the old points and draws elsewhere: both places are repainted.
  recorder.painted = {};
  canvas.Clear();
  canvas.SetPoint(3000, 4500, kEulerColour);  // logical pixel (200, 300)
  canvas.ShowChanges();
  QCoreApplication::processEvents();
  EXPECT_TRUE(Covers(recorder.painted, QRect(10, 10, 191, 291)));
  EXPECT_EQ(canvas.grab().toImage().pixel(10 * ratio, 10 * ratio), kWhite);
  EXPECT_EQ(canvas.grab().toImage().pixel(200 * ratio, 300 * ratio), kRed);
}

}  // namespace
}  // namespace sho
