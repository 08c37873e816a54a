#pragma once

#include <string>

#include "platform/color.h"
#include "platform/font.h"

namespace zelvorn {

// What a time box shows and whether it takes input: the values a host hands to its edit
// control, all at once.
struct TTimeBoxLook {
  // Select the whole text when the box is entered with the keyboard.
  bool AutoSelect = true;
  // The background; a system colour follows the palette.
  TColor Color = clWindow;
  bool Enabled = true;
  bool ReadOnly = false;
  std::string Text;
  // Its Color is the text's, kept while the box is disabled.
  TFont Font;
};

// A new box is a display nobody can type in: "00:00:00" in white 黑体 12 pt on black.
TTimeBoxLook DefaultTimeBoxLook();

}  // namespace zelvorn
