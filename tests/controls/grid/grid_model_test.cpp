#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/grid/cell_grid.h"
#include "platform/exceptions.h"
#include "tests/controls/grid/fake_grid_window.h"

namespace zelvorn {
namespace {

using testing::FakeGridWindow;
using testing::LoadStoredLayout;
using testing::SizeForRun;

// The message of the EInvalidGridOperation `action` raises ("" when it raises none).
template <typename Action>
std::string GridErrorOf(Action action) {
  try {
    action();
  } catch (const EInvalidGridOperation& error) {
    return error.Message();
  }
  return "";
}

std::string Text(TCellCoord c) { return Format("(%d,%d)", {c.X, c.Y}); }
std::string Text(const TGridRect& r) {
  return Format("(%d,%d)-(%d,%d)", {r.Left, r.Top, r.Right, r.Bottom});
}

void WriteBoard(TCellGrid& grid, std::int32_t n) {
  for (std::int32_t col = 0; col < n; ++col) {
    for (std::int32_t row = 0; row < n; ++row) {
      grid.SetCells(col, row, std::to_string(col * n + row + 1));
    }
  }
}

TEST(GridModelTest, CountsOfZeroOrLessBecomeOne) {
  for (std::int32_t count : {0, -1, -100, INT_MIN}) {
    TCellGrid grid;
    LoadStoredLayout(grid);
    grid.SetRowCount(count);
    grid.SetColCount(count);
    EXPECT_EQ(grid.RowCount(), 1) << count;
    EXPECT_EQ(grid.ColCount(), 1) << count;
    EXPECT_EQ(Text(grid.Model().Current), "(0,0)") << count;
  }
}

TEST(GridModelTest, ShrinkingMovesTheCurrentCellInside) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  grid.SetRowCount(9);
  grid.SetColCount(9);
  grid.MoveCurrent(8, 8, TMoveAnchor::kYes, TShowCell::kYes);
  grid.SetRowCount(5);
  EXPECT_EQ(Text(grid.Model().Current), "(8,4)");
  EXPECT_EQ(Text(grid.Selection()), "(8,4)-(8,4)");
  grid.SetColCount(5);
  EXPECT_EQ(Text(grid.Model().Current), "(4,4)");
  EXPECT_EQ(Text(grid.Selection()), "(4,4)-(4,4)");
}

TEST(GridModelTest, AnyCountChangeCollapsesARangeSelection) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  grid.MoveCurrent(1, 1, TMoveAnchor::kYes, TShowCell::kYes);
  grid.MoveAnchor({3, 2});
  EXPECT_EQ(Text(grid.Selection()), "(1,1)-(3,2)");
  grid.SetRowCount(6);
  EXPECT_EQ(Text(grid.Selection()), "(1,1)-(1,1)");
  EXPECT_EQ(Text(grid.Model().Current), "(1,1)");
}

TEST(GridModelTest, CellsOutsideTheCountsSurviveAShrink) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  SizeForRun(grid, 9);
  WriteBoard(grid, 9);
  SizeForRun(grid, 5);
  EXPECT_EQ(grid.Cells(8, 8), "81");
  EXPECT_EQ(grid.Cells(5, 0), "46");
  EXPECT_EQ(grid.Cells(0, 7), "8");
  EXPECT_EQ(grid.Store().StoredCellCount(), 81);
  EXPECT_EQ(grid.Store().CheckConsistency(), "");
}

TEST(GridModelTest, DisplayTextHookOnlyBelowTheRowCountLastSet) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  grid.SetCells(0, 4, "5");
  grid.SetCells(0, 6, "7");
  grid.Events.OnGetDisplText = [](const TCellGrid&, std::int32_t col, std::int32_t row,
                                  std::string& text) {
    text = Format("[%d,%d:%s]", {col, row, text});
  };
  EXPECT_EQ(grid.Cells(0, 4), "[0,4:5]");
  EXPECT_EQ(grid.Cells(0, 6), "7");
  grid.SetRowCount(7);
  EXPECT_EQ(grid.Cells(0, 6), "[0,6:7]");
}

