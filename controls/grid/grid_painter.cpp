#include "controls/grid/grid_painter.h"

#include <algorithm>
#include <limits>
#include <string>
#include <tuple>

#include "platform/text_layout.h"

namespace zelvorn {

namespace {

using enum TGridDrawStateFlag;
using enum TGridOption;

// How far the text keeps from the cell's lines: on the left and right, and at the top. The
// bottom needs no margin, since a line that would not fit whole is not drawn.
constexpr TPoint kTextOffset{2, 2};

// The looks whose window frame is the flat one: the platform's sunken edge would clash with them.
bool HasFlatFrame(TGridLook look) {
  switch (static_cast<int>(look)) {
    case 1:
    case 3:
    case 4:
    case 5:
      return true;
    default:
      return false;
  }
}

TDrawTextFlags HorizontalFlag(TAlignment alignment) {
  switch (alignment) {
    case TAlignment::taRightJustify:
      return DT_RIGHT;
    case TAlignment::taCenter:
      return DT_CENTER;
    case TAlignment::taLeftJustify:
      break;
  }
  return DT_LEFT;
}

TDrawTextFlags VerticalFlag(TVAlignment alignment) {
  switch (alignment) {
    case TVAlignment::vtaCenter:
      return DT_VCENTER;
    case TVAlignment::vtaBottom:
      return DT_BOTTOM;
    case TVAlignment::vtaTop:
      break;
  }
  return DT_TOP;
}

// Cell edges add up line sizes, which may be large enough to pass the end of the 32-bit range
// far beyond the client area; such an edge only needs to stay beyond it.
std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

TRect Grown(const TRect& rect, std::int32_t by) {
  return {rect.Left - by, rect.Top - by, rect.Right + by, rect.Bottom + by};
}

}  // namespace

// ---- The client area ----

void TGridPainter::PaintClientArea(TCanvas& canvas) {
  if (grid_.View().UpdateLocked()) return;
  // Every cell sets the pen's colour and width; the style is set once for all of them.
  canvas.Pen().Style = TPenStyle::psSolid;
  const TGridLayout layout = grid_.View().Layout();
  selection_ = grid_.Selection();
  active_control_ = grid_.View().Window() != nullptr && grid_.View().Window()->IsActiveControl();
  keyboard_focus_ = grid_.View().Window() != nullptr && grid_.View().Window()->Focused();

  // The fixed corner, the fixed rows right of it, the fixed columns below it, then the
  // scrollable cells. The geometry keeps no room for lines between cells, so the walk's boxes
  // tile the area and the lines are drawn inside them.
  const TAxisLayout& h = layout.Horz;
  const TAxisLayout& v = layout.Vert;
  const TGridDrawState fixed{gdFixed};
  WalkCells(canvas, layout, {{0, 0}, {0, 0}, {h.FixedEnd, v.FixedEnd}, fixed});
  WalkCells(canvas, layout, {{h.FirstCell, 0}, {h.FixedEnd, 0}, {h.CellsEnd, v.FixedEnd}, fixed});
  WalkCells(canvas, layout, {{0, v.FirstCell}, {0, v.FixedEnd}, {h.FixedEnd, v.CellsEnd}, fixed});
  WalkCells(canvas, layout,
            {{h.FirstCell, v.FirstCell}, {h.FixedEnd, v.FixedEnd}, {h.CellsEnd, v.CellsEnd}, {}});

  // Beyond the last column and row there are no cells and no lines, only the grid's colour.
  canvas.Brush().Color = grid_.Appearance().Color;
  if (h.CellsEnd < h.Extent) canvas.FillRect({h.CellsEnd, 0, h.Extent, v.CellsEnd});
  if (v.CellsEnd < v.Extent) canvas.FillRect({0, v.CellsEnd, h.Extent, v.Extent});
  canvas.Pen().Color = clBlack;
}

// Sizes are read from the grid rather than from the layout, which refers to the grid's size
// lists: an event handler that resizes lines in the middle of a paint must not leave the walk
// reading freed memory.
void TGridPainter::WalkCells(TCanvas& canvas, const TGridLayout& layout, const TWalk& walk) {
  const TCellCoord current = grid_.Model().Current;
  std::int64_t top = walk.start.Y;
  for (std::int32_t row = walk.first.Y; top < walk.stop.Y && row < grid_.RowCount(); ++row) {
    const std::int32_t height = grid_.RowHeights(row);
    std::int64_t left = walk.start.X;
    for (std::int32_t col = walk.first.X; left < walk.stop.X && col < grid_.ColCount(); ++col) {
      const std::int32_t width = grid_.ColWidths(col);
      const TRect box{Saturate(left), Saturate(top), Saturate(left + width),
                      Saturate(top + height)};
      if (width > 0 && canvas.RectVisible(box)) {
        TGridDrawState state = walk.state;
        if (active_control_ && col == current.X && row == current.Y) state.Include(gdFocused);
        if (selection_.Contains({col, row})) state.Include(gdSelected);
        PaintCell(canvas, col, row, box, state);
      }
      left += std::int64_t{width} + layout.Horz.LineWidth;
    }
    top += std::int64_t{height} + layout.Vert.LineWidth;
  }
}

// ---- One cell ----

void TGridPainter::PaintCell(TCanvas& canvas, std::int32_t col, std::int32_t row, const TRect& box,
                             TGridDrawState state) {
  if (grid_.IsFixedCell(col, row)) {
    state.Include(gdFixed);
    state.Exclude(gdSelected);
  }
  TCellStyle style;
  style.WordWrap = grid_.Appearance().WordWrap;
  ResolveCellStyle(col, row, state, TSelectionColouring::kOn, style);

  // A rectangle whose pen has the brush's colour covers exactly the box, so each pixel of the
  // cell is painted once before the lines and the text go over it: nothing flashes.
  canvas.Pen().Width = 1;
  canvas.Pen().Color = style.Brush;
  canvas.Brush().Color = style.Brush;
  canvas.Rectangle(box);

  const bool fixed = state.Has(gdFixed);
  const std::int32_t line_width = fixed ? 1 : LineWidth();
  PaintCellLines(canvas, box, fixed, line_width);
  PaintCellContent(canvas, col, row, Grown(box, -line_width), state);
}

// Lines fill the rightmost and the bottom pixels inside each cell's box. No pixel is shared
// between neighbours, so repainting one cell redraws its lines too. The board gets no line
// above its top row or before its left column.
void TGridPainter::PaintCellLines(TCanvas& canvas, const TRect& box, bool fixed,
                                  std::int32_t line_width) {
  if (line_width <= 0) return;
  canvas.Pen().Color = fixed ? clGray : grid_.Appearance().GridLineColor;
  canvas.Pen().Width = line_width;
  // The pen's band spreads around the line, so a wide line sits further in to stay in the box.
  const std::int32_t inset = (line_width + 1) / 2;
  const TGridOptions options = grid_.Options();
  if (options.Has(fixed ? goFixedHorzLine : goHorzLine)) {
    canvas.MoveTo(box.Left - inset + 1, box.Bottom - inset);
    canvas.LineTo(box.Right - inset + 1, box.Bottom - inset);
  }
  if (options.Has(fixed ? goFixedVertLine : goVertLine)) {
    canvas.MoveTo(box.Right - inset, box.Bottom - inset);
    canvas.LineTo(box.Right - inset, box.Top - inset);
  }
}

void TGridPainter::ResolveCellStyle(std::int32_t col, std::int32_t row, TGridDrawState& state,
                                    TSelectionColouring colouring, TCellStyle& style) {
  const bool in_fixed_lines = col < grid_.FixedCols() || row < grid_.FixedRows();
  style.Font = in_fixed_lines ? grid_.Appearance().FixedFont : grid_.Font();
  style.Brush = in_fixed_lines ? grid_.Appearance().FixedColor : grid_.Appearance().Color;
  if (grid_.IsFixedCell(col, row)) {
    style.Brush = grid_.Appearance().FixedColor;
    style.Font = grid_.Appearance().FixedFont;
    state.Include(gdFixed);
  }
  if (grid_.Events.OnGetCellColor)
    grid_.Events.OnGetCellColor(grid_, row, col, state, style.Brush, style.Font);

  // The current cell takes the selection's colours too, focused or not. A selection colour of
  // clNone leaves the cell's own colour rather than leaving its pixels unpainted.
  if (colouring == TSelectionColouring::kOn && grid_.Appearance().ShowSelection &&
      !state.Has(gdFixed) && selection_.Contains({col, row})) {
    if (grid_.Appearance().SelectionColor != clNone)
      style.Brush = grid_.Appearance().SelectionColor;
    if (grid_.Appearance().SelectionTextColor != clNone)
      style.Font.Color = grid_.Appearance().SelectionTextColor;
    state.Include(gdSelected);
  }
  if (grid_.Events.OnGetWordWrap) grid_.Events.OnGetWordWrap(grid_, col, row, style.WordWrap);
  std::tie(style.HAlign, style.VAlign) = QueryCellAlignment(col, row);
}

std::pair<TAlignment, TVAlignment> TGridPainter::QueryCellAlignment(std::int32_t col,
                                                                    std::int32_t row) {
  TAlignment h_align = TAlignment::taLeftJustify;
  TVAlignment v_align = grid_.Appearance().VAlignment;
  if (grid_.Events.OnGetAlignment) grid_.Events.OnGetAlignment(grid_, row, col, h_align, v_align);
  return {h_align, v_align};
}

void TGridPainter::PaintCellContent(TCanvas& canvas, std::int32_t col, std::int32_t row,
                                    const TRect& content, TGridDrawState state) {
  // The style is asked again, now without the selection's colours: the text's colours are
  // decided below, and the owner-draw events see the cell's own.
  TCellStyle style;
  style.WordWrap = grid_.Appearance().WordWrap;
  ResolveCellStyle(col, row, state, TSelectionColouring::kOff, style);
  if (state.Has(gdSelected) && !state.Has(gdFocused) &&
      grid_.Appearance().SelectionColor == clNone) {
    style.Brush = clHighlight;
  }
  style.Font.SetSize(style.Font.Size() + grid_.Appearance().ZoomDelta);

  if (!grid_.Events.OnDrawCell && !grid_.Events.OnCustomCellDraw) {
    PaintCellText(canvas, col, row, content, state, style);
  }
  canvas.Brush().Color = style.Brush;
  canvas.SetFont(style.Font);

  const std::int32_t line_width = state.Has(gdFixed) ? 1 : LineWidth();
  const TRect box = Grown(content, line_width);
  if (grid_.Events.OnDrawCell) {
    grid_.Events.OnDrawCell(
        grid_, col, row,
        {box.Left + 1, box.Top + 1, box.Right - line_width, box.Bottom - line_width}, state);
  }
  if (grid_.Events.OnCustomCellDraw)
    grid_.Events.OnCustomCellDraw(grid_, canvas, col, row, state, box, false);

  // Drawn inside the lines, and only while this grid really has the keyboard focus: in a window
  // in the background the selection shows without it.
  if (!grid_.Appearance().HideFocusRect && col == grid_.Col() && row == grid_.Row() &&
      keyboard_focus_ && !grid_.Options().Has(goRowSelect)) {
    canvas.DrawFocusRect({box.Left, box.Top, box.Right - 1, box.Bottom - 1});
  }
}

void TGridPainter::PaintCellText(TCanvas& canvas, std::int32_t col, std::int32_t row,
                                 const TRect& content, TGridDrawState state, TCellStyle style) {
  // With goDrawFocusSelected the focused cell reads like the rest of the selection.
  if (state.Has(gdSelected) && !state.Has(gdFixed) && grid_.Appearance().ShowSelection &&
      (!state.Has(gdFocused) || grid_.Options().Has(goDrawFocusSelected)) &&
      grid_.Appearance().SelectionTextColor != clNone) {
    style.Font.Color = grid_.Appearance().SelectionTextColor;
  }
  const std::string text = grid_.Cells(col, row);
  const TRect rect{content.Left + kTextOffset.X, content.Top + kTextOffset.Y,
                   content.Right - kTextOffset.X, content.Bottom};
  const TDrawTextFlags flags = DT_EDITCONTROL | DT_EXPANDTABS | DT_NOPREFIX |
                               (style.WordWrap ? DT_WORDBREAK : DT_SINGLELINE) |
                               HorizontalFlag(style.HAlign) | VerticalFlag(style.VAlign);
  canvas.SetFont(style.Font);
  canvas.DrawText(text, rect, flags);
}

std::int32_t TGridPainter::LineWidth() const {
  return std::max(0, grid_.Appearance().GridLineWidth);
}

// ---- The frame ----

void TGridPainter::PaintFrame(TCanvas& canvas, std::int32_t width, std::int32_t height,
                              std::optional<TColor> parent_color) {
  if (grid_.View().UpdateLocked() || grid_.Flat() || !HasFlatFrame(grid_.Look())) return;
  // Each line stops a pixel short of its end, where the next one starts: the rings close.
  canvas.SetPen(
      {grid_.ThemesActive() ? kThemedFrameColor : kPlainFrameColor, 1, TPenStyle::psSolid});
  canvas.MoveTo(1, height);
  canvas.LineTo(1, 1);
  canvas.LineTo(width - 2, 1);
  canvas.LineTo(width - 2, height - 2);
  canvas.LineTo(1, height - 2);
  if (!parent_color) return;
  canvas.Pen().Color = *parent_color;
  canvas.MoveTo(0, height);
  canvas.LineTo(0, 0);
  canvas.LineTo(width - 1, 0);
  canvas.LineTo(width - 1, height - 1);
  canvas.LineTo(0, height - 1);
}

}  // namespace zelvorn
