#include "platform/qt/canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/qt/font.h"

namespace zelvorn {
namespace {

const QColor kBackground(0x11, 0x22, 0x33);
constexpr TColor kRed = RGB(200, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 200);

QImage Blank(int width, int height, QImage::Format format = QImage::Format_RGB32) {
  QImage image(width, height, format);
  image.fill(kBackground);
  return image;
}

// Paints on a blank image through a canvas over the whole image.
QImage Paint(int width, int height, const std::function<void(TCanvas&)>& draw) {
  QImage image = Blank(width, height);
  QPainter painter(&image);
  TQtCanvas canvas(painter, QPalette());
  draw(canvas);
  return image;
}

// The image as rows of characters: '.' for the background, 'R' red, 'B' blue, '?' other.
std::vector<std::string> Picture(const QImage& image) {
  const std::map<QRgb, char> names = {
      {kBackground.rgb(), '.'}, {QColor(200, 0, 0).rgb(), 'R'}, {QColor(0, 0, 200).rgb(), 'B'}};
  std::vector<std::string> rows;
  for (int y = 0; y < image.height(); ++y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) {
      const auto name = names.find(image.pixel(x, y));
      row += name == names.end() ? '?' : name->second;
    }
    rows.push_back(row);
  }
  return rows;
}

// The smallest rectangle holding every pixel that is not the background; empty when none.
TRect InkBounds(const QImage& image) {
  TRect ink{image.width(), image.height(), 0, 0};
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == kBackground.rgb()) continue;
      ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
             std::max(ink.Bottom, y + 1)};
    }
  }
  return ink.IsEmpty() ? TRect{} : ink;
}

struct TPictureCase {
  const char* name;
  std::function<void(TCanvas&)> draw;
  std::vector<std::string> expected;
};

void CheckPictures(const std::vector<TPictureCase>& cases) {
  for (const TPictureCase& c : cases) {
    const QImage image = Paint(8, 6, c.draw);
    EXPECT_EQ(Picture(image), c.expected) << c.name;
  }
}

TEST(CanvasTest, FillRectCoversExactlyItsRectangle) {
  const auto fill = [](TRect rect, TColor color) {
    return [=](TCanvas& canvas) {
      canvas.Brush().Color = color;
      canvas.FillRect(rect);
    };
  };
  CheckPictures({
      {"inner",
       fill({1, 2, 4, 5}, kRed),
       {"........", "........", ".RRR....", ".RRR....", ".RRR....", "........"}},
      {"one pixel",
       fill({7, 5, 8, 6}, kBlue),
       {"........", "........", "........", "........", "........", ".......B"}},
      {"beyond the image",
       fill({-3, -3, 2, 1}, kRed),
       {"RR......", "........", "........", "........", "........", "........"}},
      {"inverted",
       fill({5, 4, 2, 1}, kRed),
       {"........", "........", "........", "........", "........", "........"}},
      {"clNone fills nothing",
       fill({0, 0, 8, 6}, clNone),
       {"........", "........", "........", "........", "........", "........"}},
  });
}

TEST(CanvasTest, RectangleOutlinesInsideAndFillsTheRest) {
  const auto rectangle = [](TRect rect, TPen pen, TColor brush) {
    return [=](TCanvas& canvas) {
      canvas.SetPen(pen);
      canvas.Brush().Color = brush;
      canvas.Rectangle(rect);
    };
  };
  CheckPictures({
      {"1-pixel pen",
       rectangle({1, 1, 6, 5}, {kRed, 1}, kBlue),
       {"........", ".RRRRR..", ".RBBBR..", ".RBBBR..", ".RRRRR..", "........"}},
      {"pen in the brush's colour, as cell backgrounds are drawn",
       rectangle({1, 1, 6, 5}, {kBlue, 1}, kBlue),
       {"........", ".BBBBB..", ".BBBBB..", ".BBBBB..", ".BBBBB..", "........"}},
      {"width 0 draws as 1",
       rectangle({1, 1, 6, 5}, {kRed, 0}, kBlue),
       {"........", ".RRRRR..", ".RBBBR..", ".RBBBR..", ".RRRRR..", "........"}},
      {"2-pixel pen",
       rectangle({0, 0, 8, 6}, {kRed, 2}, kBlue),
       {"RRRRRRRR", "RRRRRRRR", "RRBBBBRR", "RRBBBBRR", "RRRRRRRR", "RRRRRRRR"}},
      {"no room for the brush",
       rectangle({1, 1, 3, 6}, {kRed, 1}, kBlue),
       {"........", ".RR.....", ".RR.....", ".RR.....", ".RR.....", ".RR....."}},
      {"the widest pen",
       rectangle({1, 1, 6, 5}, {kRed, INT32_MAX}, kBlue),
       {"........", ".RRRRR..", ".RRRRR..", ".RRRRR..", ".RRRRR..", "........"}},
      {"clNone brush: outline only",
       rectangle({1, 1, 6, 5}, {kRed, 1}, clNone),
       {"........", ".RRRRR..", ".R...R..", ".R...R..", ".RRRRR..", "........"}},
      {"clear pen: fill only",
       rectangle({1, 1, 6, 5}, {kRed, 1, TPenStyle::psClear}, kBlue),
       {"........", ".BBBBB..", ".BBBBB..", ".BBBBB..", ".BBBBB..", "........"}},
      {"empty",
       rectangle({4, 1, 4, 5}, {kRed, 1}, kBlue),
       {"........", "........", "........", "........", "........", "........"}},
  });
}

