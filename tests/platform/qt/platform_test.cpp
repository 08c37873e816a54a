#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGlyphRun>
#include <QPalette>
#include <QRawFont>
#include <QTextLayout>
#include <tuple>

#include "platform/qt/color.h"
#include "platform/qt/font.h"
#include "platform/qt/geometry.h"

namespace zelvorn {
namespace {

TEST(QtColorTest, RgbValuesKeepRedInTheLowByteAndSystemColoursFollowThePalette) {
  QPalette palette;
  palette.setColor(QPalette::Base, QColor(1, 2, 3));
  palette.setColor(QPalette::Text, QColor(4, 5, 6));
  palette.setColor(QPalette::Highlight, QColor(7, 8, 9));
  palette.setColor(QPalette::Button, QColor(10, 11, 12));
  palette.setColor(QPalette::ToolTipBase, QColor(13, 14, 15));
  const std::vector<std::pair<TColor, QColor>> cases = {
      {0x00EACAB6, QColor(182, 202, 234)}, {clSilver, QColor(192, 192, 192)},
      {clBlack, QColor(0, 0, 0)},          {clWindow, QColor(1, 2, 3)},
      {clWindowText, QColor(4, 5, 6)},     {clHighlight, QColor(7, 8, 9)},
      {clBtnFace, QColor(10, 11, 12)},     {clInfoBk, QColor(13, 14, 15)},
  };
  for (const auto& [color, expected] : cases) {
    EXPECT_EQ(ToQColor(color, palette), expected) << std::hex << color;
  }
}

TEST(QtFontTest, WindowsFamiliesMapToInstalledOnesAtTheirPixelHeight) {
  InstallFontSubstitutions();
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"宋体", "Zelvorn CJK"},
      {"黑体", "Zelvorn CJK"},
      {"Tahoma", "DejaVu Sans Condensed"},
      {"MS Sans Serif", "DejaVu Sans"},
  };
  for (const auto& [name, family] : cases) {
    TFont font;
    font.Name = name;
    font.Height = -29;
    font.Bold = true;
    const QFont qfont = ToQFont(font);
    const QFontInfo info(qfont);
    EXPECT_EQ(info.family(), family) << name;
    EXPECT_EQ(qfont.pixelSize(), 29);
    EXPECT_TRUE(info.bold());
  }
}

// The built-in faces draw the program's texts in their own weight; a character they lack, as one
// a person may type, still comes from the system's face.
TEST(QtFontTest, ChineseTextsComeFromTheBuiltInFacesAndOtherCharactersFromTheSystem) {
  InstallFontSubstitutions();
  const std::vector<std::tuple<const char*, bool, const char*, const char*, const char*>> cases = {
      {"宋体", false, "表格", "Zelvorn CJK", "Regular"},
      {"SimSun", true, "5×5", "Zelvorn CJK", "Bold"},
      {"黑体", true, "开始训练", "Zelvorn CJK", "Bold"},
      {"SimHei", false, "00:00:00", "Zelvorn CJK", "Regular"},
      {"宋体", false, "龍", "Noto Sans Mono CJK SC", "Regular"},
      {"黑体", true, "龍", "Noto Sans Mono CJK SC", "Bold"},
  };
  for (const auto& [name, bold, text, family, style] : cases) {
    TFont font;
    font.Name = name;
    font.Height = -16;
    font.Bold = bold;
    QTextLayout layout(QString::fromUtf8(text), ToQFont(font));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    ASSERT_EQ(runs.size(), 1) << text;
    // Qt names a face in lower case when it was asked for by a substitution.
    EXPECT_EQ(runs.front().rawFont().familyName().toLower().toStdString(),
              QString(family).toLower().toStdString())
        << text;
    EXPECT_EQ(runs.front().rawFont().styleName().toStdString(), style) << text;
  }
}

TEST(TFontTest, SizeAndHeightConvertAt96PixelsPerInch) {
  TFont font;
  font.Height = -64;
  EXPECT_EQ(font.Size(), 48);
  // (points, height) for the sizes a run sets: 48 - 2N for N = 4..9.
  for (const auto& [points, height] :
       std::vector<std::pair<int, int>>{{40, -53}, {38, -51}, {30, -40}, {12, -16}}) {
    font.SetSize(points);
    EXPECT_EQ(font.Height, height) << points;
    EXPECT_EQ(font.Size(), points);
  }
}

TEST(QtGeometryTest, ConversionKeepsExclusiveEdges) {
  const TRect r{3, 4, 13, 24};
  const QRect q = ToQRect(r);
  EXPECT_EQ(q.width(), 10);
  EXPECT_EQ(q.height(), 20);
  EXPECT_EQ(q.right(), 12);  // Qt's inclusive edge
  EXPECT_EQ(FromQRect(q), r);
}

}  // namespace
}  // namespace zelvorn
