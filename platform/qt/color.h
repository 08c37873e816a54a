#pragma once

#include <QColor>
#include <QPalette>

#include "platform/color.h"

namespace zelvorn {

// The colour to draw with: an RGB value as it is, a system colour through the palette
// (clWindow -> Base, clWindowText -> Text, clHighlight -> Highlight, clBtnFace -> Button,
// clInfoBk -> ToolTipBase, and the other indices to their nearest palette roles).
QColor ToQColor(TColor color, const QPalette& palette);

}  // namespace zelvorn