TEST(CanvasTest, LinesCoverTheStartAndStopBeforeTheEnd) {
  const auto line = [](TPoint from, TPoint to, TPen pen = {kRed, 1}) {
    return [=](TCanvas& canvas) {
      canvas.SetPen(pen);
      canvas.MoveTo(from.X, from.Y);
      canvas.LineTo(to.X, to.Y);
      EXPECT_EQ(canvas.PenPos(), to);
    };
  };
  CheckPictures({
      {"rightwards",
       line({1, 1}, {5, 1}),
       {"........", ".RRRR...", "........", "........", "........", "........"}},
      {"leftwards",
       line({5, 1}, {1, 1}),
       {"........", "..RRRR..", "........", "........", "........", "........"}},
      {"downwards",
       line({2, 0}, {2, 4}),
       {"..R.....", "..R.....", "..R.....", "..R.....", "........", "........"}},
      {"upwards",
       line({2, 4}, {2, 0}),
       {"........", "..R.....", "..R.....", "..R.....", "..R.....", "........"}},
      {"diagonal down",
       line({0, 0}, {4, 4}),
       {"R.......", ".R......", "..R.....", "...R....", "........", "........"}},
      {"diagonal up",
       line({4, 4}, {0, 0}),
       {"........", ".R......", "..R.....", "...R....", "....R...", "........"}},
      {"shallow",
       line({0, 1}, {6, 3}),
       {"........", "RR......", "..RRR...", ".....R..", "........", "........"}},
      {"steep",
       line({1, 0}, {3, 5}),
       {".R......", ".R......", "..R.....", "..R.....", "...R....", "........"}},
      {"far-off ends: only the visible part is walked",
       line({-1000000000, -1000000000}, {1000000000, 1000000000}),
       {"R.......", ".R......", "..R.....", "...R....", "....R...", ".....R.."}},
      {"far-off ends with a gentle slope",
       line({-999999, 0}, {1000001, 4}),
       {"........", "........", "RRRRRRRR", "........", "........", "........"}},
      {"from the far left",
       line({INT32_MIN, 1}, {4, 1}),
       {"........", "RRRR....", "........", "........", "........", "........"}},
      {"the widest pen",
       line({0, 3}, {8, 3}, {kRed, INT32_MAX}),
       {"RRRRRRRR", "RRRRRRRR", "RRRRRRRR", "RRRRRRRR", "RRRRRRRR", "RRRRRRRR"}},
      {"zero length draws nothing",
       line({3, 3}, {3, 3}),
       {"........", "........", "........", "........", "........", "........"}},
      {"2 pixels wide: the line's row and the one above",
       line({1, 2}, {6, 2}, {kRed, 2}),
       {"........", ".RRRRR..", ".RRRRR..", "........", "........", "........"}},
      {"3 pixels wide: centred",
       line({1, 2}, {1, 5}, {kRed, 3}),
       {"........", "........", "RRR.....", "RRR.....", "RRR.....", "........"}},
      {"clear moves the pen only",
       line({1, 1}, {5, 1}, {kRed, 1, TPenStyle::psClear}),
       {"........", "........", "........", "........", "........", "........"}},
  });
}

