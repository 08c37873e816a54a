#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QList>
#include <functional>
#include <map>
#include <string>

#include "platform/text_layout.h"

namespace zelvorn {

// A text shaped in a font: its advance width in whole pixels, and its glyphs placed with the
// left end of the baseline at (0, 0), each run bounded by the box of its glyphs' outlines.
struct TShapedText {
  std::int32_t Width = 0;
  QList<QGlyphRun> Glyphs;
};

// The layout's view of a Qt font: advance widths, ascent plus descent as the line height, and
// Qt's average character width. Shaping is the costly part of measuring, so every text measured
// keeps its shape here, and drawing what the layout measured needs no shaping of its own.
class TQtTextMetrics final : public ITextMetrics {
 public:
  // `direction` orders mixed left-to-right and right-to-left text, as a painter's does.
  explicit TQtTextMetrics(const QFont& font, Qt::LayoutDirection direction = Qt::LeftToRight);

  std::int32_t TextWidth(std::string_view text) const override { return Shape(text).Width; }
  std::int32_t LineHeight() const override { return metrics_.height(); }
  std::int32_t AverageCharWidth() const override { return metrics_.averageCharWidth(); }

  // The text shaped in the font, shaped on the first call only.
  const TShapedText& Shape(std::string_view text) const;

 private:
  QFont font_;
  QFontMetrics metrics_;
  Qt::LayoutDirection direction_;
  mutable std::map<std::string, TShapedText, std::less<>> shapes_;
};

}  // namespace zelvorn
