#include "controls/grid/cell_grid.h"

#include <algorithm>
#include <utility>

#include "platform/exceptions.h"
#include "platform/messages.h"

namespace zelvorn {

namespace {

using enum TGridOption;

}  // namespace

TCellGrid::TCellGrid() : TCellGrid(TThemes::kInactive) {}

TCellGrid::TCellGrid(TThemes themes)
    : store_(model_.RowCount), themes_active_(themes == TThemes::kActive) {
  view_.TopLeftChanged = [this] {
    if (Events.OnTopLeftChanged) Events.OnTopLeftChanged(*this);
  };
  // Lines are painted within each cell's own box: cells sit edge to edge.
  ChangeLines().LineWidth = 0;
  ChangeLines().Options.Include(goDrawFocusSelected);
  SetRowCount(10);
  view_.SetWidth(400);
  view_.SetHeight(250);
  SetDefaultRowHeight(21);
}

// ---- The window ----

void TCellGrid::WindowShown() { view_.UpdateScrollRanges(); }

void TCellGrid::WindowResized() {
  view_.UpdateScrollRanges();
  view_.HideDisallowedBars();
}

// ---- Counts, fixed counts and sizes ----

void TCellGrid::SetColCount(std::int32_t count) {
  if (count == ColCount()) return;
  count = std::max(count, 1);
  if (FixedCols() >= count) SetFixedCols(count - 1);
  ChangeSize(count, RowCount());
  if (Options().Has(goRowSelect)) {
    model_.Anchor.X = ColCount() - 1;
    view_.InvalidateGrid();
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
  if (view_.Window() != nullptr) {
    const TGridLayout old_layout = view_.Layout();
    old_view =
        TOldView{model_.TopLeft, {old_layout.Horz.LastFullCell, old_layout.Vert.LastFullCell}};
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
    view_.InvalidateGrid();
    throw;
  }
  FinishCountChange(old_view);
}

void TCellGrid::ResizeSizeLists() {
  if (model_.ColWidths.Exists()) ChangeLines().ColWidths.Resize(ColCount(), DefaultColWidth());
  if (model_.RowHeights.Exists()) ChangeLines().RowHeights.Resize(RowCount(), DefaultRowHeight());
}

void TCellGrid::FinishCountChange(const std::optional<TOldView>& old_view) {
  TCellCoord clamped = model_.Current;
  clamped.X = std::min(clamped.X, ColCount() - 1);
  clamped.Y = std::min(clamped.Y, RowCount() - 1);
  if (clamped != model_.Current) {
    MoveCurrentCell(clamped, TMoveAnchor::kYes, TShowCell::kYes, TSelectCheck::kApply);
    // The check may refuse the cell, but the current cell must not stay outside the grid.
    if (clamped != model_.Current) {
      MoveCurrentCell(clamped, TMoveAnchor::kYes, TShowCell::kYes, TSelectCheck::kSkip);
    }
  }
  // A count change always shrinks a range to the current cell, also one that still fits.
  if (model_.Anchor != clamped) MoveAnchor(clamped);
  if (old_view) RepaintCountStrips(*old_view);
  view_.UpdateScrollRanges();
}

void TCellGrid::RepaintCountStrips(const TOldView& old_view) {
  if (old_view.first != model_.TopLeft) {
    view_.InvalidateGrid();
    return;
  }
  // Lines before the first line that may have changed keep their pixels; repaint from that
  // line to the control's far edge on each axis.
  const TGridLayout layout = view_.Layout();
  const std::int32_t col = std::min(old_view.last_full.X, layout.Horz.LastFullCell);
  const TRect col_cell = zelvorn::CellBounds(layout, {col, 0});
  view_.InvalidateRect({col_cell.Left, col_cell.Top, view_.Width(), view_.Height()});
  const std::int32_t row = std::min(old_view.last_full.Y, layout.Vert.LastFullCell);
  const TRect row_cell = zelvorn::CellBounds(layout, {0, row});
  view_.InvalidateRect({row_cell.Left, row_cell.Top, view_.Width(), view_.Height()});
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
  view_.InvalidateGrid();
  // The fixed count bounds the scrolling, so the bars must learn of it.
  view_.UpdateScrollRanges();
}

void TCellGrid::SetDefaultColWidth(std::int32_t width) {
  TGridModel& lines = ChangeLines();
  lines.ColWidths.Free();
  lines.DefaultColWidth = width;
  ColWidthsChanged();
  view_.InvalidateGrid();
}

void TCellGrid::SetDefaultRowHeight(std::int32_t height) {
  TGridModel& lines = ChangeLines();
  lines.RowHeights.Free();
  lines.DefaultRowHeight = height;
  RowHeightsChanged();
  view_.InvalidateGrid();
}

void TCellGrid::SetColWidths(std::int32_t col, std::int32_t width) {
  if (!model_.ColWidths.Exists()) ChangeLines().ColWidths.Resize(ColCount(), DefaultColWidth());
  if (width == model_.ColWidths.At(col)) return;
  view_.InvalidateGrid();
  ChangeLines().ColWidths.Set(col, width);
  ColWidthsChanged();
}

void TCellGrid::SetRowHeights(std::int32_t row, std::int32_t height) {
  if (!model_.RowHeights.Exists()) ChangeLines().RowHeights.Resize(RowCount(), DefaultRowHeight());
  if (height == model_.RowHeights.At(row)) return;
  view_.InvalidateGrid();
  ChangeLines().RowHeights.Set(row, height);
  RowHeightsChanged();
}

void TCellGrid::SetOptions(TGridOptions options) {
  if (options == model_.Options) return;
  ChangeLines().Options = options;
  view_.InvalidateGrid();
}

// ---- Cells ----

std::string TCellGrid::Cells(std::int32_t col, std::int32_t row) const {
  std::string text = store_.Read(col, row);
  if (row < row_count_set_ && Events.OnGetDisplText) Events.OnGetDisplText(*this, col, row, text);
  return text;
}

void TCellGrid::SetCells(std::int32_t col, std::int32_t row, const std::string& text) {
  store_.Write(col, row, text, ColCount());
  view_.RepaintCell(col, row);
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
  const TCellCoord old_current = model_.Current;
  model_.Current = cell;
  if (move_anchor == TMoveAnchor::kYes || !Options().Has(goRangeSelect)) {
    model_.Anchor = model_.Current;
    if (Options().Has(goRowSelect)) model_.Anchor.X = ColCount() - 1;
  }
  if (Options().Has(goRowSelect)) model_.Current.X = FixedCols();
  if (show == TShowCell::kYes) view_.ScrollIntoView(model_.Current);
  InvalidateSelectionChange(old_selection);
  view_.RepaintCell(old_current.X, old_current.Y);
  view_.RepaintCell(Col(), Row());
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
  view_.ScrollIntoView(cell);
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
  view_.RepaintCell(Col(), Row());
  bool can_select = true;
  if (Events.OnSelectCell) Events.OnSelectCell(*this, col, row, can_select);
  view_.RepaintCell(col, row);
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
  if (view_.Window() == nullptr) return;
  const TGridLayout layout = view_.Layout();
  const TRect before = zelvorn::CellBounds(layout, old_selection, TTrailingLine::kInclude);
  const TRect after = zelvorn::CellBounds(layout, Selection(), TTrailingLine::kInclude);
  for (const TRect& rect : SymmetricDifference(before, after)) view_.InvalidateRect(rect);
}

// ---- Geometry ----

TRect TCellGrid::CellBounds(std::int32_t col, std::int32_t row) const {
  return zelvorn::CellBounds(view_.Layout(), {col, row});
}

TRect TCellGrid::CellBounds(const TGridRect& cells, TTrailingLine trailing) const {
  return zelvorn::CellBounds(view_.Layout(), cells, trailing);
}

TRect TCellGrid::FullCellRect(std::int32_t col, std::int32_t row) const {
  return zelvorn::FullCellRect(view_.Layout(), {col, row});
}

TCellCoord TCellGrid::CellAtPoint(std::int32_t x, std::int32_t y) const {
  return zelvorn::CellAtPoint(view_.Layout(), {x, y});
}

TCellCoord TCellGrid::LargestTopLeft(TCellCoord cell) const {
  return zelvorn::LargestTopLeft(view_.Layout(), cell);
}

std::int32_t TCellGrid::VisibleColCount() const {
  const TAxisLayout axis = view_.Layout().Horz;
  return axis.LastFullCell - axis.FirstCell + 1;
}

std::int32_t TCellGrid::VisibleRowCount() const {
  const TAxisLayout axis = view_.Layout().Vert;
  return axis.LastFullCell - axis.FirstCell + 1;
}

void TCellGrid::SetTopRow(std::int32_t row) {
  view_.MoveTopLeft({LeftCol(), std::clamp(row, FixedRows(), RowCount() - 1)});
}

// ---- Painting ----

void TCellGrid::SetAppearance(const TGridAppearance& appearance) {
  if (appearance == appearance_) return;
  appearance_ = appearance;
  // Releasing the lock repaints everything anyway.
  if (!view_.UpdateLocked()) view_.InvalidateGrid();
}

void TCellGrid::SetFont(const TFont& font) {
  TGridAppearance appearance = appearance_;
  appearance.Font = font;
  SetAppearance(appearance);
}

// ---- Update lock and the frame ----

void TCellGrid::SetLook(TGridLook look) {
  if (std::exchange(look_, look) == look) return;
  view_.InvalidateGrid();
  view_.InvalidateFrame();
}

void TCellGrid::SetFlat(bool flat) {
  if (std::exchange(flat_, flat) == flat) return;
  view_.InvalidateFrame();
}

}  // namespace zelvorn
