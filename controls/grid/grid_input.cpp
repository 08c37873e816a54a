#include "controls/grid/grid_input.h"

#include <algorithm>

#include "controls/grid/cell_grid.h"
#include "controls/grid/grid_layout.h"
#include "controls/grid/grid_window.h"
#include "platform/error_boundary.h"

namespace zelvorn {

namespace {

using enum TMouseButton;
using enum TShiftStateFlag;

// A line index moved by `delta` and kept within low..high, without overflowing on the way.
std::int32_t ClampedStep(std::int32_t index, std::int64_t delta, std::int32_t low,
                         std::int32_t high) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(index + delta, low, high));
}

}  // namespace

TGridInput::TGridInput(TCellGrid& grid) : grid_(grid) {
  auto_scroll_timer_.SetInterval(kAutoScrollInterval);
  auto_scroll_timer_.OnTimer = [this] { Guarded([this] { Timer(kAutoScrollTimer); }); };
  pan_timer_.SetInterval(kPanInterval);
  pan_timer_.OnTimer = [this] { Guarded([this] { Timer(kPanTimer); }); };
}

IGridWindow* TGridInput::Window() const { return grid_.View().Window(); }

void TGridInput::WindowAttached() {
  if (Window() != nullptr) wheel_lines_ = Window()->WheelScrollLines();
}

// ---- Mouse ----

void TGridInput::MouseDown(TMouseButton button, TShiftState shift, TPoint point) {
  if (Window() == nullptr) return;
  switch (button) {
    case mbLeft:
      if (panning_) EndPanning();
      LeftDown(shift, point);
      break;
    case mbRight:
      if (panning_) EndPanning();
      RightDown(shift, point);
      break;
    case mbMiddle:
      MiddleDown(shift, point);
      break;
  }
}

void TGridInput::MouseDoubleClick(TMouseButton button, TShiftState shift, TPoint point) {
  if (Window() == nullptr) return;
  shift.Include(ssDouble);
  if (button != mbLeft) {
    MouseDown(button, shift, point);
    return;
  }
  if (panning_) EndPanning();
  LeftDoubleClick(shift, point);
}

void TGridInput::MouseButton(TMouseAction action, TMouseButton button, TShiftState shift,
                             TPoint point) {
  switch (action) {
    case TMouseAction::kDown:
      return MouseDown(button, shift, point);
    case TMouseAction::kUp:
      return MouseUp(button, shift, point);
    case TMouseAction::kDoubleClick:
      return MouseDoubleClick(button, shift, point);
  }
}

void TGridInput::LeftDown(TShiftState shift, TPoint point) {
  const TCellCoord cell = grid_.CellAtPoint(point.X, point.Y);
  if (grid_.Events.OnCanClickCell) {
    bool allow = true;
    grid_.Events.OnCanClickCell(grid_, cell.Y, cell.X, allow);
    if (!allow) return;
  }
  press_pos_ = point;
  if (cell.X == -1 || cell.Y == -1) {
    PressCommon(mbLeft, shift, point, cell);
    return;
  }
  // Taken before the press may scroll the cell into view: the sizing zone is judged where the
  // person saw the cell's edges.
  const TRect bounds = grid_.CellBounds(cell.X, cell.Y);
  PressCommon(mbLeft, shift, point, cell);
  // With column sizing on, a press this close to a column's edge grabs the edge, not the cell.
  constexpr std::int32_t kSizingZone = 4;
  if (grid_.Options().Has(TGridOption::goColSizing) &&
      (point.X - bounds.Left < kSizingZone || bounds.Right - point.X < kSizingZone)) {
    return;
  }
  // The handler hears of the cell that was pressed, even if the press has scrolled it since.
  if (grid_.Events.OnClickCell) grid_.Events.OnClickCell(grid_, cell.Y, cell.X);
}

void TGridInput::LeftDoubleClick(TShiftState shift, TPoint point) {
  const TCellCoord cell = grid_.CellAtPoint(point.X, point.Y);
  PressCommon(mbLeft, shift, point, cell);
  if (grid_.Events.OnDblClickCell) grid_.Events.OnDblClickCell(grid_, cell.Y, cell.X);
}

