#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "controls/grid/grid_types.h"
#include "platform/alignment.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"

namespace zelvorn {

class TCanvas;  // the platform's drawing surface
class TCellGrid;

// The grid's events; an unassigned one is skipped. Most cell events give the row first; those
// whose column comes first are OnSelectCell, OnGetWordWrap, OnDrawCell, OnCustomCellDraw and
// OnGetDisplText. The events consulted while the grid is painted get it as a const sender, so
// that no handler can change the grid under the painter.
using TNotifyEvent = std::function<void(TCellGrid& sender)>;
using TClickCellEvent = std::function<void(TCellGrid& sender, std::int32_t row, std::int32_t col)>;
using TCanClickCellEvent =
    std::function<void(TCellGrid& sender, std::int32_t row, std::int32_t col, bool& allow)>;
using TSelectCellEvent =
    std::function<void(TCellGrid& sender, std::int32_t col, std::int32_t row, bool& can_select)>;
using TSelectionChangedEvent =
    std::function<void(TCellGrid& sender, std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom)>;
using TGridAlignEvent =
    std::function<void(const TCellGrid& sender, std::int32_t row, std::int32_t col,
                       TAlignment& h_align, TVAlignment& v_align)>;
using TGridColorEvent =
    std::function<void(const TCellGrid& sender, std::int32_t row, std::int32_t col,
                       TGridDrawState state, TColor& brush_color, TFont& font)>;
using TWordWrapEvent = std::function<void(const TCellGrid& sender, std::int32_t col,
                                          std::int32_t row, bool& word_wrap)>;
using TDrawCellEvent =
    std::function<void(const TCellGrid& sender, std::int32_t col, std::int32_t row,
                       const TRect& rect, TGridDrawState state)>;
using TCustomCellDrawEvent =
    std::function<void(const TCellGrid& sender, TCanvas& canvas, std::int32_t col, std::int32_t row,
                       TGridDrawState state, const TRect& rect, bool printing)>;
using TMouseEvent = std::function<void(TCellGrid& sender, TMouseButton button, TShiftState shift,
                                       std::int32_t x, std::int32_t y)>;
using TKeyEvent = std::function<void(TCellGrid& sender, std::uint16_t& key, TShiftState shift)>;
using TMouseWheelUpDownEvent =
    std::function<void(TCellGrid& sender, TShiftState shift, TPoint mouse_pos, bool& handled)>;
using TIsFixedCellEvent = std::function<void(const TCellGrid& sender, std::int32_t row,
                                             std::int32_t col, bool& is_fixed)>;
// Raised while a cell is read, so it gets the grid as a const sender.
using TGetDisplTextEvent = std::function<void(const TCellGrid& sender, std::int32_t col,
                                              std::int32_t row, std::string& value)>;

// The handlers a grid calls, as one plain value. The grid and its input and painter raise them;
// the grid's users assign them.
struct TGridEvents {
  TGridAlignEvent OnGetAlignment;
  TGridColorEvent OnGetCellColor;
  TWordWrapEvent OnGetWordWrap;
  TDrawCellEvent OnDrawCell;
  TCustomCellDrawEvent OnCustomCellDraw;
  TClickCellEvent OnClickCell;
  TCanClickCellEvent OnCanClickCell;
  TSelectCellEvent OnSelectCell;
  TSelectionChangedEvent OnSelectionChanged;
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TClickCellEvent OnDblClickCell;
  TClickCellEvent OnRightClickCell;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TKeyEvent OnKeyDown;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnTopLeftChanged;
  TIsFixedCellEvent OnIsFixedCell;
  TGetDisplTextEvent OnGetDisplText;
};

}  // namespace zelvorn
