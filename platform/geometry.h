#pragma once

#include <algorithm>
#include <cstdint>

namespace zelvorn {

struct TPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A pixel rectangle whose Right and Bottom are exclusive: it covers the pixels
// Left <= x < Right, Top <= y < Bottom. (Qt's QRect::right() is inclusive; convert only at the
// Qt boundary.)
struct TRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  std::int32_t Width() const { return Right - Left; }
  std::int32_t Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  bool Intersects(const TRect& other) const {
    return !IsEmpty() && !other.IsEmpty() && Left < other.Right && other.Left < Right &&
           Top < other.Bottom && other.Top < Bottom;
  }
  TRect Intersected(const TRect& other) const {
    return {std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
            std::min(Bottom, other.Bottom)};
  }
  friend bool operator==(const TRect&, const TRect&) = default;
};

// Rounds a * b / c to the nearest integer through a 64-bit product, halves away from zero; a
// zero divisor gives -1, as the platform's MulDiv does.
inline std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
  if (c == 0) return -1;
  std::int64_t product = std::int64_t{a} * b;
  std::int64_t divisor = c;
  if (divisor < 0) {
    divisor = -divisor;
    product = -product;
  }
  const std::int64_t half = divisor / 2;
  return static_cast<std::int32_t>(product >= 0 ? (product + half) / divisor
                                                : -((-product + half) / divisor));
}

}  // namespace zelvorn
