#include "controls/grid/cell_grid.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/exceptions.h"
#include "platform/messages.h"

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

TCellGrid::TCellGrid() : TCellGrid(TThemes::kInactive) {}

TCellGrid::TCellGrid(TThemes themes)
    : store_(model_.RowCount), themes_active_(themes == TThemes::kActive) {
  // Lines are painted within each cell's own box: cells sit edge to edge.
  ChangeLines().LineWidth = 0;
  ChangeLines().Options.Include(goDrawFocusSelected);
  SetRowCount(10);
  SetWidth(400);
  SetHeight(250);
  SetDefaultRowHeight(21);
}

// ---- The window ----

void TCellGrid::AttachWindow(IGridWindow* window) {
  if (window_ == window) return;
  if (window_ != nullptr) {
    width_ = window_->Width();
    height_ = window_->Height();
  }
  window_ = window;
}

void TCellGrid::WindowShown() { UpdateScrollRanges(); }

void TCellGrid::WindowResized() {
  UpdateScrollRanges();
  HideDisallowedBars();
}

void TCellGrid::ScrollMessage(TScrollBarKind bar, TScrollCode code, std::int32_t thumb) {
  if (window_ != nullptr && window_->CanFocus()) window_->SetFocus();
  const TGridLayout layout = CalcLayout();
  const TCellCoord max = zelvorn::LargestTopLeft(layout, {ColCount() - 1, RowCount() - 1});
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
        if (!Options().Has(goThumbTracking)) return a;
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

  TCellCoord top_left = TopLeft();
  (horizontal ? top_left.X : top_left.Y) = target;
  MoveTopLeft(top_left);
}

// ---- Size of the control ----

std::int32_t TCellGrid::Width() const { return window_ != nullptr ? window_->Width() : width_; }
std::int32_t TCellGrid::Height() const { return window_ != nullptr ? window_->Height() : height_; }

void TCellGrid::SetWidth(std::int32_t width) {
  if (window_ != nullptr) {
    window_->SetSize(width, Height());
  } else {
    width_ = width;
  }
}

void TCellGrid::SetHeight(std::int32_t height) {
  if (window_ != nullptr) {
    window_->SetSize(Width(), height);
  } else {
    height_ = height;
  }
}

TRect TCellGrid::ClientRect() const {
  if (window_ != nullptr) return window_->ClientRect();
  return {0, 0, std::max(0, width_ - 2 * kClientEdge), std::max(0, height_ - 2 * kClientEdge)};
}

// ---- Counts, fixed counts and sizes ----

void TCellGrid::SetColCount(std::int32_t count) {
  if (count == ColCount()) return;
  count = std::max(count, 1);
  if (FixedCols() >= count) SetFixedCols(count - 1);
  ChangeSize(count, RowCount());
  if (Options().Has(goRowSelect)) {
    model_.Anchor.X = ColCount() - 1;
    InvalidateGrid();
  }
}

void TCellGrid::SetRowCount(std::int32_t count) {
  if (count != RowCount()) {
    count = std::max(count, 1);
    if (FixedRows() >= count) SetFixedRows(count - 1);
    ChangeSize(ColCount(), count);
  }
  row_count_set_ = count;
}

void TCellGrid::ChangeSize(std::int32_t new_cols, std::int32_t new_rows) {
  std::optional<TOldView> old_view;
  if (window_ != nullptr) {
    const TGridLayout old_layout = CalcLayout();
    old_view = TOldView{TopLeft(), {old_layout.Horz.LastFullCell, old_layout.Vert.LastFullCell}};
  }
  const std::int32_t old_cols = ColCount(), old_rows = RowCount();
  const std::int32_t old_fixed_cols = FixedCols(), old_fixed_rows = FixedRows();

  TGridModel& lines = ChangeLines();
  lines.ColCount = new_cols;
  lines.RowCount = new_rows;
  if (new_cols < FixedCols()) lines.FixedCols = new_cols - 1;
  if (new_rows < FixedRows()) lines.FixedRows = new_rows - 1;
  try {
    ResizeSizeLists();
  } catch (...) {
    lines.ColCount = old_cols;
    lines.RowCount = old_rows;
    lines.FixedCols = old_fixed_cols;
    lines.FixedRows = old_fixed_rows;
    // One list may already have taken the new count: give it the old one back.
    ResizeSizeLists();
    FinishCountChange(old_view);
    InvalidateGrid();
    throw;
  }
  FinishCountChange(old_view);
}