void TGridInput::RightDown(TShiftState shift, TPoint point) {
  const TCellCoord cell = grid_.CellAtPoint(point.X, point.Y);
  PressCommon(mbRight, shift, point, cell);
  if (grid_.Events.OnRightClickCell) grid_.Events.OnRightClickCell(grid_, cell.Y, cell.X);
}

void TGridInput::MiddleDown(TShiftState shift, TPoint point) {
  // The press that ends panning does not start it again.
  if (panning_) {
    EndPanning();
  } else if (grid_.RowCount() > grid_.FixedRows()) {
    StartPanning(point);
  }
  PressCommon(mbMiddle, shift, point, grid_.CellAtPoint(point.X, point.Y));
}

void TGridInput::PressCommon(TMouseButton button, TShiftState shift, TPoint point,
                             TCellCoord cell) {
  IGridWindow& window = *Window();
  const TGridRect before = grid_.Selection();
  const bool left = button == mbLeft;
  if (left) {
    // Another control may be in the middle of a mouse operation of its own; this press ends it.
    // So it does a leftover one of the grid's own (a release that went elsewhere), here rather
    // than through the window, which would call back into this press.
    window.SendCancelModeToFocused();
    if (window.IsActiveControl()) CancelMode();
    window.SetCapture();
    left_down_ = true;
  }
  if (!window.Focused() && window.CanFocus()) window.SetFocus();
  if (!window.IsActiveControl()) {
    // The grid cannot take the focus, or a handler of the focus change moved it on: the grid
    // must not hold the mouse for a selection it cannot show as its own.
    if (left && window.HasCapture()) window.ReleaseCapture();
    return;
  }
  if (left && !shift.Has(ssDouble)) {
    if (cell.X >= grid_.FixedCols() && cell.Y >= grid_.FixedRows()) StartSelecting(cell, shift);
  } else if (left && grid_.Events.OnDblClick) {
    grid_.Events.OnDblClick(grid_);
  }
  if (grid_.Events.OnMouseDown) grid_.Events.OnMouseDown(grid_, button, shift, point.X, point.Y);
  SelectionChangedSince(before);
}

void TGridInput::StartSelecting(TCellCoord cell, TShiftState shift) {
  grid_.SetState(TGridState::gsSelecting);
  auto_scroll_timer_.SetEnabled(true);
  if (shift.Has(ssShift)) {
    grid_.MoveAnchor(cell);
  } else {
    grid_.MoveCurrent(cell.X, cell.Y, TMoveAnchor::kYes, TShowCell::kYes);
  }
}

void TGridInput::MouseMove(TShiftState, TPoint point) {
  if (Window() == nullptr || grid_.State() != TGridState::gsSelecting) return;
  SelectTo(point);
}

void TGridInput::SelectTo(TPoint point) {
  const TGridLayout layout = grid_.View().Layout();
  const TCellCoord cell = CellAtPoint(layout, point);
  // One line past the last fully visible one may be reached directly; it scrolls into view.
  // Lines further out are reached by the auto-scroll timer, one per tick.
  const bool reachable = cell.X >= grid_.FixedCols() && cell.Y >= grid_.FixedRows() &&
                         cell.X <= layout.Horz.LastFullCell + 1 &&
                         cell.Y <= layout.Vert.LastFullCell + 1;
  if (reachable && cell != grid_.Model().Anchor) grid_.MoveAnchor(cell);
}

void TGridInput::AutoScroll() {
  if (grid_.State() != TGridState::gsSelecting) return;
  const TPoint pointer = Window()->PointerPos();
  const TGridLayout layout = grid_.View().Layout();
  TCellCoord anchor = grid_.Model().Anchor;
  if (pointer.X < layout.Horz.FixedEnd) {
    if (anchor.X > grid_.FixedCols()) --anchor.X;
  } else if (pointer.X > layout.Horz.FullEnd) {
    if (anchor.X < grid_.ColCount() - 1) ++anchor.X;
  }
  if (pointer.Y < layout.Vert.FixedEnd) {
    if (anchor.Y > grid_.FixedRows()) --anchor.Y;
  } else if (pointer.Y > layout.Vert.FullEnd) {
    if (anchor.Y < grid_.RowCount() - 1) ++anchor.Y;
  }
  if (anchor != grid_.Model().Anchor) grid_.MoveAnchor(anchor);
}

