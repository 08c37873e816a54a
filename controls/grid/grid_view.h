#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "controls/grid/grid_layout.h"
#include "controls/grid/grid_model.h"
#include "controls/grid/grid_types.h"
#include "controls/grid/grid_window.h"
#include "platform/geometry.h"

namespace zelvorn {

// What of the model shows, and where: the window the grid is shown in (or the size the grid has
// without one), the layout kept for its client area, the first visible lines and the scroll
// bars, the repaint marks and the update lock. Of the model it changes the first visible lines
// only; the owner tells it, through DropLayout, when anything else the layout depends on changes.
//
// Without a window nothing is marked or scrolled and the bars are left alone; the client area
// is then the size less the 2-pixel edge on each side.
class TGridView {
 public:
  // The range of a bar that can scroll is 0..kScrollRangeMax.
  static constexpr std::int32_t kScrollRangeMax = 127;
  // The window's sunken edge, on each side.
  static constexpr std::int32_t kClientEdge = 2;

  explicit TGridView(TGridModel& model) : model_(model) {}
  TGridView(const TGridView&) = delete;
  TGridView& operator=(const TGridView&) = delete;

  // Called after the first visible lines have moved.
  std::function<void()> TopLeftChanged;

  // Connects the window (nullptr disconnects it); while connected, its size is the grid's.
  void AttachWindow(IGridWindow* window);
  IGridWindow* Window() const { return window_; }

  std::int32_t Width() const;
  std::int32_t Height() const;
  void SetWidth(std::int32_t width);
  void SetHeight(std::int32_t height);
  TRect ClientRect() const;

  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle scroll_bars);

  // The layout of the client area, computed when first asked for and kept until DropLayout or a
  // new client size.
  TGridLayout Layout() const;
  // The layout of the model in a client area of another size; never kept.
  TGridLayout LayoutFor(std::int32_t client_width, std::int32_t client_height) const;
  void DropLayout() { kept_layout_.reset(); }

  // A scroll bar's action, with the thumb position for scPosition and scTrack: takes the focus
  // when the window can have it and moves the first visible line, passing over lines of size 0.
  void ScrollMessage(TScrollBarKind bar, TScrollCode code, std::int32_t thumb);
  // Moves the first visible lines: the window's pixels move along, or everything is marked when
  // the jump is longer than the visible scrollable part; the thumbs follow.
  void MoveTopLeft(TCellCoord top_left);
  // Scrolls as little as needed to show a cell whole; nothing without a window.
  void ScrollIntoView(TCellCoord cell);
  // Gives each bar the range 0..127 if its axis can scroll in the client area the bars leave,
  // else 0..0; a view further on than the last useful first line is moved back to it. Only while
  // the window is showing and there are bars.
  void UpdateScrollRanges();
  // Writes each thumb's position (the first visible line's place between the fixed lines and the
  // last useful first line, scaled to 0..127) where it changed.
  void UpdateScrollPositions();
  // Takes away a bar that the scroll style no longer allows.
  void HideDisallowedBars();

  // Repaint marks, made without erasing; nothing without a window. A cell is marked with its
  // trailing line.
  void RepaintCell(std::int32_t col, std::int32_t row);
  void InvalidateCells(const TGridRect& cells);
  void InvalidateRect(const TRect& rect);
  void InvalidateGrid();
  void InvalidateFrame();

  // While more BeginUpdate than EndUpdate calls have been made, nothing is painted; the
  // EndUpdate that releases the lock marks the whole control and its frame. An EndUpdate
  // without a BeginUpdate does nothing.
  void BeginUpdate() { ++update_count_; }
  void EndUpdate();
  bool UpdateLocked() const { return update_count_ > 0; }

 private:
  struct TKeptLayout {
    TGridLayout layout;
    std::int32_t width = 0;
    std::int32_t height = 0;
  };

  void SetFirstLines(TCellCoord top_left);
  void TopLeftMoved(TCellCoord old_top_left);
  void ScrollData(const TGridLayout& layout, std::int32_t dx, std::int32_t dy);
  bool HasBar(TScrollBarKind bar) const;
  void UpdateAxisRange(TScrollBarKind bar, std::int32_t width, std::int32_t height, bool& flushed);

  TGridModel& model_;
  IGridWindow* window_ = nullptr;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  TScrollStyle scroll_bars_ = TScrollStyle::ssBoth;
  // True during UpdateScrollRanges: a bar it shows or hides resizes the client area, and that
  // resize must not start another update inside this one.
  bool updating_scroll_ranges_ = false;
  mutable std::optional<TKeptLayout> kept_layout_;
  std::int32_t update_count_ = 0;
};

}  // namespace zelvorn
