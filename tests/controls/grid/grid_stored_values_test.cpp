#include "controls/grid/grid_stored_values.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "controls/grid/cell_grid.h"
#include "platform/exceptions.h"

namespace zelvorn {
namespace {

using TSet = std::vector<std::string>;

std::vector<std::pair<std::string, std::string>> Load(TCellGrid& grid,
                                                      const std::vector<TStoredProperty>& values) {
  std::vector<std::pair<std::string, std::string>> bound;
  LoadStoredGridValues(grid, values, [&](std::string_view event, std::string_view handler) {
    bound.emplace_back(event, handler);
  });
  return bound;
}

TEST(StoredGridValuesTest, ValuesApplyInOrderThroughTheSetters) {
  TCellGrid grid;
  const auto bound = Load(grid, {
                                    {"DefaultColWidth", 110},
                                    {"DefaultRowHeight", 105},
                                    {"FixedCols", 0},
                                    {"FixedRows", 0},
                                    {"RowCount", 5},
                                    {"Font.Height", -64},
                                    {"Font.Name", std::string("Tahoma")},
                                    {"Font.Style", TSet{"fsBold"}},
                                    {"Font.Color", std::string("clWindowText")},
                                    {"Options", TSet{"goVertLine", "goRangeSelect"}},
                                    {"ScrollBars", std::string("ssVertical")},
                                    {"OnClickCell", std::string("Grid1ClickCell")},
                                    {"FixedColWidth", 77},
                                    {"FixedRowHeight", 66},
                                    {"SelectionColor", 0x123456},
                                    {"WordWrap", std::string("False")},
                                });
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.RowCount(), 5);
  EXPECT_EQ(grid.FixedCols(), 0);
  EXPECT_EQ(grid.FixedRows(), 0);
  // The fixed counts, set after the defaults, put the current and top-left cells at (0, 0).
  EXPECT_EQ(grid.Current(), (TCellCoord{0, 0}));
  EXPECT_EQ(grid.TopLeft(), (TCellCoord{0, 0}));
  EXPECT_EQ(grid.ColWidths(0), 110);
  EXPECT_EQ(grid.RowHeights(0), 105);
  EXPECT_EQ(grid.Font().Height, -64);
  EXPECT_EQ(grid.Font().Name, "Tahoma");
  EXPECT_TRUE(grid.Font().Bold);
  EXPECT_EQ(grid.Font().Color, clWindowText);
  EXPECT_EQ(grid.Options(), (TGridOptions{TGridOption::goVertLine, TGridOption::goRangeSelect}));
  EXPECT_EQ(grid.ScrollBars(), TScrollStyle::ssVertical);
  EXPECT_EQ(grid.SelectionColor(), 0x123456u);
  EXPECT_FALSE(grid.WordWrap());
  // While loading, a fixed column width is ignored and a fixed row height only remembered.
  EXPECT_EQ(grid.FixedRowHeight(), 66);
  EXPECT_EQ(grid.DefaultRowHeight(), 105);
  EXPECT_FALSE(grid.Loading());
  EXPECT_EQ(bound,
            (std::vector<std::pair<std::string, std::string>>{{"OnClickCell", "Grid1ClickCell"}}));
}

TEST(StoredGridValuesTest, ValuesOfFeaturesTheGridLacksAreAcceptedAndIgnored) {
  TCellGrid grid;
  const TFont font = grid.Font();
  Load(grid, {
                 {"ActiveCellFont.Height", -11},
                 {"ActiveCellFont.Name", std::string("Tahoma")},
                 {"Filter", TSet{}},
                 {"FloatFormat", std::string("%.2f")},
                 {"PrintSettings.Date", std::string("dd/mm/yyyy")},
                 {"PrintSettings.FooterFont.Name", std::string("MS Sans Serif")},
                 {"SearchFooter.FindNextCaption", std::string("Find next")},
                 {"Version", std::string("3.4.6.0")},
                 {"Font.Charset", std::string("DEFAULT_CHARSET")},
             });
  EXPECT_EQ(grid.Font(), font);
  EXPECT_EQ(grid.RowCount(), 10);
}

TEST(StoredGridValuesTest, UnknownNamesAndUnfitValuesFailClearly) {
  // (property, message)
  const std::vector<std::pair<TStoredProperty, std::string>> cases = {
      {{"Colour", 5}, "属性 Colour 不存在"},
      {{"Font.Size", 12}, "属性 Font.Size 不存在"},
      {{"RowCount", std::string("five")}, "属性 RowCount 的值无效"},
      {{"Options", TSet{"goEverything"}}, "属性 Options 的值无效"},
      {{"ScrollBars", std::string("ssDiagonal")}, "属性 ScrollBars 的值无效"},
      {{"Font.Color", std::string("clPlum")}, "属性 Font.Color 的值无效"},
      {{"WordWrap", 1}, "属性 WordWrap 的值无效"},
  };
  for (const auto& [property, message] : cases) {
    TCellGrid grid;
    try {
      Load(grid, {{"RowCount", 7}, property, {"ColCount", 9}});
      ADD_FAILURE() << "accepted " << property.name;
    } catch (const EReadError& e) {
      EXPECT_EQ(e.Message(), message);
    }
    EXPECT_EQ(grid.RowCount(), 7);  // what came before stays applied, what follows is not
    EXPECT_EQ(grid.ColCount(), 5);
    EXPECT_FALSE(grid.Loading());
  }
}

}  // namespace
}  // namespace zelvorn
