#pragma once

#include <cstdint>
#include <exception>
#include <utility>

#include "controls/grid/grid_types.h"
#include "platform/geometry.h"
#include "platform/timer.h"

namespace zelvorn {

class IGridWindow;
class TCellGrid;

// Key codes of the key messages the grid reads, in the platform's virtual-key numbering. Letters
// and digits are their upper-case character codes.
inline constexpr std::uint16_t kKeyTab = 0x09;
inline constexpr std::uint16_t kKeyReturn = 0x0D;
inline constexpr std::uint16_t kKeyPageUp = 0x21;
inline constexpr std::uint16_t kKeyPageDown = 0x22;
inline constexpr std::uint16_t kKeyEnd = 0x23;
inline constexpr std::uint16_t kKeyHome = 0x24;
inline constexpr std::uint16_t kKeyLeft = 0x25;
inline constexpr std::uint16_t kKeyUp = 0x26;
inline constexpr std::uint16_t kKeyRight = 0x27;
inline constexpr std::uint16_t kKeyDown = 0x28;
inline constexpr std::uint16_t kKeyA = 0x41;
inline constexpr std::uint16_t kKeyF2 = 0x71;

// What a button message says the button did.
enum class TMouseAction : std::uint8_t { kDown, kUp, kDoubleClick };

// Which way one notch of the wheel turned.
enum class TWheelTurn : bool { kAwayFromUser, kTowardUser };

// The grid's mouse, keyboard, wheel, focus and timer handling: a state machine owned by the
// grid's host, which calls it once per platform message. It works on the grid through the
// grid's public operations and on the window through IGridWindow; with no window it does
// nothing.
//
// Left button: the press gives the grid the focus and the mouse, starts selecting (and the
// auto-scroll timer), makes the pressed cell current (Shift moves the anchor there instead),
// and last raises OnClickCell once, row first. Moves and auto-scroll ticks while selecting move
// the anchor; the release stops selecting and gives the mouse back. A double-click's second
// press moves nothing and raises OnDblClick and OnDblClickCell. Keys, the wheel and panning
// change the current cell and scroll; OnClickCell belongs to presses alone.
//
// A failing handler's exception leaves the call at once, the state as far as it got; the host
// runs every call through Guarded(), which ends the press cleanly before the failure is reported.
class TGridInput {
 public:
  // The auto-scroll timer runs while a mouse selection is under way.
  static constexpr std::int32_t kAutoScrollTimer = 1;
  static constexpr std::int32_t kAutoScrollInterval = 60;
  // The pan timer runs while middle-button panning is active.
  static constexpr std::int32_t kPanTimer = 999;
  static constexpr std::int32_t kPanInterval = 10;
  // How far the pointer must be above or below the pan origin before the current cell runs.
  static constexpr std::int32_t kPanDeadZone = 5;
  // One notch of the wheel in the units of MouseWheel's delta, on either platform.
  static constexpr std::int32_t kWheelNotch = 120;
  // The Ctrl+wheel zoom total stays within -kZoomLimit..kZoomLimit pixels.
  static constexpr std::int32_t kZoomLimit = 10;

  explicit TGridInput(TCellGrid& grid);
  TGridInput(const TGridInput&) = delete;
  TGridInput& operator=(const TGridInput&) = delete;

  // The grid has been given a window: the platform's wheel-lines setting is read now, once.
  void WindowAttached();

  // ---- Mouse (client coordinates) ----

  // A button goes down (a double-click's second press comes as MouseDoubleClick). Panning ends
  // first.
  void MouseDown(TMouseButton button, TShiftState shift, TPoint point);
  // A double-click's second press, which comes instead of MouseDown. The left button raises
  // OnDblClick and OnDblClickCell only; other buttons are handled as a press with ssDouble.
  void MouseDoubleClick(TMouseButton button, TShiftState shift, TPoint point);
  void MouseMove(TShiftState shift, TPoint point);
  void MouseUp(TMouseButton button, TShiftState shift, TPoint point);
  // One of the three above, as `action` says: a host passes every button message here.
  void MouseButton(TMouseAction action, TMouseButton button, TShiftState shift, TPoint point);
  // Give up the mouse operation under way: the capture goes, a left button held for the grid is
  // released at (-1, -1) (OnClick, OnMouseUp), panning ends and the state becomes idle.
  void CancelMode();

