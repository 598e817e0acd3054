#pragma once

#include <QString>

#include "outputs/plot_facts.h"

namespace sho {

// What a sighted user sees in the plot, in the user's language and digits, for screen readers:
// which curve is which, the steps shown and how far apart the curves end.
QString PlotDescription(const PlotFacts& facts);

}  // namespace sho
