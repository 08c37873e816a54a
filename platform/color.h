#pragma once

#include <cstdint>

namespace zelvorn {

// A colour as the stored layouts and the grid's properties hold it: either $00BBGGRR (red in
// the low byte) or a system colour, $800000nn with the platform's colour index nn, resolved only
// when drawing. clNone means "no colour": a step that would use it is skipped.
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
