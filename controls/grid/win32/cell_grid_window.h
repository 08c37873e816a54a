#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "controls/grid/cell_grid.h"
#include "controls/grid/grid_accessible_updates.h"
#include "controls/grid/grid_input.h"
#include "controls/grid/grid_window.h"
#include "platform/win32/window.h"

namespace zelvorn {

class TGridAccessible;
class TPanOriginMarker;

// The window that shows a TCellGrid on Windows: a child window of our own class with a 2-pixel
// sunken edge (WS_EX_CLIENTEDGE), Windows' own scroll bars and the tab stop. It turns the
// window's messages into calls on the grid and its TGridInput and carries out what the grid
// asks of its window; it decides nothing itself.
//
// The scroll bars have the range 0..127 while their axis can scroll and are hidden otherwise;
// Windows lays the client area out again as soon as a range shows or hides one. Nothing is
// erased: the painter covers every pixel it is asked for. Every message is handled where
// Windows calls the window procedure, and nothing thrown leaves it: input that fails first ends
// the grid's mouse operation, then goes to ReportError.
class TCellGridWindow final : public TWindow, public IGridWindow {
 public:
  // Registers the window class (and that of the pan marker) once, before the first grid.
  static void RegisterWindowClass(HINSTANCE instance);

  // Creates the window as a visible child of `parent`, at the given place in its client area.
  TCellGridWindow(HWND parent, int control_id, int x, int y, int width, int height);
  ~TCellGridWindow() override;
  TCellGridWindow(const TCellGridWindow&) = delete;
  TCellGridWindow& operator=(const TCellGridWindow&) = delete;

  TCellGrid& Grid() { return grid_; }
  const TCellGrid& Grid() const { return grid_; }
  const TGridInput& Input() const { return input_; }
  // Moves and sizes the window in its parent's client area.
  void SetBounds(int x, int y, int width, int height);
  // The name screen readers call the table by.
  const std::string& AccessibleName() const { return accessible_name_; }
  void SetAccessibleName(std::string name) { accessible_name_ = std::move(name); }

  // IGridWindow.
  bool Showing() const override;
  std::int32_t Width() const override;
  std::int32_t Height() const override;
  void SetSize(std::int32_t width, std::int32_t height) override;
  TRect ClientRect() const override;
  void Invalidate(const TRect& rect) override;
  void FlushPaints() override;
  void ScrollContents(const TRect& area, std::int32_t dx, std::int32_t dy) override;
  void InvalidateFrame() override;
  void SetScrollRange(TScrollBarKind bar, std::int32_t min, std::int32_t max) override;
  bool ScrollBarShown(TScrollBarKind bar) const override;
  std::int32_t ScrollPos(TScrollBarKind bar) const override;
  void SetScrollPos(TScrollBarKind bar, std::int32_t pos) override;
  std::int32_t ScrollBarThickness(TScrollBarKind bar) const override;
  void SetCapture() override;
  void ReleaseCapture() override;
  bool HasCapture() const override;
  void SendCancelModeToFocused() override;
  bool CanFocus() const override;
  void SetFocus() override;
  bool Focused() const override;
  bool IsActiveControl() const override;
  TPoint PointerPos() const override;
  void SetCursor(TGridCursor cursor) override;
  void DrawPanOrigin(TPoint origin) override;
  void ErasePanOrigin() override;
  std::int32_t WheelScrollLines() const override;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

 private:
  // The grid hears that it is on screen the first time it is, after being hidden: when it is
  // shown itself, or when its first paint shows that its parents are.
  void NoteShowing();
  void Paint();
  void PrintClient(HDC dc);
  void PaintFrame();
  // Windows paints the frame, bars and all, each time a bar shows or hides, and the grid may
  // show and hide them many times over while it changes its lines in one go (a zoom, a new
  // board): those paints are left out, and the frame is painted once when the change is over.
  void PostFramePaint();
  void MouseButton(UINT message, WPARAM wparam, LPARAM lparam);
  void Scroll(TScrollBarKind bar, WPARAM wparam);
  void Wheel(WPARAM wparam, LPARAM lparam);
  void FocusLeaving(HWND next);
  bool SetCursorShape();
  LRESULT AccessibleObject(WPARAM wparam);
  // Tells screen readers what changed since they were last told: every change that matters to
  // them repaints the grid, so this runs after each paint.
  void AnnounceChanges();

  TCellGrid grid_;
  TGridInput input_{grid_};
  bool told_showing_ = false;
  bool changing_bars_ = false;
  bool frame_paint_posted_ = false;
  // The grid is the control its top-level window gives the keyboard focus to: set when it gains
  // the focus, cleared when another control of the same window takes it.
  bool active_control_ = false;
  std::unique_ptr<TPanOriginMarker> pan_marker_;
  // The object screen readers hold, made when the first one asks; the window keeps a reference
  // and disconnects it when it goes.
  TGridAccessible* accessible_ = nullptr;
  std::string accessible_name_;
  TGridAccessibleTracker told_screen_readers_;
};

}  // namespace zelvorn
