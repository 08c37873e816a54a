#include "platform/qt_font.h"

#include <QStringList>

namespace zelvorn {

void InstallFontSubstitutions() {
  // Both Chinese faces set Latin letters and digits half as wide as a Chinese character, and the
  // layouts are measured for that: the monospaced cut of Noto Sans CJK does the same. A serif
  // family would cost the window a third of its start-up time and memory again for four short
  // captions.
  const QStringList cjk{"Noto Sans Mono CJK SC"};
  const QStringList latin{"DejaVu Sans"};
  for (const char* name : {"宋体", "SimSun", "黑体", "SimHei"}) {
    QFont::insertSubstitutions(QString::fromUtf8(name), cjk);
  }
  for (const char* name : {"Tahoma", "MS Sans Serif"}) {
    QFont::insertSubstitutions(QString::fromUtf8(name), latin);
  }
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