void TCellGrid::ResizeSizeLists() {
  if (model_.ColWidths.Exists()) ChangeLines().ColWidths.Resize(ColCount(), DefaultColWidth());
  if (model_.RowHeights.Exists()) ChangeLines().RowHeights.Resize(RowCount(), DefaultRowHeight());
}

void TCellGrid::FinishCountChange(const std::optional<TOldView>& old_view) {
  TCellCoord clamped = Current();
  clamped.X = std::min(clamped.X, ColCount() - 1);
  clamped.Y = std::min(clamped.Y, RowCount() - 1);
  if (clamped != Current()) {
    MoveCurrentCell(clamped, TMoveAnchor::kYes, TShowCell::kYes, TSelectCheck::kApply);
    // The check may refuse the cell, but the current cell must not stay outside the grid.
    if (clamped != Current()) {
      MoveCurrentCell(clamped, TMoveAnchor::kYes, TShowCell::kYes, TSelectCheck::kSkip);
    }
  }
  // A count change always shrinks a range to the current cell, also one that still fits.
  if (Anchor() != clamped) MoveAnchor(clamped);
  if (old_view) RepaintCountStrips(*old_view);
  UpdateScrollRanges();
}

void TCellGrid::RepaintCountStrips(const TOldView& old_view) {
  if (old_view.first != TopLeft()) {
    InvalidateGrid();
    return;
  }
  // Lines before the first line that may have changed keep their pixels; repaint from that
  // line to the control's far edge on each axis.
  const TGridLayout layout = CalcLayout();
  const std::int32_t col = std::min(old_view.last_full.X, layout.Horz.LastFullCell);
  const TRect col_cell = zelvorn::CellBounds(layout, {col, 0});
  InvalidateRect({col_cell.Left, col_cell.Top, Width(), Height()});
  const std::int32_t row = std::min(old_view.last_full.Y, layout.Vert.LastFullCell);
  const TRect row_cell = zelvorn::CellBounds(layout, {0, row});
  InvalidateRect({row_cell.Left, row_cell.Top, Width(), Height()});
}

void TCellGrid::SetFixedCols(std::int32_t count) {
  if (count == FixedCols()) return;
  if (count < 0) throw EInvalidGridOperation(messages::kGridIndexOutOfRange);
  if (count >= ColCount()) throw EInvalidGridOperation(messages::kFixedColsTooBig);
  ChangeLines().FixedCols = count;
  ResetPositions();
}

void TCellGrid::SetFixedRows(std::int32_t count) {
  if (count == FixedRows()) return;
  if (count < 0) throw EInvalidGridOperation(messages::kGridIndexOutOfRange);
  if (count >= RowCount()) throw EInvalidGridOperation(messages::kFixedRowsTooBig);
  ChangeLines().FixedRows = count;
  ResetPositions();
}

void TCellGrid::ResetPositions() {
  ChangeLines().TopLeft = {FixedCols(), FixedRows()};
  model_.Current = model_.TopLeft;
  model_.Anchor = model_.Current;
  if (Options().Has(goRowSelect)) model_.Anchor.X = ColCount() - 1;
  InvalidateGrid();
  // The fixed count bounds the scrolling, so the bars must learn of it.
  UpdateScrollRanges();
}

void TCellGrid::SetDefaultColWidth(std::int32_t width) {
  TGridModel& lines = ChangeLines();
  lines.ColWidths.Free();
  lines.DefaultColWidth = width;
  ColWidthsChanged();
  InvalidateGrid();
}

void TCellGrid::SetDefaultRowHeight(std::int32_t height) {
  TGridModel& lines = ChangeLines();
  lines.RowHeights.Free();
  lines.DefaultRowHeight = height;
  RowHeightsChanged();
  InvalidateGrid();
}

void TCellGrid::SetColWidths(std::int32_t col, std::int32_t width) {
  if (!model_.ColWidths.Exists()) ChangeLines().ColWidths.Resize(ColCount(), DefaultColWidth());
  if (width == model_.ColWidths.At(col)) return;
  InvalidateGrid();
  ChangeLines().ColWidths.Set(col, width);
  ColWidthsChanged();
}

void TCellGrid::SetRowHeights(std::int32_t row, std::int32_t height) {
  if (!model_.RowHeights.Exists()) ChangeLines().RowHeights.Resize(RowCount(), DefaultRowHeight());
  if (height == model_.RowHeights.At(row)) return;
  InvalidateGrid();
  ChangeLines().RowHeights.Set(row, height);
  RowHeightsChanged();
}

