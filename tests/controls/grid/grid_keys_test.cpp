// What keys, wheel notches and middle-button panning do, through the fake window. OnClickCell
// stays silent for all of them; every fixture here checks that when it ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/grid/cell_grid.h"
#include "tests/controls/grid/grid_input_fixture.h"

namespace zelvorn {
namespace {

using testing::Log;
using testing::ToText;
using enum TMouseButton;
using enum TShiftStateFlag;

class GridNoClickTest : public testing::GridInputTest {
 protected:
  GridNoClickTest() {
    grid_.Events.OnClickCell = [this](TCellGrid&, std::int32_t, std::int32_t) { ++cell_clicks_; };
  }
  ~GridNoClickTest() override { EXPECT_EQ(cell_clicks_, 0); }

 private:
  std::int32_t cell_clicks_ = 0;
};

// 10 columns of 100 and 20 rows of 50 in a client area of 399 x 213 (both bars shown): 3
// columns and 4 rows fit fully, and the largest useful top-left cell is (7, 16).
class GridKeysTest : public GridNoClickTest {
 protected:
  GridKeysTest() {
    grid_.SetColCount(10);
    grid_.SetRowCount(20);
    grid_.SetDefaultColWidth(100);
    grid_.SetDefaultRowHeight(50);
    window_.SetSize(420, 234);
    EXPECT_EQ(ToText(grid_.View().ClientRect()), "(0,0,399,213)");
    EXPECT_EQ(grid_.LargestTopLeft({9, 19}), (TCellCoord{7, 16}));
    window_.TakeLog();
  }

