#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QWidget>
#include <memory>
#include <string>

#include "controls/grid/qt/cell_grid_widget.h"
#include "platform/qt/font.h"
#include "tests/controls/grid/fake_grid_window.h"
#include "tests/controls/grid/qt/grid_paint_inspect.h"

namespace zelvorn {
namespace {

using testing::InspectCell;
using testing::Inverted;
using testing::TCellLook;
using testing::TFocusLook;

const QRgb kParent = qRgb(10, 200, 30);
const QRgb kThemedFrame = qRgb(127, 157, 185);
const QRgb kSelection = qRgb(182, 202, 234);
const QRgb kSilver = qRgb(192, 192, 192);
const QRgb kBlack = qRgb(0, 0, 0);

// A window like the main one: the 9 x 9 board's grid at its stored size, 568 x 534, at (10, 20)
// in a parent of its own background colour, next to a control that can take the focus.
class GridPaintWidgetTest : public ::testing::Test {
 protected:
  GridPaintWidgetTest() {
    InstallFontSubstitutions();
    QPalette palette = parent_.palette();
    palette.setColor(QPalette::Window, kParent);
    parent_.setPalette(palette);
    parent_.resize(600, 600);
    other_ = new QLineEdit(&parent_);
    other_->setGeometry(10, 560, 100, 30);
    grid_widget_ = new TCellGridWidget(&parent_);
    grid_widget_->setGeometry(10, 20, 568, 534);
    TCellGrid& grid = grid_widget_->Grid();
    testing::LoadStoredLayout(grid);
    TFont font = grid.Font();
    font.Bold = true;
    grid.SetFont(font);
    testing::SizeForRun(grid, 9);
    for (std::int32_t col = 0; col < 9; ++col) {
      for (std::int32_t row = 0; row < 9; ++row) grid.SetCells(col, row, std::to_string(col + 1));
    }
    grid.Events.OnGetAlignment = [](const TCellGrid&, std::int32_t, std::int32_t, TAlignment& h,
                                    TVAlignment& v) {
      h = TAlignment::taCenter;
      v = TVAlignment::vtaCenter;
    };
    parent_.show();
    parent_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&parent_));
  }

  QRgb Window() const { return grid_widget_->palette().color(QPalette::Base).rgb(); }
  QRgb WindowText() const { return grid_widget_->palette().color(QPalette::Text).rgb(); }

  // The cell's look in a grab of the whole grid widget, whose client area starts at (2, 2).
  static TCellLook Cell(const QImage& image, std::int32_t col, std::int32_t row, QRgb text) {
    const std::int32_t left = 2 + 62 * col;
    const std::int32_t top = 2 + 58 * row;
    return InspectCell(image, {left, top, left + 62, top + 58}, kSilver, text);
  }

  QWidget parent_;
  QLineEdit* other_;
  TCellGridWidget* grid_widget_;
};

TEST_F(GridPaintWidgetTest, TheShownGridShowsItsCellsLinesAndFrameAtTheirPixels) {
  grid_widget_->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(grid_widget_->hasFocus());
  const QImage image = grid_widget_->grab().toImage();
  ASSERT_EQ(image.size(), QSize(568, 534));

  // The frame: the parent's colour outside, the themed colour inside it.
  for (int x = 0; x < 568; ++x) {
    EXPECT_EQ(image.pixel(x, 0), kParent) << x;
    EXPECT_EQ(image.pixel(x, 533), kParent) << x;
    if (x >= 1 && x <= 566) {
      EXPECT_EQ(image.pixel(x, 1), kThemedFrame) << x;
      EXPECT_EQ(image.pixel(x, 532), kThemedFrame) << x;
    }
  }
  for (int y = 1; y < 533; ++y) {
    EXPECT_EQ(image.pixel(0, y), kParent) << y;
    EXPECT_EQ(image.pixel(1, y), kThemedFrame) << y;
    EXPECT_EQ(image.pixel(566, y), kThemedFrame) << y;
    EXPECT_EQ(image.pixel(567, y), kParent) << y;
  }

  // The cells, with the focused current cell in the selection's colours.
  for (std::int32_t col = 0; col < 9; ++col) {
    for (std::int32_t row = 0; row < 9; ++row) {
      const bool current = col == 0 && row == 0;
      const TCellLook look = Cell(image, col, row, current ? kBlack : WindowText());
      EXPECT_EQ(look.background, current ? kSelection : Window()) << col << "," << row;
      EXPECT_TRUE(look.lines) << col << "," << row;
      EXPECT_EQ(look.focus, current ? TFocusLook::kDotted : TFocusLook::kNone);
      EXPECT_TRUE(look.HasInk() && look.ink_ok) << col << "," << row << ": " << look;
    }
  }
  EXPECT_EQ(image.pixel(2, 2), Inverted(kSelection));
  // The empty strips right of and below the cells.
  EXPECT_EQ(image.pixel(2 + 558, 2 + 100), Window());
  EXPECT_EQ(image.pixel(2 + 563, 2 + 529), Window());
  EXPECT_EQ(image.pixel(2 + 300, 2 + 525), Window());
}

TEST_F(GridPaintWidgetTest, TheFocusRectangleFollowsTheKeyboardFocus) {
  TCellGrid& grid = grid_widget_->Grid();
  grid_widget_->setFocus();
  grid.MoveCurrent(4, 6, TMoveAnchor::kYes, TShowCell::kYes);
  QApplication::processEvents();
  EXPECT_TRUE(grid_widget_->IsActiveControl());
  QImage image = grid_widget_->grab().toImage();
  EXPECT_EQ(Cell(image, 4, 6, kBlack).focus, TFocusLook::kDotted);
  EXPECT_EQ(Cell(image, 0, 0, WindowText()).background, Window());

  other_->setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(grid_widget_->IsActiveControl());
  image = grid_widget_->grab().toImage();
  const TCellLook look = Cell(image, 4, 6, kBlack);
  EXPECT_EQ(look.focus, TFocusLook::kNone);
  EXPECT_EQ(look.background, kSelection);
}

TEST(GridPaintWidgetStyleTest, ThePlainWindowsStyleMeansNoVisualStyles) {
  EXPECT_TRUE(TCellGridWidget().Grid().ThemesActive());
  const QString style = QApplication::style()->name();
  QApplication::setStyle(QStyleFactory::create("windows"));
  EXPECT_FALSE(TCellGridWidget().Grid().ThemesActive());
  QApplication::setStyle(QStyleFactory::create(style));
}

TEST(GridPaintWidgetStyleTest, NothingIsErasedBeforeTheClientAreaIsPainted) {
  TCellGridWidget widget;
  EXPECT_TRUE(widget.viewport()->testAttribute(Qt::WA_OpaquePaintEvent));
  EXPECT_FALSE(widget.viewport()->autoFillBackground());
}

}  // namespace
}  // namespace zelvorn
