#include "app/form_main_layout.h"

#include <algorithm>

#include "controls/grid/cell_grid.h"
#include "platform/timer.h"

namespace zelvorn {
namespace {

TFont Font(const char* name, std::int32_t height, bool bold, TColor color) {
  TFont font;
  font.Name = name;
  font.Height = height;
  font.Bold = bold;
  font.Color = color;
  return font;
}

// The layout was designed for an outer size of 576 × 638 pixels; less the Windows frame, that
// leaves a client area of 568 × 604.
TFormMainLayout DesignedLayout() {
  using enum TGridOption;
  TFormMainLayout layout;
  layout.Form = {"Zelvorn", 568, 604, clBtnFace, Font("宋体", -16, false, clWindowText)};
  layout.Panel1 = {70};
  layout.Label1 = {{61, 26, 32, 16}, "表格", false, {}, ""};
  layout.Label2 = {{5, 4, 29, 56}, "0", true, Font("宋体", -56, true, clWindowText), "进度"};
  layout.ComboBox1 = {{115, 23, 149, 24}, 16, {"5×5", "6×6", "7×7", "8×8", "9×9"}, 0, "5×5"};
  layout.Button1 = {{296, 8, 101, 50}, "开始训练"};
  layout.VosTimeBox1 = {
      {412, 15, 140, 37},
      {false, clBlack, false, true, "00:00:00", Font("黑体", -29, false, clWhite)},
      false,
      false,
      "用时"};
  layout.CellGrid1 = {110,
                      105,
                      0,
                      0,
                      5,
                      Font("Tahoma", -64, true, clWindowText),
                      Font("Tahoma", -11, true, clWindowText),
                      {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
                       goDrawFocusSelected},
                      TScrollStyle::ssBoth,
                      "表格"};
  layout.Timer1 = {false};
  return layout;
}

}  // namespace

const TFormMainLayout& FormMainLayout() {
  static const TFormMainLayout layout = DesignedLayout();
  return layout;
}

TBounds StripBounds(std::int32_t client_width) {
  return {0, 0, client_width, FormMainLayout().Panel1.Height};
}

TBounds GridBounds(std::int32_t client_width, std::int32_t client_height) {
  const std::int32_t strip = FormMainLayout().Panel1.Height;
  return {0, strip, client_width, std::max(0, client_height - strip)};
}

std::unique_ptr<TTimer> LoadTimer(const TFormMainLayout::TTimer& stored) {
  auto timer = std::make_unique<TTimer>();
  timer->SetEnabled(stored.Enabled);
  return timer;
}

void LoadCellGrid(TCellGrid& grid, const TFormMainLayout::TGrid& stored) {
  grid.SetDefaultColWidth(stored.DefaultColWidth);
  grid.SetDefaultRowHeight(stored.DefaultRowHeight);
  grid.SetFixedCols(stored.FixedCols);
  grid.SetFixedRows(stored.FixedRows);
  grid.SetRowCount(stored.RowCount);
  TGridAppearance appearance = grid.Appearance();
  appearance.Font = stored.Font;
  appearance.FixedFont = stored.FixedFont;
  grid.SetAppearance(appearance);
  grid.SetOptions(stored.Options);
  grid.SetScrollBars(stored.ScrollBars);
}

void TFormMainHandlers::BindGrid(TCellGrid& grid) {
  grid.Events.OnGetAlignment = [this](const TCellGrid&, std::int32_t row, std::int32_t col,
                                      TAlignment& h,
                                      TVAlignment& v) { CellGrid1GetAlignment(row, col, h, v); };
  grid.Events.OnClickCell = [this](TCellGrid&, std::int32_t row, std::int32_t col) {
    CellGrid1ClickCell(row, col);
  };
}

void TFormMainHandlers::BindTimer(TTimer& timer) {
  timer.OnTimer = [this] { Timer1Timer(); };
}

}  // namespace zelvorn
