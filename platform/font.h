#pragma once

#include <cstdint>
#include <string>

#include "platform/color.h"
#include "platform/geometry.h"

namespace zelvorn {

// Layouts and sizes are in pixels at 96 pixels per inch, as the stored layouts were made.
inline constexpr std::int32_t kPixelsPerInch = 96;

// A font as the layouts give it. Its family may exist only on Windows (宋体, Tahoma), so the Qt
// side substitutes an installed family. A Height below zero is the pixel size of the glyphs
// alone, internal leading excluded: the unit the layouts were written in.
struct TFont {
  std::string Name = "Tahoma";
  std::int32_t Height = -11;
  bool Bold = false;
  TColor Color = clWindowText;

  // The size in points, derived from the height.
  std::int32_t Size() const { return -MulDiv(Height, 72, kPixelsPerInch); }
  void SetSize(std::int32_t points) { Height = -MulDiv(points, kPixelsPerInch, 72); }

  friend bool operator==(const TFont&, const TFont&) = default;
};

}  // namespace zelvorn
