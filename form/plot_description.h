#pragma once

#include "form/locale_digits.h"
#include "form/message.h"
#include "outputs/plot_facts.h"

namespace sho {

// What a sighted user sees in the plot, for screen readers: which curve is which, the steps shown
// and how far apart the curves end, in sentences joined by one blank. The distance is in the
// locale's digits; the step numbers are in ASCII digits.
Message PlotDescription(const PlotFacts& facts, const NumberSymbols& symbols);

// What a run that went to its end says it did, for screen readers, without moving the focus: that
// it is done, then what the plot's description says of the steps shown and the curves' ends, in
// the same words.
Message RunSummary(const PlotFacts& facts, const NumberSymbols& symbols);

}  // namespace sho