void TGridInput::MouseUp(TMouseButton button, TShiftState shift, TPoint point) {
  if (Window() == nullptr) return;
  if (button == mbLeft) {
    LeftUp(shift, point);
  } else if (grid_.Events.OnMouseUp) {
    grid_.Events.OnMouseUp(grid_, button, shift, point.X, point.Y);
  }
}

void TGridInput::LeftUp(TShiftState shift, TPoint point) {
  IGridWindow& window = *Window();
  // Cleared first: should OnClick fail, the cancel-mode that reports it must not release again.
  left_down_ = false;
  if (grid_.Events.OnClick) grid_.Events.OnClick(grid_);
  if (grid_.State() == TGridState::gsSelecting) {
    grid_.SetState(TGridState::gsNormal);
    auto_scroll_timer_.SetEnabled(false);
  }
  if (window.HasCapture()) window.ReleaseCapture();
  if (grid_.Events.OnMouseUp) grid_.Events.OnMouseUp(grid_, mbLeft, shift, point.X, point.Y);
}

void TGridInput::CancelMode() {
  IGridWindow* window = Window();
  if (window == nullptr) return;
  if (window->HasCapture()) {
    window->ReleaseCapture();
    if (left_down_) LeftUp({}, {-1, -1});
  }
  // Panning is a mouse operation too; left running, it would go on moving the current cell
  // without the capture that ends it.
  if (panning_) EndPanning();
  if (grid_.State() == TGridState::gsSelecting) auto_scroll_timer_.SetEnabled(false);
  grid_.SetState(TGridState::gsNormal);
}

void TGridInput::CancelAndReport(std::exception_ptr error) noexcept {
  // Ending the mouse operation runs handlers too (OnClick, OnMouseUp), which may fail again;
  // that failure is reported after the one that caused it.
  std::exception_ptr again;
  try {
    CancelMode();
  } catch (...) {
    again = std::current_exception();
  }
  ReportError(error);
  if (again) ReportError(again);
}

// ---- Panning ----

void TGridInput::StartPanning(TPoint origin) {
  IGridWindow& window = *Window();
  panning_ = true;
  pan_origin_ = origin;
  cursor_before_pan_ = cursor_;
  SetCursor(TGridCursor::crPanRest);
  window.SetCapture();
  pan_timer_.SetEnabled(true);
  window.DrawPanOrigin(origin);
}

void TGridInput::EndPanning() {
  IGridWindow& window = *Window();
  if (window.HasCapture()) window.ReleaseCapture();
  pan_timer_.SetEnabled(false);
  SetCursor(cursor_before_pan_);
  window.ErasePanOrigin();
  panning_ = false;
}

void TGridInput::Pan() {
  IGridWindow& window = *Window();
  const TPoint pointer = window.PointerPos();
  // Only the vertical distance counts; within the dead zone the pointer is at rest.
  TPanDirection direction = TPanDirection::kNone;
  TGridCursor cursor = TGridCursor::crPanRest;
  if (pointer.Y > pan_origin_.Y + kPanDeadZone) {
    direction = TPanDirection::kDown;
    cursor = TGridCursor::crPanDown;
  } else if (pointer.Y < pan_origin_.Y - kPanDeadZone) {
    direction = TPanDirection::kUp;
    cursor = TGridCursor::crPanUp;
  }
  const TGridRect before = grid_.Selection();
  const std::int32_t col = std::clamp(grid_.Col(), grid_.FixedCols(), grid_.ColCount() - 1);
  const std::int32_t row = std::clamp(grid_.Row(), grid_.FixedRows(), grid_.RowCount() - 1);
  const bool up = direction == TPanDirection::kUp && row > grid_.FixedRows();
  const bool down = direction == TPanDirection::kDown && row < grid_.RowCount() - 1;
  if (up || down) {
    const std::int32_t next = down ? row + 1 : row - 1;
    const TAxisLayout rows = grid_.View().Layout().Vert;
    // Scrolling moves the pixels, and the marker with them: take it away before, draw it after.
    if (next < rows.FirstCell || next > rows.LastFullCell) window.ErasePanOrigin();
    grid_.FocusCell(col, next, TMoveAnchor::kYes);
    // OnClick may have ended panning (a handler that cancelled the mouse mode).
    if (!panning_) return;
  }
  SetCursor(cursor);
  window.DrawPanOrigin(pan_origin_);
  SelectionChangedSince(before);
}

