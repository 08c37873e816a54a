#include "platform/qt/color.h"

namespace zelvorn {
namespace {

QPalette::ColorRole SystemColorRole(std::uint32_t index) {
  switch (index) {
    case 5:  // window background
      return QPalette::Base;
    case 7:  // menu text
    case 8:  // window text
      return QPalette::Text;
    case 13:
      return QPalette::Highlight;
    case 14:
      return QPalette::HighlightedText;
    case 0:   // scroll bar
    case 15:  // button face
      return QPalette::Button;
    case 16:
      return QPalette::Dark;
    case 18:
      return QPalette::ButtonText;
    case 20:
      return QPalette::Light;
    case 21:
      return QPalette::Shadow;
    case 22:
      return QPalette::Midlight;
    case 23:
      return QPalette::ToolTipText;
    case 24:
      return QPalette::ToolTipBase;
    default:
      return QPalette::Window;
  }
}

}  // namespace

QColor ToQColor(TColor color, const QPalette& palette) {
  if (IsSystemColor(color)) return palette.color(SystemColorRole(color & 0xFF));
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

}  // namespace zelvorn
