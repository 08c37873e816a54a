#pragma once

#include <cstdint>
#include <string>

#include "platform/color.h"
#include "platform/geometry.h"

namespace zelvorn {

// Layouts and sizes are in pixels at 96 pixels per inch, as the stored layouts were made.
inline constexpr std::int32_t kPixelsPerInch = 96;

// A font as the stored layouts describe it. The name may be a Windows family (宋体, Tahoma);
// the Qt side maps it to an installed one. A negative Height is the character height in pixels
// without internal leading, which is what the layouts store.
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
