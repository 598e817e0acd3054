#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "form/palette.h"
#include "form/plot_description.h"
#include "form/run_stopped.h"
#include "form/stacking.h"
#include "form/tab_order.h"

namespace sho {
namespace {

std::vector<std::string> Keys(const std::vector<const ControlSpec*>& rows) {
  std::vector<std::string> keys;
  for (const ControlSpec* row : rows) keys.push_back(ControlKey(*row));
  return keys;
}

TEST(Form, TabsReadsAndStacksItsControlsAsTheWindowDoes) {
  EXPECT_EQ(Keys(TabOrder()),
            (std::vector<std::string>{"Text1(0)", "Text1(1)", "Text1(2)", "Command1", "Cmby",
                                      "Exit", "fig", "Text2(0)", "Text2(1)", "Text2(2)"}));
  EXPECT_EQ(ControlKey(FirstFocus()), "Text1(0)");
  // The title, then each frame before its entry, the plot before what lies on it, the rest last.
  EXPECT_EQ(
      Keys(ReadingOrder()),
      (std::vector<std::string>{"Label4",    "Frame1(0)", "Text1(0)",  "Frame1(1)", "Text1(1)",
                                "Frame1(2)", "Text1(2)",  "Command1",  "Cmby",      "Exit",
                                "fig",       "Line1",     "Label2(0)", "Label3",    "Frame2",
                                "Text2(0)",  "Text2(1)",  "Text2(2)",  "Frame3",    "Frame4",
                                "Label1(0)", "Label1(1)", "Label1(2)", "Label2(1)", "Label2(2)"}));

  const auto rank = [](const char* key) { return StackRank(ControlRow(key)); };
  EXPECT_GT(rank("Label2(2)"), rank("fig"));     // the legend over the drawing area
  EXPECT_GT(rank("Label1(0)"), rank("Frame2"));  // the axis's label over the settings
  // What is used stays above the "Settings" and "Results" frames it lies on.
  for (const char* key : {"Frame1(0)", "Frame1(1)", "Frame1(2)", "Command1", "Exit", "Cmby",
                          "Frame3", "Text2(1)", "Text2(2)", "fig"}) {
    EXPECT_GT(rank(key), std::max(rank("Frame2"), rank("Frame4"))) << key;
  }
  EXPECT_THROW(ControlRow("Text1(3)"), std::out_of_range);
}

TEST(Form, SystemColoursAndPlainOnes) {
  EXPECT_EQ(SystemColourRole(0x8000000F), PaletteRole::kButton);
  EXPECT_EQ(SystemColourRole(0x0080C0FF), std::nullopt);
  EXPECT_THROW(SystemColourRole(0x80000001), std::out_of_range);
  EXPECT_EQ(PageColour(0x010080C0), 0x000080C0u);
}

// Persian for the texts it knows; any other text it marks, so that a text translated that should
// not have been shows.
std::string FakePersian(const char* context, const char* text) {
  static const std::map<std::pair<std::string, std::string>, std::string> kPersian = {
      {{"Form1", "Run stopped"}, "اجرا متوقف شد"},
      {{"Form1", "%1 in %2."}, "%1 در %2."},
      {{"RunError", "Type mismatch"}, "ناسازگاری نوع"},
      {{"RunError", "entry \"%1\""}, "خانهٔ «%1»"},
  };
  const auto found = kPersian.find({context, text});
  return found != kPersian.end() ? found->second : "?" + std::string(text);
}

TEST(Form, RendersAMessageTranslatedThenFilledIn) {
  const RunError error(ErrorKind::kTypeMismatch, EntryPlace{0, "%2"}, {"\"%1\" is empty.", {"%2"}});
  EXPECT_EQ(Render(RunStoppedTitle(), FakePersian), "اجرا متوقف شد");
  // The parts are messages of their own, translated in turn; a caption holding "%2" stays.
  EXPECT_EQ(Render(RunStoppedText(error), FakePersian), "ناسازگاری نوع در خانهٔ «%2».");
  EXPECT_EQ(Render(RunStoppedDetails(error), FakePersian), "?\"%2\" is empty.");
  EXPECT_EQ(Render(Literal("%1"), FakePersian), "%1");
}

TEST(Form, DescribesThePlotInSentencesWithTheDistanceInTheLocalesDigits) {
  const Translate english = [](const char*, const char* text) { return std::string(text); };
  const std::string legend = "Red points: Euler's positions. Blue points: the exact cosine.";
  EXPECT_EQ(Render(PlotDescription({}, {}), english), legend + " No step is shown.");

  PlotFacts facts{true, 1, 5279, true, 0.0123, true, false};
  EXPECT_EQ(Render(PlotDescription(facts, {}), english),
            legend +
                " Shown: steps 1 to 5279. At step 5279 the red point is 0.0123 from the blue "
                "one. The red point lies outside the drawing.");
  facts = {true, 1, 763, true, 1.5e-5, false, true};
  EXPECT_EQ(Render(PlotDescription(facts, {U'\u06F0', "\u066B"}), english),
            legend +
                " Shown: steps 1 to 763. At step 763 the red point is ۱٫۵e-۰۵ from the blue "
                "one. The blue point lies outside the drawing.");
  facts.ends_together = false;
  EXPECT_EQ(Render(PlotDescription(facts, {}), english), legend + " Shown: steps 1 to 763.");
}

}  // namespace
}  // namespace sho