void TCellGrid::SetOptions(TGridOptions options) {
  if (options == model_.Options) return;
  ChangeLines().Options = options;
  InvalidateGrid();
}

void TCellGrid::SetScrollBars(TScrollStyle scroll_bars) {
  if (scroll_bars == scroll_bars_) return;
  scroll_bars_ = scroll_bars;
  HideDisallowedBars();
  UpdateScrollRanges();
}

// ---- Cells ----

std::string TCellGrid::Cells(std::int32_t col, std::int32_t row) const {
  std::string text = store_.Read(col, row);
  if (row < row_count_set_ && Events.OnGetDisplText) Events.OnGetDisplText(*this, col, row, text);
  return text;
}

void TCellGrid::SetCells(std::int32_t col, std::int32_t row, const std::string& text) {
  store_.Write(col, row, text, ColCount());
  RepaintCell(col, row);
}

// ---- Current cell, anchor and selection ----

void TCellGrid::MoveCurrent(std::int32_t col, std::int32_t row, TMoveAnchor move_anchor,
                            TShowCell show) {
  MoveCurrentCell({col, row}, move_anchor, show, TSelectCheck::kApply);
}

void TCellGrid::MoveCurrentCell(TCellCoord cell, TMoveAnchor move_anchor, TShowCell show,
                                TSelectCheck check) {
  CheckCell(cell);
  if (check == TSelectCheck::kApply && !SelectCell(cell.X, cell.Y)) return;
  const TGridRect old_selection = Selection();
  const TCellCoord old_current = Current();
  model_.Current = cell;
  if (move_anchor == TMoveAnchor::kYes || !Options().Has(goRangeSelect)) {
    model_.Anchor = model_.Current;
    if (Options().Has(goRowSelect)) model_.Anchor.X = ColCount() - 1;
  }
  if (Options().Has(goRowSelect)) model_.Current.X = FixedCols();
  if (show == TShowCell::kYes) ScrollIntoView(Current());
  InvalidateSelectionChange(old_selection);
  RepaintCell(old_current.X, old_current.Y);
  RepaintCell(Col(), Row());
}

void TCellGrid::MoveAnchor(TCellCoord cell) {
  if (!Options().Has(goRangeSelect) || Options().Has(goEditing)) {
    MoveCurrent(cell.X, cell.Y, TMoveAnchor::kYes, TShowCell::kYes);
    return;
  }
  CheckCell(cell);
  const TGridRect old_selection = Selection();
  model_.Anchor = cell;
  if (Options().Has(goRowSelect)) model_.Anchor.X = ColCount() - 1;
  ScrollIntoView(cell);
  InvalidateSelectionChange(old_selection);
}

void TCellGrid::FocusCell(std::int32_t col, std::int32_t row, TMoveAnchor move_anchor) {
  MoveCurrent(col, row, move_anchor, TShowCell::kYes);
  if (Events.OnClick) Events.OnClick(*this);
}

void TCellGrid::SetSelection(const TGridRect& cells) {
  CheckCell({cells.Left, cells.Top});
  CheckCell({cells.Right, cells.Bottom});
  const TGridRect old_selection = Selection();
  model_.Anchor = {cells.Left, cells.Top};
  model_.Current = {cells.Right, cells.Bottom};
  InvalidateSelectionChange(old_selection);
}

bool TCellGrid::SelectCell(std::int32_t col, std::int32_t row) {
  if (col < 0 || row < 0) return true;
  if (IsFixedCell(col, row)) return false;
  RepaintCell(Col(), Row());
  bool can_select = true;
  if (Events.OnSelectCell) Events.OnSelectCell(*this, col, row, can_select);
  RepaintCell(col, row);
  return can_select;
}

bool TCellGrid::IsFixedCell(std::int32_t col, std::int32_t row, bool answer) const {
  if (answer || col < FixedCols() || row < FixedRows()) return true;
  if (Events.OnIsFixedCell) Events.OnIsFixedCell(*this, row, col, answer);
  return answer;
}

void TCellGrid::CheckCell(TCellCoord cell) const {
  if (cell.X < 0 || cell.Y < 0 || cell.X >= ColCount() || cell.Y >= RowCount()) {
    throw EInvalidGridOperation(messages::kGridIndexOutOfRange);
  }
}

