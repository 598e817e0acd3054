#include "form/stacking.h"

namespace sho {

int StackRank(const ControlSpec& row) {
  const int count = static_cast<int>(kControlTable.size());
  const int rank = count - static_cast<int>(&row - kControlTable.data());
  return row.kind == ControlKind::kLabel ? rank + count : rank;
}

}  // namespace sho
