#include "tests/window_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <cmath>

#include "outputs/run_outputs.h"
#include "run/run.h"

namespace sho::testing {

Window::Window() {
  std::filesystem::current_path(dir.path());
  form.show();
  form.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
}

Window::~Window() { std::filesystem::current_path(previous_directory); }

void Window::Type(int entry, const QString& text) {
  QLineEdit* box = form.Text1.at(entry);
  box->setFocus();
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Delete);
  for (const QChar c : text) {
    if (c.unicode() < 0x80) {
      QTest::keyClick(box, c.toLatin1());
    } else {
      QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
}

void Window::TypeEntries(const QString& y0, const QString& degrees, const QString& dt) {
  Type(0, y0);
  Type(1, degrees);
  Type(2, dt);
}

void Window::Paste(int entry, const QString& text) {
  QLineEdit* box = form.Text1.at(entry);
  box->setFocus();
  QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(box, Qt::Key_Delete);
  QGuiApplication::clipboard()->setText(text);
  QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

void Window::ClickRun() { QTest::mouseClick(form.Command1, Qt::LeftButton); }

QMessageBox* Window::ErrorBox() const { return form.findChild<QMessageBox*>("RunErrorBox"); }

std::string Window::DismissError() {
  QMessageBox* box = ErrorBox();
  if (!box) {
    ADD_FAILURE() << "no error shown";
    return "";
  }
  EXPECT_TRUE(box->isVisible());
  EXPECT_NE(box->windowModality(), Qt::NonModal);
  const std::string text = (box->text() + "\n" + box->informativeText()).toStdString();
  QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(ErrorBox(), nullptr);
  EXPECT_TRUE(form.isVisible());
  return text;
}

std::string Window::FocusKey() const {
  for (QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
    if (!w->objectName().isEmpty()) return w->objectName().toStdString();
  }
  return "";
}

QImage Window::ExpectedDrawing(const EntryTexts& entries) const {
  MemorySurface surface;
  surface.height_points = 258.75f;
  Plot plot(surface);
  ResultsList list;
  TempDir scratch;
  DataFiles files(scratch.path());
  RunOutputs outputs([&] { return entries; }, list, plot, files);
  try {
    PerformRun(outputs);
  } catch (const RunError&) {
  }
  const double ratio = form.fig->devicePixelRatioF();
  QImage image(QSize(352, 345) * ratio, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (const auto& p : surface.points) {
    const int x = static_cast<int>(std::floor(p.x * ratio / 15));
    const int y = static_cast<int>(std::floor(p.y * ratio / 15));
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
      image.setPixel(x, y, p.colour == kEulerColour ? kRed : kBlue);
    }
  }
  return image;
}

bool Window::DrawingIsBlank() const {
  const QImage drawing = form.fig->Drawing();
  for (int y = 0; y < drawing.height(); ++y) {
    for (int x = 0; x < drawing.width(); ++x) {
      if (drawing.pixel(x, y) != 0xFFFFFFFF) return false;
    }
  }
  return true;
}

}  // namespace sho::testing