void TGridInput::SetCursor(TGridCursor cursor) {
  // Panning asks for its shape on every tick; the window hears only of a new one.
  if (cursor == cursor_) return;
  cursor_ = cursor;
  Window()->SetCursor(cursor);
}

// ---- Keyboard ----

bool TGridInput::KeyDown(std::uint16_t key, TShiftState shift) {
  // With Ctrl or Alt, Tab is a shortcut the grid may be given; alone it moves the focus on.
  if (key == kKeyTab && !shift.Has(ssCtrl) && !shift.Has(ssAlt)) return false;
  if (Window() == nullptr) return false;
  if (panning_) EndPanning();
  if (key == 0) return false;
  if (grid_.Events.OnKeyDown) {
    grid_.Events.OnKeyDown(grid_, key, shift);
    if (key == 0) return true;
  }
  switch (key) {
    case kKeyReturn:
    case kKeyF2:
      // Editing is off: the keys that would open the editor are taken and do nothing.
      return true;
    case kKeyA:
      if (!shift.Has(ssCtrl)) return false;
      grid_.SetSelection({0, 0, grid_.ColCount() - 1, grid_.RowCount() - 1});
      return true;
    case kKeyUp:
    case kKeyDown:
    case kKeyLeft:
    case kKeyRight:
    case kKeyPageUp:
    case kKeyPageDown:
    case kKeyHome:
    case kKeyEnd: {
      const TGridRect before = grid_.Selection();
      MoveByKey(key, shift);
      SelectionChangedSince(before);
      return true;
    }
    default:
      return false;
  }
}

void TGridInput::MoveByKey(std::uint16_t key, TShiftState shift) {
  const bool ctrl = shift.Has(ssCtrl);
  const TGridLayout layout = grid_.View().Layout();
  const std::int32_t page_height = std::max(1, layout.Vert.LastFullCell - grid_.TopRow());
  const std::int32_t page_width = std::max(1, layout.Horz.LastFullCell - grid_.LeftCol());
  TCellCoord current = grid_.Model().Current;
  TCellCoord top_left = grid_.Model().TopLeft;
  switch (key) {
    case kKeyUp:
      --(ctrl ? top_left.Y : current.Y);
      break;
    case kKeyDown:
      ++(ctrl ? top_left.Y : current.Y);
      break;
    case kKeyLeft:
      current.X -= ctrl ? page_width : 1;
      if (ctrl) top_left.X -= page_width;
      break;
    case kKeyRight:
      current.X += ctrl ? page_width : 1;
      if (ctrl) top_left.X += page_width;
      break;
    case kKeyPageUp:
      if (ctrl) {
        current.Y = top_left.Y;
      } else {
        current.Y -= page_height;
        top_left.Y -= page_height;
      }
      break;
    case kKeyPageDown:
      if (ctrl) {
        current.Y = layout.Vert.LastFullCell;
      } else {
        current.Y += page_height;
        top_left.Y += page_height;
      }
      break;
    case kKeyHome:
      current.X = grid_.FixedCols();
      if (ctrl) current.Y = grid_.FixedRows();
      break;
    case kKeyEnd:
      current.X = grid_.ColCount() - 1;
      if (ctrl) current.Y = grid_.RowCount() - 1;
      break;
    default:
      return;
  }
  // The view never goes before the fixed lines, nor further than needed to show the last cell.
  const TCellCoord largest = LargestTopLeft(layout, {grid_.ColCount() - 1, grid_.RowCount() - 1});
  top_left.X = std::clamp(top_left.X, grid_.FixedCols(), std::max(grid_.FixedCols(), largest.X));
  top_left.Y = std::clamp(top_left.Y, grid_.FixedRows(), std::max(grid_.FixedRows(), largest.Y));
  if (top_left != grid_.Model().TopLeft) grid_.View().MoveTopLeft(top_left);
  current.X = std::clamp(current.X, 0, grid_.ColCount() - 1);
  current.Y = std::clamp(current.Y, 0, grid_.RowCount() - 1);
  if (current != grid_.Model().Current) {
    grid_.FocusCell(current.X, current.Y,
                    shift.Has(ssShift) ? TMoveAnchor::kNo : TMoveAnchor::kYes);
  }
}

// ---- Wheel ----

