#pragma once

#include <cstdint>

#include "platform/alignment.h"
#include "platform/color.h"
#include "platform/font.h"

namespace zelvorn {

// How the grid paints its cells: colours, fonts, lines, the selection's look, the vertical
// alignment, word wrap and the zoom. One plain value, which the grid takes as a whole.
struct TGridAppearance {
  TColor Color = clWindow;  // the background of the scrollable cells
  TFont Font;
  TColor FixedColor = clBtnFace;
  TFont FixedFont;
  TColor GridLineColor = clSilver;
  // How wide the lines are that the painter draws along each cell's right and bottom edge,
  // within the cell itself.
  std::int32_t GridLineWidth = 1;
  TColor SelectionColor = RGB(182, 202, 234);
  // The end colour of a gradient selection background; clNone for a plain one.
  TColor SelectionColorTo = clNone;
  TColor SelectionTextColor = clBlack;
  bool ShowSelection = true;
  bool HideFocusRect = false;
  TVAlignment VAlignment = TVAlignment::vtaTop;
  bool WordWrap = true;
  // Added to the font size of every cell's text: the zoom of Ctrl and the wheel.
  std::int32_t ZoomDelta = 0;

  friend bool operator==(const TGridAppearance&, const TGridAppearance&) = default;
};

}  // namespace zelvorn
