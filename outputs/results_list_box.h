#pragma once

#include <QComboBox>

#include "outputs/results_list.h"

namespace sho {

// The results list as an editable combo box. Its drop-down opens at least as wide as the widest
// entry, within the screen, and scrolls sideways where the screen is narrower, so that no entry is
// ever cut short; an entry chosen from it shows in the edit field from its first character.
class ResultsListBox : public QComboBox {
 public:
  explicit ResultsListBox(const ResultsList& list, QWidget* parent = nullptr);

  void showPopup() override;

  // The index of the entry that is widest in `metrics`' font, -1 for an empty list. Worked out
  // from the widths of the few characters entries are made of, not by laying out every entry.
  static int WidestEntry(const ResultsList& list, const QFontMetricsF& metrics);

 private:
  int PopupWidth();
  // Tells screen readers that the open list's highlighted entry has the focus.
  void AnnounceCurrentEntry();

  const ResultsList& list_;
};

}  // namespace sho
