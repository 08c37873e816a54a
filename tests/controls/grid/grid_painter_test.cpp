#include "controls/grid/grid_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/controls/grid/fake_grid_window.h"
#include "tests/support/recording_canvas.h"

namespace zelvorn {
namespace {

using testing::ChangeAppearance;
using testing::FakeGridWindow;
using testing::LoadStoredLayout;
using testing::SizeForRun;
using testing::TCanvasCall;
using testing::TRecordingCanvas;
using Kind = TCanvasCall::TKind;
using Calls = std::vector<TCanvasCall>;
using Log = std::vector<std::string>;
// A cell as (column, row), ordered for maps.
using Cell = std::pair<std::int32_t, std::int32_t>;

// The grid of the main window after a 9 x 9 start, as in the pixel tests: cells of 62 x 58, every
// cell holding its number, and an alignment handler that counts its calls per cell. Here the
// painter draws on a canvas that keeps its calls.
class GridPainterCallsTest : public ::testing::Test {
 protected:
  GridPainterCallsTest() {
    window_.Attach(grid_);
    LoadStoredLayout(grid_);
    window_.Show();
    SizeForRun(grid_, 9);
    for (std::int32_t col = 0; col < 9; ++col) {
      for (std::int32_t row = 0; row < 9; ++row) grid_.SetCells(col, row, Number(col, row));
    }
    grid_.Events.OnGetAlignment = [this](const TCellGrid&, std::int32_t row, std::int32_t col,
                                         TAlignment&, TVAlignment&) {
      ++alignment_calls_[{col, row}];
    };
    window_.TakeLog();
  }

  static std::string Number(std::int32_t col, std::int32_t row) {
    return std::to_string(col * 9 + row + 1);
  }
  static TRect Box(std::int32_t col, std::int32_t row) {
    return {62 * col, 58 * row, 62 * col + 62, 58 * row + 58};
  }
  // Where a cell's text is laid out: inside its lines, 2 pixels in from the left, top and right.
  static TRect TextRect(const TRect& box) {
    return {box.Left + 3, box.Top + 3, box.Right - 3, box.Bottom - 1};
  }

  // The calls of repainting `region`, the whole client area when it is empty.
  Calls Paint(std::vector<TRect> region = {}) {
    if (region.empty()) region.push_back(grid_.View().ClientRect());
    TRecordingCanvas canvas(std::move(region));
    TGridPainter(grid_).PaintClientArea(canvas);
    return canvas.Calls();
  }

  static const TCanvasCall* Find(const Calls& calls, Kind kind, const TRect& rect) {
    const auto found = std::find_if(calls.begin(), calls.end(), [&](const TCanvasCall& call) {
      return call.Kind == kind && call.Rect == rect;
    });
    return found == calls.end() ? nullptr : &*found;
  }