// A frame drawn as one chain of lines, each starting where the last stopped: every corner is
// covered once, and the chain's own end point is left out.
TEST(CanvasTest, AChainOfLinesClosesAFrame) {
  const QImage image = Paint(8, 6, [](TCanvas& canvas) {
    canvas.Pen().Color = kRed;
    canvas.MoveTo(1, 6);
    canvas.LineTo(1, 1);
    canvas.LineTo(6, 1);
    canvas.LineTo(6, 4);
    canvas.LineTo(1, 4);
  });
  EXPECT_EQ(Picture(image), (std::vector<std::string>{"........", ".RRRRRR.", ".R....R.",
                                                      ".R....R.", ".RRRRRR.", ".R......"}));
}

// How each colour maps is ToQColor's business (tested with it); the canvas must hand its own
// palette to it, for the brush and the pen alike, at the moment it draws.
TEST(CanvasTest, SystemColoursResolveThroughThePaletteWhenDrawing) {
  QPalette palette;
  palette.setColor(QPalette::Base, QColor(1, 2, 3));
  for (const auto& [color, expected] : std::vector<std::pair<TColor, QColor>>{
           {clWindow, QColor(1, 2, 3)}, {0x00EACAB6, QColor(182, 202, 234)}}) {
    QImage image = Blank(4, 4);
    QPainter painter(&image);
    TQtCanvas canvas(painter, palette);
    canvas.Brush().Color = color;
    canvas.FillRect({0, 0, 2, 4});
    canvas.Pen().Color = color;
    canvas.MoveTo(3, 0);
    canvas.LineTo(3, 4);
    EXPECT_EQ(image.pixelColor(0, 0), expected) << std::hex << color;
    EXPECT_EQ(image.pixelColor(3, 3), expected) << std::hex << color;
    EXPECT_EQ(image.pixelColor(2, 0), kBackground) << std::hex << color;
  }
}

TEST(CanvasTest, OnlyTheRegionBeingRepaintedIsVisibleAndTouched) {
  QImage image = Blank(20, 20);
  QPainter painter(&image);
  const QRegion region = QRegion(2, 2, 5, 5) + QRegion(10, 12, 4, 3);
  {
    TQtCanvas canvas(painter, region, QPalette());
    const std::vector<std::pair<TRect, bool>> cases = {
        {{0, 0, 3, 3}, true},      {{0, 0, 2, 2}, false},   {{6, 6, 8, 8}, true},
        {{7, 2, 10, 20}, false},   {{7, 7, 12, 12}, false}, {{13, 14, 30, 30}, true},
        {{14, 12, 16, 15}, false}, {{4, 4, 4, 10}, false},  {{-5, -5, 50, 50}, true},
    };
    for (const auto& [rect, visible] : cases) {
      EXPECT_EQ(canvas.RectVisible(rect), visible)
          << rect.Left << "," << rect.Top << "," << rect.Right << "," << rect.Bottom;
    }
    canvas.Brush().Color = kRed;
    canvas.FillRect({0, 0, 20, 20});
  }
  painter.end();
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const QColor expected = region.contains(QPoint(x, y)) ? QColor(200, 0, 0) : kBackground;
      ASSERT_EQ(image.pixelColor(x, y), expected) << x << "," << y;
    }
  }
}

TEST(CanvasTest, ATranslatedPainterMovesEverythingByWholePixels) {
  QImage image = Blank(8, 6);
  QPainter painter(&image);
  painter.translate(3, 2);
  {
    TQtCanvas canvas(painter, QPalette());
    EXPECT_TRUE(canvas.RectVisible({-3, -2, -2, -1}));
    EXPECT_FALSE(canvas.RectVisible({5, 0, 6, 1}));
    canvas.Brush().Color = kBlue;
    canvas.FillRect({0, 0, 2, 2});
    canvas.Pen().Color = kRed;
    canvas.MoveTo(-3, 3);
    canvas.LineTo(5, 3);
  }
  painter.end();
  EXPECT_EQ(Picture(image), (std::vector<std::string>{"........", "........", "...BB...",
                                                      "...BB...", "........", "RRRRRRRR"}));
}

// What the canvas sets on the painter does not outlive it: a caller painting on afterwards is
// not clipped, inverted or recoloured by it.
TEST(CanvasTest, ThePainterIsLeftAsItWasFound) {
  QImage image = Blank(30, 30);
  QPainter painter(&image);
  const QFont font = painter.font();
  {
    TQtCanvas canvas(painter, QRegion(0, 0, 10, 10), QPalette());
    canvas.Font().Height = -20;
    canvas.DrawText("8", {0, 0, 10, 10}, DT_SINGLELINE);
    canvas.DrawFocusRect({0, 0, 10, 10});
  }
  EXPECT_FALSE(painter.hasClipping());
  EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
  EXPECT_EQ(painter.font(), font);
  painter.fillRect(QRect(20, 20, 2, 2), QColor(200, 0, 0));
  painter.end();
  EXPECT_EQ(image.pixelColor(21, 21), QColor(200, 0, 0));
}

