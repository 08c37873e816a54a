#pragma once

#include <array>
#include <cstdint>

#include "controls/grid/grid_types.h"
#include "platform/color.h"
#include "platform/geometry.h"

namespace zelvorn {

// The shape of middle-button panning's pictures, which both the pointer and the marker at the
// pan's origin show: a dot with an arrowhead above it, below it, or both. Each host fills these
// shapes with its own drawing calls into the cursor and the window it shows.
struct TPanGlyph {
  // Arrowheads' tips lie Reach from the centre; their bases lie kPanArrowBase from it.
  std::int32_t Reach = 9;
  bool Up = true;
  bool Down = true;
};

inline constexpr std::int32_t kPanDotRadius = 2;
inline constexpr std::int32_t kPanArrowBase = 4;
// The pointer's glyph is black over a white rim this wide, so it shows on any cell colour.
inline constexpr std::int32_t kPanCursorRimWidth = 3;
// The marker: a light disc with a one-pixel grey rim, holding the glyph at rest in dark grey.
// Even, so that its centre falls on a pixel corner and the shapes around it are symmetric.
inline constexpr std::int32_t kPanMarkerSize = 26;
inline constexpr TColor kPanMarkerRim = RGB(96, 96, 96);
inline constexpr TColor kPanMarkerGlyph = RGB(48, 48, 48);

// The pointer's glyph: both arrowheads at rest, only the one the current cell runs towards while
// it moves, drawn a little longer on the move so that the direction reads at once.
constexpr TPanGlyph PanCursorGlyph(TGridCursor shape) {
  return {shape == TGridCursor::crPanRest ? 9 : 10, shape != TGridCursor::crPanDown,
          shape != TGridCursor::crPanUp};
}

// An arrowhead's tip and its base's two ends, around `centre`, pointing up or down.
constexpr std::array<TPoint, 3> PanArrowHead(TPoint centre, std::int32_t reach, bool up) {
  const std::int32_t sign = up ? -1 : 1;
  const std::int32_t half_width = reach - kPanArrowBase;
  const std::int32_t base = centre.Y + sign * kPanArrowBase;
  return {{{centre.X, centre.Y + sign * reach},
           {centre.X + half_width, base},
           {centre.X - half_width, base}}};
}

}  // namespace zelvorn
