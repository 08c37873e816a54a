#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "controls/grid/cell_store.h"
#include "controls/grid/grid_appearance.h"
#include "controls/grid/grid_events.h"
#include "controls/grid/grid_layout.h"
#include "controls/grid/grid_model.h"
#include "controls/grid/grid_types.h"
#include "controls/grid/grid_view.h"
#include "controls/grid/grid_window.h"
#include "platform/alignment.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"

namespace zelvorn {

// The grid's appearance style. Only the frame depends on it here, and only through its number:
// looks 1, 3, glXP and 5 draw the flat frame.
enum class TGridLook : std::uint8_t { glXP = 4 };

// Whether the platform draws its controls in visual styles.
enum class TThemes : bool { kInactive, kActive };

// Flags of a move of the current cell.
enum class TMoveAnchor : bool { kNo, kYes };  // the anchor follows the current cell
enum class TShowCell : bool { kNo, kYes };    // the view scrolls to show the cell

// The number table's grid, as the training controller, the form, the input and the painter see
// it: a facade over the model (TGridModel: counts, sizes, the current, anchor and top-left
// cells), the cell texts (TCellStore), the view (TGridView: window, kept layout, scrolling,
// repaint marks, update lock), the appearance (TGridAppearance) and the events (TGridEvents).
// It keeps the rules that tie them together: selection checks, count changes, and which
// changes repaint what.
//
// A grid need not have a window (IGridWindow). Without one it marks nothing, scrolls nothing
// and leaves the bars alone, and its client area is its size less a 2-pixel edge all round.
// The geometry's line width is always 0: lines are painted inside each cell (GridLineWidth), so
// the cells sit edge to edge.
class TCellGrid {
 public:
  static constexpr std::int32_t kScrollRangeMax = TGridView::kScrollRangeMax;
  static constexpr std::int32_t kClientEdge = TGridView::kClientEdge;

  // A grid on a platform without visual styles.
  TCellGrid();
  // `themes` decides ThemesActive for the grid's life.
  explicit TCellGrid(TThemes themes);
  TCellGrid(const TCellGrid&) = delete;
  TCellGrid& operator=(const TCellGrid&) = delete;

  // ---- The window ----

  // Connects the grid to the window that shows it (nullptr disconnects it). From then on the
  // window's size is the grid's size.
  void AttachWindow(IGridWindow* window) { view_.AttachWindow(window); }
  IGridWindow* Window() const { return view_.Window(); }
  // The window has come on screen: the scroll bars get their ranges.
  void WindowShown();
  // The window's client area has a new size: the bars get new ranges, and the view may move back
  // so that, while lines are scrolled out, none of the area after the last line lies empty.
  void WindowResized();
  // A scroll bar's action, with the thumb position for scPosition and scTrack. Takes the focus
  // when the window can have it, then moves the top-left cell as the code asks, skipping lines of
  // size 0 and staying within the fixed count and LargestTopLeft of the last cell.
  void ScrollMessage(TScrollBarKind bar, TScrollCode code, std::int32_t thumb) {
    view_.ScrollMessage(bar, code, thumb);
  }

  // ---- Size of the control ----

  // The control's outer size, edge and scroll bars included.
  std::int32_t Width() const { return view_.Width(); }
  std::int32_t Height() const { return view_.Height(); }
  void SetWidth(std::int32_t width) { view_.SetWidth(width); }
  void SetHeight(std::int32_t height) { view_.SetHeight(height); }
  // The client area at (0, 0): the window's, or without one the size less the edge.
  TRect ClientRect() const { return view_.ClientRect(); }

  // ---- Counts, fixed counts and sizes ----

  std::int32_t ColCount() const { return model_.ColCount; }
  std::int32_t RowCount() const { return model_.RowCount; }
  // Counts below 1 are taken as 1; a fixed count not below the new count drops to count - 1
  // first. After a change the selection is just the current cell, brought inside the grid if
  // it fell out; the strip from the first line that may differ to the control's edge is marked
  // (all of it if the view moved), and the bars get new ranges. Texts of cells now outside stay
  // stored. If the size lists cannot take the new count, the old counts stay, everything is
  // marked and the EInvalidGridOperation goes on to the caller.
  void SetColCount(std::int32_t count);
  void SetRowCount(std::int32_t count);

  std::int32_t FixedCols() const { return model_.FixedCols; }
  std::int32_t FixedRows() const { return model_.FixedRows; }
  // Fails with "网格索引越界" below 0 and with "固定列的数目必须小于总列数" (rows:
  // "固定行的数目必须小于总行数") at or above the count. After a change the view, the current
  // cell and the anchor all start at the first scrollable cell, and everything is marked.
  void SetFixedCols(std::int32_t count);
  void SetFixedRows(std::int32_t count);

