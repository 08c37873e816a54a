#pragma once

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "controls/grid/cell_grid.h"
#include "controls/grid/grid_input.h"
#include "controls/grid/grid_window.h"
#include "platform/format.h"
#include "platform/timer.h"

namespace zelvorn::testing {

inline std::string ToText(const TRect& r) {
  return Format("(%d,%d,%d,%d)", {r.Left, r.Top, r.Right, r.Bottom});
}

// A window for the grid that records what the grid asks of it, as a log of readable lines:
//   "invalidate (l,t,r,b)", "flush", "scroll (l,t,r,b) by (dx,dy)", "hbar 0..127", "vpos 40",
//   "start timer 60", "stop timer 60" (by the timer's interval), "capture", "release capture",
//   "focus", "cursor 2", "cancel mode", "draw pan origin (x,y)", "erase pan origin".
// Like a real window, it has a 2-pixel edge, its client area loses a bar's thickness as soon as
// a range shows the bar, and it tells the grid at once when its client area changes size. It is
// the timer source for as long as it lives; tests deliver the ticks themselves.
class FakeGridWindow : public IGridWindow, public ITimerSource {
 public:
  static constexpr std::int32_t kBarThickness = 17;

  FakeGridWindow(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}

  // Connects the grid, and the input that this window's messages go to when there is one; from
  // then on this window's size is the grid's.
  void Attach(TCellGrid& grid, TGridInput* input = nullptr) {
    grid_ = &grid;
    input_ = input;
    grid.View().AttachWindow(this);
    if (input != nullptr) input->WindowAttached();
  }
  // Puts the window on screen.
  void Show() {
    showing_ = true;
    if (grid_ != nullptr) grid_->WindowShown();
  }
  // The log since the last call, which empties it.
  std::vector<std::string> TakeLog() { return std::exchange(log_, {}); }
  const std::vector<std::string>& Log() const { return log_; }

  bool Showing() const override { return showing_; }
  std::int32_t Width() const override { return width_; }
  std::int32_t Height() const override { return height_; }
  void SetSize(std::int32_t width, std::int32_t height) override {
    const TRect before = ClientRect();
    width_ = width;
    height_ = height;
    ClientMayHaveChanged(before);
  }
  TRect ClientRect() const override {
    const std::int32_t width =
        width_ - 4 - (ScrollBarShown(TScrollBarKind::sbVertical) ? kBarThickness : 0);
    const std::int32_t height =
        height_ - 4 - (ScrollBarShown(TScrollBarKind::sbHorizontal) ? kBarThickness : 0);
    return {0, 0, std::max(0, width), std::max(0, height)};
  }

  void Invalidate(const TRect& rect) override { log_.push_back("invalidate " + ToText(rect)); }
  void FlushPaints() override { log_.push_back("flush"); }
  void ScrollContents(const TRect& area, std::int32_t dx, std::int32_t dy) override {
    log_.push_back("scroll " + ToText(area) + Format(" by (%d,%d)", {dx, dy}));
  }
  void InvalidateFrame() override { log_.push_back("invalidate frame"); }

  void SetScrollRange(TScrollBarKind bar, std::int32_t min, std::int32_t max) override {
    const TRect before = ClientRect();
    TBar& state = bars_[bar];
    if (state.min == min && state.max == max) return;
    state.min = min;
    state.max = max;
    state.pos = std::clamp(state.pos, min, std::max(min, max));
    log_.push_back(Format("%sbar %d..%d", {Name(bar), min, max}));
    ClientMayHaveChanged(before);
  }
  bool ScrollBarShown(TScrollBarKind bar) const override {
    const TBar& state = Bar(bar);
    return state.min < state.max;
  }
  std::int32_t ScrollPos(TScrollBarKind bar) const override { return Bar(bar).pos; }
  void SetScrollPos(TScrollBarKind bar, std::int32_t pos) override {
    TBar& state = bars_[bar];
    state.pos = std::clamp(pos, state.min, std::max(state.min, state.max));
    log_.push_back(Format("%spos %d", {Name(bar), pos}));
  }
  std::int32_t ScrollBarThickness(TScrollBarKind) const override { return kBarThickness; }
  std::pair<std::int32_t, std::int32_t> ScrollRange(TScrollBarKind bar) const {
    return {Bar(bar).min, Bar(bar).max};
  }

