#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controls/grid/grid_types.h"
#include "platform/geometry.h"

namespace zelvorn {

class TCellGrid;

// What a cell is to assistive tools, beside its name and place.
enum class TAccessibleState : std::uint8_t {
  kFocusable,
  kSelectable,
  kSelected,
  kFocused,    // the current cell, while the grid's window has the keyboard focus
  kOffscreen,  // scrolled out of view
};
using TAccessibleStates = TEnumSet<TAccessibleState, std::uint8_t>;

// A move from one child of the table to another. The first and last child are reached from the
// table itself, the others from a cell.
enum class TAccessibleStep : std::uint8_t {
  kUp,
  kDown,
  kLeft,
  kRight,
  kNext,
  kPrevious,
  kFirstChild,
  kLastChild,
};

// A grid as assistive tools read it, the same on every platform: a table whose only children
// are its cells, numbered row by row from 0, with -1 standing for the table itself (as in
// TGridAccessibleUpdate). Each host translates these answers to its platform's interfaces; the
// grid's window says whether the grid has the keyboard focus. The selection belongs to the
// training, so tools read it but never change it.
class TGridAccessibleTable {
 public:
  // What every cell can do, wherever it is.
  static constexpr TAccessibleStates kEveryCell{TAccessibleState::kFocusable,
                                                TAccessibleState::kSelectable};

  explicit TGridAccessibleTable(const TCellGrid& grid) : grid_(grid) {}

  std::int32_t ChildCount() const;
  bool Contains(TCellCoord cell) const;
  // The cell of a child index; none outside the table.
  std::optional<TCellCoord> CellOf(std::int32_t child) const;
  // The child index of a cell inside the grid.
  std::int32_t ChildOf(TCellCoord cell) const;

  // The cell's text, empty for an empty cell. The display-text handler may throw.
  std::string Name(TCellCoord cell) const;
  // Its place, "第 2 行，第 3 列" for row 1, column 2.
  static std::string Description(TCellCoord cell);
  TAccessibleStates States(TCellCoord cell) const;
  // The part of the cell that shows, in client coordinates; empty while it is scrolled away.
  TRect VisibleBox(TCellCoord cell) const;

  // The child under a client point, as the mouse would find it: -1 for the table's area that
  // no cell covers, none outside the client area.
  std::optional<std::int32_t> ChildAt(TPoint point) const;
  // The focused child: the current cell while the window has the keyboard focus (-1 when the
  // current cell lies outside the grid), none while it has not.
  std::optional<std::int32_t> FocusedChild() const;
  // The child reached from `from` (-1: the table) by `step`, none when there is no such child.
  std::optional<std::int32_t> Navigate(std::int32_t from, TAccessibleStep step) const;

  // The selected cells' child indices, row by row.
  std::vector<std::int32_t> SelectedChildren() const;
  // The rows (columns) that are selected whole.
  std::vector<std::int32_t> SelectedRows() const;
  std::vector<std::int32_t> SelectedColumns() const;
  bool RowSelected(std::int32_t row) const;
  bool ColumnSelected(std::int32_t col) const;

 private:
  bool Focused() const;

  const TCellGrid& grid_;
};

}  // namespace zelvorn