// The dots that the focus rectangle (1, 1, 7, 5) inverts: (x + y) even on its edges.
const std::vector<std::string> kFocusDots = {
    "........",  //
    ".X.X.X..",  //
    "......X.",  //
    ".X......",  //
    "..X.X.X.",  //
    "........",
};

TEST(CanvasTest, FocusRectangleInvertsEveryOtherEdgePixelAndASecondOneRestoresThem) {
  const std::vector<std::pair<QImage::Format, const char*>> formats = {
      {QImage::Format_RGB32, "RGB32"},
      {QImage::Format_ARGB32_Premultiplied, "ARGB32_Premultiplied"},
      {QImage::Format_ARGB32, "ARGB32"},
      {QImage::Format_RGB888, "RGB888"},
      {QImage::Format_RGB16, "RGB16"},
  };
  for (const auto& [format, name] : formats) {
    // A background with varied pixels shows that each dot inverts its own pixel.
    QImage original = Blank(8, 6, format);
    for (int x = 0; x < 8; ++x) original.setPixelColor(x, x % 6, QColor(x * 30, 255 - x * 30, 77));
    QImage image = original;
    QPainter painter(&image);
    TQtCanvas canvas(painter, QPalette());
    canvas.DrawFocusRect({1, 1, 7, 5});
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        const QRgb before = original.pixel(x, y);
        const bool dot = kFocusDots[y][x] == 'X';
        if (format == QImage::Format_RGB16) {
          // Five or six bits a channel: the inverse is not the 8-bit one, but it differs.
          EXPECT_EQ(image.pixel(x, y) != before, dot) << name << " " << x << "," << y;
        } else {
          EXPECT_EQ(image.pixel(x, y), dot ? (~before | 0xFF000000) : before)
              << name << " " << x << "," << y;
        }
      }
    }
    canvas.DrawFocusRect({1, 1, 7, 5});
    EXPECT_EQ(image, original) << name;
  }
}

TEST(CanvasTest, FocusRectangleOnThinRectanglesStillComesOffAgain) {
  for (const TRect rect : {TRect{1, 2, 7, 3}, TRect{2, 1, 3, 5}, TRect{3, 3, 4, 4}}) {
    QImage image = Blank(8, 6);
    const QImage original = image;
    QPainter painter(&image);
    TQtCanvas canvas(painter, QPalette());
    canvas.DrawFocusRect(rect);
    int inverted = 0;
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool dot = rect.Contains({x, y}) && (x + y) % 2 == 0;
        inverted += dot;
        EXPECT_EQ(image.pixel(x, y) != original.pixel(x, y), dot) << x << "," << y;
      }
    }
    EXPECT_GT(inverted, 0);
    canvas.DrawFocusRect(rect);
    EXPECT_EQ(image, original) << rect.Left << "," << rect.Top;
  }
}

// A widget painting through the canvas in its paint event, as the grid's host does: the focus
// rectangle inverts the backing store's pixels too.
class TFocusWidget : public QWidget {
 public:
  int focus_rects = 1;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QPainter painter(this);
    TQtCanvas canvas(painter, event->region(), palette());
    canvas.Brush().Color = kBlue;
    canvas.FillRect({0, 0, width(), height()});
    for (int i = 0; i < focus_rects; ++i) canvas.DrawFocusRect({2, 2, 10, 8});
  }
};

TEST(CanvasTest, FocusRectangleInvertsTheWidgetBackingStore) {
  TFocusWidget widget;
  widget.resize(12, 10);
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  for (const int count : {1, 2}) {
    widget.focus_rects = count;
    widget.repaint();
    const QImage shot = widget.screen()->grabWindow(widget.winId()).toImage();
    ASSERT_EQ(shot.size(), QSize(12, 10));
    const QColor blue(0, 0, 200);
    const QColor inverse(255, 255, 55);
    EXPECT_EQ(shot.pixelColor(2, 2), count == 1 ? inverse : blue);
    EXPECT_EQ(shot.pixelColor(3, 2), blue);
    EXPECT_EQ(shot.pixelColor(9, 7), count == 1 ? inverse : blue);
    EXPECT_EQ(shot.pixelColor(5, 5), blue);
  }
}

class CanvasTextTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InstallFontSubstitutions(); }

  // The grid's cell font at 30 points, in the given colour.
  static TFont CellFont(TColor color) {
    TFont font;
    font.Name = "Tahoma";
    font.Bold = true;
    font.SetSize(30);
    font.Color = color;
    return font;
  }

  static QImage Text(const std::string& text, TRect rect, TDrawTextFlags flags, TColor color = kRed,
                     QSize size = {62, 120}) {
    QImage image = Blank(size.width(), size.height());
    QPainter painter(&image);
    TQtCanvas canvas(painter, QPalette());
    canvas.SetFont(CellFont(color));
    canvas.Brush().Color = kBlue;  // must play no part: the background stays as it was
    canvas.DrawText(text, rect, flags);
    return image;
  }
};

constexpr TDrawTextFlags kCellFlags =
    DT_CENTER | DT_VCENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL;

TEST_F(CanvasTextTest, AWrappedNumberStandsCentredAtTheTopOfItsRectangle) {
  const TRect rect{3, 3, 59, 57};  // the text rectangle of a 62 x 58 cell
  const QImage image = Text("7", rect, kCellFlags);
  const TRect ink = InkBounds(image);
  ASSERT_FALSE(ink.IsEmpty());
  // Centred: the gaps left and right of the ink differ only by the glyph's own bearings.
  EXPECT_NEAR(ink.Left - rect.Left, rect.Right - ink.Right, 3);
  // At the top: the ink starts below the line's top by less than a quarter of the font height,
  // and far above the rectangle's middle.
  EXPECT_GE(ink.Top, rect.Top);
  EXPECT_LT(ink.Top, rect.Top + 10);
  // The font's own colour is painted somewhere, and the brush nowhere.
  bool font_colour = false;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      font_colour |= image.pixelColor(x, y) == QColor(200, 0, 0);
      ASSERT_NE(image.pixelColor(x, y), QColor(0, 0, 200));
    }
  }
  EXPECT_TRUE(font_colour);
}

TEST_F(CanvasTextTest, SingleLineHonoursTheVerticalFlags) {
  const TRect rect{3, 3, 59, 117};
  const TRect top = InkBounds(Text("7", rect, DT_CENTER | DT_SINGLELINE));
  const TRect middle = InkBounds(Text("7", rect, DT_CENTER | DT_SINGLELINE | DT_VCENTER));
  const TRect bottom = InkBounds(Text("7", rect, DT_CENTER | DT_SINGLELINE | DT_BOTTOM));
  const TRect wrapped = InkBounds(Text("7", rect, kCellFlags));
  ASSERT_FALSE(top.IsEmpty());
  EXPECT_EQ(wrapped, top);
  // The same glyph moved down by whole pixels: the middle by half the free height, the bottom by
  // all of it.
  EXPECT_EQ(middle.Height(), top.Height());
  EXPECT_EQ(bottom.Height(), top.Height());
  const int free_height = bottom.Top - top.Top;
  EXPECT_GT(free_height, 50);
  EXPECT_NEAR(middle.Top - top.Top, free_height / 2, 1);
  EXPECT_EQ(middle.Left, top.Left);
}

TEST_F(CanvasTextTest, TextIsClippedToItsRectangle) {
  // A number wider than its rectangle overhangs both sides and is cut at the edges.
  const TRect narrow{20, 3, 40, 57};
  const TRect ink = InkBounds(Text("88", narrow, kCellFlags));
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_EQ(ink.Left, narrow.Left);
  EXPECT_EQ(ink.Right, narrow.Right);
  // A rectangle lower than the line: the first line is drawn, cut at the bottom.
  const TRect low{3, 3, 59, 15};
  const TRect cut = InkBounds(Text("7", low, kCellFlags));
  ASSERT_FALSE(cut.IsEmpty());
  EXPECT_EQ(cut.Bottom, low.Bottom);
}

TEST_F(CanvasTextTest, ASecondLineThatDoesNotFitIsNotDrawn) {
  // Each word needs its own line; the rectangle holds one and a half lines.
  QImage probe = Blank(10, 10);
  QPainter painter(&probe);
  painter.setFont(ToQFont(CellFont(kRed)));
  const int line_height = painter.fontMetrics().height();
  painter.end();
  const TRect one_and_a_half{3, 3, 59, 3 + line_height * 3 / 2};
  const TRect ink = InkBounds(Text("1 2", one_and_a_half, kCellFlags));
  ASSERT_FALSE(ink.IsEmpty());
  EXPECT_LE(ink.Bottom, 3 + line_height);
  const TRect two{3, 3, 59, 3 + line_height * 2};
  EXPECT_GT(InkBounds(Text("1 2", two, kCellFlags)).Bottom, 3 + line_height);
}

