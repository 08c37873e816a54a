#pragma once

#include <cstdint>
#include <optional>
#include <utility>

#include "controls/grid/cell_grid.h"
#include "controls/grid/grid_types.h"
#include "platform/alignment.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"

namespace zelvorn {

// Paints a TCellGrid on a canvas: the client area (backgrounds, lines, texts and the focus
// rectangle of the visible cells, and whatever lies right of and below them) and the window's
// frame. It reads a const grid and raises its painting events; only the canvas changes.
// Painting itself never fails; an exception thrown by an event handler passes through.
//
// In each cell the background fills the whole box, the lines lie on the box's own right and
// bottom edge (GridLineWidth pixels wide), and the text goes into the box less the line width
// and a margin of 2 on the left, the right and the top. With WordWrap the text is broken into
// lines that start at the top of that rectangle whatever the vertical alignment; without it, one
// line is placed by the vertical alignment. The cell's colour, word-wrap and alignment events
// are raised twice per painted cell: once for the background, once for the text.
//
// Not drawn, being features this program never switches on: the style-dependent look of fixed
// cells, highlights of the active cell and row, banded rows, gradient backgrounds (SelectionColorTo
// is not used), background pictures, merged cells, cell pictures and controls, rich and formatted
// texts (every text is drawn as plain text), sort indicators, the selection frame, tree nodes,
// printing and right-to-left mirroring.
class TGridPainter {
 public:
  explicit TGridPainter(const TCellGrid& grid) : grid_(grid) {}

  // Paints the client area as the grid's layout shows it, for the canvas's repaint region: only
  // cells whose box meets the region are painted. Nothing while the update lock is held.
  void PaintClientArea(TCanvas& canvas);

  // Paints the frame over the window's 2-pixel edge, on a canvas covering the whole window
  // (`width` x `height`): an inner 1-pixel ring in the frame colour and an outer one in
  // `parent_color`, the parent's background (left out when there is no parent). Drawn only for the
  // looks that have this frame, when the grid is not flat and no update lock is held.
  void PaintFrame(TCanvas& canvas, std::int32_t width, std::int32_t height,
                  std::optional<TColor> parent_color);

  // The frame's colour: a soft steel blue with visual styles, else gray.
  static constexpr TColor kThemedFrameColor = RGB(127, 157, 185);
  static constexpr TColor kPlainFrameColor = clGray;

 private:
  // What the style step decides for one cell.
  struct TCellStyle {
    TColor Brush = clNone;  // the background
    TFont Font;             // the text's font and colour
    TAlignment HAlign = TAlignment::taLeftJustify;
    TVAlignment VAlign = TVAlignment::vtaTop;
    bool WordWrap = true;
  };
  // Whether the style step gives a selected cell the selection's colours.
  enum class TSelectionColouring : bool { kOff, kOn };
  // A block of the client area that the cell walk covers, and the cells it starts with.
  struct TWalk {
    TCellCoord first;
    TPoint start;
    TPoint stop;  // exclusive
    TGridDrawState state;
  };

  void WalkCells(TCanvas& canvas, const TGridLayout& layout, const TWalk& walk);
  // Paints one cell in its box: background, lines, then the content inside the lines.
  void PaintCell(TCanvas& canvas, std::int32_t col, std::int32_t row, const TRect& box,
                 TGridDrawState state);
  void PaintCellLines(TCanvas& canvas, const TRect& box, bool fixed, std::int32_t line_width);
  // Decides a cell's background, font, alignment and word wrap (`style.WordWrap` comes in
  // preset), raising OnGetCellColor, OnGetWordWrap and OnGetAlignment in that order. May add
  // fixed to `state`, and with the selection colouring on also selected.
  void ResolveCellStyle(std::int32_t col, std::int32_t row, TGridDrawState& state,
                        TSelectionColouring colouring, TCellStyle& style);
  std::pair<TAlignment, TVAlignment> QueryCellAlignment(std::int32_t col, std::int32_t row);
  // Paints inside a cell's lines: the text, the owner-draw events and the focus rectangle.
  // `content` is the box less the line width on every side.
  void PaintCellContent(TCanvas& canvas, std::int32_t col, std::int32_t row, const TRect& content,
                        TGridDrawState state);
  void PaintCellText(TCanvas& canvas, std::int32_t col, std::int32_t row, const TRect& content,
                     TGridDrawState state, TCellStyle style);
  // The width of the lines inside the cells; a negative width counts as none.
  std::int32_t LineWidth() const;

  const TCellGrid& grid_;
  // Read once per paint of the client area.
  TGridRect selection_;
  bool active_control_ = false;
  bool keyboard_focus_ = false;
};

}  // namespace zelvorn
