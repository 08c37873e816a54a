#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls/grid/grid_types.h"

namespace zelvorn {

class TCellGrid;

// What assistive tools (screen readers, magnifiers) were last told of a grid: its counts, current
// cell and selection, whether it had the keyboard focus, and the cells' texts row by row. Texts
// are kept only for grids of at most kMaxTrackedCells cells; a larger grid announces no text
// changes, which would cost a read of every cell at every paint.
struct TGridAccessibleState {
  static constexpr std::int32_t kMaxTrackedCells = 4096;

  std::int32_t rows = 0;
  std::int32_t cols = 0;
  std::int32_t row = 0;
  std::int32_t col = 0;
  TGridRect selection;
  bool focused = false;
  std::vector<std::string> texts;
};

// The grid as assistive tools see it now; `focused` is whether its window has the keyboard focus.
// Reads every cell, so a display-text handler that throws fails it.
TGridAccessibleState AccessibleStateOf(const TCellGrid& grid, bool focused);

enum class TGridAccessibleEvent : std::uint8_t {
  kTableChanged,     // the counts changed: the cells are to be read again
  kNameChanged,      // a cell's text changed
  kSelection,        // the selection is now this one cell
  kSelectionWithin,  // the selection changed and spans several cells
  kFocus,            // this cell has the keyboard focus
};

// An event for assistive tools, about the cell with the child index `child` (row by row from 0),
// or about the whole table when `child` is -1.
struct TGridAccessibleUpdate {
  TGridAccessibleEvent type;
  std::int32_t child;
  friend bool operator==(const TGridAccessibleUpdate&, const TGridAccessibleUpdate&) = default;
};

// The events that take assistive tools from `told` to `now`, in this order: the table changed
// (its counts did) or else the texts of cells that changed, the selection changed, and the
// current cell has the focus (the grid has the keyboard focus now, and the cell moved, the counts
// changed or the focus has just arrived). No selection or focus event is raised while the
// current cell lies outside the grid.
std::vector<TGridAccessibleUpdate> GridAccessibleUpdates(const TGridAccessibleState& told,
                                                         const TGridAccessibleState& now);

// Keeps what was last told of one grid; each host calls Update when the grid has been changed
// (at its paint, which every change that matters asks for) and raises the events it returns.
class TGridAccessibleTracker {
 public:
  std::vector<TGridAccessibleUpdate> Update(const TCellGrid& grid, bool focused);

 private:
  TGridAccessibleState told_;
};

}  // namespace zelvorn
