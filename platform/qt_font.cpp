#include "platform/qt_font.h"

#include <QStringList>

namespace zelvorn {

void InstallFontSubstitutions() {
  const QStringList serif_cjk{"Noto Serif CJK SC"};
  const QStringList sans_cjk{"Noto Sans CJK SC"};
  const QStringList sans{"DejaVu Sans"};
  QFont::insertSubstitutions(QStringLiteral("宋体"), serif_cjk);
  QFont::insertSubstitutions(QStringLiteral("SimSun"), serif_cjk);
  QFont::insertSubstitutions(QStringLiteral("黑体"), sans_cjk);
  QFont::insertSubstitutions(QStringLiteral("SimHei"), sans_cjk);
  QFont::insertSubstitutions(QStringLiteral("Tahoma"), sans);
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), sans);
}

QFont ToQFont(const TFont& font) {
  QFont result(QString::fromStdString(font.Name));
  // A positive height would include the internal leading; the layouts never use one, and the
  // character height is the closest Qt has to offer for it. Zero leaves Qt's default size.
  if (font.Height != 0) result.setPixelSize(font.Height < 0 ? -font.Height : font.Height);
  result.setBold(font.Bold);
  return result;
}

}  // namespace zelvorn