  std::int32_t DefaultColWidth() const { return model_.DefaultColWidth; }
  std::int32_t DefaultRowHeight() const { return model_.DefaultRowHeight; }
  // Every column, also one that had a width of its own, gets this width; setting the same value
  // again still does so. Updates the scroll ranges and repaints everything.
  void SetDefaultColWidth(std::int32_t width);
  void SetDefaultRowHeight(std::int32_t height);

  // A column's width: its own, or DefaultColWidth for a column without one or an index outside
  // the grid.
  std::int32_t ColWidths(std::int32_t col) const { return model_.ColWidth(col); }
  std::int32_t RowHeights(std::int32_t row) const { return model_.RowHeight(row); }
  // Gives one column its own width (the others keep theirs); an index outside 0..ColCount - 1
  // fails with "网格索引越界". A change repaints everything and updates the scroll ranges.
  void SetColWidths(std::int32_t col, std::int32_t width);
  void SetRowHeights(std::int32_t row, std::int32_t height);

  TGridOptions Options() const { return model_.Options; }
  void SetOptions(TGridOptions options);
  TScrollStyle ScrollBars() const { return view_.ScrollBars(); }
  void SetScrollBars(TScrollStyle scroll_bars) { view_.SetScrollBars(scroll_bars); }

  // The whole model, for the geometry's pure functions.
  const TGridModel& Model() const { return model_; }

  // ---- Cells ----

  // A cell's text; the empty text for a cell never written. Indices are not checked against the
  // counts. For a row below the count last set through SetRowCount, OnGetDisplText may replace
  // the text. A negative row fails with EListError.
  std::string Cells(std::int32_t col, std::int32_t row) const;
  // Stores a cell's text (the empty text frees the cell) and repaints that cell. A negative
  // index, or one beyond 1,048,559, fails with EListError.
  void SetCells(std::int32_t col, std::int32_t row, const std::string& text);
  const TCellStore& Store() const { return store_; }

  // ---- Current cell, anchor and selection ----

  std::int32_t Col() const { return model_.Current.X; }
  std::int32_t Row() const { return model_.Current.Y; }
  TCellCoord Current() const { return model_.Current; }
  TCellCoord Anchor() const { return model_.Anchor; }
  // The block between the anchor and the current cell, both included.
  TGridRect Selection() const { return model_.Selection(); }

  // Makes a cell current, if the cell-selection check allows it. A cell outside the grid fails
  // with "网格索引越界". With TMoveAnchor::kYes (or without goRangeSelect) the anchor follows, so
  // the selection becomes that cell; with TShowCell::kYes the view scrolls to show it. Repaints
  // what changed of the selection and the old and new current cell.
  void MoveCurrent(std::int32_t col, std::int32_t row, TMoveAnchor move_anchor, TShowCell show);
  // Moves the selection's fixed corner (a range selection with goRangeSelect and no goEditing,
  // else a move of the current cell), scrolls the cell into view and repaints the change. A cell
  // outside the grid fails with "网格索引越界".
  void MoveAnchor(TCellCoord cell);
  // A keyboard or wheel move: MoveCurrent with the view following, then OnClick.
  void FocusCell(std::int32_t col, std::int32_t row, TMoveAnchor move_anchor);
  // Selects `cells`: the anchor goes to its first corner and the current cell to its last, with
  // no selection check, and the change is marked. Cells outside the grid fail with
  // "网格索引越界".
  void SetSelection(const TGridRect& cells);
  // The cell-selection check: whether a cell may become current. Refuses fixed cells, repaints
  // the current cell and the candidate and lets OnSelectCell decide.
  bool SelectCell(std::int32_t col, std::int32_t row);
  // Whether a cell counts as fixed: `answer` already true, a fixed column or row, or
  // OnIsFixedCell saying so.
  bool IsFixedCell(std::int32_t col, std::int32_t row, bool answer = false) const;

  // ---- Geometry ----

  // The layout of the client area. It is kept until the lines or the client size change, so
  // the calls of one event compute it once.
  TGridLayout CalcLayout() const { return view_.Layout(); }
  TGridLayout CalcLayout(std::int32_t client_width, std::int32_t client_height) const {
    return view_.LayoutFor(client_width, client_height);
  }
  // The visible part of a cell without its trailing line; all zeros when it is not visible.
  TRect CellBounds(std::int32_t col, std::int32_t row) const;
  TRect CellBounds(const TGridRect& cells, TTrailingLine trailing) const;
  // The whole rectangle of a cell, not cut at the client edge (see FullCellRect in
  // grid_layout.h).
  TRect FullCellRect(std::int32_t col, std::int32_t row) const;
  // Which cell a client point falls on, or (-1, -1) for none.
  TCellCoord CellAtPoint(std::int32_t x, std::int32_t y) const;
  TCellCoord LargestTopLeft(TCellCoord cell) const;
  // The number of fully visible scrollable columns (rows), at least 1.
  std::int32_t VisibleColCount() const;
  std::int32_t VisibleRowCount() const;

