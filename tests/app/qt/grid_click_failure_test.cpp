// A grid whose cell-click handler fails, on the application object that reports the failure:
// by the time the report is up, the grid has given the mouse back and ended its press.
#define QTEST_QPA_MOUSE_HANDLING  // clicks travel the platform's way, window first
#include <gtest/gtest.h>

#include <QTest>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/qt/application.h"
#include "controls/grid/qt/cell_grid_widget.h"
#include "platform/format.h"
#include "tests/app/qt/recording_boxes.h"

namespace zelvorn {
namespace {

TApplication& App() { return static_cast<TApplication&>(*QCoreApplication::instance()); }

TEST(GridClickFailureTest, TheReportFindsTheGridReleasedAndIdle) {
  auto boxes = std::make_unique<TRecordingBoxes>();
  TRecordingBoxes& recorded = *boxes;
  std::unique_ptr<IMessageBoxes> real_boxes = App().SetMessageBoxes(std::move(boxes));

  TCellGridWidget widget;
  TCellGrid& grid = widget.Grid();
  grid.SetFixedCols(0);
  grid.SetFixedRows(0);
  grid.SetDefaultColWidth(60);
  grid.SetDefaultRowHeight(40);
  grid.SetCells(2, 1, "x");
  // As the training controller does: the clicked cell's text as a number.
  grid.Events.OnClickCell = [](TCellGrid& sender, std::int32_t row, std::int32_t col) {
    StrToInt(sender.Cells(col, row));
  };
  std::vector<std::string> ups;
  grid.Events.OnMouseUp = [&](TCellGrid&, TMouseButton, TShiftState, std::int32_t x,
                              std::int32_t y) {
    ups.push_back(Format("(%d,%d)", {x, y}));
  };
  QWidget* grabber_during_report = &widget;
  TGridState state_during_report = TGridState::gsSelecting;
  recorded.during_error = [&] {
    grabber_during_report = QWidget::mouseGrabber();
    state_during_report = grid.State();
  };
  widget.resize(400, 300);
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));

  const QPoint cell_2_1(2 * 60 + 30, 40 + 20);
  QTest::mousePress(widget.viewport(), Qt::LeftButton, {}, cell_2_1);
  ASSERT_EQ(recorded.shown.size(), 1u);
  EXPECT_EQ(recorded.shown[0].text, QStringLiteral("'x' 不是一个有效的整形值."));
  EXPECT_EQ(grabber_during_report, nullptr);
  EXPECT_EQ(state_during_report, TGridState::gsNormal);
  // The release the grid performed for the cancelled press.
  EXPECT_EQ(ups, std::vector<std::string>{"(-1,-1)"});
  // What the press did before the handler failed stays done.
  EXPECT_EQ(grid.Model().Current, (TCellCoord{2, 1}));
  EXPECT_TRUE(widget.hasFocus());

  QTest::mouseRelease(widget.viewport(), Qt::LeftButton, {}, cell_2_1);
  EXPECT_EQ(grid.State(), TGridState::gsNormal);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(recorded.shown.size(), 1u);
  App().SetMessageBoxes(std::move(real_boxes));
}

}  // namespace
}  // namespace zelvorn
