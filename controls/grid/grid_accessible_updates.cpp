#include "controls/grid/grid_accessible_updates.h"

#include <utility>

#include "controls/grid/cell_grid.h"

namespace zelvorn {

TGridAccessibleState AccessibleStateOf(const TCellGrid& grid, bool focused) {
  TGridAccessibleState state{grid.RowCount(),  grid.ColCount(), grid.Row(), grid.Col(),
                             grid.Selection(), focused,         {}};
  if (std::int64_t{state.rows} * state.cols <= TGridAccessibleState::kMaxTrackedCells) {
    state.texts.reserve(static_cast<std::size_t>(state.rows * state.cols));
    for (std::int32_t row = 0; row < state.rows; ++row) {
      for (std::int32_t col = 0; col < state.cols; ++col)
        state.texts.push_back(grid.Cells(col, row));
    }
  }
  return state;
}

std::vector<TGridAccessibleUpdate> GridAccessibleUpdates(const TGridAccessibleState& told,
                                                         const TGridAccessibleState& now) {
  using enum TGridAccessibleEvent;
  std::vector<TGridAccessibleUpdate> updates;
  const bool counts_changed = told.rows != now.rows || told.cols != now.cols;
  if (counts_changed) {
    updates.push_back({kTableChanged, -1});
  } else if (told.texts.size() == now.texts.size()) {
    for (std::size_t i = 0; i < now.texts.size(); ++i) {
      if (told.texts[i] != now.texts[i]) updates.push_back({kNameChanged, std::int32_t(i)});
    }
  }
  const bool current_in_grid =
      now.row >= 0 && now.col >= 0 && now.row < now.rows && now.col < now.cols;
  if (!current_in_grid) return updates;
  const std::int32_t current = now.row * now.cols + now.col;
  if (!(told.selection == now.selection)) {
    const bool one_cell =
        now.selection.Left == now.selection.Right && now.selection.Top == now.selection.Bottom;
    updates.push_back(one_cell ? TGridAccessibleUpdate{kSelection, current}
                               : TGridAccessibleUpdate{kSelectionWithin, -1});
  }
  const bool current_moved = told.row != now.row || told.col != now.col;
  if (now.focused && (current_moved || counts_changed || !told.focused)) {
    updates.push_back({kFocus, current});
  }
  return updates;
}

std::vector<TGridAccessibleUpdate> TGridAccessibleTracker::Update(const TCellGrid& grid,
                                                                  bool focused) {
  TGridAccessibleState now = AccessibleStateOf(grid, focused);
  std::vector<TGridAccessibleUpdate> updates = GridAccessibleUpdates(told_, now);
  told_ = std::move(now);
  return updates;
}

}  // namespace zelvorn
