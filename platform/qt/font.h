#pragma once

#include <QFont>

#include "platform/font.h"

namespace zelvorn {

// Maps the Windows font names of the stored layouts to installed families: 宋体/SimSun and
// 黑体/SimHei to the program's built-in faces, Zelvorn CJK, and for characters those lack to
// Noto Sans Mono CJK SC; Tahoma to DejaVu Sans Condensed, MS Sans Serif to DejaVu Sans. The
// first call registers the built-in faces.
// Call after the QApplication exists.
void InstallFontSubstitutions();

// The Qt font for a layout font: its family, its character height as the pixel size, its weight,
// hinted the same whatever the system's font configuration asks for.
QFont ToQFont(const TFont& font);

}  // namespace zelvorn
