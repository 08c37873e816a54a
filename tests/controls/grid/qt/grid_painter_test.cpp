#include "controls/grid/grid_painter.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QRegion>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/canvas.h"
#include "platform/qt/font.h"
#include "platform/qt/geometry.h"
#include "tests/controls/grid/fake_grid_window.h"
#include "tests/controls/grid/qt/grid_paint_inspect.h"

namespace zelvorn {
namespace {

using testing::ChangeAppearance;
using testing::ExpectedInk;
using testing::FakeGridWindow;
using testing::InkNear;
using testing::InspectCell;
using testing::Inverted;
using testing::LoadStoredLayout;
using testing::SizeForRun;
using testing::TCellLook;
using testing::TFocusLook;
using Log = std::vector<std::string>;
// A cell as (column, row), ordered for maps.
using Cell = std::pair<std::int32_t, std::int32_t>;

// The palette the tests draw with: every system colour the grid uses is told apart.
const QRgb kWindow = qRgb(255, 255, 255);     // clWindow
const QRgb kWindowText = qRgb(0, 0, 128);     // clWindowText
const QRgb kBtnFace = qRgb(212, 208, 200);    // clBtnFace
const QRgb kHighlight = qRgb(0, 120, 215);    // clHighlight
const QRgb kSelection = qRgb(182, 202, 234);  // SelectionColor
const QRgb kSilver = qRgb(192, 192, 192);     // GridLineColor
const QRgb kGray = qRgb(128, 128, 128);       // the lines of fixed cells
const QRgb kBlack = qRgb(0, 0, 0);            // SelectionTextColor
const QRgb kUntouched = qRgb(255, 0, 255);    // what the image holds before painting

QPalette TestPalette() {
  QPalette palette;
  palette.setColor(QPalette::Base, kWindow);
  palette.setColor(QPalette::Text, kWindowText);
  palette.setColor(QPalette::Button, kBtnFace);
  palette.setColor(QPalette::Highlight, kHighlight);
  return palette;
}

std::int32_t FloorHalf(std::int32_t value) { return value >= 0 ? value / 2 : -((1 - value) / 2); }

// The region a log of the fake window marks for repainting.
QRegion Marked(const Log& log) {
  QRegion region;
  for (const std::string& line : log) {
    int left = 0, top = 0, right = 0, bottom = 0;
    if (std::sscanf(line.c_str(), "invalidate (%d,%d,%d,%d)", &left, &top, &right, &bottom) == 4) {
      region += QRect(left, top, right - left, bottom - top);
    }
  }
  return region;
}

// What a cell should show.
struct TExpectedCell {
  QRgb background = kWindow;
  QRgb text = kWindowText;
  TFocusLook focus = TFocusLook::kNone;
};

// The grid of the main window after a 9 x 9 start: cells of 62 x 58 in a client area of
// 564 x 530, Tahoma bold at 30 points, every cell holding its number, and the training
// controller's alignment handler (centred both ways), which counts its calls per cell.
class GridPainterTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InstallFontSubstitutions(); }

  GridPainterTest() {
    window_.Attach(grid_);
    LoadStoredLayout(grid_);
    window_.Show();
    TFont font = grid_.Font();
    font.Bold = true;
    grid_.SetFont(font);
    SizeForRun(grid_, 9);
    for (std::int32_t col = 0; col < 9; ++col) {
      for (std::int32_t row = 0; row < 9; ++row) grid_.SetCells(col, row, Number(col, row));
    }
    grid_.Events.OnGetAlignment = [this](const TCellGrid&, std::int32_t row, std::int32_t col,
                                         TAlignment& h, TVAlignment& v) {
      ++alignment_calls_[{col, row}];
      h = TAlignment::taCenter;
      v = TVAlignment::vtaCenter;
    };
    window_.TakeLog();
  }

  static std::string Number(std::int32_t col, std::int32_t row) {
    return std::to_string(col * 9 + row + 1);
  }
  static TRect Box(std::int32_t col, std::int32_t row) {
    return {62 * col, 58 * row, 62 * col + 62, 58 * row + 58};
  }

