// Creating the window's controls from the layout table.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "resources/layout.h"

namespace tidemark {

// Registers the window classes of our own controls (panels, pictures, flat
// buttons) and the common controls that the layout uses.
bool RegisterControlClasses(HINSTANCE instance);

// A control's place in its parent at `dpi`: the table's edges scaled by
// dpi / 96, each rounded to the nearest pixel.
RECT ScaledPlace(const layout::ControlSpec& spec, int dpi);

// Creates one control as a child of `parent`, with its identifier, place
// and size at `dpi`, text and initial state; null when Windows refused it.
HWND CreateLayoutControl(HWND parent, const layout::ControlSpec& spec, int dpi);

// The controls made from the layout table, found by identifier. A few
// dozen: a list searched in order serves (and keeps the tree code of a map
// out of the stub).
class ControlTable {
 public:
  void Add(int id, HWND control) { controls_.emplace_back(id, control); }
  // The control with this identifier; null when none was made.
  HWND Find(int id) const {
    for (const auto& [control_id, control] : controls_) {
      if (control_id == id) return control;
    }
    return nullptr;
  }

 private:
  std::vector<std::pair<int, HWND>> controls_;
};

// Creates every control of the table under `window` at `dpi`, parents
// first. A control whose parent could not be created is left out.
ControlTable CreateLayoutControls(HWND window, int dpi);

// Moves and sizes every control to its place at `dpi`.
void PlaceLayoutControls(const ControlTable& controls, int dpi);

}  // namespace tidemark
