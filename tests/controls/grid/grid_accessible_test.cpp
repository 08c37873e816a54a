// The grid as every host shows it to screen readers: its cells as children, their names, places,
// states and boxes, hit testing, navigation and the selection.
#include "controls/grid/grid_accessible.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "controls/grid/cell_grid.h"
#include "tests/controls/grid/fake_grid_window.h"

namespace zelvorn {
namespace {

using enum TAccessibleState;
using testing::FakeGridWindow;

// 4 columns of 50 and 6 rows of 20 in a client 240 x 60 without bars: rows 0 to 2 show whole,
// the others are scrolled away, and the client's last 40 pixels on the right hold no cell.
class GridAccessibleTableTest : public ::testing::Test {
 protected:
  GridAccessibleTableTest() {
    grid_.SetScrollBars(TScrollStyle::ssNone);
    grid_.SetColCount(4);
    grid_.SetRowCount(6);
    grid_.SetDefaultColWidth(50);
    grid_.SetDefaultRowHeight(20);
    window_.Attach(grid_);
    window_.Show();
  }

  TCellGrid grid_;
  FakeGridWindow window_{244, 64};
  TGridAccessibleTable table_{grid_};
};

TEST_F(GridAccessibleTableTest, NumbersNamesAndPlacesTheCellsRowByRow) {
  grid_.SetCells(2, 1, "17");
  EXPECT_EQ(table_.ChildCount(), 24);
  struct TCase {
    std::int32_t child;
    std::optional<TCellCoord> cell;
  };
  for (const TCase& c :
       {TCase{0, TCellCoord{0, 0}}, TCase{6, TCellCoord{2, 1}}, TCase{23, TCellCoord{3, 5}},
        TCase{24, std::nullopt}, TCase{-1, std::nullopt}}) {
    SCOPED_TRACE(c.child);
    EXPECT_EQ(table_.CellOf(c.child), c.cell);
    if (c.cell) {
      EXPECT_EQ(table_.ChildOf(*c.cell), c.child);
    }
  }
  EXPECT_EQ(table_.Name({2, 1}), "17");
  EXPECT_EQ(table_.Name({1, 1}), "");
  EXPECT_EQ(TGridAccessibleTable::Description({2, 1}), "第 2 行，第 3 列");
  EXPECT_EQ(table_.VisibleBox({2, 1}), (TRect{100, 20, 150, 40}));
  EXPECT_EQ(table_.VisibleBox({2, 4}), TRect{});
}

TEST_F(GridAccessibleTableTest, StatesFollowTheSelectionTheFocusAndTheView) {
  grid_.SetSelection({1, 1, 2, 1});  // the current cell is its last corner, (2, 1)
  struct TCase {
    TCellCoord cell;
    bool focused;
    TAccessibleStates states;
  };
  for (const TCase& c : {
           TCase{{2, 1}, true, {kFocusable, kSelectable, kSelected, kFocused}},
           TCase{{2, 1}, false, {kFocusable, kSelectable, kSelected}},
           TCase{{1, 1}, true, {kFocusable, kSelectable, kSelected}},
           TCase{{0, 0}, true, {kFocusable, kSelectable}},
           TCase{{1, 3}, true, {kFocusable, kSelectable, kOffscreen}},
           TCase{{4, 0}, true, {kFocusable, kSelectable}},  // outside the grid
       }) {
    SCOPED_TRACE(c.cell.X * 10 + c.cell.Y);
    if (c.focused) {
      window_.SetFocus();
    } else {
      window_.LoseFocus();
    }
    EXPECT_EQ(table_.States(c.cell), c.states);
  }
}

TEST_F(GridAccessibleTableTest, FindsTheChildUnderAPointAndTheFocusedOne) {
  struct TCase {
    TPoint point;
    std::optional<std::int32_t> child;
  };
  for (const TCase& c :
       {TCase{{120, 45}, 10}, TCase{{0, 0}, 0}, TCase{{199, 59}, 11}, TCase{{220, 10}, -1},
        TCase{{240, 10}, std::nullopt}, TCase{{10, -1}, std::nullopt}}) {
    SCOPED_TRACE(c.point.X * 1000 + c.point.Y);
    EXPECT_EQ(table_.ChildAt(c.point), c.child);
  }
  EXPECT_EQ(table_.FocusedChild(), std::nullopt);
  window_.SetFocus();
  EXPECT_EQ(table_.FocusedChild(), 5);  // the current cell, (1, 1)
}

TEST_F(GridAccessibleTableTest, NavigatesWithinTheTableOnly) {
  using enum TAccessibleStep;
  struct TCase {
    std::int32_t from;
    TAccessibleStep step;
    std::optional<std::int32_t> to;
  };
  for (const TCase& c : {
           TCase{-1, kFirstChild, 0},
           TCase{-1, kLastChild, 23},
           TCase{-1, kNext, {}},
           TCase{5, kFirstChild, {}},
           TCase{0, kRight, 1},
           TCase{3, kRight, {}},
           TCase{4, kLeft, {}},
           TCase{5, kLeft, 4},
           TCase{3, kNext, 4},
           TCase{4, kPrevious, 3},
           TCase{0, kPrevious, {}},
           TCase{23, kNext, {}},
           TCase{1, kUp, {}},
           TCase{1, kDown, 5},
           TCase{21, kDown, {}},
       }) {
    SCOPED_TRACE(c.from * 100 + static_cast<int>(c.step));
    EXPECT_EQ(table_.Navigate(c.from, c.step), c.to);
  }
}

TEST_F(GridAccessibleTableTest, ReadsTheSelectionAsCellsAndWholeLines) {
  using V = std::vector<std::int32_t>;
  struct TCase {
    TGridRect selection;
    V children, rows, columns;
  };
  for (const TCase& c : {
           TCase{{1, 1, 1, 1}, {5}, {}, {}},
           TCase{{1, 0, 2, 1}, {1, 2, 5, 6}, {}, {}},
           TCase{{0, 1, 3, 2}, {4, 5, 6, 7, 8, 9, 10, 11}, {1, 2}, {}},
           TCase{{3, 0, 3, 5}, {3, 7, 11, 15, 19, 23}, {}, {3}},
       }) {
    SCOPED_TRACE(c.selection.Left * 1000 + c.selection.Top * 100 + c.selection.Right * 10 +
                 c.selection.Bottom);
    grid_.SetSelection(c.selection);
    EXPECT_EQ(table_.SelectedChildren(), c.children);
    EXPECT_EQ(table_.SelectedRows(), c.rows);
    EXPECT_EQ(table_.SelectedColumns(), c.columns);
  }
}

}  // namespace
}  // namespace zelvorn
