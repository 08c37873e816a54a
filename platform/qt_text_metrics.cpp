#include "platform/qt_text_metrics.h"

#include <QString>

namespace zelvorn {

std::int32_t TQtTextMetrics::TextWidth(std::string_view text) const {
  return metrics_.horizontalAdvance(
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace zelvorn