  TCellGrid grid_;
  FakeGridWindow window_{568, 534};
  std::map<Cell, int> alignment_calls_;
};

TEST_F(GridPainterCallsTest,
       TheAlignmentEventIsRaisedTwicePerPaintedCellAndOnlyForThoseInTheRegion) {
  Paint();
  ASSERT_EQ(alignment_calls_.size(), 81u);
  for (const auto& [cell, calls] : alignment_calls_) {
    EXPECT_EQ(calls, 2) << cell.first << "," << cell.second;
  }

  // The region holds one pixel only: the corner where cell (2, 2)'s lines meet.
  alignment_calls_.clear();
  const TRect box = Box(2, 2);
  Paint({{box.Right - 1, box.Bottom - 1, box.Right, box.Bottom}});
  EXPECT_EQ(alignment_calls_, (std::map<Cell, int>{{{2, 2}, 2}}));
}

TEST_F(GridPainterCallsTest, TheStyleEventsComeInOrderTwiceAndTheTextTakesTheSecondAnswers) {
  Log events;
  std::map<std::string, int> calls;
  grid_.Events.OnGetCellColor = [&](const TCellGrid&, std::int32_t row, std::int32_t col,
                                    TGridDrawState, TColor& brush, TFont& font) {
    if (col != 1 || row != 2) return;
    events.push_back("colour");
    // The first answer colours the background; the second would colour nothing.
    brush = ++calls["colour"] == 1 ? RGB(250, 240, 200) : RGB(0, 200, 0);
    font.Color = RGB(160, 0, 0);
  };
  grid_.Events.OnGetWordWrap = [&](const TCellGrid&, std::int32_t col, std::int32_t row, bool&) {
    if (col == 1 && row == 2) events.push_back("word wrap");
  };
  grid_.Events.OnGetAlignment = [&](const TCellGrid&, std::int32_t row, std::int32_t col,
                                    TAlignment& h, TVAlignment&) {
    if (col != 1 || row != 2) return;
    events.push_back("alignment");
    // Left for the background's run, right for the text's.
    h = ++calls["alignment"] == 1 ? TAlignment::taLeftJustify : TAlignment::taRightJustify;
  };
  const Calls painted = Paint();
  EXPECT_EQ(events, (Log{"colour", "word wrap", "alignment", "colour", "word wrap", "alignment"}));
  const TCanvasCall* background = Find(painted, Kind::kFill, Box(1, 2));
  ASSERT_NE(background, nullptr);
  EXPECT_EQ(background->Color, RGB(250, 240, 200));
  const TCanvasCall* text = Find(painted, Kind::kText, TextRect(Box(1, 2)));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Text, Number(1, 2));
  EXPECT_EQ(text->Font.Color, RGB(160, 0, 0));
  EXPECT_EQ(text->Flags & (DT_CENTER | DT_RIGHT), DT_RIGHT);
}

TEST_F(GridPainterCallsTest, OwnerDrawnCellsGetTheirEventsInsteadOfTheText) {
  window_.SetFocus();
  std::map<Cell, std::pair<TRect, TGridDrawState>> drawn;
  grid_.Events.OnDrawCell = [&](const TCellGrid&, std::int32_t col, std::int32_t row,
                                const TRect& rect, TGridDrawState state) {
    drawn[{col, row}] = {rect, state};
  };
  EXPECT_TRUE(TRecordingCanvas::CallsOf(Paint(), Kind::kText).empty());
  ASSERT_EQ(drawn.size(), 81u);
  const TRect box = Box(2, 5);
  EXPECT_EQ(drawn[Cell(2, 5)].first,
            (TRect{box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1}));
  using enum TGridDrawStateFlag;
  EXPECT_EQ(drawn[Cell(0, 0)].second, (TGridDrawState{gdSelected, gdFocused}));
  EXPECT_EQ(drawn[Cell(2, 5)].second, TGridDrawState{});

  // A custom drawing lands on the cell, then the focus rectangle goes over it.
  grid_.Events.OnDrawCell = nullptr;
  std::vector<TColor> brushes;
  grid_.Events.OnCustomCellDraw = [&](const TCellGrid&, TCanvas& canvas, std::int32_t col,
                                      std::int32_t row, TGridDrawState, const TRect& rect, bool) {
    EXPECT_EQ(rect, Box(col, row));
    brushes.push_back(canvas.Brush().Color);
    canvas.Brush().Color = RGB(200, 0, 0);
    canvas.FillRect({rect.Left, rect.Top, rect.Left + 20, rect.Top + 20});
  };
  const Calls painted = Paint();
  EXPECT_TRUE(TRecordingCanvas::CallsOf(painted, Kind::kText).empty());
  const TCanvasCall* square = Find(painted, Kind::kFill, {0, 0, 20, 20});
  const TCanvasCall* focus = Find(painted, Kind::kFocusRect, {0, 0, 61, 57});
  ASSERT_NE(square, nullptr);
  ASSERT_NE(focus, nullptr);
  EXPECT_EQ(square->Color, RGB(200, 0, 0));
  EXPECT_LT(square, focus);
  // The canvas carries the cell's own colour, not the selection's.
  ASSERT_EQ(brushes.size(), 81u);
  EXPECT_EQ(brushes.front(), clWindow);
}

// A painting event gets the grid as a const sender, but a handler that holds the grid some
// other way can still change it: the paint must not read memory the change has freed (the
// sanitizer build catches that).
TEST_F(GridPainterCallsTest, AHandlerThatResizesTheGridWhilePaintingLeavesThePaintSound) {
  grid_.SetColWidths(8, 62);  // the grid now holds a list of widths that a count change moves
  bool resized = false;
  grid_.Events.OnGetAlignment = [&](const TCellGrid&, std::int32_t, std::int32_t, TAlignment&,
                                    TVAlignment&) {
    if (!std::exchange(resized, true)) grid_.SetColCount(5000);
  };
  const Calls painted = Paint();
  EXPECT_TRUE(resized);
  const TCanvasCall* last = Find(painted, Kind::kText, TextRect(Box(8, 8)));
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->Text, Number(8, 8));
}

TEST_F(GridPainterCallsTest, TheDisplayedTextEventReplacesTheStoredText) {
  grid_.Events.OnGetDisplText = [](const TCellGrid&, std::int32_t col, std::int32_t row,
                                   std::string& text) {
    if (col == 6 && row == 2) text = "7";
  };
  const Calls painted = Paint();
  const TCanvasCall* text = Find(painted, Kind::kText, TextRect(Box(6, 2)));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->Text, "7");
}

TEST_F(GridPainterCallsTest, WhileTheUpdateLockIsHeldNothingIsPainted) {
  grid_.View().BeginUpdate();
  grid_.View().BeginUpdate();
  ChangeAppearance(grid_, &TGridAppearance::WordWrap, false);
  EXPECT_TRUE(Paint().empty());
  grid_.View().EndUpdate();
  EXPECT_EQ(window_.TakeLog(), Log{});
  EXPECT_TRUE(Paint().empty());
  // Releasing the lock repaints everything that may have been left out meanwhile.
  grid_.View().EndUpdate();
  EXPECT_EQ(window_.TakeLog(), (Log{"invalidate (0,0,564,530)", "invalidate frame"}));
  const Calls painted = Paint();
  const TCanvasCall* first = Find(painted, Kind::kFill, Box(0, 0));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->Color, RGB(182, 202, 234));
  grid_.View().EndUpdate();
  EXPECT_EQ(window_.TakeLog(), Log{});
  EXPECT_FALSE(grid_.View().UpdateLocked());
}

TEST_F(GridPainterCallsTest, OnlyAChangedFlatSettingRepaintsTheFrame) {
  grid_.SetLook(TGridLook::glXP);
  grid_.SetFlat(false);
  EXPECT_EQ(window_.TakeLog(), Log{});
  grid_.SetFlat(true);
  EXPECT_EQ(window_.TakeLog(), Log{"invalidate frame"});
}

}  // namespace
}  // namespace zelvorn
