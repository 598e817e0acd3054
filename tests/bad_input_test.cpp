// Whatever is typed or pasted into an entry, the window either runs with the number it means or
// stops where that entry is read, names the entry, and goes on.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <QLocale>
#include <QTest>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "run/entries.h"
#include "runtime/run_error.h"
#include "tests/test_support.h"
#include "tests/window_fixture.h"

namespace sho {
namespace {

using testing::Lines;
using testing::ReadDataFiles;
using testing::ReferenceRun;
using testing::RunRecord;
using testing::WriteDataFiles;

// One text in one entry, and what a run makes of it.
struct Input {
  const char* id;  // for the test's name
  QString text;
  bool pasted;                          // with Ctrl+V rather than typed key by key
  QLocale::Language language;           // of the user's locale, which gives the decimal separator
  std::optional<std::string> reads_as;  // the same number as typed in the "." locale, if any
  ErrorKind error = ErrorKind::kTypeMismatch;  // otherwise
};

std::vector<Input> Inputs() {
  constexpr auto kDot = QLocale::English;
  constexpr auto kComma = QLocale::German;
  const QString blanks(49'998, ' ');
  return {
      {"Empty", "", false, kDot, {}},
      {"BlanksOnly", "     ", false, kDot, {}},
      {"Letters", "abc", false, kDot, {}},
      {"CommaWhereTheSeparatorIsADot", "1,5", false, kDot, {}},
      {"DotWhereTheSeparatorIsAComma", "1.5", false, kComma, "1.5"},
      {"CommaWhereTheSeparatorIsAComma", "1,5", false, kComma, "1.5"},
      {"PersianDigits", QStringLiteral("\u06F0\u066B\u06F0\u06F1"), false, QLocale::Persian,
       "0.01"},
      {"TooLarge", "1e400", false, kDot, {}, ErrorKind::kOverflow},
      {"TooLargeNegative", "-1e400", false, kDot, {}, ErrorKind::kOverflow},
      {"Nan", "nan", false, kDot, {}},
      {"Inf", "inf", false, kDot, {}},
      {"Hexadecimal", "0x10", false, kDot, {}},
      {"HundredThousandDigits", "1" + QString(99'999, '0'), true, kDot, {}, ErrorKind::kOverflow},
      {"HundredThousandLetters", QString(100'000, 'x'), true, kDot, {}},
      {"NumberAmidHundredThousandBlanks", blanks + "0.01" + blanks, true, kDot, "0.01"},
      {"Nul", QString("1") + QChar(0) + "5", true, kDot, {}},
      {"LineBreak", "1\n5", true, kDot, {}},
      {"BlanksAroundANumber", "  0.01  ", false, kDot, "0.01"},
  };
}

void PrintTo(const Input& input, std::ostream* out) { *out << input.id; }

const EntryTexts kValid{{"1", "0", "0.01"}, {}};
const Lines kBefore{"7\r\n8\r\n", "-7\r\n-8\r\n"};  // what the data files held before

// The default locale, which the window reads its entries with, for as long as it lives.
class DefaultLocale {
 public:
  explicit DefaultLocale(QLocale::Language language) { QLocale::setDefault(QLocale(language)); }
  ~DefaultLocale() { QLocale::setDefault(previous_); }

 private:
  QLocale previous_;
};

// An exclusive lock on y.dat, as another copy of the program holds it during its run.
class HeldPositionsFile {
 public:
  HeldPositionsFile() : fd_(::open("y.dat", O_WRONLY | O_APPEND | O_CLOEXEC)) {
    EXPECT_EQ(::flock(fd_, LOCK_EX | LOCK_NB), 0);
  }
  ~HeldPositionsFile() { ::close(fd_); }

 private:
  int fd_;
};

class BadInput : public testing::Window,
                 public ::testing::WithParamInterface<std::tuple<int, Input>> {
 protected:
  // Puts `text` in the combo box's edit field: the run replaces it by the list header only when
  // it gets as far as setting the header.
  void TypeIntoList(const QString& text) {
    QLineEdit* edit = form.Cmby->lineEdit();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
  }
};

TEST_P(BadInput, RunsWithItsNumberOrStopsNamingTheEntryAndTheWindowGoesOn) {
  const auto& [entry, input] = GetParam();
  const std::string caption = kEntryCaptions[static_cast<std::size_t>(entry)];
  WriteDataFiles(dir.path(), kBefore);
  {
    DefaultLocale locale(input.language);
    for (int k = 0; k < kEntryCount; ++k) {
      if (k != entry) Type(k, QString::fromStdString(kValid.text[static_cast<std::size_t>(k)]));
    }
    if (input.pasted) {
      Paste(entry, input.text);
    } else {
      Type(entry, input.text);
    }
    ASSERT_TRUE(form.Text1[entry]->text() == input.text)  // the entry holds all of it
        << "the entry holds " << form.Text1[entry]->text().size() << " of " << input.text.size()
        << " characters";
    TypeIntoList("before");

    // The phase and the position are read before the data files are opened: a lock on them
    // would make such a run wait five seconds and stop with "in use" instead.
    std::optional<HeldPositionsFile> lock;
    if (!input.reads_as && entry != kEntryTimeStep) lock.emplace();
    ClickRun();
  }

  if (input.reads_as) {
    EntryTexts same_number = kValid;
    same_number.text[static_cast<std::size_t>(entry)] = *input.reads_as;
    const RunRecord expected = ReferenceRun(same_number);
    if (expected.error) {
      EXPECT_EQ(DismissError(), *expected.error);
    } else {
      EXPECT_EQ(ErrorBox(), nullptr);
    }
    EXPECT_EQ(form.Cmby->count(), expected.list_count);
    EXPECT_EQ(form.Cmby->itemText(0).toStdString(), expected.first_entry);
    const Lines now = ReadDataFiles(dir.path());
    EXPECT_PRED_FORMAT2(testing::SameBytes, now.y, kBefore.y + expected.lines.y);
    EXPECT_PRED_FORMAT2(testing::SameBytes, now.v, kBefore.v + expected.lines.v);
  } else {
    const std::string shown = DismissError();
    const std::string heading =
        std::string(KindName(input.error)) + " in entry \"" + caption + "\".";
    EXPECT_EQ(shown.substr(0, shown.find('\n')), heading);
    EXPECT_NE(shown.find("\"" + caption + "\"", heading.size()), std::string::npos) << shown;
    EXPECT_EQ(FocusKey(), "Text1(" + std::to_string(entry) + ")");
    EXPECT_TRUE(form.Text1[entry]->selectedText() == input.text);  // all of it selected
    // The time step is read in step 1, after the list header is set.
    EXPECT_EQ(form.Cmby->currentText().toStdString(),
              entry == kEntryTimeStep ? std::string(ResultsList::kHeader) : "before");
    EXPECT_EQ(form.Cmby->count(), 0);
    EXPECT_TRUE(DrawingIsBlank());
    const Lines now = ReadDataFiles(dir.path());
    EXPECT_PRED_FORMAT2(testing::SameBytes, now.y, kBefore.y);
    EXPECT_PRED_FORMAT2(testing::SameBytes, now.v, kBefore.v);
  }

  // The window goes on: a valid run appends exactly its 10,000 lines.
  const Lines held = ReadDataFiles(dir.path());
  TypeEntries("1", "0", "0.01");
  ClickRun();
  ASSERT_EQ(ErrorBox(), nullptr);
  EXPECT_EQ(form.Cmby->count(), 10000);
  static const Lines valid_run = ReferenceRun(kValid).lines;
  const Lines now = ReadDataFiles(dir.path());
  EXPECT_PRED_FORMAT2(testing::SameBytes, now.y, held.y + valid_run.y);
  EXPECT_PRED_FORMAT2(testing::SameBytes, now.v, held.v + valid_run.v);
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<int, Input>>& info) {
  static const char* const kEntries[] = {"Y0", "PhiDegrees", "TimeStep"};
  return std::string(kEntries[std::get<0>(info.param)]) + "_" + std::get<1>(info.param).id;
}

INSTANTIATE_TEST_SUITE_P(EveryEntry, BadInput,
                         ::testing::Combine(::testing::Values(kEntryY0, kEntryPhiDegrees,
                                                              kEntryTimeStep),
                                            ::testing::ValuesIn(Inputs())),
                         CaseName);

}  // namespace
}  // namespace sho
