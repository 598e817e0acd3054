#include "outputs/results_list.h"

#include <gtest/gtest.h>

namespace sho {
namespace {

TEST(ResultsList, HeaderAndInitialEditText) {
  ResultsList list;
  EXPECT_EQ(list.EditText(), std::string(9, ' '));
  EXPECT_EQ(list.Count(), 0);
  list.SetListHeader();
  EXPECT_EQ(list.EditText(), "i" + std::string(21, ' ') + "Y" + std::string(19, ' ') + "V");
  EXPECT_EQ(list.EditText().size(), 43u);
}

TEST(ResultsList, EntryLineJoinsSignSlotTextsWithFixedBlanks) {
  ResultsList list;
  list.SetListEntry(1, 1.0, -0.05);
  list.SetListEntry(2, 0.9995, -0.1);
  EXPECT_EQ(list.EntryText(0), " 1" + std::string(8, ' ') + " 1" + std::string(7, ' ') + "-0.05");
  EXPECT_EQ(list.EntryText(1),
            " 2" + std::string(8, ' ') + " 0.9995" + std::string(7, ' ') + "-0.1");
  EXPECT_EQ(SignSlotText(0.0), " 0");
  EXPECT_EQ(SignSlotText(-0.0), " 0");
  EXPECT_EQ(SignSlotText(-263523.51162439294), "-263523.511624393");
  EXPECT_EQ(SignSlotText(4.5e-20), " 4.5E-20");
  EXPECT_EQ(SignSlotText(10000), " 10000");
}

TEST(ResultsList, EntriesAreAddedAtTheEndOrReplacedInPlace) {
  ResultsList list;
  for (std::int16_t i = 1; i <= 10000; ++i) list.SetListEntry(i, i, -i);
  EXPECT_EQ(list.Count(), 10000);
  EXPECT_EQ(list.EntryText(9999).substr(0, 6), " 10000");

  list.SetListEntry(1, 7.0, 8.0);
  EXPECT_EQ(list.Count(), 10000);
  EXPECT_EQ(list.EntryText(0), " 1         7        8");
  EXPECT_THROW(list.SetListEntry(10002, 0, 0), std::out_of_range);

  list.KeepEntries(763);
  EXPECT_EQ(list.Count(), 763);
  EXPECT_EQ(list.EntryText(762).substr(0, 4), " 763");
  list.KeepEntries(5000);  // keeps what there is
  EXPECT_EQ(list.Count(), 763);
  list.KeepEntries(0);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace sho