void TCellGrid::InvalidateSelectionChange(const TGridRect& old_selection) {
  if (window_ == nullptr) return;
  const TGridLayout layout = CalcLayout();
  const TRect before = zelvorn::CellBounds(layout, old_selection, TTrailingLine::kInclude);
  const TRect after = zelvorn::CellBounds(layout, Selection(), TTrailingLine::kInclude);
  for (const TRect& rect : SymmetricDifference(before, after)) InvalidateRect(rect);
}

// ---- Geometry ----

TGridLayout TCellGrid::CalcLayout() const {
  const TRect client = ClientRect();
  if (!kept_layout_ || kept_layout_->width != client.Width() ||
      kept_layout_->height != client.Height()) {
    kept_layout_ =
        TKeptLayout{CalcLayout(client.Width(), client.Height()), client.Width(), client.Height()};
  }
  return kept_layout_->layout;
}

TGridLayout TCellGrid::CalcLayout(std::int32_t client_width, std::int32_t client_height) const {
  return zelvorn::CalcLayout(model_, client_width, client_height);
}

TRect TCellGrid::CellBounds(std::int32_t col, std::int32_t row) const {
  return zelvorn::CellBounds(CalcLayout(), {col, row});
}

TRect TCellGrid::CellBounds(const TGridRect& cells, TTrailingLine trailing) const {
  return zelvorn::CellBounds(CalcLayout(), cells, trailing);
}

TRect TCellGrid::FullCellRect(std::int32_t col, std::int32_t row) const {
  return zelvorn::FullCellRect(CalcLayout(), {col, row});
}

TCellCoord TCellGrid::CellAtPoint(std::int32_t x, std::int32_t y) const {
  return zelvorn::CellAtPoint(CalcLayout(), {x, y});
}

TCellCoord TCellGrid::LargestTopLeft(TCellCoord cell) const {
  return zelvorn::LargestTopLeft(CalcLayout(), cell);
}

std::int32_t TCellGrid::VisibleColCount() const {
  const TAxisLayout axis = CalcLayout().Horz;
  return axis.LastFullCell - axis.FirstCell + 1;
}

std::int32_t TCellGrid::VisibleRowCount() const {
  const TAxisLayout axis = CalcLayout().Vert;
  return axis.LastFullCell - axis.FirstCell + 1;
}

void TCellGrid::SetLeftCol(std::int32_t col) {
  MoveTopLeft({std::clamp(col, FixedCols(), ColCount() - 1), TopRow()});
}

void TCellGrid::SetTopRow(std::int32_t row) {
  MoveTopLeft({LeftCol(), std::clamp(row, FixedRows(), RowCount() - 1)});
}

void TCellGrid::MoveTopLeft(TCellCoord top_left) {
  if (top_left == TopLeft()) return;
  const TCellCoord old_top_left = TopLeft();
  // Pending repaints must land before the pixels move, or they would land in the wrong place.
  if (window_ != nullptr) window_->FlushPaints();
  ChangeLines().TopLeft = top_left;
  UpdateScrollPositions();
  TopLeftMoved(old_top_left);
}

void TCellGrid::TopLeftMoved(TCellCoord old_top_left) {
  if (window_ != nullptr) {
    const TGridLayout layout = CalcLayout();
    const std::int32_t room_x = layout.Horz.CellsEnd - layout.Horz.FixedEnd;
    const std::int32_t room_y = layout.Vert.CellsEnd - layout.Vert.FixedEnd;
    const std::int32_t dx = ScrollAmount(layout.Horz, old_top_left.X, LeftCol(), room_x);
    const std::int32_t dy = ScrollAmount(layout.Vert, old_top_left.Y, TopRow(), room_y);
    if (std::abs(dx) > room_x || std::abs(dy) > room_y) {
      InvalidateGrid();
    } else {
      ScrollData(layout, dx, dy);
    }
  }
  if (Events.OnTopLeftChanged) Events.OnTopLeftChanged(*this);
}

void TCellGrid::ScrollData(const TGridLayout& layout, std::int32_t dx, std::int32_t dy) {
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
  if (Options().Has(goRowSelect)) InvalidateCells(Selection());
}

void TCellGrid::ScrollIntoView(TCellCoord cell) {
  if (window_ == nullptr) return;
  const TGridLayout layout = CalcLayout();
  // A fixed line is always in view, so it never moves the view.
  const auto first_showing = [](const TAxisLayout& axis, std::int32_t index) {
    if (index < axis.FixedCount) return axis.FirstCell;
    if (index < axis.FirstCell) return index;
    if (index > axis.LastFullCell) return zelvorn::LargestTopLeft(axis, index);
    return axis.FirstCell;
  };
  MoveTopLeft({first_showing(layout.Horz, cell.X), first_showing(layout.Vert, cell.Y)});
}

