#pragma once

// Reading painted cells back from an image: what a person sees of each cell, as values that
// tests compare exactly. Text is judged by where its ink lies and by the colours it mixes, never
// by exact antialiased pixel values.

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>

#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/qt/font.h"

namespace zelvorn::testing {

// The colour that inverting every bit of `color` gives, as a focus rectangle's dot does.
inline QRgb Inverted(QRgb color) {
  return qRgb(255 - qRed(color), 255 - qGreen(color), 255 - qBlue(color));
}

// Whether every channel of `pixel` lies between those of `a` and `b`: a pixel of text drawn in
// one over the other, whatever the antialiasing made of it.
inline bool Mixes(QRgb pixel, QRgb a, QRgb b) {
  const auto between = [](int v, int x, int y) {
    return v >= std::min(x, y) && v <= std::max(x, y);
  };
  return between(qRed(pixel), qRed(a), qRed(b)) && between(qGreen(pixel), qGreen(a), qGreen(b)) &&
         between(qBlue(pixel), qBlue(a), qBlue(b));
}

enum class TFocusLook { kNone, kDotted, kBroken };

// What one cell of a grid with 1-pixel lines looks like.
struct TCellLook {
  QRgb background = 0;
  bool lines = false;  // its right and bottom edge are wholly in the line colour
  TFocusLook focus = TFocusLook::kNone;
  bool ink_ok = true;  // every other pixel is the background or a mix of it and the text colour
  TRect ink;           // the bounds of the text's ink; empty for none

  bool HasInk() const { return !ink.IsEmpty(); }
};

inline std::ostream& operator<<(std::ostream& out, const TCellLook& look) {
  return out << "bg " << std::hex << look.background << std::dec << " lines " << look.lines
             << " focus " << static_cast<int>(look.focus) << " ink_ok " << look.ink_ok << " ink ("
             << look.ink.Left << "," << look.ink.Top << "," << look.ink.Right << ","
             << look.ink.Bottom << ")";
}

// Reads the cell whose box is `box` (in image coordinates): its background from the pixel just
// inside its top-left corner, its lines along x = Right - 1 and y = Bottom - 1, a focus
// rectangle on the edge of (Left, Top, Right - 1, Bottom - 1), and the ink of text drawn in
// `text` over the background. The box must lie inside the image.
inline TCellLook InspectCell(const QImage& image, const TRect& box, QRgb line, QRgb text) {
  TCellLook look;
  look.background = image.pixel(box.Left + 1, box.Top + 1);
  look.lines = true;
  for (int x = box.Left; x < box.Right; ++x) look.lines &= image.pixel(x, box.Bottom - 1) == line;
  for (int y = box.Top; y < box.Bottom; ++y) look.lines &= image.pixel(box.Right - 1, y) == line;

  const int last_x = box.Right - 2;
  const int last_y = box.Bottom - 2;
  int dots = 0, edge_even = 0;
  TRect ink{box.Right, box.Bottom, box.Left, box.Top};
  for (int y = box.Top; y <= last_y; ++y) {
    for (int x = box.Left; x <= last_x; ++x) {
      const QRgb pixel = image.pixel(x, y);
      const bool on_edge = x == box.Left || x == last_x || y == box.Top || y == last_y;
      if (on_edge && (x + y) % 2 == 0) {
        ++edge_even;
        if (pixel == Inverted(look.background)) {
          ++dots;
          continue;
        }
      }
      if (pixel == look.background) continue;
      look.ink_ok &= Mixes(pixel, look.background, text);
      ink = {std::min(ink.Left, x), std::min(ink.Top, y), std::max(ink.Right, x + 1),
             std::max(ink.Bottom, y + 1)};
    }
  }
  look.focus = dots == 0           ? TFocusLook::kNone
               : dots == edge_even ? TFocusLook::kDotted
                                   : TFocusLook::kBroken;
  look.ink = ink.IsEmpty() ? TRect{} : ink;
  return look;
}

// Where the ink of a one-line `text` drawn in `font` lies when its line box starts at
// (line_left, line_top), as the font's own glyph outlines place it.
inline TRect ExpectedInk(const TFont& font, const std::string& text, int line_left, int line_top) {
  const QFontMetrics metrics(ToQFont(font));
  const QRect tight = metrics.tightBoundingRect(QString::fromStdString(text));
  const int baseline = line_top + metrics.ascent();
  return {line_left + tight.left(), baseline + tight.top(),
          line_left + tight.left() + tight.width(), baseline + tight.top() + tight.height()};
}

// Whether ink lies where it is expected: its left and top edges exactly, its right and bottom
// edges to within a pixel, since antialiasing may leave the last column or row of a rounded
// glyph too faint to tell from the background.
inline bool InkNear(const TRect& actual, const TRect& expected) {
  return actual.Left == expected.Left && actual.Top == expected.Top &&
         std::abs(actual.Right - expected.Right) <= 1 &&
         std::abs(actual.Bottom - expected.Bottom) <= 1;
}

}  // namespace zelvorn::testing
