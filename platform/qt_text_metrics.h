#pragma once

#include <QFontMetrics>

#include "platform/text_layout.h"

namespace zelvorn {

// The layout's view of a Qt font: advance widths, ascent plus descent as the line height, and
// Qt's average character width.
class TQtTextMetrics final : public ITextMetrics {
 public:
  explicit TQtTextMetrics(const QFontMetrics& metrics) : metrics_(metrics) {}

  std::int32_t TextWidth(std::string_view text) const override;
  std::int32_t LineHeight() const override { return metrics_.height(); }
  std::int32_t AverageCharWidth() const override { return metrics_.averageCharWidth(); }

 private:
  QFontMetrics metrics_;
};

}  // namespace zelvorn
