#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "controls/grid/grid_model.h"
#include "controls/grid/grid_types.h"
#include "platform/geometry.h"

namespace zelvorn {

// The sizes of one axis's lines: a line's own entry when the list has one, else the default.
struct TLineSizes {
  std::span<const std::int32_t> Entries;
  std::int32_t Default = 0;

  std::int32_t operator()(std::int32_t index) const {
    return index >= 0 && static_cast<std::size_t>(index) < Entries.size() ? Entries[index]
                                                                          : Default;
  }
};

// One axis of the layout (columns across, rows down), in client pixels. A layout is computed on
// demand and refers to the model's size list: it is valid only until the model changes.
struct TAxisLayout {
  std::int32_t LineWidth = 0;     // room left after every line for the line between cells
  std::int32_t FixedEnd = 0;      // the first pixel after the fixed lines
  std::int32_t CellsEnd = 0;      // the pixel after the last visible line, or Extent if it is cut
  std::int32_t Extent = 0;        // the client width (rows: height)
  std::int32_t LastFullCell = 0;  // the last fully visible scrollable line, never below FirstCell
  std::int32_t FullEnd = 0;       // the pixel after LastFullCell and its line
  std::int32_t FixedCount = 0;
  std::int32_t FirstCell = 0;  // the first visible scrollable line
  std::int32_t CellCount = 0;
  TLineSizes Size;
};

struct TGridLayout {
  TAxisLayout Horz;  // columns
  TAxisLayout Vert;  // rows
};

// Whether a rectangle of cells reaches over the line after its last column and row.
enum class TTrailingLine { kExclude, kInclude };

// The layout of the model in a client area of the given size. Scans only the lines that fit.
TGridLayout CalcLayout(const TGridModel& model, std::int32_t client_width,
                       std::int32_t client_height);

// Where line i starts. 0 means either that it starts at 0 or that it lies beyond the extent;
// a scrolled-out line (between the fixed lines and FirstCell) also gives 0.
std::int32_t LinePosition(const TAxisLayout& axis, std::int32_t line);

// The client rectangle that shows the visible part of a block of cells; all zeros when no part
// of it is visible. A line partly visible at the far edge is cut at the client edge.
TRect CellBounds(const TGridLayout& layout, const TGridRect& cells, TTrailingLine trailing);
inline TRect CellBounds(const TGridLayout& layout, TCellCoord cell) {
  return CellBounds(layout, {cell.X, cell.Y, cell.X, cell.Y}, TTrailingLine::kExclude);
}

// A cell's rectangle at its full size, even where the client edge cuts it: it starts where
// CellBounds starts (at the client origin for a hidden cell).
TRect FullCellRect(const TGridLayout& layout, TCellCoord cell);

// Which line of an axis a coordinate falls on, -1 for none. The line between two cells counts
// as part of the cell before it, and lines past the client edge are found too.
std::int32_t LineAtPosition(const TAxisLayout& axis, std::int32_t position);
// Which cell a client point falls on, or (-1, -1) for none.
TCellCoord CellAtPoint(const TGridLayout& layout, TPoint point);

// The lowest first visible line with which line `start` still shows whole; `start` itself when
// it is too big even alone. Zero-sized lines are skipped.
std::int32_t LargestTopLeft(const TAxisLayout& axis, std::int32_t start);
TCellCoord LargestTopLeft(const TGridLayout& layout, TCellCoord cell);

// The rectangles that cover exactly the pixels inside one of a and b but not both.
std::vector<TRect> SymmetricDifference(const TRect& a, const TRect& b);

}  // namespace zelvorn