  std::uintptr_t StartTimer(TTimer&, std::uint32_t interval_ms) override {
    timers_[++last_timer_] = interval_ms;
    log_.push_back(Format("start timer %d", {static_cast<std::int32_t>(interval_ms)}));
    return last_timer_;
  }
  void StopTimer(std::uintptr_t id) override {
    log_.push_back(Format("stop timer %d", {static_cast<std::int32_t>(timers_.at(id))}));
    timers_.erase(id);
  }
  bool TimerRunning(std::int32_t interval_ms) const {
    return std::ranges::any_of(timers_, [&](const auto& timer) {
      return timer.second == static_cast<std::uint32_t>(interval_ms);
    });
  }
  bool AnyTimerRunning() const { return !timers_.empty(); }

  void SetCapture() override {
    capture_ = true;
    log_.push_back("capture");
  }
  void ReleaseCapture() override {
    capture_ = false;
    log_.push_back("release capture");
  }
  bool HasCapture() const override { return capture_; }
  // Only other controls would be told; the grid ends its own operation itself.
  void SendCancelModeToFocused() override { log_.push_back("cancel mode"); }

  bool CanFocus() const override { return showing_ && can_focus; }
  void SetFocus() override {
    const bool gained = !focused_;
    focused_ = true;
    active_control = true;
    log_.push_back("focus");
    if (reports_focus && gained && input_ != nullptr) input_->FocusGained();
  }
  bool Focused() const override { return focused_; }
  bool IsActiveControl() const override { return active_control; }
  // The keyboard focus leaves the window. Clear `active_control` too when it goes to another
  // control of the same window rather than to another window.
  void LoseFocus() {
    const bool lost = focused_;
    focused_ = false;
    if (reports_focus && lost && input_ != nullptr) input_->FocusLost();
  }

  TPoint PointerPos() const override { return pointer; }
  void SetCursor(TGridCursor shape) override {
    cursor = shape;
    log_.push_back(Format("cursor %d", {static_cast<std::int32_t>(shape)}));
  }
  std::int32_t WheelScrollLines() const override { return wheel_lines; }
  void DrawPanOrigin(TPoint origin) override {
    log_.push_back(Format("draw pan origin (%d,%d)", {origin.X, origin.Y}));
  }
  void ErasePanOrigin() override { log_.push_back("erase pan origin"); }

  bool can_focus = true;
  // Whether the grid hears of focus changes, as from a real window. Off, tests of other matters
  // see only the marks they cause themselves.
  bool reports_focus = false;
  bool active_control = false;
  TPoint pointer;
  TGridCursor cursor = TGridCursor::crDefault;
  std::int32_t wheel_lines = 3;

 private:
  struct TBar {
    std::int32_t min = 0;
    std::int32_t max = 0;
    std::int32_t pos = 0;
  };

  static const char* Name(TScrollBarKind bar) {
    return bar == TScrollBarKind::sbHorizontal ? "h" : "v";
  }
  const TBar& Bar(TScrollBarKind bar) const {
    static const TBar kHidden;
    const auto found = bars_.find(bar);
    return found == bars_.end() ? kHidden : found->second;
  }
  // A real window reports a new client size to its control straight away.
  void ClientMayHaveChanged(const TRect& before) {
    if (grid_ != nullptr && ClientRect() != before) grid_->WindowResized();
  }

  TCellGrid* grid_ = nullptr;
  TGridInput* input_ = nullptr;
  std::int32_t width_;
  std::int32_t height_;
  bool showing_ = false;
  bool capture_ = false;
  bool focused_ = false;
  std::map<TScrollBarKind, TBar> bars_;
  std::map<std::uintptr_t, std::uint32_t> timers_;  // by id, the interval
  std::uintptr_t last_timer_ = 0;
  std::vector<std::string> log_;
  TScopedTimerSource timer_scope_{*this};
};

// Changes one painting property of a grid, as a change of its whole appearance.
template <class T>
void ChangeAppearance(TCellGrid& grid, T TGridAppearance::*property,
                      std::type_identity_t<T> value) {
  TGridAppearance appearance = grid.Appearance();
  appearance.*property = value;
  grid.SetAppearance(appearance);
}

// What the main window's stored layout loads into its grid.
inline void LoadStoredLayout(TCellGrid& grid) {
  grid.SetFixedCols(0);
  grid.SetFixedRows(0);
  grid.SetRowCount(5);
  grid.SetDefaultColWidth(110);
  grid.SetDefaultRowHeight(105);
}

// What the start of a run does to the grid, before it writes the board.
inline void SizeForRun(TCellGrid& grid, std::int32_t n) {
  grid.SetRowCount(n);
  grid.SetColCount(n);
  TFont font = grid.Font();
  font.SetSize(48 - 2 * n);
  grid.SetFont(font);
  grid.SetDefaultColWidth((grid.View().Width() - 10) / n);
  grid.SetDefaultRowHeight((grid.View().Height() - 10) / n);
}

}  // namespace zelvorn::testing
