#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sho {

// The results list: one entry per step of the last run, and a one-line edit text above them.
//
// An entry keeps the step's numbers and builds its text only when asked, so that a run of 10,000
// steps costs no text formatting for the list; what it returns is the same as if every line had
// been set as text.
class ResultsList {
 public:
  // "i", 21 blanks, "Y", 19 blanks, "V": names the fields of an entry line.
  static constexpr std::string_view kHeader = "i                     Y                   V";
  static constexpr std::string_view kInitialEditText = "         ";

  void SetListHeader() { shows_header_ = true; }

  // Sets the entry of step i (at index i - 1) to S(i), 8 blanks, S(y), 7 blanks, S(v). It is added
  // when the list holds exactly i - 1 entries and replaces the entry at that index otherwise.
  void SetListEntry(std::int16_t i, double y, double v);

  // Keeps the first `count` entries and removes the rest.
  void KeepEntries(int count);

  int Count() const { return static_cast<int>(entries_.size()); }
  std::string EntryText(int index) const;
  std::string_view EditText() const { return shows_header_ ? kHeader : typed_text_; }
  // What the user typed into the edit text since.
  void SetEditText(std::string text) {
    typed_text_ = std::move(text);
    shows_header_ = false;
  }

 private:
  struct Entry {
    std::int16_t i;
    double y;
    double v;
  };
  std::vector<Entry> entries_;
  // The run sets the header after every entry: a flag, not ten thousand copies of it.
  bool shows_header_ = false;
  std::string typed_text_{kInitialEditText};
};

// The sign-slot text of a number: a blank for zero and positive numbers, "-" for negative ones,
// then the digits ("%.15G", "." as separator whatever the locale).
std::string SignSlotText(double x);

}  // namespace sho
