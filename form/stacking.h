#pragma once

#include "form/control_table.h"

namespace sho {

// Where controls overlap, the one of higher rank lies above: the earlier in the table, and labels
// above everything. Ranks are positive and differ for every control. `row` is a row of
// kControlTable.
int StackRank(const ControlSpec& row);

}  // namespace sho
