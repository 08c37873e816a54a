// What assistive tools are told of a grid as it changes, the same on every platform.
#include "controls/grid/grid_accessible_updates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/grid/cell_grid.h"

namespace zelvorn {
namespace {

TEST(GridAccessibleUpdatesTest, TellTheTableTheTextsTheSelectionAndTheFocusedCellAsTheyChange) {
  using enum TGridAccessibleEvent;
  using U = TGridAccessibleUpdate;
  const std::vector<std::string> blank(25);
  std::vector<std::string> numbered(25);
  numbered[0] = "7";
  numbered[13] = "1";
  const TGridAccessibleState start{5, 5, 0, 0, {0, 0, 0, 0}, true, blank};
  const TGridAccessibleState unfocused{5, 5, 0, 0, {0, 0, 0, 0}, false, blank};
  const TGridAccessibleState moved{5, 5, 2, 3, {3, 2, 3, 2}, true, blank};  // row 2, column 3
  const TGridAccessibleState moved_unfocused{5, 5, 2, 3, {3, 2, 3, 2}, false, blank};
  const TGridAccessibleState larger{6, 6, 0, 0, {0, 0, 0, 0}, true, std::vector<std::string>(36)};
  const TGridAccessibleState outside{5, 5, -1, -1, {0, 0, 0, 0}, true, blank};
  const TGridAccessibleState renumbered{5, 5, 0, 0, {0, 0, 0, 0}, true, numbered};
  const TGridAccessibleState spread{5, 5, 2, 3, {0, 0, 3, 2}, true, blank};
  const TGridAccessibleState untracked{5, 5, 0, 0, {0, 0, 0, 0}, true, {}};
  struct TCase {
    const char* what;
    TGridAccessibleState told;
    TGridAccessibleState now;
    std::vector<U> expected;
  };
  for (const TCase& c : {
           TCase{"nothing changed", start, start, {}},
           TCase{"moved, focused", start, moved, {{kSelection, 13}, {kFocus, 13}}},
           TCase{"moved, not focused", unfocused, moved_unfocused, {{kSelection, 13}}},
           TCase{"new counts, texts not compared",
                 renumbered,
                 larger,
                 {{kTableChanged, -1}, {kFocus, 0}}},
           TCase{"current outside", start, outside, {}},
           TCase{"focus arrives", unfocused, start, {{kFocus, 0}}},
           TCase{"focus leaves", start, unfocused, {}},
           TCase{"texts changed", start, renumbered, {{kNameChanged, 0}, {kNameChanged, 13}}},
           TCase{"texts of a large grid are not kept", untracked, renumbered, {}},
           TCase{"a range selected", moved, spread, {{kSelectionWithin, -1}}},
       }) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(GridAccessibleUpdates(c.told, c.now), c.expected);
  }
}

TEST(GridAccessibleTrackerTest, ReadsTheGridAndTellsEachChangeOnce) {
  TCellGrid grid;
  grid.SetColCount(3);
  grid.SetRowCount(2);
  TGridAccessibleTracker tracker;
  using enum TGridAccessibleEvent;
  using U = TGridAccessibleUpdate;
  // A new grid's current cell is the first one past the fixed row and column.
  EXPECT_EQ(tracker.Update(grid, false), (std::vector<U>{{kTableChanged, -1}, {kSelection, 4}}));
  grid.SetCells(2, 1, "5");
  grid.MoveCurrent(2, 1, TMoveAnchor::kYes, TShowCell::kNo);
  EXPECT_EQ(tracker.Update(grid, true),
            (std::vector<U>{{kNameChanged, 5}, {kSelection, 5}, {kFocus, 5}}));
  EXPECT_EQ(tracker.Update(grid, true), std::vector<U>{});
}

}  // namespace
}  // namespace zelvorn
