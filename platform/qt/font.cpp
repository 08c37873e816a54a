#include "platform/qt/font.h"

#include <QFontDatabase>
#include <QStringList>
#include <mutex>

namespace zelvorn {
namespace {

// The program's own faces, built into it (fonts/): only the characters of its texts, so that
// drawing them loads a face of a few hundred glyphs instead of a system face of 65,000, and so
// that they read the same on a system without any Chinese font.
void RegisterProgramFaces() {
  for (const char* face :
       {":/zelvorn/fonts/ZelvornCJK-Regular.otf", ":/zelvorn/fonts/ZelvornCJK-Bold.otf"}) {
    QFontDatabase::addApplicationFont(QString::fromLatin1(face));
  }
}

}  // namespace

void InstallFontSubstitutions() {
  // Once: every registration would add the faces again. Without them (a build that lacks the
  // resources) the system's family below still draws the texts.
  static std::once_flag registered;
  std::call_once(registered, RegisterProgramFaces);
  // Both Chinese faces set Latin letters and digits half as wide as a Chinese character, and the
  // layouts are measured for that: the monospaced cut of Noto Sans CJK does the same. A serif
  // family would cost the window a third of its start-up time and memory again for four short
  // captions. Our faces are that cut; what they lack, such as a typed character, comes from the
  // system's.
  const QStringList cjk{"Zelvorn CJK", "Noto Sans Mono CJK SC"};
  for (const char* name : {"宋体", "SimSun", "黑体", "SimHei"}) {
    QFont::insertSubstitutions(QString::fromUtf8(name), cjk);
  }
  // Tahoma is a narrow face: the condensed cut keeps two-digit numbers clear of the lines of
  // the smallest cells, as Tahoma does.
  QFont::insertSubstitutions(QStringLiteral("Tahoma"), {"DejaVu Sans Condensed"});
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), {"DejaVu Sans"});
}

QFont ToQFont(const TFont& font) {
  QFont result(QString::fromStdString(font.Name));
  // A positive height would include the internal leading; the layouts never use one, and the
  // character height is the closest Qt has to offer for it. Zero leaves Qt's default size.
  if (font.Height != 0) result.setPixelSize(font.Height < 0 ? -font.Height : font.Height);
  result.setBold(font.Bold);
  // Left to fontconfig, the hinting follows the system's rules: Debian's hint slightly, while
  // fontconfig without them hints fully, which rounds each advance to whole pixels (the clock's
  // digits spread out) and fits the outlines otherwise, so the same faces draw other pixels.
  // Hinting only vertically keeps the widths the layouts were measured with, on every system.
  result.setHintingPreference(QFont::PreferVerticalHinting);
  return result;
}

}  // namespace zelvorn