  // Paints the whole client area onto an untouched image.
  QImage PaintAll() {
    const TRect client = grid_.View().ClientRect();
    QImage image(client.Width(), client.Height(), QImage::Format_RGB32);
    image.fill(kUntouched);
    PaintOver(image, QRegion(0, 0, client.Width(), client.Height()));
    return image;
  }
  // Repaints `region` of the image, as a paint request for that region does.
  void PaintOver(QImage& image, const QRegion& region) {
    QPainter painter(&image);
    TQtCanvas canvas(painter, region, TestPalette());
    TGridPainter(grid_).PaintClientArea(canvas);
  }

  // Where the cell's number lies when it is laid out as the grid lays it out: horizontally
  // centred between L + 3 and R - 3, its line's top at T + 3.
  TRect CentredTopInk(const TRect& box, const std::string& text) const {
    const QFontMetrics metrics(ToQFont(grid_.Font()));
    const std::int32_t advance = metrics.horizontalAdvance(QString::fromStdString(text));
    const std::int32_t left = box.Left + 3 + FloorHalf(box.Width() - 6 - advance);
    return ExpectedInk(grid_.Font(), text, left, box.Top + 3);
  }

  // Checks every cell of the 9 x 9 board: `special` gives the cells that differ from a plain one.
  void ExpectBoard(const QImage& image, const std::map<Cell, TExpectedCell>& special) {
    for (std::int32_t col = 0; col < 9; ++col) {
      for (std::int32_t row = 0; row < 9; ++row) {
        const auto found = special.find({col, row});
        const TExpectedCell expected = found == special.end() ? TExpectedCell{} : found->second;
        const TCellLook look = InspectCell(image, Box(col, row), kSilver, expected.text);
        const std::string where = "cell " + std::to_string(col) + "," + std::to_string(row);
        EXPECT_EQ(look.background, expected.background) << where;
        EXPECT_TRUE(look.lines) << where;
        EXPECT_EQ(look.focus, expected.focus) << where;
        EXPECT_TRUE(look.ink_ok) << where << ": " << look;
        EXPECT_TRUE(InkNear(look.ink, CentredTopInk(Box(col, row), Number(col, row))))
            << where << ": " << look;
      }
    }
  }

  TCellGrid grid_;
  FakeGridWindow window_{568, 534};
  std::map<Cell, int> alignment_calls_;
};

const TExpectedCell kSelected{kSelection, kBlack, TFocusLook::kNone};
const TExpectedCell kSelectedFocused{kSelection, kBlack, TFocusLook::kDotted};

TEST_F(GridPainterTest, BeforeAnyClickTheFirstCellIsSelectedWithoutAFocusRectangle) {
  const QImage image = PaintAll();
  ExpectBoard(image, {{{0, 0}, kSelected}});
  // No line runs along the top of the first row or the left of the first column: only the
  // columns' and rows' own lines meet the client's edges.
  for (int x = 0; x < 558; ++x) EXPECT_EQ(image.pixel(x, 0) == kSilver, x % 62 == 61) << x;
  for (int y = 0; y < 522; ++y) EXPECT_EQ(image.pixel(0, y) == kSilver, y % 58 == 57) << y;
  // The area past the board, right and below: window colour, without lines.
  for (int y = 0; y < 530; ++y) {
    for (int x = 0; x < 564; ++x) {
      if (x >= 558 || y >= 522) {
        ASSERT_EQ(image.pixel(x, y), kWindow) << x << "," << y;
      }
    }
  }
}

TEST_F(GridPainterTest, AClickMovesTheSelectionAndRepaintsOnlyTheTwoCells) {
  QImage image = PaintAll();
  window_.SetFocus();
  grid_.MoveCurrent(4, 6, TMoveAnchor::kYes, TShowCell::kYes);
  const QRegion marked = Marked(window_.TakeLog());
  EXPECT_EQ(marked, QRegion(ToQRect(Box(0, 0))) + QRegion(ToQRect(Box(4, 6))));
  PaintOver(image, marked);
  ExpectBoard(image, {{{4, 6}, kSelectedFocused}});
  // The focus rectangle's dots: every second pixel of (L, T, R - 1, B - 1)'s edge, inverted.
  const TRect box = Box(4, 6);
  EXPECT_EQ(image.pixel(box.Left, box.Top), Inverted(kSelection));
  EXPECT_EQ(image.pixel(box.Left + 1, box.Top), kSelection);
  EXPECT_EQ(image.pixel(box.Right - 2, box.Bottom - 2), Inverted(kSelection));
  EXPECT_EQ(image.pixel(box.Right - 1, box.Bottom - 2), kSilver);
  // Repainting only what changed gives what repainting everything gives.
  EXPECT_EQ(image, PaintAll());
}

