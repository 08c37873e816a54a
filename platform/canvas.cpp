#include "platform/canvas.h"

#include "platform/line_bands.h"

namespace zelvorn {

void TCanvas::Rectangle(const TRect& rect) {
  // Cell backgrounds are drawn as a rectangle whose pen has the brush's colour: one fill does.
  if (!PenDraws() || pen_.Color == brush_.Color) {
    FillRect(rect);
    return;
  }
  ForEachRectangleBand(
      rect, pen_.Width, [&](const TRect& band) { Fill(band, pen_.Color); },
      [&](const TRect& inner) { FillRect(inner); });
}

void TCanvas::DrawLine(TPoint from, TPoint to) {
  if (!PenDraws()) return;
  ForEachLineBand(from, to, pen_.Width, Bounds(),
                  [&](const TRect& band) { Fill(band, pen_.Color); });
}

}  // namespace zelvorn
