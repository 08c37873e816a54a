#pragma once

#include <cstdint>

#include "controls/grid/grid_types.h"
#include "controls/grid/size_list.h"

namespace zelvorn {

// The grid's model as its geometry and its moves read it: counts, fixed counts, line sizes,
// the current, anchor and top-left cells, the options and the line width that the geometry runs
// on. The initial values are those the generic grid is made with; TCellGrid then changes some.
struct TGridModel {
  std::int32_t ColCount = 5;  // at least 1
  std::int32_t RowCount = 5;
  std::int32_t FixedCols = 1;  // 0 <= FixedCols < ColCount
  std::int32_t FixedRows = 1;
  std::int32_t DefaultColWidth = 64;
  std::int32_t DefaultRowHeight = 24;
  TSizeList ColWidths;  // absent: every column is DefaultColWidth wide
  TSizeList RowHeights;
  TCellCoord Current{1, 1};  // the moving corner of the selection
  TCellCoord Anchor{1, 1};   // its fixed corner
  TCellCoord TopLeft{1, 1};  // the first visible scrollable column and row
  TGridOptions Options{TGridOption::goFixedVertLine, TGridOption::goFixedHorzLine,
                       TGridOption::goVertLine, TGridOption::goHorzLine,
                       TGridOption::goRangeSelect};
  // The width of the lines between cells that the geometry leaves room for.
  std::int32_t LineWidth = 1;

  // The width of column i: its own when the list exists and i is a column, else the default.
  std::int32_t ColWidth(std::int32_t index) const {
    return index >= 0 && index < ColWidths.Count() ? ColWidths.Entries()[index] : DefaultColWidth;
  }
  std::int32_t RowHeight(std::int32_t index) const {
    return index >= 0 && index < RowHeights.Count() ? RowHeights.Entries()[index]
                                                    : DefaultRowHeight;
  }
  // The block between the anchor and the current cell, both included.
  TGridRect Selection() const { return TGridRect::Spanning(Current, Anchor); }
};

}  // namespace zelvorn
