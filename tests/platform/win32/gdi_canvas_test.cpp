#include "platform/win32/gdi_canvas.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zelvorn {
namespace {

// Pixels as a 32-bit DIB holds them: 0x00RRGGBB.
constexpr std::uint32_t kBackground = 0x112233;
constexpr TColor kRed = RGB(200, 0, 0);
constexpr TColor kBlue = RGB(0, 0, 200);

// A memory device context on a top-down 32-bit bitmap whose pixels the test reads directly.
class TBitmap {
 public:
  TBitmap(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<std::uint32_t*>(bits);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    Fill(kBackground);
  }
  ~TBitmap() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }

  HDC Dc() const { return dc_; }
  TRect Bounds() const { return {0, 0, width_, height_}; }
  std::uint32_t& Pixel(int x, int y) {
    GdiFlush();
    return pixels_[y * width_ + x];
  }
  void Fill(std::uint32_t value) {
    for (int i = 0; i < width_ * height_; ++i) pixels_[i] = value;
  }
  std::vector<std::uint32_t> Pixels() {
    GdiFlush();
    return {pixels_, pixels_ + width_ * height_};
  }
  // The picture as rows of characters: '.' the background, 'R' red, 'B' blue, '?' other.
  std::vector<std::string> Picture() {
    const std::map<std::uint32_t, char> names = {
        {kBackground, '.'}, {0xC80000, 'R'}, {0x0000C8, 'B'}};
    std::vector<std::string> rows;
    for (int y = 0; y < height_; ++y) {
      std::string row;
      for (int x = 0; x < width_; ++x) {
        const auto name = names.find(Pixel(x, y) & 0xFFFFFF);
        row += name == names.end() ? '?' : name->second;
      }
      rows.push_back(row);
    }
    return rows;
  }

