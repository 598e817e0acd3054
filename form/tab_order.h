#pragma once

#include <vector>

#include "form/control_table.h"

namespace sho {

// Whether a control of this kind takes the focus: every kind but labels, lines and frames.
bool TakesFocus(ControlKind kind);

// The controls that take the focus, in the order Tab moves it: by their tab index.
std::vector<const ControlSpec*> TabOrder();

// The control that has the focus when the window opens: the first in the tab order, Text1(0).
const ControlSpec& FirstFocus();

// Every control in the order the page lays them out, each container before the controls in it,
// so that a browser, which tabs in that order, tabs as the window does. Among controls of one
// container: the title first, then each by the lowest tab index of a control that takes the focus
// in it or is it, then the others by their own tab index; controls alike keep the table's order.
std::vector<const ControlSpec*> ReadingOrder();

}  // namespace sho
