#include "controls/grid/grid_layout.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace zelvorn {

namespace {

// Sums of sizes run in 64 bits, so that huge or negative sizes cannot overflow; what is stored
// back is pinned to the 32-bit range.
std::int32_t Pin(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

TAxisLayout CalcAxisLayout(std::int32_t cell_count, std::int32_t fixed_count,
                           std::int32_t first_cell, std::int32_t line_width, TLineSizes size,
                           std::int32_t extent) {
  TAxisLayout axis;
  axis.LineWidth = line_width;
  axis.Extent = extent;
  axis.FixedCount = fixed_count;
  axis.FirstCell = first_cell;
  axis.CellCount = cell_count;
  axis.Size = size;

  std::int64_t fixed_end = 0;
  for (std::int32_t i = 0; i < fixed_count; ++i) fixed_end += std::int64_t{size(i)} + line_width;
  axis.FixedEnd = Pin(fixed_end);

  // A line counts as fully visible while it ends at most one line width beyond the extent: its
  // own trailing line may be cut.
  std::int64_t cells_end = fixed_end;
  std::int64_t full_end = fixed_end;
  axis.LastFullCell = first_cell;
  for (std::int32_t i = first_cell; i < cell_count; ++i) {
    cells_end += std::int64_t{size(i)} + line_width;
    if (cells_end > std::int64_t{extent} + line_width) {
      cells_end = extent;
      break;
    }
    axis.LastFullCell = i;
    full_end = cells_end;
  }
  axis.CellsEnd = Pin(cells_end);
  axis.FullEnd = Pin(full_end);
  return axis;
}

// The start and end of a run of lines on one axis, or nothing when none of it is visible.
std::optional<std::pair<std::int32_t, std::int32_t>> AxisBounds(const TAxisLayout& axis,
                                                                std::int32_t first,
                                                                std::int32_t last,
                                                                TTrailingLine trailing) {
  if (first >= axis.FixedCount && first < axis.FirstCell) {
    if (last < axis.FirstCell) return std::nullopt;  // entirely scrolled out
    first = axis.FirstCell;
  }
  if (last > axis.LastFullCell) {
    // Reach into the partly visible line after the last full one, if it starts on screen.
    last = axis.LastFullCell;
    if (last < axis.CellCount - 1) ++last;
    if (LinePosition(axis, last) == 0) --last;
  }
  // The run may now end before it starts: its first line lies beyond the client edge. Without
  // this check such a run would come out as the whole area up to the last full line.
  if (last < first) return std::nullopt;
  const std::int32_t start = LinePosition(axis, first);
  std::int64_t end = LinePosition(axis, last);
  // A position of 0 is the first line's own start; its end then comes from the first line.
  end = end == 0 ? std::int64_t{start} + axis.Size(first) : end + axis.Size(last);
  end = std::min<std::int64_t>(end, axis.Extent);
  if (trailing == TTrailingLine::kInclude) end += axis.LineWidth;
  return std::make_pair(start, Pin(end));
}

// The part of a that lies outside b, as up to four rectangles: the bands above and below b,
// then the pieces left and right of it.
void AppendDifference(const TRect& a, const TRect& b, std::vector<TRect>& out) {
  const auto add = [&out](TRect r) {
    if (!r.IsEmpty()) out.push_back(r);
  };
  add({a.Left, a.Top, a.Right, std::min(b.Top, a.Bottom)});
  add({a.Left, std::max(b.Bottom, a.Top), a.Right, a.Bottom});
  const std::int32_t top = std::max(a.Top, b.Top);
  const std::int32_t bottom = std::min(a.Bottom, b.Bottom);
  add({a.Left, top, std::min(b.Left, a.Right), bottom});
  add({std::max(b.Right, a.Left), top, a.Right, bottom});
}

}  // namespace

TGridLayout CalcLayout(const TGridModel& model, std::int32_t client_width,
                       std::int32_t client_height) {
  using enum TGridOption;
  const bool vert_lines = model.Options.Has(goFixedVertLine) || model.Options.Has(goVertLine);
  const bool horz_lines = model.Options.Has(goFixedHorzLine) || model.Options.Has(goHorzLine);
  TGridLayout layout;
  layout.Horz = CalcAxisLayout(model.ColCount, model.FixedCols, model.TopLeft.X,
                               vert_lines ? model.LineWidth : 0,
                               {model.ColWidths.Entries(), model.DefaultColWidth}, client_width);
  layout.Vert = CalcAxisLayout(model.RowCount, model.FixedRows, model.TopLeft.Y,
                               horz_lines ? model.LineWidth : 0,
                               {model.RowHeights.Entries(), model.DefaultRowHeight}, client_height);
  return layout;
}

std::int32_t LinePosition(const TAxisLayout& axis, std::int32_t line) {
  std::int32_t from = 0;
  std::int64_t position = 0;
  if (line >= axis.FixedCount) {
    from = axis.FirstCell;
    position = line >= axis.FirstCell ? axis.FixedEnd : 0;
  }
  for (std::int32_t j = from; j < line; ++j) {
    position += std::int64_t{axis.Size(j)} + axis.LineWidth;
    if (position > axis.Extent) return 0;
  }
  return Pin(position);
}

TRect CellBounds(const TGridLayout& layout, const TGridRect& cells, TTrailingLine trailing) {
  // No line lies before line 0: a block that starts there starts at line 0.
  const std::int32_t left = std::max(cells.Left, 0);
  const std::int32_t top = std::max(cells.Top, 0);
  if (left > cells.Right || top > cells.Bottom) return {};
  if (left > layout.Horz.LastFullCell + 1 || top > layout.Vert.LastFullCell + 1) return {};
  const auto horz = AxisBounds(layout.Horz, left, cells.Right, trailing);
  if (!horz) return {};
  const auto vert = AxisBounds(layout.Vert, top, cells.Bottom, trailing);
  if (!vert) return {};
  return {horz->first, vert->first, horz->second, vert->second};
}

TRect FullCellRect(const TGridLayout& layout, TCellCoord cell) {
  const TRect bounds = CellBounds(layout, cell);
  return {bounds.Left, bounds.Top, bounds.Left + layout.Horz.Size(cell.X),
          bounds.Top + layout.Vert.Size(cell.Y)};
}

std::int32_t LineAtPosition(const TAxisLayout& axis, std::int32_t position) {
  std::int32_t line = axis.FirstCell;
  std::int32_t end = axis.CellCount;
  std::int64_t edge = axis.FixedEnd;
  if (position < axis.FixedEnd) {
    line = 0;
    end = axis.FixedCount;
    edge = 0;
  }
  for (; line < end; ++line) {
    edge += std::int64_t{axis.Size(line)} + axis.LineWidth;
    if (position < edge) return line;
  }
  return -1;
}

TCellCoord CellAtPoint(const TGridLayout& layout, TPoint point) {
  const std::int32_t col = LineAtPosition(layout.Horz, point.X);
  const std::int32_t row = LineAtPosition(layout.Vert, point.Y);
  if (col == -1 || row == -1) return {-1, -1};
  return {col, row};
}

std::int32_t LargestTopLeft(const TAxisLayout& axis, std::int32_t start) {
  if (start < axis.FixedCount) return start;
  std::int64_t room = std::int64_t{axis.Extent} + axis.LineWidth;
  std::int32_t answer = start;
  for (std::int32_t i = start; i >= axis.FixedCount; --i) {
    const std::int32_t size = axis.Size(i);
    if (size <= 0) continue;  // a hidden line never becomes the answer on its own account
    room -= std::int64_t{size} + axis.LineWidth;
    if (room < axis.FixedEnd) {
      // Even a hidden start line must not be the answer: take the line that does not fit.
      if (answer == start && axis.Size(start) <= 0) answer = i;
      break;
    }
    answer = i;
  }
  return answer;
}

TCellCoord LargestTopLeft(const TGridLayout& layout, TCellCoord cell) {
  return {LargestTopLeft(layout.Horz, cell.X), LargestTopLeft(layout.Vert, cell.Y)};
}

std::vector<TRect> SymmetricDifference(const TRect& a, const TRect& b) {
  std::vector<TRect> out;
  if (a == b) return out;
  if (!a.Intersects(b)) {
    if (!a.IsEmpty()) out.push_back(a);
    if (!b.IsEmpty()) out.push_back(b);
    return out;
  }
  AppendDifference(a, b, out);
  AppendDifference(b, a, out);
  return out;
}

}  // namespace zelvorn
