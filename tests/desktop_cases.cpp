// What the desktop window shows and writes for some runs, recorded as JSON for the browser page's
// tests to match: each case is three entry texts typed into a fresh window (offscreen, one device
// pixel per pixel) working in a fresh directory, Run clicked and a message dismissed.
//
//   desktop_cases OUTPUT.json Y0 PHI DT [Y0 PHI DT ...]
//   desktop_cases --window OUTPUT.json
//
// For each case OUTPUT.json holds the entries, every list entry's text, the edit text, the message
// (title, text, details) or null, where the focus went after it, y.dat and v.dat as base64 and the
// drawing's pixels as RGBA base64, row by row. With --window it holds the fresh window instead:
// each control's place in the window in pixels and its place in the order the controls are
// painted, and the window's pixels with no control focused. The language is the environment's,
// as for the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/window_fixture.h"
#include "window/application.h"

namespace sho::testing {
namespace {

struct Case {
  QString y0, degrees, dt;
};
void PrintTo(const Case& entries, std::ostream* out) {
  *out << '(' << entries.y0.toStdString() << ", " << entries.degrees.toStdString() << ", "
       << entries.dt.toStdString() << ')';
}
std::vector<Case> cases;
QJsonArray records;

// The drawing as the window shows it, without the controls that lie on it.
QImage DrawingPixels(const Form1& form) { return form.fig->Drawing(); }

QString Base64(const std::string& bytes) {
  return QString::fromLatin1(
      QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toBase64());
}

QJsonObject PixelsRecord(const QImage& drawing) {
  const QImage rgba = drawing.convertToFormat(QImage::Format_RGBA8888);
  QByteArray bytes;
  bytes.reserve(rgba.width() * rgba.height() * 4);
  for (int y = 0; y < rgba.height(); ++y) {
    bytes.append(reinterpret_cast<const char*>(rgba.constScanLine(y)), rgba.width() * 4);
  }
  return {{"width", rgba.width()},
          {"height", rgba.height()},
          {"rgba", QString::fromLatin1(bytes.toBase64())}};
}

class DesktopCase : public Window, public ::testing::WithParamInterface<Case> {
 protected:
  QJsonValue MessageRecord() {
    QMessageBox* box = ErrorBox();
    if (!box) return QJsonValue::Null;
    QJsonObject message{
        {"title", box->windowTitle()}, {"text", box->text()}, {"details", box->informativeText()}};
    DismissError();
    return message;
  }

  QJsonObject FocusRecord() const {
    const auto* entry = qobject_cast<const QLineEdit*>(QApplication::focusWidget());
    return {{"control", QString::fromStdString(FocusKey())},
            {"selected", entry ? entry->selectedText() : QString()}};
  }

  QJsonArray ListRecord() const {
    QJsonArray entries;
    for (int k = 0; k < form.Cmby->count(); ++k) entries.append(form.Cmby->itemText(k));
    return entries;
  }
};

TEST_P(DesktopCase, Record) {
  const Case& entries = GetParam();
  ASSERT_EQ(form.fig->devicePixelRatioF(), 1.0);
  TypeEntries(entries.y0, entries.degrees, entries.dt);
  ClickRun();
  QJsonObject record{{"entries", QJsonArray{entries.y0, entries.degrees, entries.dt}},
                     {"message", MessageRecord()}};
  record["focus"] = FocusRecord();
  record["list"] = ListRecord();
  record["edit"] = form.Cmby->currentText();
  const Lines files = ReadDataFiles(dir.path());
  record["y_dat"] = Base64(files.y);
  record["v_dat"] = Base64(files.v);
  record["pixels"] = PixelsRecord(DrawingPixels(form));
  records.append(record);
}

INSTANTIATE_TEST_SUITE_P(Given, DesktopCase, ::testing::ValuesIn(cases));

// The widgets in the order they are painted, each after what lies below it.
void PaintOrder(const QWidget& widget, std::vector<const QWidget*>& order) {
  for (const QObject* child : widget.children()) {
    if (const auto* w = qobject_cast<const QWidget*>(child); w && w->isVisible()) {
      order.push_back(w);
      PaintOrder(*w, order);
    }
  }
}

QJsonObject WindowRecord() {
  Form1 form;
  form.show();
  if (!QTest::qWaitForWindowExposed(&form)) return {};
  std::vector<const QWidget*> painted;
  PaintOrder(form, painted);
  QJsonObject controls;
  for (const ControlSpec& row : kControlTable) {
    const QWidget* control = form.Control(ControlKey(row));
    const QPoint at = control->mapTo(&form, QPoint(0, 0));
    const auto order = std::find(painted.begin(), painted.end(), control) - painted.begin();
    controls[QString::fromStdString(ControlKey(row))] =
        QJsonObject{{"left", at.x()},
                    {"top", at.y()},
                    {"width", control->width()},
                    {"height", control->height()},
                    {"painted", static_cast<int>(order)}};
  }
  if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
  return {{"controls", controls}, {"pixels", PixelsRecord(form.grab().toImage())}};
}

}  // namespace
}  // namespace sho::testing

// Writes `document` to `path`: 0, or 1 when it cannot.
int WriteJson(const char* program, const QString& path, const QJsonDocument& document) {
  QFile output(path);
  if (!output.open(QIODevice::WriteOnly) ||
      output.write(document.toJson(QJsonDocument::Compact)) < 0) {
    fprintf(stderr, "%s: cannot write %s\n", program, qPrintable(path));
    return 1;
  }
  return 0;
}

int main(int argc, char* argv[]) {
  using sho::testing::cases;
  qunsetenv("QT_SCALE_FACTOR");
  qunsetenv("QT_SCREEN_SCALE_FACTORS");
  qunsetenv("QT_ENABLE_HIGHDPI_SCALING");
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  sho::SetUpApplication();
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() == 3 && arguments[1] == QLatin1String("--window")) {
    const QJsonObject window = sho::testing::WindowRecord();
    return window.isEmpty() ? 1 : WriteJson(argv[0], arguments[2], QJsonDocument(window));
  }
  // The cases are known before the tests are registered, so that each becomes one test.
  QStringList given;
  for (const QString& argument : arguments.mid(1)) {
    if (!argument.startsWith(QLatin1String("--gtest_"))) given.append(argument);
  }
  if (given.size() < 4 || (given.size() - 1) % 3 != 0) {
    fprintf(stderr, "usage: %s OUTPUT.json Y0 PHI DT [Y0 PHI DT ...]\n", argv[0]);
    fprintf(stderr, "       %s --window OUTPUT.json\n", argv[0]);
    return 2;
  }
  for (qsizetype k = 1; k < given.size(); k += 3) {
    cases.push_back({given[k], given[k + 1], given[k + 2]});
  }
  ::testing::InitGoogleTest(&argc, argv);
  const int failed = RUN_ALL_TESTS();
  return WriteJson(argv[0], given.front(), QJsonDocument(sho::testing::records)) || failed;
}
