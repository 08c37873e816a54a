#include "platform/text_layout.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/font.h"
#include "platform/qt/text_metrics.h"

namespace zelvorn {
namespace {

// Every character is 10 pixels wide except the space (5); a line is 12 high; tab stops fall
// every 8 x 6 = 48 pixels.
class TFakeMetrics final : public ITextMetrics {
 public:
  std::int32_t TextWidth(std::string_view text) const override {
    std::int32_t width = 0;
    for (const char c : text) {
      if (c == '\t' || c == '\r' || c == '\n') ADD_FAILURE() << "measured a control character";
      if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;  // inside a character
      width += c == ' ' ? 5 : 10;
    }
    return width;
  }
  std::int32_t LineHeight() const override { return 12; }
  std::int32_t AverageCharWidth() const override { return 6; }
};

// A line as "Left,Top text"; a run after a tab adds "[x]" before its text.
std::vector<std::string> Describe(const TTextLayout& layout) {
  std::vector<std::string> lines;
  for (const TTextLine& line : layout.Lines) {
    std::string text = std::to_string(line.Left) + "," + std::to_string(line.Top) + " ";
    for (std::size_t i = 0; i < line.Runs.size(); ++i) {
      if (i > 0 || line.Runs[i].Left != line.Left) {
        text += "[" + std::to_string(line.Runs[i].Left) + "]";
      }
      text += line.Runs[i].Text;
    }
    lines.push_back(text);
  }
  return lines;
}

struct TLayoutCase {
  const char* name;
  std::string text;
  TRect rect;
  TDrawTextFlags flags;
  std::vector<std::string> expected;
};

void CheckLayouts(const std::vector<TLayoutCase>& cases) {
  const TFakeMetrics metrics;
  for (const TLayoutCase& c : cases) {
    const TTextLayout layout = LayoutText(c.text, c.rect, c.flags, metrics);
    EXPECT_EQ(Describe(layout), c.expected) << c.name;
    EXPECT_EQ(layout.LineHeight, 12) << c.name;
  }
}

constexpr TDrawTextFlags kWrap = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

TEST(TextLayoutTest, WordBreakFillsEachLineWithWholeWords) {
  CheckLayouts({
      {"fits whole", "aa bb", {0, 0, 100, 60}, kWrap, {"0,0 aa bb"}},
      {"a word that ends exactly at the edge stays",
       "aa bb cc",
       {0, 0, 45, 60},
       kWrap,
       {"0,0 aa bb", "0,12 cc"}},
      {"one pixel less moves it down",
       "aa bb cc",
       {0, 0, 44, 60},
       kWrap,
       {"0,0 aa", "0,12 bb", "0,24 cc"}},
      {"blanks at a break belong to no line",
       "aa    bb",
       {0, 0, 30, 60},
       kWrap,
       {"0,0 aa", "0,12 bb"}},
      {"a paragraph keeps its leading blanks", "  aa", {0, 0, 100, 60}, kWrap, {"0,0   aa"}},
      {"trailing blanks are dropped", "aa  ", {0, 0, 100, 60}, kWrap | DT_RIGHT, {"80,0 aa"}},
      {"lines start at the rectangle's corner",
       "aa bb",
       {7, 9, 37, 60},
       kWrap,
       {"7,9 aa", "7,21 bb"}},
      {"the width of a line without word break is not limited",
       "aa bb cc",
       {0, 0, 20, 60},
       DT_EDITCONTROL,
       {"0,0 aa bb cc"}},
  });
}

TEST(TextLayoutTest, AWordWiderThanTheRectangleStandsWholeOnItsOwnLine) {
  CheckLayouts({
      {"first word", "abcdefgh ij", {0, 0, 50, 60}, kWrap, {"0,0 abcdefgh", "0,12 ij"}},
      {"middle word", "ab cdefgh ij", {0, 0, 40, 60}, kWrap, {"0,0 ab", "0,12 cdefgh", "0,24 ij"}},
      {"centred, it overhangs both sides, rounding to the left",
       "abcdefg",
       {0, 0, 55, 60},
       kWrap | DT_CENTER,
       {"-8,0 abcdefg"}},
      {"right-aligned, it overhangs the left side",
       "abcdefg",
       {0, 0, 55, 60},
       kWrap | DT_RIGHT,
       {"-15,0 abcdefg"}},
      {"never ellipsised without the flag",
       "abcdefg",
       {0, 0, 55, 60},
       kWrap | DT_SINGLELINE,
       {"0,0 abcdefg"}},
      {"a zero-width rectangle still shows the first word",
       "ab cd",
       {0, 0, 0, 60},
       kWrap,
       {"0,0 ab", "0,12 cd"}},
  });
}

TEST(TextLayoutTest, EachLineIsAlignedOnItsOwn) {
  CheckLayouts({
      {"left", "aa bbbb", {10, 0, 60, 60}, kWrap | DT_LEFT, {"10,0 aa", "10,12 bbbb"}},
      {"centre", "aa bbbb", {10, 0, 60, 60}, kWrap | DT_CENTER, {"25,0 aa", "15,12 bbbb"}},
      {"centre of an odd gap rounds left", "aaa", {10, 0, 41, 60}, kWrap | DT_CENTER, {"10,0 aaa"}},
      {"right", "aa bbbb", {10, 0, 60, 60}, kWrap | DT_RIGHT, {"40,0 aa", "20,12 bbbb"}},
  });
}

TEST(TextLayoutTest, CarriageReturnsAndLineFeedsBreakLinesExceptInSingleLineMode) {
  CheckLayouts({
      {"CR LF, CR and LF each break once",
       "ab\r\ncd\ref\ngh",
       {0, 0, 100, 60},
       kWrap,
       {"0,0 ab", "0,12 cd", "0,24 ef", "0,36 gh"}},
      {"an empty line keeps its place",
       "ab\n\ncd",
       {0, 0, 100, 60},
       kWrap,
       {"0,0 ab", "0,12 ", "0,24 cd"}},
      {"a final break opens no line", "ab\r\n", {0, 0, 100, 60}, kWrap, {"0,0 ab"}},
      {"without word break too", "ab\ncd", {0, 0, 100, 60}, DT_EDITCONTROL, {"0,0 ab", "0,12 cd"}},
      {"single line stops at CR", "12\r34", {0, 0, 100, 60}, DT_SINGLELINE, {"0,0 12"}},
      {"single line stops at LF", "12\n34", {0, 0, 100, 60}, DT_SINGLELINE, {"0,0 12"}},
      {"single line starting with a break is empty", "\r\n12", {0, 0, 100, 60}, DT_SINGLELINE, {}},
      {"single line never wraps",
       "aa bb cc",
       {0, 0, 20, 60},
       DT_SINGLELINE | DT_WORDBREAK,
       {"0,0 aa bb cc"}},
      {"an empty text has no lines", "", {0, 0, 100, 60}, kWrap, {}},
  });
}

TEST(TextLayoutTest, VerticalFlagsActOnlyInSingleLineMode) {
  const TRect rect{0, 10, 100, 50};  // 40 high, lines 12 high
  CheckLayouts({
      {"single line, top", "ab", rect, DT_SINGLELINE | DT_TOP, {"0,10 ab"}},
      {"single line, centre", "ab", rect, DT_SINGLELINE | DT_VCENTER, {"0,24 ab"}},
      {"single line, centre of an odd gap rounds up",
       "ab",
       {0, 10, 100, 51},
       DT_SINGLELINE | DT_VCENTER,
       {"0,24 ab"}},
      {"single line, bottom", "ab", rect, DT_SINGLELINE | DT_BOTTOM, {"0,38 ab"}},
      {"single line, centred in a low rectangle",
       "ab",
       {0, 10, 100, 16},
       DT_SINGLELINE | DT_VCENTER,
       {"0,7 ab"}},
      {"word break ignores centre", "ab", rect, kWrap | DT_VCENTER, {"0,10 ab"}},
      {"word break ignores bottom", "ab", rect, kWrap | DT_BOTTOM, {"0,10 ab"}},
      {"the grid's flags put a number at the top, centred",
       "42",
       {3, 3, 59, 57},
       kWrap | DT_CENTER | DT_VCENTER | DT_EXPANDTABS,
       {"21,3 42"}},
  });
}

TEST(TextLayoutTest, ALineThatWouldBeOnlyPartlyVisibleIsLeftOut) {
  CheckLayouts({
      {"two of four fit", "aa bb cc dd", {0, 0, 25, 30}, kWrap, {"0,0 aa", "0,12 bb"}},
      {"a line ending exactly at the bottom fits",
       "aa bb cc dd",
       {0, 0, 25, 36},
       kWrap,
       {"0,0 aa", "0,12 bb", "0,24 cc"}},
      {"the first line is shown however low the rectangle",
       "aa bb",
       {0, 0, 25, 5},
       kWrap,
       {"0,0 aa"}},
      {"also for lines from line breaks", "aa\nbb", {0, 0, 100, 20}, DT_EDITCONTROL, {"0,0 aa"}},
      {"single line is drawn partly visible",
       "aa",
       {0, 0, 100, 5},
       DT_SINGLELINE | DT_BOTTOM,
       {"0,-7 aa"}},
  });
}

TEST(TextLayoutTest, TabsAdvanceToMultiplesOfEightAverageCharacters) {
  constexpr TDrawTextFlags kTabs = DT_EXPANDTABS | DT_SINGLELINE;
  CheckLayouts({
      {"to the first stop", "a\tb", {0, 0, 200, 60}, kTabs, {"0,0 a[48]b"}},
      {"a tab at a stop goes to the next one", "\tb", {0, 0, 200, 60}, kTabs, {"0,0 [48]b"}},
      {"two tabs", "a\t\tb", {0, 0, 200, 60}, kTabs, {"0,0 a[96]b"}},
      {"past the first stop", "abcde\tb", {0, 0, 200, 60}, kTabs, {"0,0 abcde[96]b"}},
      {"stops count from the line's own start", "a\tb", {20, 0, 220, 60}, kTabs, {"20,0 a[68]b"}},
      {"the tab's gap counts in the width",
       "a\tb",
       {0, 0, 200, 60},
       kTabs | DT_RIGHT,
       {"142,0 a[190]b"}},
      {"without expansion a tab is a space", "a\tb", {0, 0, 200, 60}, DT_SINGLELINE, {"0,0 a b"}},
      {"a tab is a place to break",
       "aa\tbb",
       {0, 0, 60, 60},
       kWrap | DT_EXPANDTABS,
       {"0,0 aa", "0,12 bb"}},
  });
}

TEST(TextLayoutTest, AmpersandIsShownAsItself) {
  const TFakeMetrics metrics;
  for (const TDrawTextFlags flags : {DT_SINGLELINE | DT_NOPREFIX, DT_SINGLELINE, kWrap}) {
    const TTextLayout layout = LayoutText("a&&b&c", {0, 0, 100, 20}, flags, metrics);
    ASSERT_EQ(layout.Lines.size(), 1u);
    EXPECT_EQ(layout.Lines[0].Runs, (std::vector<TTextRun>{{"a&&b&c", 0}})) << flags;
    EXPECT_EQ(layout.Lines[0].Width, 60) << flags;
  }
}

TEST(TextLayoutTest, EllipsisOnlyWhenAskedAndAlwaysWithinTheWidth) {
  constexpr TDrawTextFlags kEllipsis = DT_END_ELLIPSIS;
  CheckLayouts({
      {"a line that fits keeps its end",
       "abcde",
       {0, 0, 50, 60},
       DT_SINGLELINE | kEllipsis,
       {"0,0 abcde"}},
      {"a wider line is cut to fit with the dots",
       "abcdefgh",
       {0, 0, 50, 60},
       DT_SINGLELINE | kEllipsis,
       {"0,0 ab..."}},
      {"right-aligned after cutting",
       "abcdefgh",
       {0, 0, 59, 60},
       DT_SINGLELINE | DT_RIGHT | kEllipsis,
       {"9,0 ab..."}},
      {"too narrow for any character",
       "abcdefgh",
       {0, 0, 20, 60},
       DT_SINGLELINE | kEllipsis,
       {"0,0 ..."}},
      {"a long word in word-break mode",
       "abcdefgh ij",
       {0, 0, 50, 60},
       kWrap | kEllipsis,
       {"0,0 ab...", "0,12 ij"}},
      {"the last line shown when later ones are left out",
       "aa bb cc",
       {0, 0, 50, 20},
       kWrap | kEllipsis,
       {"0,0 aa..."}},
      {"cut between whole characters",
       "中文字符号",
       {0, 0, 45, 60},
       DT_SINGLELINE | kEllipsis,
       {"0,0 中..."}},
  });
}

// The same layout with a real font: the widths are the font's, and the grid's text sits where
// the cell painting expects it.
TEST(TextLayoutTest, RealFontMetricsPlaceAGridNumber) {
  InstallFontSubstitutions();
  TFont font;
  font.Name = "Tahoma";
  font.Bold = true;
  font.Height = -40;
  const QFontMetrics qt_metrics(ToQFont(font));
  const TQtTextMetrics metrics(ToQFont(font));
  const TRect rect{3, 3, 59, 57};
  const TTextLayout layout =
      LayoutText("81", rect, kWrap | DT_CENTER | DT_VCENTER | DT_EXPANDTABS, metrics);
  ASSERT_EQ(layout.Lines.size(), 1u);
  const std::int32_t width = qt_metrics.horizontalAdvance("81");
  // The widest number of the largest board only just fits its cell at this size.
  EXPECT_GT(width, 40);
  EXPECT_LE(width, 56);
  EXPECT_EQ(layout.Lines[0].Width, width);
  EXPECT_EQ(layout.Lines[0].Left, 3 + (56 - width) / 2);
  EXPECT_EQ(layout.Lines[0].Top, 3);
  EXPECT_EQ(layout.LineHeight, qt_metrics.ascent() + qt_metrics.descent());
  // Three of these numbers are wider than the rectangle: one per line, no two on one line.
  const TTextLayout wrapped = LayoutText("81 81 81", rect, kWrap, metrics);
  ASSERT_EQ(wrapped.Lines.size(), 1u);  // the second line would end below the rectangle
  EXPECT_EQ(wrapped.Lines[0].Runs[0].Text, "81");
}

// Widths come from the kept shapes, and must be the advance Qt gives the same text: a glyph
// whose ink overhangs its advance, trailing blanks and other scripts included.
TEST(TextLayoutTest, ShapedWidthsAreQtsAdvances) {
  InstallFontSubstitutions();
  const std::vector<std::pair<std::string, std::int32_t>> fonts = {
      {"Tahoma", -8}, {"Tahoma", -11}, {"MS Sans Serif", -13}, {"宋体", -16}};
  const std::vector<std::string> texts = {"x", "81", "blanks after  ", "Ünïcödé ßtraße",
                                          "宋体 中文 123"};
  for (const auto& [name, height] : fonts) {
    for (const bool bold : {false, true}) {
      TFont font;
      font.Name = name;
      font.Height = height;
      font.Bold = bold;
      const QFontMetrics qt_metrics(ToQFont(font));
      const TQtTextMetrics metrics(ToQFont(font));
      for (const std::string& text : texts) {
        EXPECT_EQ(metrics.TextWidth(text),
                  qt_metrics.horizontalAdvance(QString::fromStdString(text)))
            << name << " " << height << (bold ? " bold: " : ": ") << text;
      }
    }
  }
}

}  // namespace
}  // namespace zelvorn
