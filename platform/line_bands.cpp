#include "platform/line_bands.h"

#include <algorithm>
#include <cstdlib>

namespace zelvorn {
namespace {

// The line's coordinates compute in 64 bits, so that far-off points and wide pens cannot
// overflow; a band becomes a TRect again only once it is cut to the bounds.
class TBandFill {
 public:
  TBandFill(const TRect& bounds, const std::function<void(const TRect&)>& fill)
      : bounds_(bounds), fill_(fill) {}

  void operator()(std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom) const {
    const TRect cut{Clamp(left, bounds_.Left, bounds_.Right), Clamp(top, bounds_.Top, bounds_.Bottom),
                    Clamp(right, bounds_.Left, bounds_.Right),
                    Clamp(bottom, bounds_.Top, bounds_.Bottom)};
    if (!cut.IsEmpty()) fill_(cut);
  }

 private:
  static std::int32_t Clamp(std::int64_t value, std::int32_t low, std::int32_t high) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, low, high));
  }

  const TRect& bounds_;
  const std::function<void(const TRect&)>& fill_;
};

// How far the band that a pen of `width` pixels covers across a line starts before the line.
std::int64_t BandStart(std::int64_t width) { return -(width / 2); }

// The offset across a slanted line at step `step` of `steps` along it, for a line that moves
// `across` pixels across in all: the exact offset rounded half away from the start.
std::int64_t AcrossOffset(std::int64_t step, std::int64_t steps, std::int64_t across) {
  const std::int64_t magnitude = (2 * step * std::abs(across) + steps) / (2 * steps);
  return across < 0 ? -magnitude : magnitude;
}

void SlantedLine(TPoint from, std::int64_t dx, std::int64_t dy, std::int64_t width,
                 const TRect& bounds, const TBandFill& fill) {
  const bool x_major = std::abs(dx) >= std::abs(dy);
  const std::int64_t steps = std::abs(x_major ? dx : dy);
  const std::int64_t across = x_major ? dy : dx;
  const std::int64_t direction = (x_major ? dx : dy) > 0 ? 1 : -1;
  const std::int64_t start = x_major ? from.X : from.Y;
  const std::int64_t start_across = x_major ? from.Y : from.X;
  const std::int64_t low = x_major ? bounds.Left : bounds.Top;
  const std::int64_t high = x_major ? bounds.Right : bounds.Bottom;
  // The steps whose position start + direction * step lies in [low, high).
  const std::int64_t first =
      std::max<std::int64_t>(0, direction > 0 ? low - start : start - (high - 1));
  const std::int64_t last = std::min(steps, direction > 0 ? high - start : start - low + 1);
  for (std::int64_t step = first; step < last; ++step) {
    const std::int64_t along = start + direction * step;
    const std::int64_t band = start_across + AcrossOffset(step, steps, across) + BandStart(width);
    if (x_major) {
      fill(along, band, along + 1, band + width);
    } else {
      fill(band, along, band + width, along + 1);
    }
  }
}

}  // namespace

void ForEachLineBand(TPoint from, TPoint to, std::int32_t width, const TRect& bounds,
                     const std::function<void(const TRect&)>& fill) {
  if (from == to) return;
  const TBandFill band_fill(bounds, fill);
  const std::int64_t pen = std::max(1, width);
  const std::int64_t band = BandStart(pen);
  const std::int64_t dx = std::int64_t{to.X} - from.X;
  const std::int64_t dy = std::int64_t{to.Y} - from.Y;
  if (dy == 0) {
    // Leftwards the line covers (to.X, from.X]: the start point, not the end point.
    const std::int64_t left = dx > 0 ? from.X : std::int64_t{to.X} + 1;
    band_fill(left, from.Y + band, left + std::abs(dx), from.Y + band + pen);
  } else if (dx == 0) {
    const std::int64_t top = dy > 0 ? from.Y : std::int64_t{to.Y} + 1;
    band_fill(from.X + band, top, from.X + band + pen, top + std::abs(dy));
  } else {
    SlantedLine(from, dx, dy, pen, bounds, band_fill);
  }
}

void ForEachRectangleBand(const TRect& rect, std::int32_t width,
                          const std::function<void(const TRect&)>& outline,
                          const std::function<void(const TRect&)>& inside) {
  if (rect.IsEmpty()) return;
  const std::int64_t band = std::max(1, width);
  if (2 * band >= rect.Width() || 2 * band >= rect.Height()) {
    outline(rect);
    return;
  }
  const auto inset = static_cast<std::int32_t>(band);
  const TRect inner{rect.Left + inset, rect.Top + inset, rect.Right - inset, rect.Bottom - inset};
  inside(inner);
  outline({rect.Left, rect.Top, rect.Right, inner.Top});
  outline({rect.Left, inner.Bottom, rect.Right, rect.Bottom});
  outline({rect.Left, inner.Top, inner.Left, inner.Bottom});
  outline({inner.Right, inner.Top, rect.Right, inner.Bottom});
}

}  // namespace zelvorn
