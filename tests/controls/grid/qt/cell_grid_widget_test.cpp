#include "controls/grid/qt/cell_grid_widget.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>

#include "tests/controls/grid/fake_grid_window.h"

namespace zelvorn {
namespace {

using testing::LoadStoredLayout;
using testing::ToText;

// The widget at the main window's stored grid size, shown, with the stored layout loaded.
class CellGridWidgetTest : public ::testing::Test {
 protected:
  CellGridWidgetTest() {
    LoadStoredLayout(widget_.Grid());
    widget_.resize(568, 534);
    widget_.show();
    QApplication::processEvents();
  }

  TRect Viewport() const {
    const QRect r = widget_.viewport()->geometry();
    return {0, 0, r.width(), r.height()};
  }
  bool BarVisible(const QScrollBar* bar) const { return bar->isVisibleTo(&widget_); }

  TCellGridWidget widget_;
};

TEST_F(CellGridWidgetTest, HasTheSunkenEdgeAndTheGridsSize) {
  EXPECT_EQ(widget_.frameWidth(), 2);
  EXPECT_EQ(widget_.Grid().View().Width(), 568);
  EXPECT_EQ(widget_.Grid().View().Height(), 534);
  EXPECT_EQ(ToText(widget_.ClientRect()), "(0,0,564,530)");
  EXPECT_EQ(Viewport(), widget_.ClientRect());
  EXPECT_FALSE(BarVisible(widget_.horizontalScrollBar()));
  EXPECT_FALSE(BarVisible(widget_.verticalScrollBar()));
  EXPECT_TRUE(widget_.viewport()->testAttribute(Qt::WA_OpaquePaintEvent));
}

TEST_F(CellGridWidgetTest, BarsFollowTheSizeAndTheClientAreaFollowsTheBarsAtOnce) {
  QScrollBar* hbar = widget_.horizontalScrollBar();
  QScrollBar* vbar = widget_.verticalScrollBar();
  widget_.resize(400, 300);
  // No event processing in between: the viewport already has the client size the grid sees.
  EXPECT_TRUE(BarVisible(hbar));
  EXPECT_TRUE(BarVisible(vbar));
  EXPECT_EQ(hbar->maximum(), 127);
  EXPECT_EQ(vbar->maximum(), 127);
  EXPECT_EQ(Viewport(), widget_.ClientRect());
  EXPECT_EQ(widget_.ClientRect().Width(),
            396 - widget_.ScrollBarThickness(TScrollBarKind::sbVertical));

  // Only the vertical axis needs to scroll when the window is just too short.
  widget_.resize(568, 500);
  EXPECT_FALSE(BarVisible(hbar));
  EXPECT_TRUE(BarVisible(vbar));
  EXPECT_EQ(Viewport(), widget_.ClientRect());

  widget_.resize(568, 534);
  EXPECT_FALSE(BarVisible(hbar));
  EXPECT_FALSE(BarVisible(vbar));
  EXPECT_EQ(hbar->maximum(), 0);
  EXPECT_EQ(Viewport(), widget_.ClientRect());
}

TEST_F(CellGridWidgetTest, BarActionsScrollTheGridAndTheThumbShowsItsPosition) {
  TCellGrid& grid = widget_.Grid();
  widget_.resize(400, 300);
  QScrollBar* vbar = widget_.verticalScrollBar();
  const std::int32_t bottom = grid.LargestTopLeft({4, 4}).Y;
  ASSERT_GT(bottom, 1);

  vbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(grid.TopRow(), 1);
  EXPECT_EQ(vbar->value(), MulDiv(1, 127, bottom));
  vbar->triggerAction(QAbstractSlider::SliderToMaximum);
  EXPECT_EQ(grid.TopRow(), bottom);
  EXPECT_EQ(vbar->value(), 127);
  EXPECT_EQ(vbar->sliderPosition(), 127);
  vbar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_LT(grid.TopRow(), bottom);
  // A step past the end moves nothing, and the thumb stays where the grid has it.
  vbar->triggerAction(QAbstractSlider::SliderToMinimum);
  vbar->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(grid.TopRow(), 0);
  EXPECT_EQ(vbar->value(), 0);
  EXPECT_EQ(vbar->sliderPosition(), 0);

  // Releasing a dragged thumb scrolls to where it was let go.
  vbar->setSliderDown(true);
  vbar->setSliderPosition(127);
  EXPECT_EQ(grid.TopRow(), 0);  // no scrolling while the thumb is dragged
  vbar->setSliderDown(false);
  EXPECT_EQ(grid.TopRow(), bottom);
  EXPECT_EQ(vbar->value(), 127);

  // Growing the window back shows everything from the first cell.
  widget_.resize(568, 534);
  EXPECT_EQ(grid.Model().TopLeft, (TCellCoord{0, 0}));
}

// What the bar's "Scroll here" does: the view goes to the line the thumb stands for, and the
// thumb to that line's place, also when the line is the one already shown.
TEST_F(CellGridWidgetTest, ABarValueSetDirectlyMovesTheViewInWholeLines) {
  TCellGrid& grid = widget_.Grid();
  widget_.resize(400, 300);  // 279 pixels of rows of 105: rows 3 and 4 end the last page
  QScrollBar* vbar = widget_.verticalScrollBar();
  ASSERT_EQ(grid.LargestTopLeft({4, 4}).Y, 3);
  struct TCase {
    int value;
    std::int32_t top_row;
    int thumb;
  };
  for (const TCase& c : {TCase{20, 0, 0}, TCase{127, 3, 127}, TCase{64, 2, 85}, TCase{50, 1, 42}}) {
    vbar->setValue(c.value);
    EXPECT_EQ(grid.TopRow(), c.top_row) << c.value;
    EXPECT_EQ(vbar->value(), c.thumb) << c.value;
    EXPECT_EQ(vbar->sliderPosition(), c.thumb) << c.value;
  }
}

TEST_F(CellGridWidgetTest, ScrollingMovesThePixels) {
  TCellGrid& grid = widget_.Grid();
  grid.SetCells(0, 1, "X");
  widget_.resize(400, 300);
  QApplication::processEvents();
  const QImage before = widget_.viewport()->grab().toImage();
  grid.View().MoveTopLeft({0, 1});
  QApplication::processEvents();
  const QImage after = widget_.viewport()->grab().toImage();
  // Row 1 (105 pixels down) is now at the top: its pixels moved up by one row.
  for (int y : {0, 20, 52, 104}) {
    for (int x : {0, 30, 55, 109}) {
      EXPECT_EQ(after.pixel(x, y), before.pixel(x, y + 105)) << x << "," << y;
    }
  }
}

TEST(CellGridWidgetShowTest, AWindowShownTooSmallShowsItsBars) {
  TCellGridWidget widget;
  LoadStoredLayout(widget.Grid());
  widget.resize(300, 200);
  EXPECT_FALSE(widget.horizontalScrollBar()->isVisibleTo(&widget));  // not judged before showing
  widget.show();
  EXPECT_TRUE(widget.horizontalScrollBar()->isVisibleTo(&widget));
  EXPECT_TRUE(widget.verticalScrollBar()->isVisibleTo(&widget));
  EXPECT_EQ(TCellGridWidget().size(), QSize(400, 250));  // a new one has the grid's own size
  const QRect viewport = widget.viewport()->geometry();
  EXPECT_EQ(ToText(widget.ClientRect()), ToText({0, 0, viewport.width(), viewport.height()}));
}

}  // namespace
}  // namespace zelvorn
