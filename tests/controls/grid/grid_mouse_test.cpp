// The mouse through the fake window: presses, double-clicks, drags, auto-scroll, the right
// button, cancel-mode and the focus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/grid/cell_grid.h"
#include "platform/error_boundary.h"
#include "platform/format.h"
#include "tests/controls/grid/grid_input_fixture.h"

namespace zelvorn {
namespace {

using testing::GridInputTest;
using testing::Log;
using testing::ToText;
using enum TGridState;
using enum TMouseButton;
using enum TShiftStateFlag;

TEST_F(GridInputTest, APressFocusesCapturesSelectsAndThenRaisesOnClickCellOnce) {
  struct Inside {
    std::int32_t col, row;
    bool focused, captured;
    TGridState state;
    bool auto_scrolling;
  };
  std::vector<Inside> inside;
  grid_.Events.OnClickCell = [&](TCellGrid& grid, std::int32_t row, std::int32_t col) {
    events_.push_back(Format("OnClickCell row %d col %d", {row, col}));
    inside.push_back({grid.Col(), grid.Row(), window_.Focused(), window_.HasCapture(), grid.State(),
                      window_.TimerRunning(TGridInput::kAutoScrollInterval)});
  };

  Press(At(2, 3));
  // Gaining the focus marks the old selection and checks the current cell; the move then checks
  // the pressed cell and marks what the selection lost and gained, then the previous and the
  // new current cell.
  const std::string old_cell = "invalidate (0,0,62,58)";
  const std::string new_cell = "invalidate (124,174,186,232)";
  EXPECT_EQ(window_.TakeLog(),
            (Log{"cancel mode", "capture", "focus", old_cell, old_cell, old_cell, "start timer 60",
                 old_cell, new_cell, old_cell, new_cell, old_cell, new_cell}));
  EXPECT_EQ(TakeEvents(), (Log{"OnSelectCell col 0 row 0", "OnSelectCell col 2 row 3",
                               "OnMouseDown left (134,184)", "OnSelectionChanged 2,3..2,3",
                               "OnClickCell row 3 col 2"}));
  ASSERT_EQ(inside.size(), 1u);
  EXPECT_EQ(inside[0].col, 2);
  EXPECT_EQ(inside[0].row, 3);
  EXPECT_TRUE(inside[0].focused);
  EXPECT_TRUE(inside[0].captured);
  EXPECT_EQ(inside[0].state, gsSelecting);
  EXPECT_TRUE(inside[0].auto_scrolling);
  EXPECT_EQ(Input().PressPos(), At(2, 3));

  Release(At(2, 3));
  EXPECT_EQ(window_.TakeLog(), (Log{"stop timer 60", "release capture"}));
  EXPECT_EQ(TakeEvents(), (Log{"OnClick", "OnMouseUp left (134,184)"}));
  EXPECT_EQ(grid_.State(), gsNormal);
  EXPECT_EQ(grid_.Selection(), (TGridRect{2, 3, 2, 3}));
  EXPECT_EQ(grid_.Model().Anchor, (TCellCoord{2, 3}));
}

TEST_F(GridInputTest, WherePressesLandOnTheBoard) {
  struct Case {
    const char* name;
    TPoint point;
    Log cell_events;  // OnClickCell, and the selection it leaves
    TGridRect selection;
  };
  // The board is 558 x 522; the client area 564 x 530.
  const std::vector<Case> cases = {
      {"inside a cell", At(2, 3), {"OnClickCell row 3 col 2"}, {2, 3, 2, 3}},
      {"on the line right of column 2",
       {3 * 62 - 1, 200},
       {"OnClickCell row 3 col 2"},
       {2, 3, 2, 3}},
      {"on the line below row 3", {130, 4 * 58 - 1}, {"OnClickCell row 3 col 2"}, {2, 3, 2, 3}},
      {"on the first pixel of column 3", {3 * 62, 200}, {"OnClickCell row 3 col 3"}, {3, 3, 3, 3}},
      {"the last pixel of the board", {557, 521}, {"OnClickCell row 8 col 8"}, {8, 8, 8, 8}},
      {"the margin right of the board", {558, 100}, {}, {0, 0, 0, 0}},
      {"the margin below the board", {100, 522}, {}, {0, 0, 0, 0}},
      {"the far corner of the client area", {563, 529}, {}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    testing::FakeGridWindow window(568, 534);
    TCellGrid grid;
    TGridInput input(grid);
    window.Attach(grid, &input);
    testing::LoadStoredLayout(grid);
    window.Show();
    testing::SizeForRun(grid, 9);
    Log cell_events;
    grid.Events.OnClickCell = [&](TCellGrid&, std::int32_t row, std::int32_t col) {
      cell_events.push_back(Format("OnClickCell row %d col %d", {row, col}));
    };
    input.MouseDown(mbLeft, {ssLeft}, c.point);
    input.MouseUp(mbLeft, {}, c.point);
    EXPECT_EQ(cell_events, c.cell_events) << c.name;
    EXPECT_EQ(grid.Selection(), c.selection) << c.name;
    // Wherever it lands, a press takes the focus and gives the capture back at the release.
    EXPECT_TRUE(window.Focused()) << c.name;
    EXPECT_FALSE(window.HasCapture()) << c.name;
    EXPECT_EQ(grid.State(), gsNormal) << c.name;
  }
}

TEST_F(GridInputTest, TheSecondPressOfADoubleClickMovesNothing) {
  Click(At(2, 3));
  DoublePress(At(2, 3, 12, 11));
  Release(At(2, 3, 12, 11));
  EXPECT_EQ(TakeEvents(),
            (Log{"OnSelectCell col 0 row 0", "OnSelectCell col 2 row 3",
                 "OnMouseDown left (134,184)", "OnSelectionChanged 2,3..2,3",
                 "OnClickCell row 3 col 2", "OnClick", "OnMouseUp left (134,184)",
                 // the second press and its release
                 "OnDblClick", "OnMouseDown left double (136,185)", "OnDblClickCell row 3 col 2",
                 "OnClick", "OnMouseUp left (136,185)"}));
  EXPECT_EQ(grid_.Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridInputTest, ADoubleClickAcrossAGridLineLeavesTheSecondCellAlone) {
  Click({3 * 62 - 2, 100});  // column 2, two pixels left of the line
  TakeEvents();
  window_.TakeLog();
  DoublePress({3 * 62 + 1, 100});  // column 3
  EXPECT_EQ(window_.TakeLog(), (Log{"cancel mode", "capture"}));
  EXPECT_EQ(TakeEvents(),
            (Log{"OnDblClick", "OnMouseDown left double (187,100)", "OnDblClickCell row 1 col 3"}));
  EXPECT_EQ(grid_.Model().Current, (TCellCoord{2, 1}));
  EXPECT_EQ(grid_.State(), gsNormal);
}

TEST_F(GridInputTest, DraggingSelectsTheRectangleAndOnlyThePressRaisesACellEvent) {
  Press(At(1, 1));
  Input().MouseMove({ssLeft}, At(3, 4));
  Input().MouseMove({ssLeft}, At(4, 2));
  EXPECT_EQ(grid_.Selection(), (TGridRect{1, 1, 4, 2}));
  // Points on no cell leave the anchor where it is.
  Input().MouseMove({ssLeft}, {600, 100});
  Input().MouseMove({ssLeft}, {-5, 100});
  Release({-5, 100});
  EXPECT_EQ(grid_.Selection(), (TGridRect{1, 1, 4, 2}));
  EXPECT_EQ(grid_.Model().Current, (TCellCoord{1, 1}));
  EXPECT_EQ(grid_.Model().Anchor, (TCellCoord{4, 2}));
  EXPECT_EQ(CountOf("OnClickCell"), 1);
  EXPECT_EQ(CountOf("OnClickCell row 1 col 1"), 1);
  // Moves after the release select nothing.
  Input().MouseMove({}, At(6, 6));
  EXPECT_EQ(grid_.Model().Anchor, (TCellCoord{4, 2}));
}

TEST_F(GridInputTest, ShiftPressExtendsFromTheCurrentCellAndReportsThePressedCell) {
  Click(At(1, 2));
  TakeEvents();
  Press(At(4, 5), {ssShift});
  EXPECT_EQ(TakeEvents(), (Log{"OnMouseDown left (258,300)", "OnSelectionChanged 1,2..4,5",
                               "OnClickCell row 5 col 4"}));
  EXPECT_EQ(grid_.Model().Current, (TCellCoord{1, 2}));
  EXPECT_EQ(grid_.Selection(), (TGridRect{1, 2, 4, 5}));
}

// 9 columns of 62 in a client area of 200 (with the vertical bar's 17 taken): three columns fit
// fully, the fourth is cut.
class GridNarrowTest : public GridInputTest {
 protected:
  GridNarrowTest() {
    window_.SetSize(221, 300);
    EXPECT_EQ(ToText(grid_.View().ClientRect()), "(0,0,200,279)");
    EXPECT_EQ(grid_.VisibleColCount(), 3);
    window_.TakeLog();
  }
};

TEST_F(GridNarrowTest, APartlyVisibleCellIsScrolledIntoViewBeforeTheEvent) {
  std::int32_t left_col_inside = -1;
  grid_.Events.OnClickCell = [&](TCellGrid& grid, std::int32_t row, std::int32_t col) {
    events_.push_back(Format("OnClickCell row %d col %d", {row, col}));
    left_col_inside = grid.LeftCol();
  };
  Press({3 * 62 + 5, 10});  // column 3, of which 14 pixels show
  EXPECT_EQ(left_col_inside, 1);
  EXPECT_EQ(CountOf("OnClickCell row 0 col 3"), 1);
  EXPECT_EQ(grid_.Model().Current, (TCellCoord{3, 0}));
}

TEST_F(GridNarrowTest, AutoScrollStepsOneColumnPerTickUntilTheLastColumn) {
  Press(At(0, 0));
  // The fourth column, partly visible, may be reached directly; the fifth may not.
  Input().MouseMove({ssLeft}, {199, 10});
  EXPECT_EQ(grid_.Model().Anchor, (TCellCoord{3, 0}));
  EXPECT_EQ(grid_.LeftCol(), 1);
  // FullEnd is now 186 (columns 1..3): a pointer at 186 is not beyond it; at 187 it is.
  window_.pointer = {186, 10};
  Tick(TGridInput::kAutoScrollTimer);
  EXPECT_EQ(grid_.Model().Anchor, (TCellCoord{3, 0}));
  window_.pointer = {250, 10};  // right of the window: the capture delivers it anyway
  std::vector<std::int32_t> anchors;
  for (int tick = 0; tick < 7; ++tick) {
    Tick(TGridInput::kAutoScrollTimer);
    anchors.push_back(grid_.Model().Anchor.X);
  }
  EXPECT_EQ(anchors, (std::vector<std::int32_t>{4, 5, 6, 7, 8, 8, 8}));
  EXPECT_EQ(grid_.LeftCol(), 6);
  // Back inside, the stepping stops; to the left of the grid it runs back.
  window_.pointer = {100, 10};
  Tick(TGridInput::kAutoScrollTimer);
  EXPECT_EQ(grid_.Model().Anchor.X, 8);
  window_.pointer = {-1, 10};
  Tick(TGridInput::kAutoScrollTimer);
  EXPECT_EQ(grid_.Model().Anchor.X, 7);
  EXPECT_EQ(grid_.Model().Current, (TCellCoord{0, 0}));
  EXPECT_EQ(CountOf("OnClickCell"), 1);
  // After the release the timer is gone and a stray tick does nothing.
  Release({-1, 10});
  EXPECT_FALSE(window_.TimerRunning(TGridInput::kAutoScrollInterval));
  Tick(TGridInput::kAutoScrollTimer);
  EXPECT_EQ(grid_.Model().Anchor.X, 7);
}

TEST_F(GridInputTest, OneEntryTakesEveryButtonMessage) {
  struct Case {
    TMouseAction action;
    TMouseButton button;
    const char* want;
  };
  const Case cases[] = {
      {TMouseAction::kDown, TMouseButton::mbRight, "OnMouseDown right (10,10)"},
      {TMouseAction::kDoubleClick, TMouseButton::mbRight, "OnMouseDown right double (10,10)"},
      {TMouseAction::kUp, TMouseButton::mbRight, "OnMouseUp right (10,10)"},
      {TMouseAction::kDoubleClick, TMouseButton::mbLeft, "OnDblClick"},
  };
  for (const Case& c : cases) {
    TakeEvents();
    Input().MouseButton(c.action, c.button, {}, At(0, 0));
    const Log events = TakeEvents();
    EXPECT_NE(std::find(events.begin(), events.end(), c.want), events.end()) << c.want;
  }
}

TEST_F(GridInputTest, ARightPressFocusesAndReportsTheCellAndChangesNothingElse) {
  Input().MouseDown(mbRight, {ssRight}, At(5, 6));
  EXPECT_EQ(window_.TakeLog(), (Log{"focus", "invalidate (0,0,62,58)", "invalidate (0,0,62,58)",
                                    "invalidate (0,0,62,58)"}));
  Input().MouseUp(mbRight, {}, At(5, 6));
  Input().MouseDown(mbRight, {ssRight}, {600, 10});
  EXPECT_EQ(TakeEvents(), (Log{"OnSelectCell col 0 row 0", "OnMouseDown right (320,358)",
                               "OnRightClickCell row 6 col 5", "OnMouseUp right (320,358)",
                               "OnMouseDown right (600,10)", "OnRightClickCell row -1 col -1"}));
  EXPECT_EQ(grid_.Selection(), (TGridRect{0, 0, 0, 0}));
  EXPECT_EQ(grid_.State(), gsNormal);
  EXPECT_FALSE(window_.HasCapture());
}

TEST_F(GridInputTest, OnCanClickCellRefusingStopsEverything) {
  grid_.Events.OnCanClickCell = [this](TCellGrid&, std::int32_t row, std::int32_t col,
                                       bool& allow) {
    events_.push_back(Format("OnCanClickCell row %d col %d", {row, col}));
    allow = false;
  };
  Press(At(4, 1));
  Press({600, 600});
  EXPECT_EQ(TakeEvents(), (Log{"OnCanClickCell row 1 col 4", "OnCanClickCell row -1 col -1"}));
  EXPECT_EQ(window_.TakeLog(), Log{});
  EXPECT_FALSE(window_.Focused());
  EXPECT_EQ(grid_.Selection(), (TGridRect{0, 0, 0, 0}));
}

TEST_F(GridInputTest, APressWithoutTheFocusStillRaisesOnClickCellButSelectsNothing) {
  window_.can_focus = false;
  Press(At(4, 1));
  EXPECT_EQ(window_.TakeLog(), (Log{"cancel mode", "capture", "release capture"}));
  EXPECT_EQ(TakeEvents(), Log{"OnClickCell row 1 col 4"});
  EXPECT_EQ(grid_.Selection(), (TGridRect{0, 0, 0, 0}));
  EXPECT_EQ(grid_.State(), gsNormal);
}

TEST_F(GridInputTest, ColumnSizingTakesPressesNearAColumnsEdge) {
  grid_.SetOptions([&] {
    TGridOptions options = grid_.Options();
    options.Include(TGridOption::goColSizing);
    return options;
  }());
  // Column 2 spans x = 124..185: presses at 124 + 4 and 124 + 58 are 4 pixels inside its left
  // edge and its right edge (186); the others are closer.
  for (std::int32_t dx : {0, 3, 4, 58, 59, 61}) Click(At(2, 0, dx, 5));
  EXPECT_EQ(CountOf("OnClickCell"), 2);
  EXPECT_EQ(CountOf("OnMouseDown"), 6);
}

TEST_F(GridInputTest, AnExceptionFromOnClickCellLeavesThePressAndCancelModeEndsIt) {
  grid_.Events.OnClickCell = [](TCellGrid&, std::int32_t, std::int32_t) {
    throw std::runtime_error("not a number");
  };
  EXPECT_THROW(Press(At(6, 7)), std::runtime_error);
  EXPECT_TRUE(window_.HasCapture());
  EXPECT_EQ(grid_.State(), gsSelecting);
  TakeEvents();
  window_.TakeLog();

  // What the application does before it reports the exception.
  Input().CancelMode();
  EXPECT_EQ(window_.TakeLog(), (Log{"release capture", "stop timer 60"}));
  EXPECT_EQ(TakeEvents(), (Log{"OnClick", "OnMouseUp left (-1,-1)"}));
  EXPECT_EQ(grid_.State(), gsNormal);
  EXPECT_TRUE(!window_.AnyTimerRunning());
  EXPECT_EQ(grid_.Selection(), (TGridRect{6, 7, 6, 7}));

  // The real release arrives later and finds nothing left to end.
  Release(At(6, 7));
  EXPECT_EQ(window_.TakeLog(), Log{});
  EXPECT_EQ(TakeEvents(), (Log{"OnClick", "OnMouseUp left (382,416)"}));
}

TEST_F(GridInputTest, GuardedInputCancelsThenReportsAndThenReportsTheCancelsOwnFailure) {
  grid_.Events.OnClickCell = [](TCellGrid&, std::int32_t, std::int32_t) {
    throw std::runtime_error("not a number");
  };
  grid_.Events.OnMouseUp = [](TCellGrid&, TMouseButton, TShiftState, std::int32_t, std::int32_t) {
    throw std::runtime_error("up failed");
  };
  Log reports;
  const TErrorReporter old_reporter = SetErrorReporter([&](std::exception_ptr error) {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      reports.push_back(Format("%s capture %d state %d", {e.what(), window_.HasCapture() ? 1 : 0,
                                                          static_cast<int>(grid_.State())}));
    }
  });
  Input().Guarded([&] { Press(At(6, 7)); });
  SetErrorReporter(old_reporter);
  EXPECT_EQ(reports, (Log{"not a number capture 0 state 0", "up failed capture 0 state 0"}));
  EXPECT_TRUE(!window_.AnyTimerRunning());
}

TEST_F(GridInputTest, APressCancelsTheFocusedGridsOwnLeftoverSelection) {
  Press(At(1, 1));
  // The release went elsewhere; the next press finds the grid still selecting.
  window_.TakeLog();
  TakeEvents();
  Press(At(2, 2));
  const Log log = window_.TakeLog();
  ASSERT_GE(log.size(), 4u);
  EXPECT_EQ(Log(log.begin(), log.begin() + 4),
            (Log{"cancel mode", "release capture", "stop timer 60", "capture"}));
  const Log events = TakeEvents();
  ASSERT_GE(events.size(), 2u);
  EXPECT_EQ(Log(events.begin(), events.begin() + 2), (Log{"OnClick", "OnMouseUp left (-1,-1)"}));
  EXPECT_EQ(grid_.State(), gsSelecting);
}

TEST_F(GridInputTest, GainingAndLosingTheFocusRepaintTheSelection) {
  grid_.SetSelection({1, 1, 2, 3});
  window_.TakeLog();
  window_.SetFocus();
  // The whole selection, then the check of the current cell (its own mark, twice).
  EXPECT_EQ(window_.TakeLog(),
            (Log{"focus", "invalidate (62,58,186,232)", "invalidate (124,174,186,232)",
                 "invalidate (124,174,186,232)"}));
  EXPECT_EQ(TakeEvents(), Log{"OnSelectCell col 2 row 3"});
  window_.LoseFocus();
  EXPECT_EQ(window_.TakeLog(), Log{"invalidate (62,58,186,232)"});
}

}  // namespace
}  // namespace zelvorn
