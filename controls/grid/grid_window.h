#pragma once

#include <cstdint>

#include "controls/grid/grid_types.h"
#include "platform/geometry.h"

namespace zelvorn {

// What the grid needs of the window that shows it. The grid works through this interface only,
// so that a test can stand in for the screen. Coordinates are client coordinates: (0, 0) is the
// top-left pixel inside the window's edge.
//
// A window tells the grid about itself by calling it: TCellGrid::WindowShown() once it is on
// screen, TCellGrid::WindowResized() whenever its size changes, and TGridView::ScrollMessage()
// for the scroll bars' actions; its mouse, keyboard, wheel and focus messages go to the
// TGridInput that its host owns, whose timers run on the installed ITimerSource. A window may
// also report the client-area changes that showing or hiding a bar causes; the grid ignores
// those while it is setting the bars' ranges.
class IGridWindow {
 public:
  virtual ~IGridWindow() = default;

  // Whether the window is on screen (it and its parents are shown).
  virtual bool Showing() const = 0;

  // The window's outer size, edge and scroll bars included, and a request to change it.
  virtual std::int32_t Width() const = 0;
  virtual std::int32_t Height() const = 0;
  virtual void SetSize(std::int32_t width, std::int32_t height) = 0;
  // The area inside the edge and the visible scroll bars, at (0, 0). It follows the scroll
  // bars at once: as soon as a range that shows or hides a bar is set, the client area is the
  // one the window will have with that bar shown or hidden.
  virtual TRect ClientRect() const = 0;

  // Marks a rectangle for repainting, without erasing it; painting follows later. An empty
  // rectangle marks nothing.
  virtual void Invalidate(const TRect& rect) = 0;
  // Paints what is marked now rather than later.
  virtual void FlushPaints() = 0;
  // Moves the pixels inside `area` by (dx, dy) and marks the uncovered part for repainting.
  virtual void ScrollContents(const TRect& area, std::int32_t dx, std::int32_t dy) = 0;
  // Marks the window's frame, outside the client area, for repainting.
  virtual void InvalidateFrame() = 0;

  // A scroll bar's range and thumb position. A bar is shown exactly while its range is not
  // empty (min < max). The position is kept within the range.
  virtual void SetScrollRange(TScrollBarKind bar, std::int32_t min, std::int32_t max) = 0;
  virtual bool ScrollBarShown(TScrollBarKind bar) const = 0;
  virtual std::int32_t ScrollPos(TScrollBarKind bar) const = 0;
  virtual void SetScrollPos(TScrollBarKind bar, std::int32_t pos) = 0;
  // The platform's width of a vertical bar (for sbVertical) or height of a horizontal one.
  virtual std::int32_t ScrollBarThickness(TScrollBarKind bar) const = 0;

  // Mouse capture: while held, the window gets every mouse message, wherever the pointer is.
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual bool HasCapture() const = 0;
  // Asks the focused control of this window's top-level window to abandon any mouse operation
  // it has going. When that control is this window, nothing happens: the grid's input ends its
  // own operation itself.
  virtual void SendCancelModeToFocused() = 0;

  // Keyboard focus. CanFocus: the window is shown, enabled and takes the focus by tabbing.
  virtual bool CanFocus() const = 0;
  virtual void SetFocus() = 0;
  virtual bool Focused() const = 0;
  // Whether the grid is the control its window gives the keyboard focus to. It stays so while
  // the whole window is in the background, when Focused() is false.
  virtual bool IsActiveControl() const = 0;

  // Where the window's last mouse event put the pointer, in client coordinates, and the shape
  // the pointer takes over the window from now on, which is a new one.
  virtual TPoint PointerPos() const = 0;
  virtual void SetCursor(TGridCursor cursor) = 0;
  // The marker of middle-button panning: drawn centred on a client point, over the cells, until
  // it is erased. Drawing it again at the same point changes nothing.
  virtual void DrawPanOrigin(TPoint origin) = 0;
  virtual void ErasePanOrigin() = 0;

  // The platform's setting of how many lines one wheel notch scrolls.
  virtual std::int32_t WheelScrollLines() const = 0;
};

}  // namespace zelvorn
