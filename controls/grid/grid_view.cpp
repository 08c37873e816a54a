#include "controls/grid/grid_view.h"

#include <algorithm>
#include <cstdlib>

namespace zelvorn {

namespace {

using enum TGridOption;

// The signed pixel distance the contents move when the first line changes from `from` to `to`:
// positive when lines come in at the start. Stops counting once it passes `limit`, since any
// jump beyond the visible part is repainted rather than scrolled.
std::int32_t ScrollAmount(const TAxisLayout& axis, std::int32_t from, std::int32_t to,
                          std::int32_t limit) {
  const std::int32_t low = std::min(from, to);
  const std::int32_t high = std::max(from, to);
  std::int64_t amount = 0;
  for (std::int32_t i = low; i < high && amount <= limit; ++i) {
    amount += std::int64_t{axis.Size(i)} + axis.LineWidth;
  }
  amount = std::min<std::int64_t>(amount, std::int64_t{limit} + 1);
  return static_cast<std::int32_t>(to > from ? -amount : amount);
}

// Holds a flag up for the life of a scope.
class TRangeUpdate {
 public:
  explicit TRangeUpdate(bool& flag) : flag_(flag) { flag_ = true; }
  TRangeUpdate(const TRangeUpdate&) = delete;
  TRangeUpdate& operator=(const TRangeUpdate&) = delete;
  ~TRangeUpdate() { flag_ = false; }