void TGridInput::MouseWheel(std::int32_t delta, TShiftState shift, TPoint point) {
  if (delta == 0) return;
  if ((delta > 0) != (wheel_remainder_ > 0)) wheel_remainder_ = 0;
  wheel_remainder_ += delta;
  while (wheel_remainder_ >= kWheelNotch || wheel_remainder_ <= -kWheelNotch) {
    const bool away = wheel_remainder_ > 0;
    wheel_remainder_ += away ? -kWheelNotch : kWheelNotch;
    WheelNotch(away ? TWheelTurn::kAwayFromUser : TWheelTurn::kTowardUser, shift, point);
  }
}

void TGridInput::WheelNotch(TWheelTurn turn, TShiftState shift, TPoint point) {
  if (Window() == nullptr) return;
  if (!panning_) {
    if (shift.Has(ssCtrl)) {
      Zoom(turn == TWheelTurn::kTowardUser ? wheel_lines_ : -wheel_lines_);
    } else {
      const TGridRect before = grid_.Selection();
      WheelRows(turn);
      SelectionChangedSince(before);
    }
  }
  WheelStep(turn, shift, point);
}

void TGridInput::Zoom(std::int32_t amount) {
  const std::int32_t total = grid_.Appearance().ZoomDelta + amount;
  if (total < -kZoomLimit || total > kZoomLimit) return;
  TGridAppearance appearance = grid_.Appearance();
  appearance.ZoomDelta = total;
  grid_.SetAppearance(appearance);
  // A line the zoom would shrink to nothing keeps its size.
  for (std::int32_t col = 0; col < grid_.ColCount(); ++col) {
    const std::int32_t width = grid_.ColWidths(col) + amount;
    if (width > 0) grid_.SetColWidths(col, width);
  }
  for (std::int32_t row = 0; row < grid_.RowCount(); ++row) {
    const std::int32_t height = grid_.RowHeights(row) + amount;
    if (height > 0) grid_.SetRowHeights(row, height);
  }
}

void TGridInput::WheelRows(TWheelTurn turn) {
  const std::int64_t step = turn == TWheelTurn::kTowardUser ? wheel_lines_ : -wheel_lines_;
  const std::int32_t col = std::clamp(grid_.Col(), grid_.FixedCols(), grid_.ColCount() - 1);
  const std::int32_t row = ClampedStep(grid_.Row(), step, grid_.FixedRows(), grid_.RowCount() - 1);
  grid_.FocusCell(col, row, TMoveAnchor::kYes);
}

// The generic handling of a wheel notch, which runs after the grid's own: one more row, unless
// a handler takes the notch.
void TGridInput::WheelStep(TWheelTurn turn, TShiftState shift, TPoint point) {
  const bool toward = turn == TWheelTurn::kTowardUser;
  bool handled = false;
  const TMouseWheelUpDownEvent& event =
      toward ? grid_.Events.OnMouseWheelDown : grid_.Events.OnMouseWheelUp;
  if (event) event(grid_, shift, point, handled);
  if (handled) return;
  if (toward && grid_.Row() < grid_.RowCount() - 1) {
    grid_.FocusCell(grid_.Col(), grid_.Row() + 1, TMoveAnchor::kYes);
  } else if (!toward && grid_.Row() > grid_.FixedRows()) {
    grid_.FocusCell(grid_.Col(), grid_.Row() - 1, TMoveAnchor::kYes);
  }
}

// ---- Focus and timers ----

void TGridInput::FocusGained() {
  if (Window() == nullptr) return;
  // The focused look of the current cell appears.
  grid_.View().InvalidateCells(grid_.Selection());
  grid_.SelectCell(grid_.Col(), grid_.Row());
}

void TGridInput::FocusLost() {
  if (Window() == nullptr) return;
  grid_.View().InvalidateCells(grid_.Selection());
}

void TGridInput::Timer(std::int32_t id) {
  if (Window() == nullptr) return;
  // While panning, every tick of the grid's timers pans, not only the pan timer's.
  if (panning_) Pan();
  if (id == kAutoScrollTimer) AutoScroll();
}

void TGridInput::SelectionChangedSince(const TGridRect& before) {
  const TGridRect now = grid_.Selection();
  if (now != before && grid_.Events.OnSelectionChanged) {
    grid_.Events.OnSelectionChanged(grid_, now.Left, now.Top, now.Right, now.Bottom);
  }
}

}  // namespace zelvorn
