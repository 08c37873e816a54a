#include "controls/grid/grid_layout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "tests/controls/grid/fake_grid_window.h"

namespace zelvorn {
namespace {

using testing::ToText;

struct TModelShape {
  std::int32_t cols = 10, rows = 10;
  std::int32_t fixed_cols = 0, fixed_rows = 0;
  std::int32_t col_width = 64, row_height = 24;
  std::int32_t line_width = 0;
  TCellCoord top_left{0, 0};
};

TGridModel MakeModel(const TModelShape& shape) {
  TGridModel model;
  model.ColCount = shape.cols;
  model.RowCount = shape.rows;
  model.FixedCols = shape.fixed_cols;
  model.FixedRows = shape.fixed_rows;
  model.DefaultColWidth = shape.col_width;
  model.DefaultRowHeight = shape.row_height;
  model.LineWidth = shape.line_width;
  model.TopLeft = shape.top_left;
  return model;
}

TEST(CalcLayoutTest, AxisValuesForLineWidthsAndExtents) {
  struct Case {
    const char* name;
    TModelShape shape;
    std::int32_t extent;
    // Expected column axis.
    std::int32_t fixed_end, cells_end, last_full, full_end;
  };
  const std::vector<Case> cases = {
      {"stored 5 x 110 in 564", {.cols = 5, .col_width = 110}, 564, 0, 550, 4, 550},
      {"9 x 62 in 564", {.cols = 9, .col_width = 62}, 564, 0, 558, 8, 558},
      {"cut at the edge", {}, 300, 0, 300, 3, 256},
      {"scrolled to column 4", {.top_left = {4, 0}}, 300, 0, 300, 7, 256},
      {"everything fits", {.cols = 3, .col_width = 50}, 300, 0, 150, 2, 150},
      {"nothing fits", {.cols = 3, .col_width = 400}, 300, 0, 300, 0, 0},
      {"line 1, one fixed",
       {.fixed_cols = 1, .line_width = 1, .top_left = {1, 0}},
       300,
       65,
       300,
       3,
       260},
      // With lines 2 wide, a column whose own line is cut still counts as fully visible.
      {"line 2, trailing line cut", {.line_width = 2}, 197, 0, 197, 2, 198},
      {"line 2, line fits", {.line_width = 2}, 200, 0, 200, 2, 198},
  };
  for (const Case& c : cases) {
    const TAxisLayout axis = CalcLayout(MakeModel(c.shape), c.extent, 100).Horz;
    EXPECT_EQ(axis.FixedEnd, c.fixed_end) << c.name;
    EXPECT_EQ(axis.CellsEnd, c.cells_end) << c.name;
    EXPECT_EQ(axis.LastFullCell, c.last_full) << c.name;
    EXPECT_EQ(axis.FullEnd, c.full_end) << c.name;
    EXPECT_EQ(axis.Extent, c.extent) << c.name;
  }
}

TEST(CalcLayoutTest, LineWidthCountsOnlyWithLinesInTheOptions) {
  TGridModel model = MakeModel({.fixed_cols = 1, .fixed_rows = 1, .line_width = 3});
  model.Options = TGridOptions{TGridOption::goHorzLine};
  const TGridLayout layout = CalcLayout(model, 300, 300);
  EXPECT_EQ(layout.Horz.LineWidth, 0);
  EXPECT_EQ(layout.Horz.FixedEnd, 64);
  EXPECT_EQ(layout.Vert.LineWidth, 3);
  EXPECT_EQ(layout.Vert.FixedEnd, 27);
}

TEST(LinePositionTest, FixedScrolledOutAndBeyondTheExtent) {
  // Fixed column 0, columns 1 and 2 scrolled out, 65 pixels per column with its line.
  const TAxisLayout axis =
      CalcLayout(MakeModel({.fixed_cols = 1, .line_width = 1, .top_left = {3, 0}}), 300, 100).Horz;
  const std::vector<std::pair<std::int32_t, std::int32_t>> cases = {
      {0, 0}, {1, 0}, {2, 0}, {3, 65}, {4, 130}, {6, 260}, {7, 0}, {9, 0},
  };
  for (const auto& [line, position] : cases) EXPECT_EQ(LinePosition(axis, line), position) << line;
}

TEST(CellBoundsTest, CellsAndBlocksWithoutLines) {
  // Client 300 x 100: columns 0..3 whole, column 4 cut at 300; rows 0..3 whole, row 4 cut at 100.
  const TGridLayout at_origin = CalcLayout(MakeModel({}), 300, 100);
  const TGridLayout scrolled = CalcLayout(MakeModel({.top_left = {3, 2}}), 300, 100);
  struct Case {
    const char* name;
    const TGridLayout* layout;
    TGridRect cells;
    const char* bounds;
  };
  const std::vector<Case> cases = {
      {"first cell", &at_origin, {0, 0, 0, 0}, "(0,0,64,24)"},
      {"inner cell", &at_origin, {3, 1, 3, 1}, "(192,24,256,48)"},
      {"partly visible column", &at_origin, {4, 0, 4, 0}, "(256,0,300,24)"},
      {"partly visible row", &at_origin, {0, 4, 0, 4}, "(0,96,64,100)"},
      {"after the partly visible column", &at_origin, {5, 0, 5, 0}, "(0,0,0,0)"},
      {"after the partly visible row", &at_origin, {0, 5, 0, 5}, "(0,0,0,0)"},
      {"block", &at_origin, {1, 1, 2, 2}, "(64,24,192,72)"},
      {"block reaching out", &at_origin, {2, 1, 8, 9}, "(128,24,300,100)"},
      {"reversed block", &at_origin, {2, 0, 1, 0}, "(0,0,0,0)"},
      {"no cell", &at_origin, {-1, -1, -1, -1}, "(0,0,0,0)"},
      {"scrolled out", &scrolled, {1, 2, 2, 2}, "(0,0,0,0)"},
      {"scrolled out rows", &scrolled, {3, 0, 3, 1}, "(0,0,0,0)"},
      {"partly scrolled out", &scrolled, {1, 1, 4, 3}, "(0,0,128,48)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToText(CellBounds(*c.layout, c.cells, TTrailingLine::kExclude)), c.bounds) << c.name;
  }
}

TEST(CellBoundsTest, TrailingLinesAndTheirEdgeCases) {
  const TGridLayout one = CalcLayout(MakeModel({.line_width = 1}), 300, 100);
  const TGridLayout fixed = CalcLayout(
      MakeModel({.fixed_cols = 1, .fixed_rows = 1, .line_width = 1, .top_left = {3, 1}}), 300, 100);
  // Lines 2 wide in a client 197 wide: column 2 ends at 196 and its line is cut, so column 3
  // starts beyond the edge.
  const TGridLayout cut = CalcLayout(MakeModel({.line_width = 2}), 197, 100);
  struct Case {
    const char* name;
    const TGridLayout* layout;
    TGridRect cells;
    TTrailingLine trailing;
    const char* bounds;
  };
  const auto kIn = TTrailingLine::kInclude;
  const auto kEx = TTrailingLine::kExclude;
  const std::vector<Case> cases = {
      {"cell without its line", &one, {1, 1, 1, 1}, kEx, "(65,25,129,49)"},
      {"cell with its line", &one, {1, 1, 1, 1}, kIn, "(65,25,130,50)"},
      {"block with its line", &one, {1, 1, 2, 2}, kIn, "(65,25,195,75)"},
      {"cut cell with its line", &one, {4, 0, 4, 0}, kIn, "(260,0,301,25)"},
      {"fixed cell", &fixed, {0, 0, 0, 0}, kEx, "(0,0,64,24)"},
      {"fixed cell and scrolled-out ones", &fixed, {0, 0, 2, 0}, kEx, "(0,0,64,24)"},
      {"fixed cell to first scrollable", &fixed, {0, 0, 3, 0}, kEx, "(0,0,129,24)"},
      {"first scrollable", &fixed, {3, 1, 3, 1}, kEx, "(65,25,129,49)"},
      {"last column whose line is cut", &cut, {2, 0, 2, 0}, kIn, "(132,0,198,26)"},
      {"column starting beyond the edge", &cut, {3, 0, 3, 0}, kIn, "(0,0,0,0)"},
      {"block reaching beyond the edge", &cut, {1, 0, 6, 0}, kEx, "(66,0,196,24)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToText(CellBounds(*c.layout, c.cells, c.trailing)), c.bounds) << c.name;
  }
}

TEST(CellBoundsTest, FullCellRectIsNotCutAtTheEdge) {
  const TGridLayout layout = CalcLayout(MakeModel({}), 300, 100);
  EXPECT_EQ(ToText(FullCellRect(layout, {4, 4})), "(256,96,320,120)");
  EXPECT_EQ(ToText(FullCellRect(layout, {7, 0})), "(0,0,64,24)");  // not visible: at the origin
}

TEST(CellAtPointTest, EdgesMarginsAndOutside) {
  // The stored start state: 5 x 5 cells of 110 x 105 in a client of 564 x 530.
  const TGridLayout stored =
      CalcLayout(MakeModel({.cols = 5, .rows = 5, .col_width = 110, .row_height = 105}), 564, 530);
  const TGridLayout fixed = CalcLayout(
      MakeModel({.fixed_cols = 1, .fixed_rows = 1, .line_width = 1, .top_left = {3, 1}}), 300, 100);
  struct Case {
    const char* name;
    const TGridLayout* layout;
    TPoint point;
    TCellCoord cell;
  };
  const std::vector<Case> cases = {
      {"origin", &stored, {0, 0}, {0, 0}},
      {"last pixel of a cell", &stored, {109, 104}, {0, 0}},
      {"boundary belongs to the right cell", &stored, {110, 0}, {1, 0}},
      {"boundary belongs to the lower cell", &stored, {0, 105}, {0, 1}},
      {"last pixel of the last cell", &stored, {549, 524}, {4, 4}},
      {"1 pixel right of the last column", &stored, {550, 10}, {-1, -1}},
      {"below the last row", &stored, {10, 525}, {-1, -1}},
      {"corner margin", &stored, {560, 528}, {-1, -1}},
      {"left of the grid", &stored, {-1, 5}, {-1, -1}},
      {"above the grid", &stored, {5, -1}, {-1, -1}},
      {"on the fixed column's line", &fixed, {64, 30}, {0, 1}},
      {"first scrollable column", &fixed, {65, 30}, {3, 1}},
      {"on a scrollable line", &fixed, {129, 49}, {3, 1}},
      {"beyond the client edge", &fixed, {400, 10}, {8, 0}},
  };
  for (const Case& c : cases) {
    const TCellCoord cell = CellAtPoint(*c.layout, c.point);
    EXPECT_EQ(cell.X, c.cell.X) << c.name;
    EXPECT_EQ(cell.Y, c.cell.Y) << c.name;
  }
}

TEST(LargestTopLeftTest, SmallestFirstLineThatShowsTheLineFully) {
  struct Case {
    const char* name;
    TModelShape shape;
    std::vector<std::pair<std::int32_t, std::int32_t>> own_widths;
    std::int32_t start;
    std::int32_t answer;
  };
  const std::vector<Case> cases = {
      {"four columns fit", {}, {}, 9, 6},
      {"lines 1 wide", {.line_width = 1}, {}, 9, 6},
      {"one fixed column", {.fixed_cols = 1}, {}, 9, 7},
      {"a fixed line is its own answer", {.fixed_cols = 2}, {}, 1, 1},
      {"start near the beginning", {}, {}, 2, 0},
      {"a line wider than the client", {}, {{9, 400}}, 9, 9},
      {"hidden lines are passed over", {}, {{7, 0}, {8, 0}}, 9, 4},
      {"hidden start moves to a visible line", {}, {{9, 0}}, 9, 5},
      {"a hidden line before the first that fits", {}, {{5, 0}}, 9, 6},
      {"hidden start before a wide line", {}, {{9, 0}, {8, 400}}, 9, 8},
  };
  for (const Case& c : cases) {
    TGridModel model = MakeModel(c.shape);
    if (!c.own_widths.empty()) model.ColWidths.Resize(model.ColCount, model.DefaultColWidth);
    for (const auto& [col, width] : c.own_widths) model.ColWidths.Set(col, width);
    EXPECT_EQ(LargestTopLeft(CalcLayout(model, 300, 100).Horz, c.start), c.answer) << c.name;
  }
}

// Every pixel in exactly one of a and b, by brute force.
std::set<std::pair<int, int>> XorPixels(const TRect& a, const TRect& b) {
  std::set<std::pair<int, int>> pixels;
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) {
      if (a.Contains({x, y}) != b.Contains({x, y})) pixels.insert({x, y});
    }
  }
  return pixels;
}

TEST(SymmetricDifferenceTest, CoversExactlyThePixelsInOneRectangle) {
  const std::vector<std::pair<TRect, TRect>> cases = {
      {{2, 2, 8, 8}, {2, 2, 8, 8}},      // equal
      {{0, 0, 4, 4}, {10, 10, 14, 14}},  // apart
      {{2, 2, 10, 10}, {4, 4, 6, 6}},    // one inside the other
      {{2, 2, 10, 10}, {6, 6, 14, 14}},  // corners overlap
      {{0, 4, 20, 8}, {8, 0, 12, 20}},   // a cross
      {{2, 2, 10, 10}, {2, 2, 10, 14}},  // grown downwards
      {{2, 2, 10, 10}, {5, 0, 8, 6}},    // poking in from above
      {{2, 2, 10, 10}, {0, 0, 0, 0}},    // one empty
  };
  for (const auto& [a, b] : cases) {
    std::set<std::pair<int, int>> covered;
    std::size_t area = 0;
    for (const TRect& r : SymmetricDifference(a, b)) {
      EXPECT_FALSE(r.IsEmpty());
      area += static_cast<std::size_t>(r.Width()) * r.Height();
      for (int y = r.Top; y < r.Bottom; ++y) {
        for (int x = r.Left; x < r.Right; ++x) covered.insert({x, y});
      }
    }
    EXPECT_EQ(covered, XorPixels(a, b)) << ToText(a) << " " << ToText(b);
    EXPECT_EQ(area, covered.size()) << "overlapping pieces for " << ToText(a) << " " << ToText(b);
  }
}

}  // namespace
}  // namespace zelvorn
