#pragma once

#include <cstdint>

namespace zelvorn {

// A colour value as layouts and grid properties keep it. A plain colour is $00BBGGRR, red in the
// lowest byte. With the top bit set, the low byte names one of the desktop's system colours
// instead, looked up in the palette only at paint time. clNone stands for no colour at all:
// whatever would be drawn in it is left out.
using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clNone = 0x1FFFFFFF;

inline constexpr TColor kSystemColorFlag = 0x80000000;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clHighlight = kSystemColorFlag | 13;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clInfoBk = kSystemColorFlag | 24;

constexpr bool IsSystemColor(TColor color) { return (color & 0xFF000000) == kSystemColorFlag; }
constexpr TColor RGB(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return TColor{red} | (TColor{green} << 8) | (TColor{blue} << 16);
}
constexpr std::uint8_t RedOf(TColor color) { return color & 0xFF; }
constexpr std::uint8_t GreenOf(TColor color) { return (color >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(TColor color) { return (color >> 16) & 0xFF; }

}  // namespace zelvorn
