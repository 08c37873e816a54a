#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/grid/cell_grid.h"
#include "tests/controls/grid/fake_grid_window.h"

namespace zelvorn {
namespace {

using testing::ChangeAppearance;
using testing::FakeGridWindow;
using testing::LoadStoredLayout;
using testing::SizeForRun;
using testing::ToText;
using Log = std::vector<std::string>;
using enum TScrollBarKind;
using enum TScrollCode;

// The main window's grid: stored layout, in a window of the stored size (client 564 x 530).
class GridWindowTest : public ::testing::Test {
 protected:
  GridWindowTest() {
    window_.Attach(grid_);
    LoadStoredLayout(grid_);
    window_.Show();
    window_.TakeLog();
  }

  // 5 columns of 100, 20 rows of 50, in a client 230 high: a vertical bar and no horizontal
  // one; 4 rows fit fully and the largest useful top row is 16.
  void UseTwentyRows() {
    grid_.SetDefaultColWidth(100);
    grid_.SetRowCount(20);
    grid_.SetDefaultRowHeight(50);
    window_.SetSize(568, 234);
    ASSERT_EQ(ToText(grid_.View().ClientRect()), "(0,0,547,230)");
    ASSERT_EQ(grid_.LargestTopLeft({4, 19}).Y, 16);
    window_.TakeLog();
  }

  bool BarShown(TScrollBarKind bar) const { return window_.ScrollBarShown(bar); }

