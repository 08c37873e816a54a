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
// it: it owns the model (TGridModel: counts, sizes, the current, anchor and top-left cells), the
// cell texts (TCellStore), the view (TGridView: window, kept layout, scrolling, repaint marks,
// update lock), the appearance (TGridAppearance) and the events (TGridEvents). It keeps the rules
// that tie them together: selection checks, count changes, and which changes repaint what. The
// grid's own properties stand here under their names; what only reads the model or only works
// the view is reached through Model() and View().
//
// A grid need not have a window (IGridWindow). Without one it marks nothing, scrolls nothing
// and leaves the bars alone, and its client area is its size less a 2-pixel edge all round.
// The geometry's line width is always 0: lines are painted inside each cell (GridLineWidth), so
// the cells sit edge to edge.
class TCellGrid {
 public:
  // A grid on a platform without visual styles.
  TCellGrid();
  // `themes` decides ThemesActive for the grid's life.
  explicit TCellGrid(TThemes themes);
  TCellGrid(const TCellGrid&) = delete;
  TCellGrid& operator=(const TCellGrid&) = delete;

  // ---- The window and the view ----

  // What of the grid shows, and where: the window (or the size), the kept layout, scrolling,
  // repaint marks and the update lock. Connect the window through View().AttachWindow.
  TGridView& View() { return view_; }
  const TGridView& View() const { return view_; }
  // The whole model, read only: it changes through the grid's rules.
  const TGridModel& Model() const { return model_; }
  // The window has come on screen: the scroll bars get their ranges.
  void WindowShown();
  // The window's client area has a new size: the bars get new ranges, and the view may move back
  // so that, while lines are scrolled out, none of the area after the last line lies empty.
  void WindowResized();

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
  // Moves the view so that the given row is the first scrollable one. A value outside
  // FixedRows..RowCount - 1 is brought inside it.
  void SetTopRow(std::int32_t row);

  // ---- Painting ----

  const TGridAppearance& Appearance() const { return appearance_; }
  // Takes a new appearance as a whole; the client area is repainted once when it differs, unless
  // the update lock is held.
  void SetAppearance(const TGridAppearance& appearance);
  // The cells' font, which the training controller sizes to the board.
  const TFont& Font() const { return appearance_.Font; }
  void SetFont(const TFont& font);

  // ---- The frame ----

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
  void ColWidthsChanged() { view_.UpdateScrollRanges(); }
  void RowHeightsChanged() { view_.UpdateScrollRanges(); }

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
