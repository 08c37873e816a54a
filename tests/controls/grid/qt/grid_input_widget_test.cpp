// The grid's input through its Qt host, with events as the platform delivers them: presses
// travel from the window down (double-clicks arrive as Press, Release, DblClick, Release), the
// pressed button grabs the mouse, the wheel comes in eighths of a degree.
#define QTEST_QPA_MOUSE_HANDLING
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cstdint>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/grid/qt/cell_grid_widget.h"
#include "controls/grid/qt/pan_indicators.h"
#include "platform/error_boundary.h"
#include "platform/format.h"
#include "tests/controls/grid/fake_grid_window.h"

namespace zelvorn {
namespace {

using testing::LoadStoredLayout;
using testing::SizeForRun;

// A window with a line edit and the grid of a 9 x 9 run (cells of 62 x 58); the edit has the
// focus at the start.
class GridInputWidgetTest : public ::testing::Test {
 protected:
  GridInputWidgetTest() {
    window_.resize(680, 560);
    edit_->setGeometry(590, 10, 80, 24);
    widget_->setGeometry(10, 10, 568, 534);
    LoadStoredLayout(Grid());
    window_.show();
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
    SizeForRun(Grid(), 9);
    edit_->setFocus();
    Grid().Events.OnClickCell = [this](TCellGrid& grid, std::int32_t row, std::int32_t col) {
      clicks_.push_back(Format("row %d col %d", {row, col}));
      // What the handler finds: the cell current, the focus and the mouse with the grid.
      inside_ok_ = inside_ok_ && grid.Col() == col && grid.Row() == row && widget_->hasFocus() &&
                   QWidget::mouseGrabber() == Viewport();
    };
    Grid().Events.OnDblClickCell = [this](TCellGrid&, std::int32_t row, std::int32_t col) {
      double_clicks_.push_back(Format("row %d col %d", {row, col}));
    };
  }
  ~GridInputWidgetTest() override {
    // Keeps later presses from pairing with this test's last one into a double-click.
    QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
  }

  TCellGrid& Grid() { return widget_->Grid(); }
  QWidget* Viewport() { return widget_->viewport(); }
  static QPoint At(std::int32_t col, std::int32_t row) { return {col * 62 + 20, row * 58 + 20}; }

  // A press or release at a chosen time after the previous one, as the platform reports it.
  void SendMouse(QEvent::Type type, Qt::MouseButton button, QPoint pos, int after_ms) {
    QWindow* window = window_.windowHandle();
    const QPoint local = window->mapFromGlobal(Viewport()->mapToGlobal(pos));
    QTest::lastMouseTimestamp += after_ms;
    QTestPrivate::qtestMouseButtons.setFlag(button, type == QEvent::MouseButtonPress);
    qt_handleMouseEvent(window, local, window->mapToGlobal(local), QTestPrivate::qtestMouseButtons,
                        button, type, Qt::NoModifier, QTest::lastMouseTimestamp);
    QApplication::processEvents();
  }
  void Wheel(int delta, Qt::KeyboardModifiers modifiers = {}) {
    const QPointF pos(100, 100);
    QWheelEvent wheel(pos, Viewport()->mapToGlobal(pos), {}, {0, delta}, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Viewport(), &wheel);
  }

  QWidget window_;
  QLineEdit* edit_ = new QLineEdit(&window_);
  TCellGridWidget* widget_ = new TCellGridWidget(&window_);
  std::vector<std::string> clicks_;
  std::vector<std::string> double_clicks_;
  bool inside_ok_ = true;
};

TEST_F(GridInputWidgetTest, APressRaisesOnClickCellOnceWithTheGridReady) {
  QTest::mousePress(Viewport(), Qt::LeftButton, {}, At(2, 3));
  EXPECT_EQ(clicks_, std::vector<std::string>{"row 3 col 2"});
  EXPECT_TRUE(inside_ok_);
  EXPECT_EQ(Grid().State(), TGridState::gsSelecting);
  QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, At(2, 3));
  EXPECT_EQ(clicks_.size(), 1u);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_EQ(Grid().State(), TGridState::gsNormal);
  EXPECT_EQ(Grid().Selection(), (TGridRect{2, 3, 2, 3}));
}

TEST_F(GridInputWidgetTest, GridLinesTheMarginAndTheEdge) {
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, {3 * 62 - 1, 4 * 58 - 1});  // both lines
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, {3 * 62, 4 * 58});
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, {560, 100});  // right of the board
  EXPECT_EQ(clicks_, (std::vector<std::string>{"row 3 col 2", "row 4 col 3"}));
  EXPECT_EQ(Grid().Model().Current, (TCellCoord{3, 4}));
  // The sunken edge is not the grid's client area: a press there is not the grid's.
  edit_->setFocus();
  QTest::mouseClick(widget_, Qt::LeftButton, {}, {1, 1});
  EXPECT_EQ(clicks_.size(), 2u);
  EXPECT_TRUE(edit_->hasFocus());
}