  TCellGrid grid_;
  FakeGridWindow window_{568, 534};
};

TEST_F(GridWindowTest, EveryRunSizeFitsTheStoredWindowWithoutBars) {
  struct Case {
    std::int32_t n, col_width, row_height, right_margin, bottom_margin;
  };
  const std::vector<Case> cases = {
      {4, 139, 131, 8, 6}, {5, 111, 104, 9, 10}, {6, 93, 87, 6, 8},
      {7, 79, 74, 11, 12}, {8, 69, 65, 12, 10},  {9, 62, 58, 6, 8},
  };
  for (const Case& c : cases) {
    SizeForRun(grid_, c.n);
    EXPECT_EQ(grid_.ColWidths(c.n - 1), c.col_width) << c.n;
    EXPECT_EQ(grid_.RowHeights(c.n - 1), c.row_height) << c.n;
    EXPECT_FALSE(BarShown(sbHorizontal)) << c.n;
    EXPECT_FALSE(BarShown(sbVertical)) << c.n;
    EXPECT_EQ(ToText(grid_.View().ClientRect()), "(0,0,564,530)") << c.n;
    EXPECT_EQ(grid_.VisibleColCount(), c.n) << c.n;
    EXPECT_EQ(grid_.VisibleRowCount(), c.n) << c.n;
    EXPECT_EQ(grid_.Model().TopLeft, (TCellCoord{0, 0})) << c.n;
    const TGridLayout layout = grid_.View().Layout();
    EXPECT_EQ(564 - layout.Horz.CellsEnd, c.right_margin) << c.n;
    EXPECT_EQ(530 - layout.Vert.CellsEnd, c.bottom_margin) << c.n;
  }
}

TEST_F(GridWindowTest, ACellWriteMarksExactlyThatCell) {
  SizeForRun(grid_, 5);  // cells of 111 x 104
  window_.TakeLog();
  grid_.SetCells(2, 3, "7");
  EXPECT_EQ(window_.TakeLog(), Log{"invalidate (222,312,333,416)"});
  grid_.SetCells(7, 7, "outside the counts");
  EXPECT_EQ(window_.TakeLog(), Log{});
  EXPECT_EQ(grid_.Cells(7, 7), "outside the counts");
}

TEST_F(GridWindowTest, ACountChangeMarksOnlyTheStripFromTheFirstChangedLine) {
  grid_.SetRowCount(4);
  EXPECT_EQ(window_.TakeLog(), (Log{"invalidate (440,0,568,534)", "invalidate (0,315,568,534)"}));
  grid_.SetRowCount(5);  // growing: from the row that was last before
  EXPECT_EQ(window_.TakeLog(), (Log{"invalidate (440,0,568,534)", "invalidate (0,315,568,534)"}));
  grid_.SetColCount(4);
  grid_.SetColCount(5);
  EXPECT_EQ(window_.TakeLog(), (Log{"invalidate (330,0,568,534)", "invalidate (0,420,568,534)",
                                    "invalidate (330,0,568,534)", "invalidate (0,420,568,534)"}));
  grid_.SetRowCount(4);
  window_.TakeLog();
  grid_.SetColCount(6);  // the sixth column does not fit: the horizontal bar appears
  EXPECT_EQ(window_.TakeLog(),
            (Log{"invalidate (440,0,568,534)", "invalidate (0,315,568,534)", "hbar 0..127"}));
  EXPECT_EQ(ToText(grid_.View().ClientRect()), "(0,0,564,513)");
}

TEST_F(GridWindowTest, ACountChangeThatMovesTheViewRepaintsEverything) {
  UseTwentyRows();
  grid_.MoveCurrent(0, 12, TMoveAnchor::kYes, TShowCell::kYes);
  ASSERT_EQ(grid_.TopRow(), 9);
  window_.TakeLog();
  grid_.SetRowCount(3);  // the current cell moves to row 2, which scrolls the view
  const Log log = window_.TakeLog();
  EXPECT_NE(std::find(log.begin(), log.end(), "invalidate (0,0,547,230)"), log.end());
  EXPECT_EQ(std::count_if(log.begin(), log.end(),
                          [](const std::string& line) { return line.ends_with(",234)"); }),
            0)
      << "no strip reaching the control's edge";
  EXPECT_EQ(grid_.TopRow(), 0);
  EXPECT_EQ(grid_.Row(), 2);
  EXPECT_FALSE(BarShown(sbVertical));
}

TEST_F(GridWindowTest, BarsAppearWhenTheWindowShrinksAndGoWhenItGrows) {
  window_.SetSize(400, 300);
  EXPECT_EQ(window_.TakeLog(), (Log{"hbar 0..127", "vbar 0..127"}));
  EXPECT_EQ(ToText(grid_.View().ClientRect()), "(0,0,379,279)");

  grid_.View().ScrollMessage(sbVertical, scBottom, 0);
  EXPECT_EQ(window_.TakeLog(), (Log{"focus", "flush", "vpos 127", "invalidate (0,0,379,279)"}));
  // The last row is fully visible, as the last of the two that fit.
  EXPECT_EQ(grid_.TopRow(), 3);
  EXPECT_EQ(grid_.VisibleRowCount(), 2);
  EXPECT_EQ(ToText(grid_.CellBounds(0, 4)), "(0,105,110,210)");

  window_.SetSize(568, 534);
  EXPECT_EQ(window_.TakeLog(),
            (Log{"hbar 0..0", "vbar 0..0", "flush", "scroll (0,0,564,530) by (0,315)"}));
  EXPECT_EQ(ToText(grid_.View().ClientRect()), "(0,0,564,530)");
  EXPECT_EQ(grid_.TopRow(), 0);
}

TEST_F(GridWindowTest, ScrollCodes) {
  UseTwentyRows();
  struct Case {
    const char* name;
    TScrollBarKind bar;
    TScrollCode code;
    std::int32_t thumb;
    std::int32_t from;
    std::int32_t to;
  };
  const std::vector<Case> cases = {
      {"line up", sbVertical, scLineUp, 0, 5, 4},
      {"line down", sbVertical, scLineDown, 0, 5, 6},
      {"page up: the old first row ends up last", sbVertical, scPageUp, 0, 5, 2},
      {"page down: the last full row becomes first", sbVertical, scPageDown, 0, 5, 8},
      {"thumb at 0", sbVertical, scPosition, 0, 5, 0},
      {"thumb at 64", sbVertical, scPosition, 64, 5, 8},
      {"thumb at 127", sbVertical, scPosition, 127, 5, 16},
      {"thumb tracking is off", sbVertical, scTrack, 64, 5, 5},
      {"top", sbVertical, scTop, 0, 5, 0},
      {"bottom", sbVertical, scBottom, 0, 5, 16},
      {"end of scroll", sbVertical, scEndScroll, 0, 5, 5},
      {"line up at the top", sbVertical, scLineUp, 0, 0, 0},
      {"line down at the bottom", sbVertical, scLineDown, 0, 16, 16},
      {"page down near the bottom", sbVertical, scPageDown, 0, 15, 16},
      {"page up near the top", sbVertical, scPageUp, 0, 1, 0},
  };
  for (const Case& c : cases) {
    grid_.SetTopRow(c.from);
    grid_.View().ScrollMessage(c.bar, c.code, c.thumb);
    EXPECT_EQ(grid_.TopRow(), c.to) << c.name;
    EXPECT_EQ(grid_.LeftCol(), 0) << c.name;
  }
  // Nothing to scroll across.
  grid_.View().ScrollMessage(sbHorizontal, scLineDown, 0);
  EXPECT_EQ(grid_.LeftCol(), 0);

  TGridOptions options = grid_.Options();
  options.Include(TGridOption::goThumbTracking);
  grid_.SetOptions(options);
  grid_.SetTopRow(5);
  grid_.View().ScrollMessage(sbVertical, scTrack, 64);
  EXPECT_EQ(grid_.TopRow(), 8);
}

TEST_F(GridWindowTest, PageDownWithOneFullyVisibleRowScrollsOneRow) {
  // Client 547 x 150: both bars, one whole row of 105 and a part of the next.
  window_.SetSize(568, 171);
  ASSERT_EQ(ToText(grid_.View().ClientRect()), "(0,0,547,150)");
  ASSERT_EQ(grid_.VisibleRowCount(), 1);
  grid_.View().ScrollMessage(sbVertical, scPageDown, 0);
  EXPECT_EQ(grid_.TopRow(), 1);
  grid_.View().ScrollMessage(sbVertical, scPageDown, 0);
  EXPECT_EQ(grid_.TopRow(), 2);
  grid_.View().ScrollMessage(sbVertical, scPageUp, 0);
  EXPECT_EQ(grid_.TopRow(), 1);
}

TEST_F(GridWindowTest, ScrollingPassesOverRowsOfSizeZero) {
  UseTwentyRows();
  grid_.SetRowHeights(6, 0);
  grid_.SetRowHeights(7, 0);
  grid_.SetTopRow(5);
  grid_.View().ScrollMessage(sbVertical, scLineDown, 0);
  EXPECT_EQ(grid_.TopRow(), 8);
  grid_.View().ScrollMessage(sbVertical, scLineUp, 0);
  EXPECT_EQ(grid_.TopRow(), 5);
}

TEST_F(GridWindowTest, ThumbPositionsAreRoundedAndWrittenOnlyWhenTheyChange) {
  UseTwentyRows();
  grid_.SetTopRow(5);  // 5 * 127 / 16 = 39.69
  grid_.SetTopRow(6);  // 47.63
  grid_.SetTopRow(16);
  const Log log = window_.TakeLog();
  Log positions;
  std::copy_if(log.begin(), log.end(), std::back_inserter(positions),
               [](const std::string& line) { return line.find("pos") != std::string::npos; });
  EXPECT_EQ(positions, (Log{"vpos 40", "vpos 48", "vpos 127"}));

  grid_.SetRowCount(1000);  // the largest useful top row is now 996
  grid_.SetTopRow(0);
  window_.TakeLog();
  for (std::int32_t row : {1, 4, 5, 6}) grid_.SetTopRow(row);  // 0.13, 0.51, 0.64, 0.77
  const Log small_steps = window_.TakeLog();
  EXPECT_EQ(std::count(small_steps.begin(), small_steps.end(), "vpos 1"), 1);
  EXPECT_EQ(std::count_if(small_steps.begin(), small_steps.end(),
                          [](const std::string& line) { return line.starts_with("vpos"); }),
            1);
}

TEST_F(GridWindowTest, MovingTheViewScrollsByTheDistanceOrRepaintsEverything) {
  UseTwentyRows();
  grid_.SetTopRow(5);
  window_.TakeLog();
  int moves = 0;
  grid_.Events.OnTopLeftChanged = [&moves](TCellGrid&) { ++moves; };
  grid_.SetTopRow(6);
  EXPECT_EQ(window_.TakeLog(), (Log{"flush", "vpos 48", "scroll (0,0,547,230) by (0,-50)"}));
  grid_.SetTopRow(9);
  EXPECT_EQ(window_.TakeLog(), (Log{"flush", "vpos 71", "scroll (0,0,547,230) by (0,-150)"}));
  grid_.SetTopRow(16);  // 350 pixels: more than the 230 shown
  EXPECT_EQ(window_.TakeLog(), (Log{"flush", "vpos 127", "invalidate (0,0,547,230)"}));
  grid_.SetTopRow(16);
  EXPECT_EQ(window_.TakeLog(), Log{});
  EXPECT_EQ(moves, 3);
}

TEST_F(GridWindowTest, WithFixedCellsTheHeaderBandsScrollAlongOneAxisOnly) {
  grid_.SetColCount(10);
  grid_.SetRowCount(20);
  grid_.SetDefaultColWidth(100);
  grid_.SetDefaultRowHeight(50);
  grid_.SetFixedCols(1);
  grid_.SetFixedRows(1);
  ASSERT_EQ(ToText(grid_.View().ClientRect()), "(0,0,547,513)");
  window_.TakeLog();
  grid_.View().MoveTopLeft({2, 3});
  EXPECT_EQ(window_.TakeLog(),
            (Log{"flush", "hpos 25", "vpos 25", "scroll (100,0,547,50) by (-100,0)",
                 "scroll (0,50,100,513) by (0,-100)", "scroll (100,50,547,513) by (-100,-100)"}));
}

TEST_F(GridWindowTest, MovingTheCurrentCellBringsItIntoViewAndMarksTheChange) {
  UseTwentyRows();
  grid_.MoveCurrent(2, 1, TMoveAnchor::kYes, TShowCell::kYes);
  // First the selection check marks the cell that was current and the candidate, then what the
  // selection lost and gained, then the previous and new current cell.
  const std::string old_cell = "invalidate (0,0,100,50)";
  const std::string new_cell = "invalidate (200,50,300,100)";
  EXPECT_EQ(window_.TakeLog(), (Log{old_cell, new_cell, old_cell, new_cell, old_cell, new_cell}));

  grid_.MoveCurrent(0, 12, TMoveAnchor::kYes, TShowCell::kYes);
  EXPECT_EQ(grid_.TopRow(), 9);  // row 12 is the last of the four that fit
  grid_.MoveCurrent(0, 3, TMoveAnchor::kYes, TShowCell::kYes);
  EXPECT_EQ(grid_.TopRow(), 3);
  grid_.MoveCurrent(0, 15, TMoveAnchor::kYes, TShowCell::kNo);
  EXPECT_EQ(grid_.TopRow(), 3);
  grid_.MoveAnchor({1, 19});
  EXPECT_EQ(grid_.TopRow(), 16);
}

TEST_F(GridWindowTest, AScrollMessageTakesTheFocusOnlyWhenTheWindowCanHaveIt) {
  window_.can_focus = false;
  grid_.View().ScrollMessage(sbVertical, scEndScroll, 0);
  EXPECT_EQ(window_.TakeLog(), Log{});
  window_.can_focus = true;
  grid_.View().ScrollMessage(sbVertical, scEndScroll, 0);
  EXPECT_EQ(window_.TakeLog(), Log{"focus"});
}

TEST_F(GridWindowTest, AnAppearanceChangeRepaintsOnceAndOnlyWhenItDiffers) {
  const Log everything{"invalidate (0,0,564,530)"};
  struct Case {
    const char* name;
    std::function<void()> set;
    Log log;
  };
  const std::vector<Case> cases = {
      {"the same", [&] { grid_.SetAppearance(grid_.Appearance()); }, {}},
      {"font, same", [&] { grid_.SetFont(grid_.Font()); }, {}},
      {"selection colour, new",
       [&] { ChangeAppearance(grid_, &TGridAppearance::SelectionColor, clSilver); }, everything},
      {"three at once",
       [&] {
         TGridAppearance appearance = grid_.Appearance();
         appearance.GridLineWidth = 2;
         appearance.WordWrap = false;
         appearance.ZoomDelta = 3;
         grid_.SetAppearance(appearance);
       },
       everything},
      {"while locked",
       [&] {
         grid_.View().BeginUpdate();
         ChangeAppearance(grid_, &TGridAppearance::ShowSelection, false);
       },
       {}},
  };
  for (const Case& c : cases) {
    c.set();
    EXPECT_EQ(window_.TakeLog(), c.log) << c.name;
  }
  EXPECT_EQ(grid_.Model().LineWidth, 0);
}

TEST(GridWithoutWindowTest, NothingIsMarkedBeforeTheWindowExists) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  grid.View().RepaintCell(0, 0);
  grid.SetCells(1, 1, "9");
  grid.SetRowCount(9);
  grid.MoveCurrent(0, 8, TMoveAnchor::kYes, TShowCell::kYes);
  EXPECT_EQ(grid.TopRow(), 0);  // no window, no scrolling into view
  FakeGridWindow window(568, 534);
  window.Attach(grid);
  EXPECT_EQ(window.Log(), Log{});
  EXPECT_EQ(grid.Cells(1, 1), "9");
  // Without a window the client area is the control's size less its edge.
  grid.View().AttachWindow(nullptr);
  EXPECT_EQ(ToText(grid.View().ClientRect()), "(0,0,564,530)");
}

// The layout is kept between events: every change of the lines or of the client area must drop
// it. Each case changes one thing of a new grid (5 x 10 cells of 64 x 21, one fixed line each
// way, no bars), whose layout has been computed and kept before.
TEST(GridKeptLayoutTest, IsDroppedWhenACountASizeOrTheClientAreaChanges) {
  struct TCase {
    const char* name;
    std::function<void(TCellGrid&, FakeGridWindow&)> change;
    // Per axis: fixed end, cells end, extent, first scrollable line.
    std::string layout;
  };
  const TCase cases[] = {
      {"nothing", [](TCellGrid&, FakeGridWindow&) {}, "64 320 396 1 | 21 210 246 1"},
      {"col count", [](TCellGrid& g, FakeGridWindow&) { g.SetColCount(3); },
       "64 192 396 1 | 21 210 246 1"},
      {"row count", [](TCellGrid& g, FakeGridWindow&) { g.SetRowCount(4); },
       "64 320 396 1 | 21 84 246 1"},
      {"default width", [](TCellGrid& g, FakeGridWindow&) { g.SetDefaultColWidth(50); },
       "50 250 396 1 | 21 210 246 1"},
      {"default height", [](TCellGrid& g, FakeGridWindow&) { g.SetDefaultRowHeight(20); },
       "64 320 396 1 | 20 200 246 1"},
      {"one width", [](TCellGrid& g, FakeGridWindow&) { g.SetColWidths(2, 100); },
       "64 356 396 1 | 21 210 246 1"},
      {"one height", [](TCellGrid& g, FakeGridWindow&) { g.SetRowHeights(0, 50); },
       "64 320 396 1 | 50 239 246 1"},
      {"fixed cols", [](TCellGrid& g, FakeGridWindow&) { g.SetFixedCols(2); },
       "128 320 396 2 | 21 210 246 1"},
      {"top-left",
       [](TCellGrid& g, FakeGridWindow&) {
         g.View().MoveTopLeft({2, 4});
       },
       "64 256 396 2 | 21 147 246 4"},
      {"client area", [](TCellGrid&, FakeGridWindow& w) { w.SetSize(200, 250); },
       "64 196 196 1 | 21 210 229 1"},
  };
  for (const TCase& c : cases) {
    TCellGrid grid;
    FakeGridWindow window(400, 250);
    window.Attach(grid);
    window.Show();
    grid.View().Layout();
    c.change(grid, window);
    const TGridLayout l = grid.View().Layout();
    EXPECT_EQ(Format("%d %d %d %d | %d %d %d %d",
                     {l.Horz.FixedEnd, l.Horz.CellsEnd, l.Horz.Extent, l.Horz.FirstCell,
                      l.Vert.FixedEnd, l.Vert.CellsEnd, l.Vert.Extent, l.Vert.FirstCell}),
              c.layout)
        << c.name;
  }
}

}  // namespace
}  // namespace zelvorn