  // Puts the view and the selection where a case starts from.
  void Start(TCellCoord top_left, TCellCoord current) {
    grid_.View().MoveTopLeft(top_left);
    grid_.MoveCurrent(current.X, current.Y, TMoveAnchor::kYes, TShowCell::kNo);
    window_.TakeLog();
    TakeEvents();
  }
};

TEST_F(GridKeysTest, EveryKeyOfTheTable) {
  struct Case {
    const char* name;
    std::uint16_t key;
    TShiftState shift;
    TCellCoord top_left, current;  // at the start
    bool used;
    TCellCoord want_top_left, want_current, want_anchor;
    std::int32_t clicks;  // OnClick: once for every move of the current cell
  };
  const TShiftState none, ctrl{ssCtrl}, shift{ssShift};
  const TCellCoord tl{2, 5}, cur{3, 6};  // the usual start: the current cell well inside
  const std::vector<Case> cases = {
      {"Down", kKeyDown, none, tl, cur, true, tl, {3, 7}, {3, 7}, 1},
      {"Up", kKeyUp, none, tl, cur, true, tl, {3, 5}, {3, 5}, 1},
      {"Left", kKeyLeft, none, tl, cur, true, tl, {2, 6}, {2, 6}, 1},
      {"Right", kKeyRight, none, tl, cur, true, tl, {4, 6}, {4, 6}, 1},
      {"Down past the last full row scrolls",
       kKeyDown,
       none,
       tl,
       {3, 8},
       true,
       {2, 6},
       {3, 9},
       {3, 9},
       1},
      {"Up at the first row", kKeyUp, none, {2, 0}, {3, 0}, true, {2, 0}, {3, 0}, {3, 0}, 0},
      {"Right at the last column",
       kKeyRight,
       none,
       {7, 5},
       {9, 6},
       true,
       {7, 5},
       {9, 6},
       {9, 6},
       0},
      {"Ctrl+Down scrolls only", kKeyDown, ctrl, tl, cur, true, {2, 6}, cur, cur, 0},
      {"Ctrl+Up scrolls only", kKeyUp, ctrl, tl, cur, true, {2, 4}, cur, cur, 0},
      {"Ctrl+Up at the top", kKeyUp, ctrl, {2, 0}, {3, 1}, true, {2, 0}, {3, 1}, {3, 1}, 0},
      {"Ctrl+Down at the bottom",
       kKeyDown,
       ctrl,
       {2, 16},
       {3, 17},
       true,
       {2, 16},
       {3, 17},
       {3, 17},
       0},
      {"Ctrl+Right pages", kKeyRight, ctrl, tl, cur, true, {4, 5}, {5, 6}, {5, 6}, 1},
      {"Ctrl+Left pages", kKeyLeft, ctrl, tl, cur, true, {0, 5}, {1, 6}, {1, 6}, 1},
      {"Ctrl+Right near the end", kKeyRight, ctrl, {6, 5}, {7, 6}, true, {7, 5}, {9, 6}, {9, 6}, 1},
      {"Ctrl+Left near the start", kKeyLeft, ctrl, {1, 5}, {1, 6}, true, {0, 5}, {0, 6}, {0, 6}, 1},
      {"Page Down", kKeyPageDown, none, tl, cur, true, {2, 8}, {3, 9}, {3, 9}, 1},
      {"Page Down near the end",
       kKeyPageDown,
       none,
       {2, 15},
       {3, 17},
       true,
       {2, 16},
       {3, 19},
       {3, 19},
       1},
      {"Page Up", kKeyPageUp, none, tl, cur, true, {2, 2}, {3, 3}, {3, 3}, 1},
      {"Page Up near the start", kKeyPageUp, none, {2, 1}, {3, 2}, true, {2, 0}, {3, 0}, {3, 0}, 1},
      {"Ctrl+Page Down", kKeyPageDown, ctrl, tl, cur, true, tl, {3, 8}, {3, 8}, 1},
      {"Ctrl+Page Up", kKeyPageUp, ctrl, tl, cur, true, tl, {3, 5}, {3, 5}, 1},
      {"Home", kKeyHome, none, tl, cur, true, {0, 5}, {0, 6}, {0, 6}, 1},
      {"End", kKeyEnd, none, tl, cur, true, {7, 5}, {9, 6}, {9, 6}, 1},
      {"Ctrl+Home", kKeyHome, ctrl, tl, cur, true, {0, 0}, {0, 0}, {0, 0}, 1},
      {"Ctrl+End", kKeyEnd, ctrl, tl, cur, true, {7, 16}, {9, 19}, {9, 19}, 1},
      {"Shift+Down keeps the anchor", kKeyDown, shift, tl, cur, true, tl, {3, 7}, cur, 1},
      {"Shift+Ctrl+End",
       kKeyEnd,
       TShiftState{ssShift, ssCtrl},
       tl,
       cur,
       true,
       {7, 16},
       {9, 19},
       cur,
       1},
      {"Enter", kKeyReturn, none, tl, cur, true, tl, cur, cur, 0},
      {"F2", kKeyF2, ctrl, tl, cur, true, tl, cur, cur, 0},
      {"A", kKeyA, none, tl, cur, false, tl, cur, cur, 0},
      {"Ctrl+A", kKeyA, ctrl, tl, cur, true, tl, {9, 19}, {0, 0}, 0},
      {"Space", 0x20, none, tl, cur, false, tl, cur, cur, 0},
  };
  for (const Case& c : cases) {
    Start(c.top_left, c.current);
    EXPECT_EQ(Input().KeyDown(c.key, c.shift), c.used) << c.name;
    EXPECT_EQ(grid_.Model().TopLeft, c.want_top_left) << c.name;
    EXPECT_EQ(grid_.Model().Current, c.want_current) << c.name;
    EXPECT_EQ(grid_.Model().Anchor, c.want_anchor) << c.name;
    EXPECT_EQ(CountOf("OnClick"), c.clicks) << c.name;
    // The selection event follows a change of the selection, except for Ctrl+A.
    const bool selection_changed = TGridRect::Spanning(c.current, c.current) !=
                                       TGridRect::Spanning(c.want_current, c.want_anchor) &&
                                   c.key != kKeyA;
    EXPECT_EQ(CountOf("OnSelectionChanged"), selection_changed ? 1 : 0) << c.name;
    TakeEvents();
  }
}

TEST_F(GridKeysTest, OnKeyDownComesFirstAndMaySwallowTheKey) {
  Start({0, 0}, {1, 1});
  std::vector<std::uint16_t> keys;
  grid_.Events.OnKeyDown = [&](TCellGrid& grid, std::uint16_t& key, TShiftState) {
    keys.push_back(key);
    EXPECT_EQ(grid.Model().Current, (TCellCoord{1, 1}));  // nothing has moved yet
    if (key == kKeyUp) key = 0;
  };
  EXPECT_TRUE(Input().KeyDown(kKeyReturn, {}));
  EXPECT_TRUE(Input().KeyDown(kKeyUp, {}));
  EXPECT_EQ(grid_.Model().Current, (TCellCoord{1, 1}));
  EXPECT_EQ(keys, (std::vector<std::uint16_t>{kKeyReturn, kKeyUp}));
  // A key without a code reaches nobody.
  EXPECT_FALSE(Input().KeyDown(0, {}));
  EXPECT_EQ(keys.size(), 2u);
}

TEST_F(GridKeysTest, TabAloneIsLeftToTheFocusChainAndEndsNoPanning) {
  Start({0, 0}, {1, 1});
  std::vector<std::uint16_t> heard;
  grid_.Events.OnKeyDown = [&](TCellGrid&, std::uint16_t& key, TShiftState) {
    heard.push_back(key);
  };
  struct Case {
    TShiftState shift;
    bool reaches_the_grid;
  };
  for (const Case& c : {Case{{}, false}, Case{{ssShift}, false}, Case{{ssCtrl}, true},
                        Case{{ssAlt, ssShift}, true}}) {
    Input().MouseDown(mbMiddle, {ssMiddle}, At(3, 3));
    heard.clear();
    EXPECT_FALSE(Input().KeyDown(kKeyTab, c.shift));
    EXPECT_EQ(Input().Panning(), !c.reaches_the_grid);
    EXPECT_EQ(heard, c.reaches_the_grid ? std::vector<std::uint16_t>{kKeyTab}
                                        : std::vector<std::uint16_t>{});
    Input().CancelMode();
  }
}

TEST_F(GridNoClickTest, OneNotchMovesTheWheelLinesAndThenOneMoreRow) {
  struct Case {
    std::int32_t row;
    TWheelTurn turn;
    std::int32_t want_row;
    std::int32_t clicks;
  };
  using enum TWheelTurn;
  // Three wheel lines; 9 rows.
  const std::vector<Case> cases = {
      {0, kTowardUser, 4, 2},   {6, kTowardUser, 8, 1},   {8, kTowardUser, 8, 1},
      {8, kAwayFromUser, 4, 2}, {1, kAwayFromUser, 0, 1},
  };
  for (const Case& c : cases) {
    grid_.MoveCurrent(2, c.row, TMoveAnchor::kYes, TShowCell::kYes);
    grid_.MoveAnchor({5, 5});  // a range, which the wheel collapses
    TakeEvents();
    Input().WheelNotch(c.turn, {}, {100, 100});
    EXPECT_EQ(grid_.Model().Current, (TCellCoord{2, c.want_row})) << c.row;
    EXPECT_EQ(grid_.Model().Anchor, grid_.Model().Current) << c.row;
    EXPECT_EQ(CountOf("OnClick"), c.clicks) << c.row;
  }
}

TEST_F(GridNoClickTest, WheelDeltasAddUpToWholeNotchesAndATurnBackStartsAfresh) {
  std::string notches;
  grid_.Events.OnMouseWheelDown = [&](TCellGrid&, TShiftState, TPoint, bool&) { notches += "v"; };
  grid_.Events.OnMouseWheelUp = [&](TCellGrid&, TShiftState, TPoint, bool&) { notches += "^"; };
  const struct {
    std::int32_t delta;
    const char* want;
  } steps[] = {
      // Half a notch waits; the second half makes it whole.
      {-120, "v"},
      {-60, ""},
      {-60, "v"},
      // One and a half notches, then a half: two.
      {120, "^"},
      {-180, "v"},
      {-60, "v"},
      {240, "^^"},
      // A half turned the other way drops the half before it rather than undoing it.
      {60, ""},
      {-60, ""},
      {-60, "v"},
      // No turn is no notch; three quarters and a quarter make one.
      {0, ""},
      {90, ""},
      {30, "^"},
  };
  for (const auto& step : steps) {
    notches.clear();
    Input().MouseWheel(step.delta, {}, {100, 100});
    EXPECT_EQ(notches, step.want) << step.delta;
  }
}

TEST_F(GridNoClickTest, TheWheelsOwnStageReportsTheSelectionAndTheGenericOneDoesNot) {
  grid_.MoveCurrent(2, 0, TMoveAnchor::kYes, TShowCell::kYes);
  TakeEvents();
  Input().WheelNotch(TWheelTurn::kTowardUser, {}, {100, 100});
  EXPECT_EQ(TakeEvents(), (Log{"OnSelectCell col 2 row 3", "OnClick", "OnSelectionChanged 2,3..2,3",
                               "OnSelectCell col 2 row 4", "OnClick"}));
}

TEST_F(GridNoClickTest, AHandledWheelEventStopsTheGenericRow) {
  std::vector<std::string> asked;
  grid_.Events.OnMouseWheelDown = [&](TCellGrid&, TShiftState shift, TPoint point, bool& handled) {
    asked.push_back(Format("down %d (%d,%d)", {shift.Has(ssShift) ? 1 : 0, point.X, point.Y}));
    handled = true;
  };
  grid_.Events.OnMouseWheelUp = [&](TCellGrid&, TShiftState, TPoint, bool& handled) {
    asked.push_back("up");
    EXPECT_FALSE(handled);
  };
  Input().WheelNotch(TWheelTurn::kTowardUser, {ssShift}, {40, 50});
  EXPECT_EQ(grid_.Row(), 3);
  Input().WheelNotch(TWheelTurn::kAwayFromUser, {}, {40, 50});
  EXPECT_EQ(grid_.Row(), 0);  // three up reach the first row; the generic stage stops there
  EXPECT_EQ(asked, (std::vector<std::string>{"down 1 (40,50)", "up"}));
}

TEST_F(GridNoClickTest, CtrlWheelZoomsEveryLineWithinTenPixels) {
  const auto sizes = [this] {
    std::vector<std::int32_t> all;
    for (std::int32_t i = 0; i < 9; ++i) all.push_back(grid_.ColWidths(i));
    for (std::int32_t i = 0; i < 9; ++i) all.push_back(grid_.RowHeights(i));
    return all;
  };
  const auto each = [](std::int32_t width, std::int32_t height) {
    std::vector<std::int32_t> all(9, width);
    all.insert(all.end(), 9, height);
    return all;
  };
  for (int notch = 1; notch <= 4; ++notch) {
    Input().WheelNotch(TWheelTurn::kTowardUser, {ssCtrl}, {100, 100});
    const std::int32_t zoom = std::min(3 * notch, 9);
    EXPECT_EQ(grid_.Appearance().ZoomDelta, zoom) << notch;
    EXPECT_EQ(sizes(), each(62 + zoom, 58 + zoom)) << notch;
    // The generic stage still moves the current cell one row on every notch.
    EXPECT_EQ(grid_.Row(), notch);
  }
  for (int notch = 1; notch <= 7; ++notch) {
    Input().WheelNotch(TWheelTurn::kAwayFromUser, {ssCtrl}, {100, 100});
  }
  EXPECT_EQ(grid_.Appearance().ZoomDelta, -9);
  EXPECT_EQ(sizes(), each(62 - 9, 58 - 9));
}

TEST_F(GridNoClickTest, ZoomKeepsALineThatWouldVanish) {
  grid_.SetColWidths(4, 2);
  Input().WheelNotch(TWheelTurn::kAwayFromUser, {ssCtrl}, {100, 100});
  EXPECT_EQ(grid_.ColWidths(4), 2);
  EXPECT_EQ(grid_.ColWidths(3), 59);
  EXPECT_EQ(grid_.Appearance().ZoomDelta, -3);
}

TEST(GridWheelLinesTest, TheSettingIsReadWhenTheWindowIsAttached) {
  testing::FakeGridWindow window(568, 534);
  TCellGrid grid;
  TGridInput input(grid);
  window.wheel_lines = 1;
  window.Attach(grid, &input);
  testing::LoadStoredLayout(grid);
  window.Show();
  testing::SizeForRun(grid, 9);
  window.wheel_lines = 5;  // a later change of the setting is not seen
  input.WheelNotch(TWheelTurn::kTowardUser, {}, {10, 10});
  EXPECT_EQ(grid.Row(), 2);
  EXPECT_EQ(input.WheelLines(), 1);
}

// ---- Panning ----

class GridPanTest : public GridNoClickTest {
 protected:
  static constexpr TPoint kOrigin{100, 100};