TEST_F(GridInputWidgetTest, ARefusedPressLeavesTheFocusWhereItWas) {
  Grid().Events.OnCanClickCell = [](TCellGrid&, std::int32_t, std::int32_t, bool& allow) {
    allow = false;
  };
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(2, 3));
  EXPECT_TRUE(edit_->hasFocus());
  EXPECT_TRUE(clicks_.empty());
  EXPECT_EQ(Grid().Selection(), (TGridRect{0, 0, 0, 0}));
}

TEST_F(GridInputWidgetTest, ADoubleClickRaisesOneCellClickAndTheDoubleClickEvents) {
  int dbl = 0;
  Grid().Events.OnDblClick = [&](TCellGrid&) { ++dbl; };
  QTest::mouseDClick(Viewport(), Qt::LeftButton, {}, At(4, 1));
  EXPECT_EQ(clicks_, std::vector<std::string>{"row 1 col 4"});
  EXPECT_EQ(double_clicks_, std::vector<std::string>{"row 1 col 4"});
  EXPECT_EQ(dbl, 1);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

  // Two clicks far apart in time are two clicks.
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(5, 1));
  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(6, 1));
  EXPECT_EQ(clicks_, (std::vector<std::string>{"row 1 col 4", "row 1 col 5", "row 1 col 6"}));
}

TEST_F(GridInputWidgetTest, AQuickSecondPressAcrossAGridLineIsADoubleClick) {
  const QPoint left(3 * 62 - 2, 100), right(3 * 62 + 1, 100);  // columns 2 and 3
  SendMouse(QEvent::MouseButtonPress, Qt::LeftButton, left, 50);
  SendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, left, 50);
  SendMouse(QEvent::MouseButtonPress, Qt::LeftButton, right, 50);
  SendMouse(QEvent::MouseButtonRelease, Qt::LeftButton, right, 50);
  EXPECT_EQ(clicks_, std::vector<std::string>{"row 1 col 2"});
  EXPECT_EQ(double_clicks_, std::vector<std::string>{"row 1 col 3"});
  EXPECT_EQ(Grid().Model().Current, (TCellCoord{2, 1}));
}

TEST_F(GridInputWidgetTest, DraggingOutOfTheGridAutoScrollsToTheLastColumn) {
  widget_->resize(250, 534);  // about three columns fit
  QApplication::processEvents();
  ASSERT_LT(Grid().VisibleColCount(), 9);
  QTest::mousePress(Viewport(), Qt::LeftButton, {}, At(0, 2));
  // The pointer leaves the grid to the right; the grab keeps the moves coming.
  const QPoint outside(Viewport()->width() + 30, At(0, 2).y());
  QTest::mouseMove(Viewport(), outside);
  EXPECT_TRUE(QTest::qWaitFor([&] { return Grid().Model().Anchor.X == 8; }, 5000));
  EXPECT_EQ(Grid().LeftCol(), Grid().LargestTopLeft({8, 8}).X);
  // To the left of the grid it runs back to the first column.
  QTest::mouseMove(Viewport(), QPoint(-20, At(0, 2).y()));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Grid().Model().Anchor.X == 0; }, 5000));
  QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, {-20, At(0, 2).y()});
  EXPECT_EQ(Grid().Model().Current, (TCellCoord{0, 2}));
  EXPECT_EQ(clicks_.size(), 1u);
}

TEST_F(GridInputWidgetTest, ARightPressReportsTheCellAndOnlyFocuses) {
  std::vector<std::string> right;
  Grid().Events.OnRightClickCell = [&](TCellGrid&, std::int32_t row, std::int32_t col) {
    right.push_back(Format("row %d col %d", {row, col}));
  };
  QTest::mouseClick(Viewport(), Qt::RightButton, {}, At(7, 8));
  EXPECT_EQ(right, std::vector<std::string>{"row 8 col 7"});
  EXPECT_TRUE(widget_->hasFocus());
  EXPECT_EQ(Grid().Selection(), (TGridRect{0, 0, 0, 0}));
  EXPECT_TRUE(clicks_.empty());
}