 private:
  int width_;
  int height_;
  HBITMAP bitmap_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

struct TPictureCase {
  const char* name;
  std::function<void(TCanvas&)> draw;
  std::vector<std::string> expected;
};

void CheckPictures(const std::vector<TPictureCase>& cases) {
  for (const TPictureCase& c : cases) {
    TBitmap bitmap(8, 6);
    {
      TGdiCanvas canvas(bitmap.Dc(), bitmap.Bounds());
      c.draw(canvas);
    }
    EXPECT_EQ(bitmap.Picture(), c.expected) << c.name;
  }
}

std::function<void(TCanvas&)> Fill(TRect rect, TColor color) {
  return [=](TCanvas& canvas) {
    canvas.Brush().Color = color;
    canvas.FillRect(rect);
  };
}

std::function<void(TCanvas&)> Outline(TRect rect, TPen pen, TColor brush) {
  return [=](TCanvas& canvas) {
    canvas.SetPen(pen);
    canvas.Brush().Color = brush;
    canvas.Rectangle(rect);
  };
}

std::function<void(TCanvas&)> Line(TPoint from, TPoint to, TPen pen = {kRed, 1}) {
  return [=](TCanvas& canvas) {
    canvas.SetPen(pen);
    canvas.MoveTo(from.X, from.Y);
    canvas.LineTo(to.X, to.Y);
  };
}

TEST(GdiCanvasTest, FillsAndRectanglesCoverExactlyTheirPixels) {
  CheckPictures({
      {"fill", Fill({1, 2, 4, 5}, kRed),
       {"........", "........", ".RRR....", ".RRR....", ".RRR....", "........"}},
      {"fill beyond the bitmap", Fill({-3, -3, 2, 1}, kRed),
       {"RR......", "........", "........", "........", "........", "........"}},
      {"clNone fills nothing", Fill({0, 0, 8, 6}, clNone),
       {"........", "........", "........", "........", "........", "........"}},
      {"1-pixel pen", Outline({1, 1, 6, 5}, {kRed, 1}, kBlue),
       {"........", ".RRRRR..", ".RBBBR..", ".RBBBR..", ".RRRRR..", "........"}},
      {"2-pixel pen", Outline({0, 0, 8, 6}, {kRed, 2}, kBlue),
       {"RRRRRRRR", "RRRRRRRR", "RRBBBBRR", "RRBBBBRR", "RRRRRRRR", "RRRRRRRR"}},
      {"no room for the brush", Outline({1, 1, 3, 6}, {kRed, 1}, kBlue),
       {"........", ".RR.....", ".RR.....", ".RR.....", ".RR.....", ".RR....."}},
      {"clNone brush: outline only", Outline({1, 1, 6, 5}, {kRed, 1}, clNone),
       {"........", ".RRRRR..", ".R...R..", ".R...R..", ".RRRRR..", "........"}},
      {"clear pen: fill only", Outline({1, 1, 6, 5}, {kRed, 1, TPenStyle::psClear}, kBlue),
       {"........", ".BBBBB..", ".BBBBB..", ".BBBBB..", ".BBBBB..", "........"}},
  });
}

TEST(GdiCanvasTest, LinesCoverTheStartAndStopBeforeTheEnd) {
  CheckPictures({
      {"rightwards", Line({1, 1}, {5, 1}),
       {"........", ".RRRR...", "........", "........", "........", "........"}},
      {"leftwards", Line({5, 1}, {1, 1}),
       {"........", "..RRRR..", "........", "........", "........", "........"}},
      {"upwards", Line({2, 4}, {2, 0}),
       {"........", "..R.....", "..R.....", "..R.....", "..R.....", "........"}},
      {"diagonal up", Line({4, 4}, {0, 0}),
       {"........", ".R......", "..R.....", "...R....", "....R...", "........"}},
      {"shallow", Line({0, 1}, {6, 3}),
       {"........", "RR......", "..RRR...", ".....R..", "........", "........"}},
      {"steep", Line({1, 0}, {3, 5}),
       {".R......", ".R......", "..R.....", "..R.....", "...R....", "........"}},
      {"far-off ends", Line({-1000000000, -1000000000}, {1000000000, 1000000000}),
       {"R.......", ".R......", "..R.....", "...R....", "....R...", ".....R.."}},
      {"2 pixels wide: the line's row and the one above", Line({1, 2}, {6, 2}, {kRed, 2}),
       {"........", ".RRRRR..", ".RRRRR..", "........", "........", "........"}},
      {"3 pixels wide: centred", Line({1, 2}, {1, 5}, {kRed, 3}),
       {"........", "........", "RRR.....", "RRR.....", "RRR.....", "........"}},
      {"clear moves the pen only", Line({1, 1}, {5, 1}, {kRed, 1, TPenStyle::psClear}),
       {"........", "........", "........", "........", "........", "........"}},
  });
}

TEST(GdiCanvasTest, SystemColoursResolveThroughTheDesktopPalette) {
  TBitmap bitmap(4, 4);
  {
    TGdiCanvas canvas(bitmap.Dc(), bitmap.Bounds());
    canvas.Brush().Color = clBtnFace;
    canvas.FillRect({0, 0, 2, 4});
    canvas.Pen().Color = clHighlight;
    canvas.MoveTo(3, 0);
    canvas.LineTo(3, 4);
  }
  const auto dib = [](COLORREF color) {
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  };
  EXPECT_EQ(bitmap.Pixel(1, 3), dib(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(bitmap.Pixel(3, 3), dib(GetSysColor(COLOR_HIGHLIGHT)));
  EXPECT_EQ(bitmap.Pixel(2, 0), kBackground);
}

TEST(GdiCanvasTest, OnlyTheRegionBeingRepaintedIsVisibleAndTouched) {
  TBitmap bitmap(20, 20);
  const HRGN region = CreateRectRgn(2, 2, 7, 7);
  const HRGN second = CreateRectRgn(10, 12, 14, 15);
  CombineRgn(region, region, second, RGN_OR);
  SelectClipRgn(bitmap.Dc(), region);
  {
    TGdiCanvas canvas(bitmap.Dc(), {2, 2, 14, 15});
    const std::vector<std::pair<TRect, bool>> cases = {
        {{0, 0, 3, 3}, true},   {{0, 0, 2, 2}, false},     {{7, 7, 12, 12}, false},
        {{13, 14, 30, 30}, true}, {{14, 12, 16, 15}, false}, {{4, 4, 4, 10}, false},
    };
    for (const auto& [rect, visible] : cases) {
      EXPECT_EQ(canvas.RectVisible(rect), visible)
          << rect.Left << "," << rect.Top << "," << rect.Right << "," << rect.Bottom;
    }
    canvas.Brush().Color = kRed;
    canvas.FillRect({0, 0, 20, 20});
  }
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      const bool inside = PtInRegion(region, x, y) != FALSE;
      ASSERT_EQ(bitmap.Pixel(x, y), inside ? 0xC80000u : kBackground) << x << "," << y;
    }
  }
  DeleteObject(second);
  DeleteObject(region);
}

TEST(GdiCanvasTest, FocusRectangleInvertsEveryOtherEdgePixelAndASecondOneRestoresThem) {
  for (const TRect rect : {TRect{1, 1, 7, 5}, TRect{1, 2, 7, 3}, TRect{2, 1, 3, 5}}) {
    TBitmap bitmap(8, 6);
    // A background with varied pixels shows that each dot inverts its own pixel.
    for (int x = 0; x < 8; ++x) bitmap.Pixel(x, x % 6) = 0x10203 * static_cast<std::uint32_t>(x);
    const std::vector<std::uint32_t> original = bitmap.Pixels();
    TGdiCanvas canvas(bitmap.Dc(), bitmap.Bounds());
    canvas.DrawFocusRect(rect);
    const std::vector<std::uint32_t> dotted = bitmap.Pixels();
    for (int y = 0; y < 6; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool edge = rect.Contains({x, y}) &&
                          (x == rect.Left || x == rect.Right - 1 || y == rect.Top ||
                           y == rect.Bottom - 1);
        const bool dot = edge && (x + y) % 2 == 0;
        const std::uint32_t before = original[y * 8 + x] & 0xFFFFFF;
        EXPECT_EQ(dotted[y * 8 + x] & 0xFFFFFF, dot ? (~before & 0xFFFFFF) : before)
            << rect.Left << "," << rect.Top << " at " << x << "," << y;
      }
    }
    canvas.DrawFocusRect(rect);
    EXPECT_EQ(bitmap.Pixels(), original) << rect.Left << "," << rect.Top;
  }
}

TEST(GdiCanvasTest, TextIsDrawnInTheFontColourInsideItsRectangleOnly) {
  TBitmap bitmap(40, 30);
  {
    TGdiCanvas canvas(bitmap.Dc(), bitmap.Bounds());
    canvas.Font().Height = -20;
    canvas.Font().Color = kRed;
    // Cut by its rectangle: the glyph is taller than 10 pixels.
    canvas.DrawText("8", {5, 5, 35, 15}, DT_CENTER | DT_SINGLELINE);
    canvas.Font().Color = clNone;
    canvas.DrawText("8", {0, 15, 40, 30}, DT_SINGLELINE);
  }
  int ink = 0;
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (bitmap.Pixel(x, y) == kBackground) continue;
      ++ink;
      EXPECT_TRUE(TRect({5, 5, 35, 15}).Contains({x, y})) << x << "," << y;
      // Between the strokes the cells show through: no box in the DC's background colour.
      EXPECT_NE(bitmap.Pixel(x, y), 0xFFFFFFu) << x << "," << y;
    }
  }
  EXPECT_GT(ink, 10);
}

}  // namespace
}  // namespace zelvorn
