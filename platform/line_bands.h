#pragma once

#include <cstdint>
#include <functional>

#include "platform/geometry.h"

namespace zelvorn {

// The pixels of a line as TCanvas::LineTo draws it, for a canvas that fills rectangles: from
// `from` to `to` with a pen `width` pixels wide (below 1 counts as 1), cut to `bounds`. Each
// pixel comes in exactly one rectangle: one for a straight line, one per step along the longer
// axis for a slanted one, and only for the steps inside `bounds`, so a far-reaching line costs
// what its visible part does. A zero-length line has no pixels.
void ForEachLineBand(TPoint from, TPoint to, std::int32_t width, const TRect& bounds,
                     const std::function<void(const TRect&)>& fill);

// The parts of a rectangle as TCanvas::Rectangle draws it with a pen `width` pixels wide (below 1
// counts as 1): four outline bands along its inside edges and the inside they leave, or, when the
// outline would meet itself, the whole rectangle as outline. An empty rectangle has no parts.
void ForEachRectangleBand(const TRect& rect, std::int32_t width,
                          const std::function<void(const TRect&)>& outline,
                          const std::function<void(const TRect&)>& inside);

}  // namespace zelvorn
