#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QMessageBox>
#include <QString>
#include <filesystem>
#include <string>

#include "run/entries.h"
#include "tests/test_support.h"
#include "window/form1.h"

namespace sho::testing {

// Pixels as the drawing and the window show them.
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;

// The window, shown and active, with the working directory (and so the data files) in a fresh
// directory of its own. Its helpers act as a user does: keys, the clipboard and the mouse.
class Window : public ::testing::Test {
 protected:
  Window();
  ~Window() override;

  // Replaces the text of entry `entry` by `text`, typed key by key. A character that no key of a
  // Latin keyboard gives (a Persian digit) arrives as the text of its key event, as from an input
  // method.
  void Type(int entry, const QString& text);
  void TypeEntries(const QString& y0, const QString& degrees, const QString& dt);
  // Replaces the text of entry `entry` by pasting `text` with Ctrl+V.
  void Paste(int entry, const QString& text);
  void ClickRun();

  QMessageBox* ErrorBox() const;
  // The error box's text and informative text, on two lines, after clicking its OK button.
  std::string DismissError();

  // The key of the control that has the focus ("Cmby" for the combo box's own edit field).
  std::string FocusKey() const;

  // The drawing a run of these entries should leave: every point in the device pixel that
  // contains it, in the order the run sets them.
  QImage ExpectedDrawing(const EntryTexts& entries) const;
  bool DrawingIsBlank() const;

  std::filesystem::path previous_directory = std::filesystem::current_path();
  TempDir dir;
  Form1 form;
};

}  // namespace sho::testing