TEST_F(GridPainterTest, ADraggedRangeIsSelectedAndOnlyThePressedCellHasTheFocusRectangle) {
  QImage image = PaintAll();
  window_.SetFocus();
  grid_.MoveCurrent(2, 1, TMoveAnchor::kYes, TShowCell::kYes);
  grid_.MoveAnchor({5, 3});
  PaintOver(image, Marked(window_.TakeLog()));
  std::map<Cell, TExpectedCell> special;
  for (std::int32_t col = 2; col <= 5; ++col) {
    for (std::int32_t row = 1; row <= 3; ++row) special[{col, row}] = kSelected;
  }
  special[{2, 1}] = kSelectedFocused;
  ExpectBoard(image, special);
  EXPECT_EQ(image, PaintAll());
}

TEST_F(GridPainterTest, LosingTheKeyboardFocusRemovesTheFocusRectangleAndKeepsTheSelection) {
  window_.SetFocus();
  grid_.MoveCurrent(4, 6, TMoveAnchor::kYes, TShowCell::kYes);
  // To another window (the grid stays its window's active control) or to another control.
  for (const bool still_active : {true, false}) {
    window_.LoseFocus();
    window_.active_control = still_active;
    ExpectBoard(PaintAll(), {{{4, 6}, kSelected}});
  }
}

TEST_F(GridPainterTest, ACellCutAtTheClientEdgeIsPaintedWithItsWholeBox) {
  grid_.SetDefaultColWidth(100);
  grid_.SetDefaultRowHeight(127);
  // Both bars show: the client area is 547 x 513, column 5 starts at 500 and row 4 at 508.
  ASSERT_EQ(grid_.View().ClientRect(), (TRect{0, 0, 547, 513}));
  const QImage image = PaintAll();
  // The cut cells have no line at the client edge: their lines lie beyond it.
  for (int y = 0; y < 126; ++y) EXPECT_NE(image.pixel(546, y), kSilver) << y;
  for (int x = 0; x < 99; ++x) EXPECT_EQ(image.pixel(x, 512), kWindow) << x;
  for (int x = 500; x < 547; ++x) EXPECT_EQ(image.pixel(x, 126), kSilver) << x;
  EXPECT_EQ(image.pixel(99, 510), kSilver);
  // The number 46 is centred in the whole box; only its 4 reaches into the client area, and it
  // is cut at the edge. (The inspection reads up to the column before the last, where a line
  // would be.)
  const QFontMetrics metrics(ToQFont(grid_.Font()));
  ASSERT_EQ(Number(5, 0), "46");
  const std::int32_t line_left = 503 + FloorHalf(94 - metrics.horizontalAdvance("46"));
  ASSERT_GE(line_left + metrics.horizontalAdvance("4"), 547);
  const TRect four = ExpectedInk(grid_.Font(), "4", line_left, 3);
  const TCellLook look = InspectCell(image, {500, 0, 547, 127}, kSilver, kWindowText);
  EXPECT_TRUE(InkNear(look.ink, {four.Left, four.Top, 546, four.Bottom})) << look;
  int inked_at_edge = 0;
  for (int y = four.Top; y < four.Bottom; ++y) inked_at_edge += image.pixel(546, y) != kWindow;
  EXPECT_GT(inked_at_edge, 0);
}

TEST_F(GridPainterTest, AColumnOfWidthZeroIsNotPainted) {
  grid_.SetColWidths(3, 0);
  const QImage image = PaintAll();
  for (std::int32_t row = 0; row < 9; ++row) {
    EXPECT_EQ(alignment_calls_.count({3, row}), 0u) << row;
    // Column 4 follows column 2 directly.
    const TRect box = Box(3, row);
    const TCellLook look = InspectCell(image, box, kSilver, kWindowText);
    EXPECT_TRUE(look.lines) << row;
    EXPECT_TRUE(InkNear(look.ink, CentredTopInk(box, Number(4, row)))) << row << ": " << look;
  }
  // The columns end 62 pixels earlier; the rest is the empty area.
  for (int x = 496; x < 564; ++x) EXPECT_EQ(image.pixel(x, 100), kWindow) << x;
}