TEST(GridModelTest, DefaultColWidthDiscardsOwnWidthsEvenWhenUnchanged) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  grid.SetColWidths(2, 50);
  grid.SetRowHeights(1, 40);
  EXPECT_EQ(grid.ColWidths(2), 50);
  EXPECT_EQ(grid.ColWidths(3), 110);
  grid.SetDefaultColWidth(110);
  EXPECT_EQ(grid.ColWidths(2), 110);
  EXPECT_FALSE(grid.Model().ColWidths.Exists());
  EXPECT_EQ(grid.RowHeights(1), 40);  // rows keep theirs
  grid.SetDefaultRowHeight(105);
  EXPECT_EQ(grid.RowHeights(1), 105);
}

TEST(GridModelTest, OwnSizesBeyondTheCounts) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  grid.SetColWidths(1, 30);
  EXPECT_EQ(grid.ColWidths(7), 110);
  EXPECT_EQ(grid.ColWidths(-1), 110);
  EXPECT_EQ(GridErrorOf([&] { grid.SetColWidths(5, 10); }), "网格索引越界");
  EXPECT_EQ(GridErrorOf([&] { grid.SetColWidths(-1, 10); }), "网格索引越界");
  EXPECT_EQ(GridErrorOf([&] { grid.SetRowHeights(5, 10); }), "网格索引越界");
  // Growing the count gives the new columns the default; shrinking drops the own widths beyond.
  grid.SetColCount(7);
  EXPECT_EQ(grid.ColWidths(6), 110);
  grid.SetColWidths(6, 20);
  grid.SetColCount(2);
  grid.SetColCount(7);
  EXPECT_EQ(grid.ColWidths(1), 30);
  EXPECT_EQ(grid.ColWidths(6), 110);
}

TEST(GridModelTest, FixedCountFailuresLeaveTheModelAlone) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  struct Case {
    const char* name;
    std::function<void()> action;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"FixedCols = ColCount", [&] { grid.SetFixedCols(5); }, "固定列的数目必须小于总列数"},
      {"FixedCols > ColCount", [&] { grid.SetFixedCols(9); }, "固定列的数目必须小于总列数"},
      {"FixedRows = RowCount", [&] { grid.SetFixedRows(5); }, "固定行的数目必须小于总行数"},
      {"FixedCols < 0", [&] { grid.SetFixedCols(-1); }, "网格索引越界"},
      {"FixedRows < 0", [&] { grid.SetFixedRows(-1); }, "网格索引越界"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GridErrorOf(c.action), c.message) << c.name;
    EXPECT_EQ(grid.FixedCols(), 0) << c.name;
    EXPECT_EQ(grid.FixedRows(), 0) << c.name;
  }
}

// A new fixed count, up or down, puts the view and the current and anchor cells on the first cell
// past the fixed ones; the count it already has changes nothing.
TEST(GridModelTest, AChangedFixedCountResetsTheCells) {
  struct Case {
    const char* name;
    std::function<void(TCellGrid&)> change;
    const char* top_left;
    const char* current;
    const char* anchor;
  };
  const std::vector<Case> cases = {
      {"fewer fixed columns", [](TCellGrid& g) { g.SetFixedCols(0); }, "(0,1)", "(0,1)", "(0,1)"},
      {"more fixed rows", [](TCellGrid& g) { g.SetFixedRows(2); }, "(1,2)", "(1,2)", "(1,2)"},
      {"the same fixed count", [](TCellGrid& g) { g.SetFixedCols(1); }, "(1,1)", "(3,4)", "(1,2)"},
  };
  for (const Case& c : cases) {
    TCellGrid grid;
    LoadStoredLayout(grid);
    grid.SetFixedCols(1);
    grid.SetFixedRows(1);
    grid.MoveCurrent(3, 4, TMoveAnchor::kYes, TShowCell::kYes);
    grid.MoveAnchor({1, 2});
    c.change(grid);
    EXPECT_EQ(Text(grid.Model().TopLeft), c.top_left) << c.name;
    EXPECT_EQ(Text(grid.Model().Current), c.current) << c.name;
    EXPECT_EQ(Text(grid.Model().Anchor), c.anchor) << c.name;
  }
}

TEST(GridModelTest, ACountAtOrBelowTheFixedCountLowersIt) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  grid.SetColCount(6);
  grid.SetFixedCols(3);
  grid.SetColCount(3);
  EXPECT_EQ(grid.FixedCols(), 2);
  EXPECT_EQ(grid.ColCount(), 3);
  grid.SetColCount(0);
  EXPECT_EQ(grid.FixedCols(), 0);
  EXPECT_EQ(grid.ColCount(), 1);
}

