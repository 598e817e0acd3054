#pragma once

#include <QWidget>
#include <array>
#include <cstddef>
#include <map>
#include <stdexcept>
#include <string>

#include "form/control_table.h"
#include "outputs/results_list.h"
#include "outputs/results_list_model.h"

namespace sho {

// The window's controls by key ("Text1(0)", "Cmby").
using Controls = std::map<std::string, QWidget*>;

// Makes every control of the control table in `window`, each as its kind of widget, with its
// geometry, font and colours; where controls overlap, the earlier in the table lies above, and
// labels above everything; the tab order is the table's. The results list is a ResultsListBox of
// `list` shown through `list_model`, the drawing area a PlotCanvas.
Controls BuildControls(QWidget& window, const ResultsList& list, ResultsListModel& list_model);

// Sets `control` to the control with this key, a widget of class Control as the table's kind makes
// it.
template <typename Control>
void Bind(Control*& control, const Controls& controls, const std::string& key) {
  control = dynamic_cast<Control*>(controls.at(key));
  if (!control) throw std::logic_error(key + " is not made as the window expects");
}

// Sets each member of a control array to the control of its index.
template <typename Control, std::size_t N>
void Bind(std::array<Control*, N>& array, const Controls& controls, const char* name) {
  for (std::size_t k = 0; k < N; ++k) {
    Bind(array[k], controls, ControlKey(name, static_cast<int>(k)));
  }
}

}  // namespace sho