TEST_F(GridInputWidgetTest, KeysMoveTheCurrentCellAndTabLeavesTheGrid) {
  std::vector<std::uint16_t> keys;
  Grid().Events.OnKeyDown = [&](TCellGrid&, std::uint16_t& key, TShiftState) {
    keys.push_back(key);
  };
  widget_->setFocus();
  QTest::keyClick(widget_, Qt::Key_Down);
  QTest::keyClick(widget_, Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(Grid().Model().Current, (TCellCoord{1, 1}));
  EXPECT_EQ(Grid().Model().Anchor, (TCellCoord{0, 1}));
  QTest::keyClick(widget_, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Grid().Model().Current, (TCellCoord{8, 8}));
  QTest::keyClick(widget_, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(Grid().Selection(), (TGridRect{0, 0, 8, 8}));
  QTest::keyClick(widget_, Qt::Key_Tab);
  EXPECT_TRUE(edit_->hasFocus());
  EXPECT_EQ(keys,
            (std::vector<std::uint16_t>{kKeyDown, 0x10, kKeyRight, 0x11, kKeyEnd, 0x11, kKeyA}));
  EXPECT_TRUE(clicks_.empty());
}

// A handler that fails, on each way Qt calls into the grid: the failure reaches the report once,
// finds the mouse free and the grid idle, and the grid goes on working afterwards.
TEST_F(GridInputWidgetTest, AFailingHandlerIsReportedOnceWithTheGridReleasedAndIdle) {
  struct TReport {
    QWidget* grabber;
    TGridState state;
    bool panning;
  };
  std::vector<TReport> reports;
  const TErrorReporter old_reporter = SetErrorReporter([&](std::exception_ptr) {
    reports.push_back({QWidget::mouseGrabber(), Grid().State(), widget_->Input().Panning()});
  });
  const auto fail = [] { throw std::runtime_error("handler failed"); };
  struct TCase {
    const char* name;
    std::function<void()> arm_and_act;
  };
  const TCase cases[] = {
      {"cell click",
       [&] {
         Grid().Events.OnClickCell = [&](TCellGrid&, std::int32_t, std::int32_t) { fail(); };
         QTest::mousePress(Viewport(), Qt::LeftButton, {}, At(2, 3));
       }},
      {"key",
       [&] {
         Grid().Events.OnKeyDown = [&](TCellGrid&, std::uint16_t&, TShiftState) { fail(); };
         widget_->setFocus();
         QTest::keyClick(widget_, Qt::Key_Down);
       }},
      {"scroll bar",
       [&] {
         Grid().SetDefaultRowHeight(100);
         Grid().Events.OnTopLeftChanged = [&](TCellGrid&) { fail(); };
         widget_->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
       }},
      {"wheel",
       [&] {
         Grid().Events.OnMouseWheelDown = [&](TCellGrid&, TShiftState, TPoint, bool&) { fail(); };
         Wheel(-120);
       }},
      {"pan tick",
       [&] {
         QTest::mouseClick(Viewport(), Qt::MiddleButton, {}, At(3, 2));
         Grid().Events.OnClick = [&](TCellGrid&) { fail(); };
         QTest::mouseMove(Viewport(), At(3, 2) + QPoint(0, 40));
         EXPECT_TRUE(QTest::qWaitFor([&] { return !reports.empty(); }, 5000));
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    reports.clear();
    c.arm_and_act();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].grabber, nullptr);
    EXPECT_EQ(reports[0].state, TGridState::gsNormal);
    EXPECT_FALSE(reports[0].panning);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, {}, At(2, 3));
    Grid().Events.OnClickCell = nullptr;
    Grid().Events.OnKeyDown = nullptr;
    Grid().Events.OnTopLeftChanged = nullptr;
    Grid().Events.OnMouseWheelDown = nullptr;
    Grid().Events.OnClick = nullptr;
    const TRect cell = Grid().CellBounds(1, Grid().TopRow());
    QTest::mouseClick(Viewport(), Qt::LeftButton, {}, {cell.Left + 5, cell.Top + 5});
    EXPECT_EQ(Grid().Model().Current, (TCellCoord{1, Grid().TopRow()}));
    EXPECT_EQ(reports.size(), 1u);
  }
  SetErrorReporter(old_reporter);
}

TEST_F(GridInputWidgetTest, TheWheelReachesTheGridWithItsDeltaAndModifiers) {
  Wheel(-240);  // two notches at once
  EXPECT_EQ(Grid().Row(), 8);
  Wheel(120);
  EXPECT_EQ(Grid().Row(), 4);
  Wheel(120);
  EXPECT_EQ(Grid().Row(), 0);
  Wheel(-120, Qt::ControlModifier);
  EXPECT_EQ(Grid().Appearance().ZoomDelta, QApplication::wheelScrollLines());
  EXPECT_EQ(Grid().ColWidths(8), 62 + QApplication::wheelScrollLines());
  EXPECT_TRUE(clicks_.empty());
}

TEST_F(GridInputWidgetTest, PanningRunsDownThenALeftPressEndsItAndClicks) {
  const QPoint origin = At(3, 2);
  QTest::mouseClick(Viewport(), Qt::MiddleButton, {}, origin);
  ASSERT_TRUE(widget_->Input().Panning());
  EXPECT_TRUE(widget_->hasFocus());
  EXPECT_EQ(QWidget::mouseGrabber(), Viewport());
  EXPECT_EQ(Viewport()->cursor().shape(), Qt::BitmapCursor);
  const auto marker = [&]() -> QWidget* {
    for (QWidget* child : Viewport()->findChildren<QWidget*>()) {
      if (child->isVisible()) return child;
    }
    return nullptr;
  };
  ASSERT_NE(marker(), nullptr);
  EXPECT_EQ(marker()->geometry().center() + QPoint(1, 1), origin);  // centred on the origin

  // The button is up: the move arrives all the same.
  QTest::mouseMove(Viewport(), origin + QPoint(0, 40));
  EXPECT_TRUE(QTest::qWaitFor([&] { return Grid().Row() == 8; }, 5000));
  EXPECT_TRUE(clicks_.empty());

  QTest::mouseClick(Viewport(), Qt::LeftButton, {}, At(6, 5));
  EXPECT_FALSE(widget_->Input().Panning());
  EXPECT_EQ(clicks_, std::vector<std::string>{"row 5 col 6"});
  EXPECT_EQ(marker(), nullptr);
  EXPECT_FALSE(Viewport()->testAttribute(Qt::WA_SetCursor));
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(PanPicturesTest, TheCursorsPointTheWayTheCurrentCellRuns) {
  struct Case {
    TGridCursor shape;
    bool up, down;
  };
  const auto inked = [](const QImage& image, int x, int y) {
    return qAlpha(image.pixel(x, y)) == 255 && qGray(image.pixel(x, y)) < 64;
  };
  for (const Case& c :
       {Case{TGridCursor::crPanRest, true, true}, Case{TGridCursor::crPanDown, false, true},
        Case{TGridCursor::crPanUp, true, false}}) {
    for (const qreal ratio : {1.0, 2.0}) {
      const QImage image = PanCursorImage(c.shape, ratio);
      ASSERT_EQ(image.size(), QSize(24, 24) * ratio);
      const auto at = [&](int x, int y) { return inked(image, x * ratio, y * ratio); };
      EXPECT_TRUE(at(11, 11)) << "the dot at the hot spot";
      EXPECT_EQ(at(11, 5), c.up);
      EXPECT_EQ(at(11, 18), c.down);
      EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    }
    EXPECT_EQ(PanCursor(c.shape, 1).hotSpot(), QPoint(12, 12));
  }
  EXPECT_EQ(PanCursor(TGridCursor::crDefault, 1).shape(), Qt::ArrowCursor);

  const QImage marker = PanOriginImage(1);
  ASSERT_EQ(marker.size(), QSize(26, 26));
  EXPECT_EQ(qAlpha(marker.pixel(0, 0)), 0);    // round: the corners stay clear
  EXPECT_LT(qGray(marker.pixel(13, 0)), 160);  // the rim
  EXPECT_GT(qGray(marker.pixel(13, 9)), 200);  // the light disc between rim and arrowhead
  EXPECT_LT(qGray(marker.pixel(12, 12)), 64);  // the dot
}

}  // namespace
}  // namespace zelvorn