  void StartPanning() {
    Input().MouseDown(mbMiddle, {ssMiddle}, kOrigin);
    ASSERT_TRUE(Input().Panning());
    window_.TakeLog();
    TakeEvents();
  }
  // One tick of the pan timer with the pointer `dy` pixels below the origin.
  void PanTick(std::int32_t dy) {
    window_.pointer = {kOrigin.X + 37, kOrigin.Y + dy};  // across means nothing
    Tick(TGridInput::kPanTimer);
  }
};

TEST_F(GridPanTest, AMiddlePressStartsPanning) {
  Input().MouseDown(mbMiddle, {ssMiddle}, kOrigin);
  EXPECT_EQ(window_.TakeLog(),
            (Log{"cursor 1", "capture", "start timer 10", "draw pan origin (100,100)", "focus",
                 "invalidate (0,0,62,58)", "invalidate (0,0,62,58)", "invalidate (0,0,62,58)"}));
  EXPECT_EQ(TakeEvents(), (Log{"OnSelectCell col 0 row 0", "OnMouseDown middle (100,100)"}));
  EXPECT_TRUE(Input().Panning());
  EXPECT_EQ(Input().PanOrigin(), kOrigin);
}

TEST_F(GridPanTest, TheCurrentCellRunsOneRowPerTickWhileThePointerIsAwayFromTheOrigin) {
  StartPanning();
  for (std::int32_t dy : {5, -5, 0}) {
    PanTick(dy);
    // The shape stays at rest, and the window is not told it again.
    EXPECT_EQ(window_.TakeLog(), (Log{"draw pan origin (100,100)"})) << dy;
  }
  std::vector<std::int32_t> rows;
  for (int tick = 0; tick < 10; ++tick) {
    PanTick(6);
    rows.push_back(grid_.Row());
  }
  EXPECT_EQ(rows, (std::vector<std::int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 8, 8}));
  EXPECT_EQ(window_.cursor, TGridCursor::crPanDown);
  EXPECT_EQ(CountOf("OnClick"), 8);
  EXPECT_EQ(CountOf("OnSelectionChanged"), 8);
  PanTick(-6);
  EXPECT_EQ(grid_.Row(), 7);
  EXPECT_EQ(window_.cursor, TGridCursor::crPanUp);
  EXPECT_EQ(grid_.Col(), 0);
}

TEST_F(GridPanTest, ALeftPressEndsPanningAndIsThenAnOrdinaryPress) {
  StartPanning();
  PanTick(30);
  window_.TakeLog();
  TakeEvents();
  grid_.Events.OnClickCell = [this](TCellGrid&, std::int32_t row, std::int32_t col) {
    events_.push_back(Format("clicked row %d col %d", {row, col}));
  };
  Press(At(4, 2));
  const Log log = window_.TakeLog();
  ASSERT_GE(log.size(), 6u);
  EXPECT_EQ(Log(log.begin(), log.begin() + 6), (Log{"release capture", "stop timer 10", "cursor 0",
                                                    "erase pan origin", "cancel mode", "capture"}));
  EXPECT_FALSE(Input().Panning());
  EXPECT_EQ(TakeEvents().back(), "clicked row 2 col 4");
  EXPECT_EQ(grid_.Model().Current, (TCellCoord{4, 2}));
  // A tick still on its way does nothing now.
  PanTick(30);
  EXPECT_EQ(grid_.Model().Current, (TCellCoord{4, 2}));
}

TEST_F(GridPanTest, TheOtherPressesAndKeysEndPanning) {
  struct Case {
    const char* name;
    std::function<void()> end;
    TCellCoord want_current;
  };
  const std::vector<Case> cases = {
      // The press that ends panning does not start it again.
      {"middle", [this] { Input().MouseDown(mbMiddle, {ssMiddle}, At(3, 3)); }, {0, 0}},
      {"right", [this] { Input().MouseDown(mbRight, {ssRight}, At(3, 3)); }, {0, 0}},
      // The key is then handled as usual.
      {"Down", [this] { Input().KeyDown(kKeyDown, {}); }, {0, 1}},
      {"Shift", [this] { Input().KeyDown(0x10, {ssShift}); }, {0, 0}},
      {"cancel mode", [this] { Input().CancelMode(); }, {0, 0}},
  };
  for (const Case& c : cases) {
    grid_.MoveCurrent(0, 0, TMoveAnchor::kYes, TShowCell::kYes);
    StartPanning();
    c.end();
    EXPECT_FALSE(Input().Panning()) << c.name;
    EXPECT_FALSE(window_.HasCapture()) << c.name;
    EXPECT_FALSE(window_.TimerRunning(TGridInput::kPanInterval)) << c.name;
    EXPECT_EQ(window_.cursor, TGridCursor::crDefault) << c.name;
    EXPECT_EQ(grid_.Model().Current, c.want_current) << c.name;
  }
}

TEST_F(GridPanTest, TheWheelSkipsItsOwnStageWhilePanning) {
  StartPanning();
  Input().WheelNotch(TWheelTurn::kTowardUser, {}, kOrigin);
  EXPECT_EQ(grid_.Row(), 1);
  EXPECT_TRUE(Input().Panning());
}

class GridPanScrollTest : public GridKeysTest {};

TEST_F(GridPanScrollTest, TheMarkerIsErasedBeforeTheViewScrollsAndDrawnAfter) {
  Input().MouseDown(mbMiddle, {ssMiddle}, {100, 100});
  grid_.MoveCurrent(0, 2, TMoveAnchor::kYes, TShowCell::kYes);
  window_.TakeLog();
  window_.pointer = {100, 120};
  Tick(TGridInput::kPanTimer);  // to row 3, the last fully visible one: no scrolling
  Log log = window_.TakeLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "erase pan origin"), 0);
  Tick(TGridInput::kPanTimer);  // to row 4, which scrolls into view
  log = window_.TakeLog();
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log.front(), "erase pan origin");
  EXPECT_NE(std::find(log.begin(), log.end(), "scroll (0,0,399,213) by (0,-50)"), log.end());
  EXPECT_EQ(log.back(), "draw pan origin (100,100)");
  EXPECT_EQ(grid_.TopRow(), 1);
}

}  // namespace
}  // namespace zelvorn