  std::int32_t LeftCol() const { return model_.TopLeft.X; }
  std::int32_t TopRow() const { return model_.TopLeft.Y; }
  TCellCoord TopLeft() const { return model_.TopLeft; }
  // Moves the view so that the given row is the first scrollable one. A value outside
  // FixedRows..RowCount - 1 is brought inside it.
  void SetTopRow(std::int32_t row);
  // Moves the view: scrolls the window's pixels by the distance, or repaints everything when the
  // jump exceeds the visible scrollable part; updates the scroll positions and raises
  // OnTopLeftChanged.
  void MoveTopLeft(TCellCoord top_left) { view_.MoveTopLeft(top_left); }
  // Scrolls as little as needed to show a cell fully; nothing without a window.
  void ScrollIntoView(TCellCoord cell) { view_.ScrollIntoView(cell); }
  // Gives each bar the range 0..127 if its axis can scroll in the client area the bars leave,
  // else 0..0; a view further on than the last useful first line is moved back to it.
  // Only while the window is showing and ScrollBars is not ssNone.
  void UpdateScrollRanges() { view_.UpdateScrollRanges(); }
  // Writes each bar's thumb position (LeftCol's place between FixedCols and the largest useful
  // left column, scaled to 0..127), only where it changed.
  void UpdateScrollPositions() { view_.UpdateScrollPositions(); }

  // ---- Repainting (all marks are made without erasing; nothing without a window) ----

  // Marks one cell, its trailing line included.
  void RepaintCell(std::int32_t col, std::int32_t row) { view_.RepaintCell(col, row); }
  // Marks the visible part of a block of cells, lines included.
  void InvalidateCells(const TGridRect& cells) { view_.InvalidateCells(cells); }
  void InvalidateRect(const TRect& rect) { view_.InvalidateRect(rect); }
  // Marks the whole client area.
  void InvalidateGrid() { view_.InvalidateGrid(); }

  // ---- Painting ----

  const TGridAppearance& Appearance() const { return appearance_; }
  // Takes a new appearance as a whole; the client area is repainted once when it differs, unless
  // the update lock is held.
  void SetAppearance(const TGridAppearance& appearance);
  // The cells' font, which the training controller sizes to the board.
  const TFont& Font() const { return appearance_.Font; }
  void SetFont(const TFont& font);

  // ---- Update lock and the frame ----

  // While more BeginUpdate than EndUpdate calls have been made, neither the client area nor the
  // frame is painted. The EndUpdate that releases the lock
  // repaints the whole control and its frame, since paints were dropped meanwhile. An EndUpdate
  // without a BeginUpdate does nothing.
  void BeginUpdate() { view_.BeginUpdate(); }
  void EndUpdate() { view_.EndUpdate(); }
  bool UpdateLocked() const { return view_.UpdateLocked(); }
  // Whether the frame takes its visual-style colour.
  bool ThemesActive() const { return themes_active_; }
  // The look and Flat decide whether the frame is drawn. A change repaints the whole control
  // and the frame.
  TGridLook Look() const { return look_; }
  void SetLook(TGridLook look);
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);

  // ---- Interaction state ----

  TGridState State() const { return state_; }
  void SetState(TGridState state) { state_ = state; }

  // ---- Events ----

  // The handlers the grid calls; assigned by whoever uses the grid.
  TGridEvents Events;

 private:
  // The model, for a change of what the layout is computed from (counts, sizes, the first
  // visible lines, options): drops the kept layout. The current and anchor cells move without it.
  TGridModel& ChangeLines() {
    view_.DropLayout();
    return model_;
  }

  // Whether a move runs the cell-selection check.
  enum class TSelectCheck : bool { kSkip, kApply };
  // What a count change needs of the layout before it.
  struct TOldView {
    TCellCoord first;
    TCellCoord last_full;
  };

  void ChangeSize(std::int32_t new_cols, std::int32_t new_rows);
  void ResizeSizeLists();
  void FinishCountChange(const std::optional<TOldView>& old_view);
  void RepaintCountStrips(const TOldView& old_view);
  void ResetPositions();
  void ColWidthsChanged() { UpdateScrollRanges(); }
  void RowHeightsChanged() { UpdateScrollRanges(); }

  void MoveCurrentCell(TCellCoord cell, TMoveAnchor move_anchor, TShowCell show,
                       TSelectCheck check);
  void CheckCell(TCellCoord cell) const;
  void InvalidateSelectionChange(const TGridRect& old_selection);

  TGridModel model_;
  TGridView view_{model_};
  TCellStore store_;
  // The row count last set through SetRowCount; OnGetDisplText is consulted only below it.
  std::int32_t row_count_set_ = 0;
  TGridState state_ = TGridState::gsNormal;

  TGridAppearance appearance_;

  bool themes_active_ = false;
  TGridLook look_ = TGridLook::glXP;
  bool flat_ = false;
};

}  // namespace zelvorn