  // ---- Keyboard, wheel, focus, timers ----

  // A key-down message. Tab and Shift+Tab are left to the focus chain, unused. Any other key ends
  // panning, raises OnKeyDown (which may change the key, 0 to swallow
  // it), then moves as the key asks. `key` 0 stands for a key without a code here. Returns
  // whether the grid used the key; unused keys may go on to the window's other handlers.
  bool KeyDown(std::uint16_t key, TShiftState shift);
  // A wheel message as the platform gives it: `delta` in 120ths of a notch, positive away from
  // the user, with the pointer at `point`. Fine-grained wheels send parts of a notch; they add up
  // to whole ones, and a turn the other way starts afresh.
  void MouseWheel(std::int32_t delta, TShiftState shift, TPoint point);
  // One whole notch of the wheel.
  void WheelNotch(TWheelTurn turn, TShiftState shift, TPoint point);
  // The grid's window gained or lost the keyboard focus.
  void FocusGained();
  void FocusLost();
  // A tick of one of the grid's timers. They run on the installed timer source, which calls this
  // through Guarded.
  void Timer(std::int32_t id);

  // Runs grid input where the platform called us. A handler that fails leaves its press half
  // done, so the grid gives up its mouse operation (CancelMode) before the failure goes to the
  // error report: the report finds the mouse free and the grid idle. Never throws.
  template <class TAction>
  void Guarded(TAction&& action) noexcept {
    try {
      std::forward<TAction>(action)();
    } catch (...) {
      CancelAndReport(std::current_exception());
    }
  }

  // ---- State ----

  bool Panning() const { return panning_; }
  // The pointer's shape over the grid, as the window was last told.
  TGridCursor Cursor() const { return cursor_; }
  TPoint PanOrigin() const { return pan_origin_; }
  // Where the last left press that OnCanClickCell allowed went down, in client coordinates.
  TPoint PressPos() const { return press_pos_; }
  // L: how many rows one notch moves, and how many pixels one Ctrl notch zooms.
  std::int32_t WheelLines() const { return wheel_lines_; }

 private:
  enum class TPanDirection { kNone, kUp, kDown };

  IGridWindow* Window() const;

  void LeftDown(TShiftState shift, TPoint point);
  void LeftDoubleClick(TShiftState shift, TPoint point);
  void RightDown(TShiftState shift, TPoint point);
  void MiddleDown(TShiftState shift, TPoint point);
  // The handling every press shares: capture and the selecting state for the left button, the
  // focus, OnDblClick, OnMouseDown and OnSelectionChanged. `cell` is the cell under `point`, as
  // the press found it.
  void PressCommon(TMouseButton button, TShiftState shift, TPoint point, TCellCoord cell);
  void StartSelecting(TCellCoord cell, TShiftState shift);
  void LeftUp(TShiftState shift, TPoint point);
  void SelectTo(TPoint point);
  void AutoScroll();

  void StartPanning(TPoint origin);
  void EndPanning();
  void Pan();
  void SetCursor(TGridCursor cursor);

  void MoveByKey(std::uint16_t key, TShiftState shift);
  void Zoom(std::int32_t amount);
  void WheelRows(TWheelTurn turn);
  void WheelStep(TWheelTurn turn, TShiftState shift, TPoint point);

  // Guarded's failure path: CancelMode, then the report of `error`, then that of any failure of
  // CancelMode's own handlers.
  void CancelAndReport(std::exception_ptr error) noexcept;

  // Raises OnSelectionChanged when the selection is no longer `before`.
  void SelectionChangedSince(const TGridRect& before);

  TCellGrid& grid_;
  std::int32_t wheel_lines_ = 3;
  // Wheel turn not yet counted as a whole notch, in the units of MouseWheel's delta.
  std::int32_t wheel_remainder_ = 0;
  TPoint press_pos_;
  // The grid holds the capture for a left press whose release it has not seen.
  bool left_down_ = false;
  bool panning_ = false;
  TPoint pan_origin_;
  TGridCursor cursor_ = TGridCursor::crDefault;
  TGridCursor cursor_before_pan_ = TGridCursor::crDefault;
  TTimer auto_scroll_timer_;
  TTimer pan_timer_;
};

}  // namespace zelvorn
