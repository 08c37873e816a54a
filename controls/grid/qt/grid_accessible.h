#pragma once

#include <QAccessible>
#include <vector>

#include "controls/grid/grid_types.h"

namespace zelvorn {

// Shows every TCellGridWidget to assistive tools (screen readers) as a table: its rows and
// columns, each cell named by its text and placed where it shows on the screen, the selected
// cells, and the current cell as the focused one, announced whenever it moves while the grid has
// the focus. Installs a QAccessible factory; call it once, before the first grid is shown.
void InstallGridAccessibility();

// What assistive tools were last told of a grid: its counts, current cell and selection, and
// whether it had the keyboard focus.
struct TGridAccessibleState {
  int rows = 0;
  int cols = 0;
  int row = 0;
  int col = 0;
  TGridRect selection;
  bool focused = false;
};

// An event for assistive tools, about the cell with the table's child index `child` (row by row
// from 0), or about the whole table when `child` is -1.
struct TGridAccessibleUpdate {
  QAccessible::Event type;
  int child;
  friend bool operator==(const TGridAccessibleUpdate&, const TGridAccessibleUpdate&) = default;
};

// The events that take assistive tools from `told` to `now`, in this order: the table changed
// (its counts did), the selection changed, and the current cell has the focus (the grid has the
// keyboard focus now, and the cell moved, the counts changed or the focus has just arrived). Both
// cell events are about the current cell; none is raised while it lies outside the grid.
std::vector<TGridAccessibleUpdate> GridAccessibleUpdates(const TGridAccessibleState& told,
                                                         const TGridAccessibleState& now);

}  // namespace zelvorn
