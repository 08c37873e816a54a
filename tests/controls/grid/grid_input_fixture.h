#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/grid/cell_grid.h"
#include "platform/format.h"
#include "tests/controls/grid/fake_grid_window.h"

namespace zelvorn::testing {

using Log = std::vector<std::string>;

// The main window's grid at the start of a 9 x 9 run (cells of 62 x 58 in a client area of
// 564 x 530, no bars), in a fake window that reports focus changes as a real one does. Every
// event the input paths raise is written to `events_`, with its arguments.
class GridInputTest : public ::testing::Test {
 protected:
  static constexpr std::int32_t kColWidth = 62;
  static constexpr std::int32_t kRowHeight = 58;

  GridInputTest() {
    window_.reports_focus = true;
    window_.Attach(grid_, &input_);
    LoadStoredLayout(grid_);
    window_.Show();
    SizeForRun(grid_, 9);
    RecordEvents();
    window_.TakeLog();
  }

  // A point inside a cell of the 9 x 9 board, (dx, dy) from its top-left corner.
  static TPoint At(std::int32_t col, std::int32_t row, std::int32_t dx = 10, std::int32_t dy = 10) {
    return {col * kColWidth + dx, row * kRowHeight + dy};
  }

  TGridInput& Input() { return input_; }
  void Press(TPoint point, TShiftState shift = {}) {
    shift.Include(TShiftStateFlag::ssLeft);
    Input().MouseDown(TMouseButton::mbLeft, shift, point);
  }
  void Release(TPoint point) { Input().MouseUp(TMouseButton::mbLeft, {}, point); }
  void Click(TPoint point) {
    Press(point);
    Release(point);
  }
  // A double-click's second press, delivered in place of a plain press.
  void DoublePress(TPoint point) {
    Input().MouseDoubleClick(TMouseButton::mbLeft, {TShiftStateFlag::ssLeft}, point);
  }
  void Tick(std::int32_t timer) { Input().Timer(timer); }
  std::vector<std::string> TakeEvents() { return std::exchange(events_, {}); }
  std::int32_t CountOf(const std::string& prefix) const {
    std::int32_t count = 0;
    for (const std::string& event : events_) count += event.starts_with(prefix) ? 1 : 0;
    return count;
  }

  // First, since the input's timers run on it.
  FakeGridWindow window_{568, 534};
  TCellGrid grid_;
  TGridInput input_{grid_};
  std::vector<std::string> events_;

 private:
  static const char* ButtonName(TMouseButton button) {
    switch (button) {
      case TMouseButton::mbLeft:
        return "left";
      case TMouseButton::mbRight:
        return "right";
      case TMouseButton::mbMiddle:
        return "middle";
    }
    return "?";
  }

  void RecordEvents() {
    const auto cell = [this](const char* name) {
      return [this, name](TCellGrid&, std::int32_t row, std::int32_t col) {
        events_.push_back(Format("%s row %d col %d", {name, row, col}));
      };
    };
    grid_.Events.OnClickCell = cell("OnClickCell");
    grid_.Events.OnDblClickCell = cell("OnDblClickCell");
    grid_.Events.OnRightClickCell = cell("OnRightClickCell");
    grid_.Events.OnSelectCell = [this](TCellGrid&, std::int32_t col, std::int32_t row, bool&) {
      events_.push_back(Format("OnSelectCell col %d row %d", {col, row}));
    };
    grid_.Events.OnSelectionChanged = [this](TCellGrid&, std::int32_t left, std::int32_t top,
                                             std::int32_t right, std::int32_t bottom) {
      events_.push_back(Format("OnSelectionChanged %d,%d..%d,%d", {left, top, right, bottom}));
    };
    grid_.Events.OnClick = [this](TCellGrid&) { events_.push_back("OnClick"); };
    grid_.Events.OnDblClick = [this](TCellGrid&) { events_.push_back("OnDblClick"); };
    const auto mouse = [this](const char* name) {
      return [this, name](TCellGrid&, TMouseButton button, TShiftState shift, std::int32_t x,
                          std::int32_t y) {
        const char* twice = shift.Has(TShiftStateFlag::ssDouble) ? " double" : "";
        events_.push_back(Format("%s %s%s (%d,%d)", {name, ButtonName(button), twice, x, y}));
      };
    };
    grid_.Events.OnMouseDown = mouse("OnMouseDown");
    grid_.Events.OnMouseUp = mouse("OnMouseUp");
  }
};

}  // namespace zelvorn::testing
