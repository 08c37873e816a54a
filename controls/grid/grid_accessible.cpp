#include "controls/grid/grid_accessible.h"

#include <algorithm>
#include <limits>

#include "controls/grid/cell_grid.h"

namespace zelvorn {

std::int32_t TGridAccessibleTable::ChildCount() const {
  // Huge counts would overflow the product; children past the largest index stay unreachable.
  const std::int64_t count = std::int64_t{grid_.RowCount()} * grid_.ColCount();
  return static_cast<std::int32_t>(
      std::min<std::int64_t>(count, std::numeric_limits<std::int32_t>::max()));
}

bool TGridAccessibleTable::Contains(TCellCoord cell) const {
  return cell.X >= 0 && cell.Y >= 0 && cell.X < grid_.ColCount() && cell.Y < grid_.RowCount();
}

std::optional<TCellCoord> TGridAccessibleTable::CellOf(std::int32_t child) const {
  if (child < 0 || child >= ChildCount()) return std::nullopt;
  return TCellCoord{child % grid_.ColCount(), child / grid_.ColCount()};
}

std::int32_t TGridAccessibleTable::ChildOf(TCellCoord cell) const {
  return cell.Y * grid_.ColCount() + cell.X;
}

std::string TGridAccessibleTable::Name(TCellCoord cell) const {
  return grid_.Cells(cell.X, cell.Y);
}

std::string TGridAccessibleTable::Description(TCellCoord cell) {
  return "第 " + std::to_string(cell.Y + 1) + " 行，第 " + std::to_string(cell.X + 1) + " 列";
}

TAccessibleStates TGridAccessibleTable::States(TCellCoord cell) const {
  TAccessibleStates states = kEveryCell;
  if (!Contains(cell)) return states;
  if (grid_.Selection().Contains(cell)) states.Include(TAccessibleState::kSelected);
  if (Focused() && grid_.Model().Current == cell) states.Include(TAccessibleState::kFocused);
  if (VisibleBox(cell).IsEmpty()) states.Include(TAccessibleState::kOffscreen);
  return states;
}

TRect TGridAccessibleTable::VisibleBox(TCellCoord cell) const {
  return grid_.CellBounds(cell.X, cell.Y);
}

std::optional<std::int32_t> TGridAccessibleTable::ChildAt(TPoint point) const {
  if (!grid_.View().ClientRect().Contains(point)) return std::nullopt;
  const TCellCoord cell = grid_.CellAtPoint(point.X, point.Y);
  return Contains(cell) ? ChildOf(cell) : -1;
}

std::optional<std::int32_t> TGridAccessibleTable::FocusedChild() const {
  if (!Focused()) return std::nullopt;
  return Contains(grid_.Model().Current) ? ChildOf(grid_.Model().Current) : -1;
}

std::optional<std::int32_t> TGridAccessibleTable::Navigate(std::int32_t from,
                                                           TAccessibleStep step) const {
  using enum TAccessibleStep;
  const std::int32_t count = ChildCount();
  const std::int32_t cols = grid_.ColCount();
  const bool to_child = step == kFirstChild || step == kLastChild;
  // The table reaches its children only; a cell has none of its own.
  if ((from < 0) != to_child || from >= count) return std::nullopt;
  std::int32_t next = -1;
  switch (step) {
    case kFirstChild:
      next = 0;
      break;
    case kLastChild:
      next = count - 1;
      break;
    case kNext:
      next = from + 1;
      break;
    case kPrevious:
      next = from - 1;
      break;
    case kRight:
      next = from % cols + 1 < cols ? from + 1 : -1;
      break;
    case kLeft:
      next = from % cols > 0 ? from - 1 : -1;
      break;
    case kDown:
      next = from + cols;
      break;
    case kUp:
      next = from - cols;
      break;
  }
  if (next < 0 || next >= count) return std::nullopt;
  return next;
}

std::vector<std::int32_t> TGridAccessibleTable::SelectedChildren() const {
  const TGridRect selection = grid_.Selection();
  std::vector<std::int32_t> children;
  for (std::int32_t row = std::max(selection.Top, 0);
       row <= std::min(selection.Bottom, grid_.RowCount() - 1); ++row) {
    for (std::int32_t col = std::max(selection.Left, 0);
         col <= std::min(selection.Right, grid_.ColCount() - 1); ++col) {
      children.push_back(ChildOf({col, row}));
    }
  }
  return children;
}

std::vector<std::int32_t> TGridAccessibleTable::SelectedRows() const {
  std::vector<std::int32_t> rows;
  for (std::int32_t row = 0; row < grid_.RowCount(); ++row) {
    if (RowSelected(row)) rows.push_back(row);
  }
  return rows;
}

std::vector<std::int32_t> TGridAccessibleTable::SelectedColumns() const {
  std::vector<std::int32_t> columns;
  for (std::int32_t col = 0; col < grid_.ColCount(); ++col) {
    if (ColumnSelected(col)) columns.push_back(col);
  }
  return columns;
}

bool TGridAccessibleTable::RowSelected(std::int32_t row) const {
  const TGridRect selection = grid_.Selection();
  return row >= selection.Top && row <= selection.Bottom && selection.Left == 0 &&
         selection.Right == grid_.ColCount() - 1;
}

bool TGridAccessibleTable::ColumnSelected(std::int32_t col) const {
  const TGridRect selection = grid_.Selection();
  return col >= selection.Left && col <= selection.Right && selection.Top == 0 &&
         selection.Bottom == grid_.RowCount() - 1;
}

bool TGridAccessibleTable::Focused() const {
  return grid_.View().Window() != nullptr && grid_.View().Window()->Focused();
}

}  // namespace zelvorn