// Where a line of the number starts, across and down, for each alignment and word-wrap setting.
TEST_F(GridPainterTest, WordWrapPutsTheTextAtTheTopAndSingleLinesFollowTheVerticalAlignment) {
  struct Case {
    const char* name;
    bool word_wrap;
    std::function<void(bool&)> wrap_event;  // OnGetWordWrap's answer; none when empty
    TAlignment h;
    TVAlignment v;
    std::int32_t line_left;  // from the cell's left edge
    std::int32_t line_top;   // from the cell's top edge
  };
  const TRect box = Box(3, 3);
  const QFontMetrics metrics(ToQFont(grid_.Font()));
  const std::string text = Number(3, 3);
  const std::int32_t advance = metrics.horizontalAdvance(QString::fromStdString(text));
  const std::int32_t height = metrics.height();
  const std::int32_t centred = 3 + FloorHalf(56 - advance);
  using enum TAlignment;
  using enum TVAlignment;
  const std::vector<Case> cases = {
      {"wrap, centred", true, {}, taCenter, vtaCenter, centred, 3},
      {"wrap, bottom", true, {}, taCenter, vtaBottom, centred, 3},
      {"wrap, left", true, {}, taLeftJustify, vtaTop, 3, 3},
      {"wrap, right", true, {}, taRightJustify, vtaTop, 59 - advance, 3},
      {"single line, top", false, {}, taCenter, vtaTop, centred, 3},
      {"single line, centred", false, {}, taCenter, vtaCenter, centred, 3 + FloorHalf(54 - height)},
      {"single line, bottom", false, {}, taCenter, vtaBottom, centred, 57 - height},
      {"wrap turned off by the event", true, [](bool& wrap) { wrap = false; }, taCenter, vtaCenter,
       centred, 3 + FloorHalf(54 - height)},
  };
  for (const Case& c : cases) {
    ChangeAppearance(grid_, &TGridAppearance::WordWrap, c.word_wrap);
    grid_.Events.OnGetWordWrap = nullptr;
    if (c.wrap_event) {
      grid_.Events.OnGetWordWrap = [&c](const TCellGrid&, std::int32_t, std::int32_t, bool& wrap) {
        c.wrap_event(wrap);
      };
    }
    grid_.Events.OnGetAlignment = [&c](const TCellGrid&, std::int32_t, std::int32_t, TAlignment& h,
                                       TVAlignment& v) {
      h = c.h;
      v = c.v;
    };
    const TCellLook look = InspectCell(PaintAll(), box, kSilver, kWindowText);
    EXPECT_TRUE(InkNear(
        look.ink, ExpectedInk(grid_.Font(), text, box.Left + c.line_left, box.Top + c.line_top)))
        << c.name << ": " << look;
  }
}

TEST_F(GridPainterTest, ANumberTooWideForItsCellIsWrappedOrClippedNeverShortened) {
  struct Case {
    const char* name;
    const char* text;
    std::int32_t row_height;
    std::vector<std::pair<const char*, std::int32_t>> lines;  // shown lines and their tops
  };
  const std::vector<Case> cases = {
      {"two numbers, room for one line", "12 34", 58, {{"12", 3}}},
      {"two numbers, room for two lines", "12 34", 110, {{"12", 3}, {"34", 49}}},
  };
  const QFontMetrics metrics(ToQFont(grid_.Font()));
  ASSERT_EQ(metrics.height(), 46);
  for (const Case& c : cases) {
    grid_.SetDefaultRowHeight(c.row_height);
    grid_.SetCells(1, 0, c.text);
    const TRect box{62, 0, 124, c.row_height};
    const TCellLook look = InspectCell(PaintAll(), box, kSilver, kWindowText);
    TRect expected;
    for (const auto& [line, top] : c.lines) {
      const std::int32_t advance = metrics.horizontalAdvance(line);
      const TRect ink =
          ExpectedInk(grid_.Font(), line, box.Left + 3 + FloorHalf(56 - advance), top);
      expected = expected.IsEmpty() ? ink
                                    : TRect{std::min(expected.Left, ink.Left), expected.Top,
                                            std::max(expected.Right, ink.Right), ink.Bottom};
    }
    EXPECT_TRUE(InkNear(look.ink, expected)) << c.name << ": " << look;
  }

  // One number wider than the text rectangle overhangs it on both sides and is cut at its
  // edges: whole digits reach both edges, where an ellipsis would leave only dots at the right.
  grid_.SetDefaultRowHeight(58);
  grid_.SetDefaultColWidth(30);
  grid_.SetCells(1, 0, "8888");
  const QImage image = PaintAll();
  const TRect box{30, 0, 60, 58};
  const TCellLook look = InspectCell(image, box, kSilver, kWindowText);
  const TRect glyphs = ExpectedInk(grid_.Font(), "8", 0, 3);
  EXPECT_EQ(look.ink.Left, 33) << look;
  EXPECT_EQ(look.ink.Right, 57) << look;
  EXPECT_TRUE(look.ink_ok) << look;
  int inked_rows_at_right = 0;
  for (int y = glyphs.Top; y < glyphs.Bottom; ++y) {
    if (image.pixel(56, y) != kWindow || image.pixel(55, y) != kWindow) ++inked_rows_at_right;
  }
  EXPECT_GT(inked_rows_at_right, glyphs.Height() / 2);
}

