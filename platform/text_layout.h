#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/geometry.h"

namespace zelvorn {

// Flags of the text-drawing call, combined with |. The horizontal flags DT_LEFT, DT_CENTER and
// DT_RIGHT place each line; the vertical flags DT_TOP, DT_VCENTER and DT_BOTTOM act only
// together with DT_SINGLELINE.
using TDrawTextFlags = std::uint32_t;
inline constexpr TDrawTextFlags DT_TOP = 0x0;
inline constexpr TDrawTextFlags DT_LEFT = 0x0;
inline constexpr TDrawTextFlags DT_CENTER = 0x1;
inline constexpr TDrawTextFlags DT_RIGHT = 0x2;
inline constexpr TDrawTextFlags DT_VCENTER = 0x4;
inline constexpr TDrawTextFlags DT_BOTTOM = 0x8;
// Breaks lines between words so that they fit the rectangle's width.
inline constexpr TDrawTextFlags DT_WORDBREAK = 0x10;
// Single-line mode: only what comes before the first CR or LF is shown.
inline constexpr TDrawTextFlags DT_SINGLELINE = 0x20;
// A tab advances to the next multiple of 8 average character widths; without this flag a tab
// counts as one space.
inline constexpr TDrawTextFlags DT_EXPANDTABS = 0x40;
// "&" is shown as itself. Every text is laid out this way: there is no mnemonic processing,
// with or without this flag.
inline constexpr TDrawTextFlags DT_NOPREFIX = 0x800;
// Accepted so that callers may pass it; multi-line layouts behave this way regardless: lines
// after the first that the bottom edge would cut are dropped, and tab stops are measured in
// average character widths.
inline constexpr TDrawTextFlags DT_EDITCONTROL = 0x2000;
// A line wider than the rectangle, and the last line shown when later lines do not fit, end in
// "..." cut to fit. Without this flag no ellipsis is ever added.
inline constexpr TDrawTextFlags DT_END_ELLIPSIS = 0x8000;

// What the layout needs to know of a font, in whole pixels.
class ITextMetrics {
 public:
  virtual ~ITextMetrics() = default;
  // The advance width of a UTF-8 text that holds no tab, carriage return or line feed.
  virtual std::int32_t TextWidth(std::string_view text) const = 0;
  // The height of one line: the font's ascent plus its descent.
  virtual std::int32_t LineHeight() const = 0;
  // The average width of a character, the unit of the tab stops.
  virtual std::int32_t AverageCharWidth() const = 0;
};

// A piece of a line without tabs, drawn with its left edge at Left (absolute x).
struct TTextRun {
  std::string Text;
  std::int32_t Left = 0;
  friend bool operator==(const TTextRun&, const TTextRun&) = default;
};

// One line to draw: its box starts at (Left, Top), is Width pixels wide and one line high.
// Tabs have become the gaps between its runs.
struct TTextLine {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::vector<TTextRun> Runs;
};

struct TTextLayout {
  std::vector<TTextLine> Lines;
  std::int32_t LineHeight = 0;
};

// Lays `text` (UTF-8) out in `rect` as the text-drawing call does with `flags`:
// - DT_SINGLELINE: one line, the text up to its first CR or LF, placed vertically by DT_VCENTER
//   or DT_BOTTOM (top otherwise).
// - Otherwise lines break at CR, LF and CR LF and, with DT_WORDBREAK, between words (at spaces
//   and tabs) so that each line fits the width; such a line loses its trailing blanks. A single
//   word wider than the rectangle is never split: it stands alone on its line and the drawing
//   clips it. Multi-line text always starts at the rectangle's top, the vertical flags
//   notwithstanding; layout stops at the first later line whose bottom would overhang the
//   rectangle. The first line is always laid out, so a low rectangle never hides a text whole.
// Each line is placed horizontally by DT_CENTER or DT_RIGHT (left otherwise); centring rounds
// towards the left edge, and a line wider than the rectangle overhangs it on both sides. Lines
// may lie partly outside `rect`: the caller clips to it. An empty text gives no lines.
TTextLayout LayoutText(std::string_view text, const TRect& rect, TDrawTextFlags flags,
                       const ITextMetrics& metrics);

}  // namespace zelvorn