TEST(GridModelTest, ASizeListThatCannotGrowKeepsTheOldCounts) {
  TCellGrid grid;
  FakeGridWindow window(568, 534);
  window.Attach(grid);
  LoadStoredLayout(grid);
  window.Show();
  grid.SetColWidths(0, 50);
  window.TakeLog();
  EXPECT_EQ(GridErrorOf([&] { grid.SetColCount(TSizeList::kMaxEntries + 1); }), "操作的网格太大");
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.Model().ColWidths.Count(), 5);
  EXPECT_EQ(grid.ColWidths(0), 50);
  // The strips of the unchanged counts, then everything.
  EXPECT_EQ(window.TakeLog(),
            (std::vector<std::string>{"invalidate (380,0,568,534)", "invalidate (0,420,568,534)",
                                      "invalidate (0,0,564,530)"}));
}

TEST(GridModelTest, FixedCellTest) {
  TCellGrid grid;  // one fixed column and row
  std::vector<std::string> asked;
  grid.Events.OnIsFixedCell = [&asked](const TCellGrid&, std::int32_t row, std::int32_t col,
                                       bool& fixed) {
    asked.push_back(Format("%d,%d", {row, col}));
    fixed = row == 2 && col == 3;
  };
  EXPECT_TRUE(grid.IsFixedCell(0, 4));
  EXPECT_TRUE(grid.IsFixedCell(4, 0));
  EXPECT_TRUE(grid.IsFixedCell(2, 2, true));
  EXPECT_TRUE(grid.IsFixedCell(3, 2));
  EXPECT_FALSE(grid.IsFixedCell(2, 3));
  // Only cells not already fixed by the counts reach the handler, row first.
  EXPECT_EQ(asked, (std::vector<std::string>{"2,3", "3,2"}));
}

TEST(GridModelTest, MovesOfTheCurrentCell) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  EXPECT_EQ(GridErrorOf([&] { grid.MoveCurrent(5, 0, TMoveAnchor::kYes, TShowCell::kYes); }),
            "网格索引越界");
  EXPECT_EQ(GridErrorOf([&] { grid.MoveCurrent(0, -1, TMoveAnchor::kYes, TShowCell::kYes); }),
            "网格索引越界");
  EXPECT_EQ(GridErrorOf([&] { grid.MoveAnchor({0, 5}); }), "网格索引越界");

  std::vector<std::string> asked;
  grid.Events.OnSelectCell = [&asked](TCellGrid&, std::int32_t col, std::int32_t row, bool& can) {
    asked.push_back(Format("%d,%d", {col, row}));
    can = col != 2;
  };
  grid.MoveCurrent(1, 3, TMoveAnchor::kYes, TShowCell::kNo);
  grid.MoveCurrent(2, 2, TMoveAnchor::kYes, TShowCell::kNo);  // refused
  EXPECT_EQ(Text(grid.Model().Current), "(1,3)");
  grid.MoveCurrent(4, 4, TMoveAnchor::kNo, TShowCell::kNo);  // the anchor stays: a range
  EXPECT_EQ(Text(grid.Selection()), "(1,3)-(4,4)");
  EXPECT_EQ(asked, (std::vector<std::string>{"1,3", "2,2", "4,4"}));

  int clicks = 0;
  grid.Events.OnClick = [&clicks](TCellGrid&) { ++clicks; };
  grid.FocusCell(0, 0, TMoveAnchor::kYes);
  EXPECT_EQ(clicks, 1);
  grid.SetSelection({1, 1, 3, 4});
  EXPECT_EQ(Text(grid.Model().Anchor), "(1,1)");
  EXPECT_EQ(Text(grid.Model().Current), "(3,4)");
}

TEST(GridModelTest, ACountChangeKeepsTheCurrentCellInsideEvenWhenTheCheckRefusesIt) {
  TCellGrid grid;
  LoadStoredLayout(grid);
  grid.MoveCurrent(4, 4, TMoveAnchor::kYes, TShowCell::kYes);
  grid.Events.OnSelectCell = [](TCellGrid&, std::int32_t, std::int32_t, bool& can) { can = false; };
  grid.SetRowCount(3);
  EXPECT_EQ(Text(grid.Model().Current), "(4,2)");
}

}  // namespace
}  // namespace zelvorn