TEST_F(GridPainterTest, TheZoomChangesTheTextSizeOnly) {
  for (const std::int32_t zoom : {5, -10}) {
    ChangeAppearance(grid_, &TGridAppearance::ZoomDelta, zoom);
    TFont zoomed = grid_.Font();
    zoomed.SetSize(30 + zoom);
    const QImage image = PaintAll();
    const TRect box = Box(0, 1);
    const TCellLook look = InspectCell(image, box, kSilver, kWindowText);
    const std::string text = Number(0, 1);
    const std::int32_t advance =
        QFontMetrics(ToQFont(zoomed)).horizontalAdvance(QString::fromStdString(text));
    EXPECT_TRUE(look.lines);
    EXPECT_TRUE(InkNear(
        look.ink, ExpectedInk(zoomed, text, box.Left + 3 + FloorHalf(56 - advance), box.Top + 3)))
        << zoom << ": " << look;
  }
}

TEST_F(GridPainterTest, SelectionSettingsDecideTheSelectedCellsColours) {
  struct Case {
    const char* name;
    std::function<void()> set;
    TExpectedCell current;
  };
  const std::vector<Case> cases = {
      {"selection hidden",
       [&] { ChangeAppearance(grid_, &TGridAppearance::ShowSelection, false); },
       {kWindow, kWindowText, TFocusLook::kDotted}},
      // clNone as the selection colours leaves the cell its own colours rather than its pixels
      // unpainted.
      {"no selection colours",
       [&] {
         ChangeAppearance(grid_, &TGridAppearance::SelectionColor, clNone);
         ChangeAppearance(grid_, &TGridAppearance::SelectionTextColor, clNone);
       },
       {kWindow, kWindowText, TFocusLook::kDotted}},
      {"other selection colours",
       [&] {
         ChangeAppearance(grid_, &TGridAppearance::SelectionColor, RGB(255, 255, 0));
         ChangeAppearance(grid_, &TGridAppearance::SelectionTextColor, RGB(0, 128, 0));
       },
       {qRgb(255, 255, 0), qRgb(0, 128, 0), TFocusLook::kDotted}},
  };
  window_.SetFocus();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ChangeAppearance(grid_, &TGridAppearance::ShowSelection, true);
    ChangeAppearance(grid_, &TGridAppearance::SelectionColor, RGB(182, 202, 234));
    ChangeAppearance(grid_, &TGridAppearance::SelectionTextColor, clBlack);
    c.set();
    ExpectBoard(PaintAll(), {{{0, 0}, c.current}});
  }
}