 private:
  bool& flag_;
};

}  // namespace

void TGridView::SetFirstLines(TCellCoord top_left) {
  model_.TopLeft = top_left;
  DropLayout();
}

void TGridView::AttachWindow(IGridWindow* window) {
  if (window_ == window) return;
  if (window_ != nullptr) {
    width_ = window_->Width();
    height_ = window_->Height();
  }
  window_ = window;
}

void TGridView::ScrollMessage(TScrollBarKind bar, TScrollCode code, std::int32_t thumb) {
  if (window_ != nullptr && window_->CanFocus()) window_->SetFocus();
  const TGridLayout layout = Layout();
  const TCellCoord max =
      zelvorn::LargestTopLeft(layout, {model_.ColCount - 1, model_.RowCount - 1});
  const bool horizontal = bar == TScrollBarKind::sbHorizontal;
  const TAxisLayout& axis = horizontal ? layout.Horz : layout.Vert;
  const std::int32_t low = axis.FixedCount;
  const std::int32_t high = std::max(low, horizontal ? max.X : max.Y);
  // Paging up brings in as many lines as fit before the first one, so that it ends up last.
  const std::int32_t page_up_target = zelvorn::LargestTopLeft(axis, axis.FirstCell);

  const auto next = [&](std::int32_t a) -> std::int32_t {
    switch (code) {
      case TScrollCode::scLineUp:
        return a - 1;
      case TScrollCode::scLineDown:
        return a + 1;
      case TScrollCode::scPageUp:
        return a - std::max(1, a - page_up_target);
      case TScrollCode::scPageDown:
        return a + std::max(1, axis.LastFullCell - a);
      case TScrollCode::scTrack:
        if (!model_.Options.Has(goThumbTracking)) return a;
        [[fallthrough]];
      case TScrollCode::scPosition:
        return low + MulDiv(thumb, high - low, kScrollRangeMax);
      case TScrollCode::scTop:
        return low;
      case TScrollCode::scBottom:
        return high;
      case TScrollCode::scEndScroll:
        break;
    }
    return a;
  };

  // Lines of size 0 cannot be seen, so a step that lands on one goes on in the same way.
  std::int32_t previous = axis.FirstCell;
  std::int32_t target = next(previous);
  while (target > low && target < high && axis.Size(target) <= 0 && target != previous) {
    previous = target;
    target = next(target);
  }
  target = std::clamp(target, low, high);

  TCellCoord top_left = model_.TopLeft;
  (horizontal ? top_left.X : top_left.Y) = target;
  MoveTopLeft(top_left);
}

std::int32_t TGridView::Width() const { return window_ != nullptr ? window_->Width() : width_; }

std::int32_t TGridView::Height() const { return window_ != nullptr ? window_->Height() : height_; }

void TGridView::SetWidth(std::int32_t width) {
  if (window_ != nullptr) {
    window_->SetSize(width, Height());
  } else {
    width_ = width;
  }
}

void TGridView::SetHeight(std::int32_t height) {
  if (window_ != nullptr) {
    window_->SetSize(Width(), height);
  } else {
    height_ = height;
  }
}

TRect TGridView::ClientRect() const {
  if (window_ != nullptr) return window_->ClientRect();
  return {0, 0, std::max(0, width_ - 2 * kClientEdge), std::max(0, height_ - 2 * kClientEdge)};
}

void TGridView::SetScrollBars(TScrollStyle scroll_bars) {
  if (scroll_bars == scroll_bars_) return;
  scroll_bars_ = scroll_bars;
  HideDisallowedBars();
  UpdateScrollRanges();
}

TGridLayout TGridView::Layout() const {
  const TRect client = ClientRect();
  if (!kept_layout_ || kept_layout_->width != client.Width() ||
      kept_layout_->height != client.Height()) {
    kept_layout_ =
        TKeptLayout{LayoutFor(client.Width(), client.Height()), client.Width(), client.Height()};
  }
  return kept_layout_->layout;
}

TGridLayout TGridView::LayoutFor(std::int32_t client_width, std::int32_t client_height) const {
  return zelvorn::CalcLayout(model_, client_width, client_height);
}

void TGridView::MoveTopLeft(TCellCoord top_left) {
  if (top_left == model_.TopLeft) return;
  const TCellCoord old_top_left = model_.TopLeft;
  // Pending repaints must land before the pixels move, or they would land in the wrong place.
  if (window_ != nullptr) window_->FlushPaints();
  SetFirstLines(top_left);
  UpdateScrollPositions();
  TopLeftMoved(old_top_left);
}

void TGridView::TopLeftMoved(TCellCoord old_top_left) {
  if (window_ != nullptr) {
    const TGridLayout layout = Layout();
    const std::int32_t room_x = layout.Horz.CellsEnd - layout.Horz.FixedEnd;
    const std::int32_t room_y = layout.Vert.CellsEnd - layout.Vert.FixedEnd;
    const std::int32_t dx = ScrollAmount(layout.Horz, old_top_left.X, model_.TopLeft.X, room_x);
    const std::int32_t dy = ScrollAmount(layout.Vert, old_top_left.Y, model_.TopLeft.Y, room_y);
    if (std::abs(dx) > room_x || std::abs(dy) > room_y) {
      InvalidateGrid();
    } else {
      ScrollData(layout, dx, dy);
    }
  }
  if (TopLeftChanged) TopLeftChanged();
}

void TGridView::ScrollData(const TGridLayout& layout, std::int32_t dx, std::int32_t dy) {
  if (dx == 0 && dy == 0) return;
  const TAxisLayout& h = layout.Horz;
  const TAxisLayout& v = layout.Vert;
  const auto scroll = [this](const TRect& area, std::int32_t x, std::int32_t y) {
    if (!area.IsEmpty()) window_->ScrollContents(area, x, y);
  };
  if (dy == 0) {
    scroll({h.FixedEnd, 0, h.Extent, v.Extent}, dx, 0);
  } else if (dx == 0) {
    scroll({0, v.FixedEnd, h.Extent, v.Extent}, 0, dy);
  } else {
    // The fixed header bands move along one axis only; the data area moves along both.
    scroll({h.FixedEnd, 0, h.Extent, v.FixedEnd}, dx, 0);
    scroll({0, v.FixedEnd, h.FixedEnd, v.Extent}, 0, dy);
    scroll({h.FixedEnd, v.FixedEnd, h.Extent, v.Extent}, dx, dy);
  }
  if (model_.Options.Has(goRowSelect)) InvalidateCells(model_.Selection());
}

void TGridView::ScrollIntoView(TCellCoord cell) {
  if (window_ == nullptr) return;
  const TGridLayout layout = Layout();
  // A fixed line is always in view, so it never moves the view.
  const auto first_showing = [](const TAxisLayout& axis, std::int32_t index) {
    if (index < axis.FixedCount) return axis.FirstCell;
    if (index < axis.FirstCell) return index;
    if (index > axis.LastFullCell) return zelvorn::LargestTopLeft(axis, index);
    return axis.FirstCell;
  };
  MoveTopLeft({first_showing(layout.Horz, cell.X), first_showing(layout.Vert, cell.Y)});
}

bool TGridView::HasBar(TScrollBarKind bar) const {
  if (bar == TScrollBarKind::sbHorizontal) {
    return scroll_bars_ == TScrollStyle::ssHorizontal || scroll_bars_ == TScrollStyle::ssBoth;
  }
  return scroll_bars_ == TScrollStyle::ssVertical || scroll_bars_ == TScrollStyle::ssBoth;
}

void TGridView::UpdateScrollRanges() {
  if (scroll_bars_ == TScrollStyle::ssNone || window_ == nullptr || !window_->Showing() ||
      updating_scroll_ranges_) {
    return;
  }
  using enum TScrollBarKind;
  // Judge first as if no bar were shown: a bar that is shown now must not decide for itself.
  const TRect client = window_->ClientRect();
  std::int32_t width = client.Width();
  std::int32_t height = client.Height();
  if (window_->ScrollBarShown(sbHorizontal)) height += window_->ScrollBarThickness(sbHorizontal);
  if (window_->ScrollBarShown(sbVertical)) width += window_->ScrollBarThickness(sbVertical);

  const TCellCoord old_top_left = model_.TopLeft;
  {
    const TRangeUpdate updating(updating_scroll_ranges_);
    bool flushed = false;
    if (HasBar(sbHorizontal)) UpdateAxisRange(sbHorizontal, width, height, flushed);
    // The horizontal bar may have come or gone and changed the height.
    height = window_->ClientRect().Height();
    if (HasBar(sbVertical)) UpdateAxisRange(sbVertical, width, height, flushed);
    // A vertical bar that came or went changes the width: judge the columns again.
    if (HasBar(sbHorizontal) && window_->ClientRect().Width() != width) {
      width = window_->ClientRect().Width();
      UpdateAxisRange(sbHorizontal, width, height, flushed);
    }
  }
  UpdateScrollPositions();
  if (model_.TopLeft != old_top_left) TopLeftMoved(old_top_left);
}

void TGridView::UpdateAxisRange(TScrollBarKind bar, std::int32_t width, std::int32_t height,
                                bool& flushed) {
  const TGridLayout layout = LayoutFor(width, height);
  const TCellCoord max =
      zelvorn::LargestTopLeft(layout, {model_.ColCount - 1, model_.RowCount - 1});
  const bool horizontal = bar == TScrollBarKind::sbHorizontal;
  const std::int32_t fixed = horizontal ? model_.FixedCols : model_.FixedRows;
  const std::int32_t largest = horizontal ? max.X : max.Y;
  window_->SetScrollRange(bar, 0, fixed < largest ? kScrollRangeMax : 0);
  const std::int32_t first = horizontal ? model_.TopLeft.X : model_.TopLeft.Y;
  if (first > largest) {
    if (!flushed) {
      window_->FlushPaints();
      flushed = true;
    }
    TCellCoord top_left = model_.TopLeft;
    (horizontal ? top_left.X : top_left.Y) = largest;
    SetFirstLines(top_left);
  }
}

void TGridView::UpdateScrollPositions() {
  if (window_ == nullptr || scroll_bars_ == TScrollStyle::ssNone) return;
  const TGridLayout layout = Layout();
  const TCellCoord max =
      zelvorn::LargestTopLeft(layout, {model_.ColCount - 1, model_.RowCount - 1});
  const auto write = [this](TScrollBarKind bar, std::int32_t first, std::int32_t fixed,
                            std::int32_t largest) {
    // An axis that cannot scroll has an empty range, where only position 0 exists.
    const std::int32_t pos =
        largest > fixed ? std::clamp(MulDiv(first - fixed, kScrollRangeMax, largest - fixed), 0,
                                     kScrollRangeMax)
                        : 0;
    if (pos != window_->ScrollPos(bar)) window_->SetScrollPos(bar, pos);
  };
  if (HasBar(TScrollBarKind::sbHorizontal)) {
    write(TScrollBarKind::sbHorizontal, model_.TopLeft.X, model_.FixedCols, max.X);
  }
  if (HasBar(TScrollBarKind::sbVertical)) {
    write(TScrollBarKind::sbVertical, model_.TopLeft.Y, model_.FixedRows, max.Y);
  }
}

void TGridView::HideDisallowedBars() {
  if (window_ == nullptr) return;
  for (TScrollBarKind bar : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical}) {
    if (!HasBar(bar) && window_->ScrollBarShown(bar)) window_->SetScrollRange(bar, 0, 0);
  }
}

void TGridView::RepaintCell(std::int32_t col, std::int32_t row) {
  if (window_ == nullptr) return;
  InvalidateRect(zelvorn::CellBounds(Layout(), {col, row, col, row}, TTrailingLine::kInclude));
}

void TGridView::InvalidateCells(const TGridRect& cells) {
  if (window_ == nullptr) return;
  InvalidateRect(zelvorn::CellBounds(Layout(), cells, TTrailingLine::kInclude));
}

void TGridView::InvalidateRect(const TRect& rect) {
  if (window_ != nullptr && !rect.IsEmpty()) window_->Invalidate(rect);
}

void TGridView::InvalidateGrid() {
  if (window_ != nullptr) InvalidateRect(window_->ClientRect());
}

void TGridView::InvalidateFrame() {
  if (window_ != nullptr) window_->InvalidateFrame();
}

void TGridView::EndUpdate() {
  if (update_count_ == 0) return;
  if (--update_count_ > 0) return;
  InvalidateGrid();
  InvalidateFrame();
}

}  // namespace zelvorn