// Texts are kept from one paint to the next: each must still be drawn in its own font, colour,
// flags and rectangle, exactly as Qt draws it there. The list is drawn twice, the second time
// entirely from what was kept.
TEST_F(CanvasTextTest, AKeptTextFollowsItsFontColourFlagsAndRectangle) {
  struct TCase {
    std::string text;
    TFont font;
    TRect rect;
    TDrawTextFlags flags;
  };
  TFont small = CellFont(kRed);
  small.SetSize(20);
  TFont regular = CellFont(kRed);
  regular.Bold = false;
  TFont other_family = CellFont(kRed);
  other_family.Name = "MS Sans Serif";
  const TFont cell = CellFont(kRed);
  const std::vector<TCase> cases = {
      {"42", cell, {3, 3, 59, 57}, DT_SINGLELINE},
      {"42", cell, {10, 20, 66, 74}, DT_SINGLELINE},
      {"42", CellFont(kBlue), {3, 3, 59, 57}, DT_SINGLELINE},
      {"42", small, {3, 3, 59, 57}, DT_SINGLELINE},
      {"42", regular, {3, 3, 59, 57}, DT_SINGLELINE},
      {"42", other_family, {3, 3, 59, 57}, DT_SINGLELINE},
      {"24", cell, {3, 3, 59, 57}, DT_SINGLELINE},
      {"42", cell, {3, 3, 59, 57}, DT_SINGLELINE | DT_RIGHT},
      {"42", cell, {3, 3, 50, 57}, DT_SINGLELINE | DT_RIGHT},
      {"42", cell, {3, 3, 59, 57}, DT_SINGLELINE | DT_VCENTER},
      {"42", cell, {3, 3, 59, 85}, DT_SINGLELINE | DT_VCENTER},
      {"8888", cell, {20, 3, 50, 57}, DT_SINGLELINE | DT_CENTER},  // cut on both sides
  };
  // Qt's own text drawing where the flags place it; centring rounds towards the top left.
  const auto expected = [](const TCase& c) {
    QImage image = Blank(90, 90);
    QPainter painter(&image);
    painter.setFont(ToQFont(c.font));
    painter.setPen(c.font.Color == kRed ? QColor(200, 0, 0) : QColor(0, 0, 200));
    painter.setClipRect(c.rect.Left, c.rect.Top, c.rect.Width(), c.rect.Height());
    const QFontMetrics metrics = painter.fontMetrics();
    const int free_width =
        c.rect.Width() - metrics.horizontalAdvance(QString::fromStdString(c.text));
    const int free_height = c.rect.Height() - metrics.height();
    const int left =
        c.rect.Left + ((c.flags & DT_RIGHT)    ? free_width
                       : (c.flags & DT_CENTER) ? static_cast<int>(std::floor(free_width / 2.0))
                                               : 0);
    const int top = c.rect.Top + ((c.flags & DT_VCENTER) ? free_height / 2 : 0);
    painter.drawText(left, top + metrics.ascent(), QString::fromStdString(c.text));
    return image;
  };
  for (int pass = 1; pass <= 2; ++pass) {
    for (std::size_t i = 0; i < cases.size(); ++i) {
      QImage image = Blank(90, 90);
      {
        QPainter painter(&image);
        TQtCanvas canvas(painter, QPalette());
        canvas.SetFont(cases[i].font);
        canvas.DrawText(cases[i].text, cases[i].rect, cases[i].flags);
      }
      EXPECT_EQ(image, expected(cases[i])) << "case " << i << ", pass " << pass;
    }
  }
}

TEST_F(CanvasTextTest, NothingIsDrawnForAnEmptyTextOrWithoutAFontColour) {
  EXPECT_TRUE(InkBounds(Text("", {3, 3, 59, 57}, kCellFlags)).IsEmpty());
  EXPECT_TRUE(InkBounds(Text("7", {3, 3, 59, 57}, kCellFlags, clNone)).IsEmpty());
  EXPECT_TRUE(InkBounds(Text("7", {3, 3, 3, 57}, kCellFlags)).IsEmpty());
}

}  // namespace
}  // namespace zelvorn