bool TCellGrid::HasBar(TScrollBarKind bar) const {
  if (bar == TScrollBarKind::sbHorizontal) {
    return scroll_bars_ == TScrollStyle::ssHorizontal || scroll_bars_ == TScrollStyle::ssBoth;
  }
  return scroll_bars_ == TScrollStyle::ssVertical || scroll_bars_ == TScrollStyle::ssBoth;
}

void TCellGrid::UpdateScrollRanges() {
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

  const TCellCoord old_top_left = TopLeft();
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
  if (TopLeft() != old_top_left) TopLeftMoved(old_top_left);
}

void TCellGrid::UpdateAxisRange(TScrollBarKind bar, std::int32_t width, std::int32_t height,
                                bool& flushed) {
  const TGridLayout layout = CalcLayout(width, height);
  const TCellCoord max = zelvorn::LargestTopLeft(layout, {ColCount() - 1, RowCount() - 1});
  const bool horizontal = bar == TScrollBarKind::sbHorizontal;
  const std::int32_t fixed = horizontal ? FixedCols() : FixedRows();
  const std::int32_t largest = horizontal ? max.X : max.Y;
  window_->SetScrollRange(bar, 0, fixed < largest ? kScrollRangeMax : 0);
  const std::int32_t first = horizontal ? LeftCol() : TopRow();
  if (first > largest) {
    if (!flushed) {
      window_->FlushPaints();
      flushed = true;
    }
    (horizontal ? ChangeLines().TopLeft.X : ChangeLines().TopLeft.Y) = largest;
  }
}

void TCellGrid::UpdateScrollPositions() {
  if (window_ == nullptr || scroll_bars_ == TScrollStyle::ssNone) return;
  const TGridLayout layout = CalcLayout();
  const TCellCoord max = zelvorn::LargestTopLeft(layout, {ColCount() - 1, RowCount() - 1});
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
    write(TScrollBarKind::sbHorizontal, LeftCol(), FixedCols(), max.X);
  }
  if (HasBar(TScrollBarKind::sbVertical)) {
    write(TScrollBarKind::sbVertical, TopRow(), FixedRows(), max.Y);
  }
}

void TCellGrid::HideDisallowedBars() {
  if (window_ == nullptr) return;
  for (TScrollBarKind bar : {TScrollBarKind::sbHorizontal, TScrollBarKind::sbVertical}) {
    if (!HasBar(bar) && window_->ScrollBarShown(bar)) window_->SetScrollRange(bar, 0, 0);
  }
}

// ---- Repainting ----

void TCellGrid::RepaintCell(std::int32_t col, std::int32_t row) {
  if (window_ == nullptr) return;
  InvalidateRect(zelvorn::CellBounds(CalcLayout(), {col, row, col, row}, TTrailingLine::kInclude));
}

void TCellGrid::InvalidateCells(const TGridRect& cells) {
  if (window_ == nullptr) return;
  InvalidateRect(zelvorn::CellBounds(CalcLayout(), cells, TTrailingLine::kInclude));
}

void TCellGrid::InvalidateRect(const TRect& rect) {
  if (window_ != nullptr && !rect.IsEmpty()) window_->Invalidate(rect);
}

void TCellGrid::InvalidateGrid() {
  if (window_ != nullptr) InvalidateRect(window_->ClientRect());
}

// ---- Painting ----

void TCellGrid::SetAppearance(const TGridAppearance& appearance) {
  if (appearance == appearance_) return;
  appearance_ = appearance;
  // Releasing the lock repaints everything anyway.
  if (!UpdateLocked()) InvalidateGrid();
}

void TCellGrid::SetFont(const TFont& font) {
  TGridAppearance appearance = appearance_;
  appearance.Font = font;
  SetAppearance(appearance);
}

// ---- Update lock and the frame ----

void TCellGrid::EndUpdate() {
  if (update_count_ == 0) return;
  if (--update_count_ > 0) return;
  InvalidateGrid();
  if (window_ != nullptr) window_->InvalidateFrame();
}

void TCellGrid::SetLook(TGridLook look) {
  if (std::exchange(look_, look) == look) return;
  InvalidateGrid();
  if (window_ != nullptr) window_->InvalidateFrame();
}

void TCellGrid::SetFlat(bool flat) {
  if (std::exchange(flat_, flat) == flat) return;
  if (window_ != nullptr) window_->InvalidateFrame();
}

}  // namespace zelvorn