// Cells of a grid as it is made: one fixed column and row, 64 x 21 cells, (1, 1) current.
TEST(GridPainterFixedCellsTest, FixedCellsHaveTheirOwnColourAndGrayLinesAndAreNeverSelected) {
  InstallFontSubstitutions();
  TCellGrid grid;
  FakeGridWindow window(400, 250);
  window.Attach(grid);
  window.Show();
  grid.SetCells(1, 0, "A");
  grid.SetCells(0, 1, "1");
  grid.SetSelection({0, 0, 2, 2});  // reaches over the fixed cells
  QImage image(396, 246, QImage::Format_RGB32);
  image.fill(kUntouched);
  {
    QPainter painter(&image);
    TQtCanvas canvas(painter, QRegion(0, 0, 396, 246), TestPalette());
    TGridPainter(grid).PaintClientArea(canvas);
  }
  struct Case {
    TCellCoord cell;
    QRgb background;
    QRgb lines;
    bool ink;
  };
  const std::vector<Case> cases = {
      {{0, 0}, kBtnFace, kGray, false},     {{1, 0}, kBtnFace, kGray, true},
      {{0, 1}, kBtnFace, kGray, true},      {{1, 1}, kSelection, kSilver, false},
      {{2, 2}, kSelection, kSilver, false}, {{3, 3}, kWindow, kSilver, false},
  };
  for (const Case& c : cases) {
    const TRect box{64 * c.cell.X, 21 * c.cell.Y, 64 * c.cell.X + 64, 21 * c.cell.Y + 21};
    const TCellLook look = InspectCell(image, box, c.lines, kWindowText);
    EXPECT_EQ(look.background, c.background) << c.cell.X << "," << c.cell.Y;
    EXPECT_TRUE(look.lines) << c.cell.X << "," << c.cell.Y;
    EXPECT_EQ(look.HasInk(), c.ink) << c.cell.X << "," << c.cell.Y;
    EXPECT_TRUE(look.ink_ok) << c.cell.X << "," << c.cell.Y;
  }
  // Fixed texts are drawn in the fixed font and start at the cell's left (no alignment event).
  const TCellLook header = InspectCell(image, {64, 0, 128, 21}, kGray, kWindowText);
  EXPECT_TRUE(InkNear(header.ink, ExpectedInk(grid.Appearance().FixedFont, "A", 64 + 3, 3)))
      << header;
}

// The frame over a 7 x 6 window: P is the parent's colour, F the frame's, . untouched.
TEST(GridPainterFrameTest, TheFrameIsTwoRingsUnlessFlatOrLocked) {
  struct Case {
    const char* name;
    TThemes themes;
    bool flat;
    bool parent;
    bool locked;
    std::vector<std::string> picture;
  };
  const std::vector<std::string> rings = {"PPPPPPP", "PFFFFFP", "PF...FP",
                                          "PF...FP", "PFFFFFP", "PPPPPPP"};
  const std::vector<std::string> nothing(6, ".......");
  using enum TThemes;
  const std::vector<Case> cases = {
      {"themed", kActive, false, true, false, rings},
      {"plain", kInactive, false, true, false, rings},
      // Without a parent only the inner ring is drawn; its first line starts on the bottom edge.
      {"no parent",
       kActive,
       false,
       false,
       false,
       {".......", ".FFFFF.", ".F...F.", ".F...F.", ".FFFFF.", ".F....."}},
      {"flat", kActive, true, true, false, nothing},
      {"locked", kActive, false, true, true, nothing},
  };
  const TColor parent = RGB(10, 200, 30);
  for (const Case& c : cases) {
    TCellGrid grid(c.themes);
    grid.SetFlat(c.flat);
    if (c.locked) grid.View().BeginUpdate();
    QImage image(7, 6, QImage::Format_RGB32);
    image.fill(kUntouched);
    {
      QPainter painter(&image);
      TQtCanvas canvas(painter, TestPalette());
      TGridPainter(grid).PaintFrame(canvas, 7, 6,
                                    c.parent ? std::optional<TColor>(parent) : std::nullopt);
    }
    const QRgb frame = c.themes == kActive ? qRgb(127, 157, 185) : kGray;
    std::vector<std::string> picture;
    for (int y = 0; y < 6; ++y) {
      std::string row;
      for (int x = 0; x < 7; ++x) {
        const QRgb pixel = image.pixel(x, y);
        row += pixel == kUntouched          ? '.'
               : pixel == frame             ? 'F'
               : pixel == qRgb(10, 200, 30) ? 'P'
                                            : '?';
      }
      picture.push_back(row);
    }
    EXPECT_EQ(picture, c.picture) << c.name;
  }
}

}  // namespace
}  // namespace zelvorn
