#pragma once

#include <QFont>

#include "platform/font.h"

namespace zelvorn {

// Maps the Windows font names of the stored layouts to installed families: 宋体/SimSun and
// 黑体/SimHei to Noto Sans Mono CJK SC, Tahoma to DejaVu Sans Condensed, MS Sans Serif to
// DejaVu Sans.
// Call once after the QApplication exists.
void InstallFontSubstitutions();

// The Qt font for a layout font: its family, its character height as the pixel size, its weight.
QFont ToQFont(const TFont& font);

}  // namespace zelvorn
