#pragma once

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace zelvorn {

// A cell by column X and row Y; (0, 0) is the cell in the top-left corner.
struct TCellCoord {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  friend bool operator==(const TCellCoord&, const TCellCoord&) = default;
};

// A block of cells, bounds inclusive: Left/Top is its top-left cell, Right/Bottom its
// bottom-right cell. The selection is one.
struct TGridRect {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Right = 0;
  std::int32_t Bottom = 0;

  // The block spanned by two corner cells, whichever way round they are given.
  static TGridRect Spanning(TCellCoord a, TCellCoord b) {
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
  }
  bool Contains(TCellCoord cell) const {
    return cell.X >= Left && cell.X <= Right && cell.Y >= Top && cell.Y <= Bottom;
  }
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// A set of the enumerators of E, one bit each at the enumerator's value, stored in Bits.
template <typename E, typename Bits>
class TEnumSet {
  static_assert(std::is_enum_v<E> && std::is_unsigned_v<Bits>);

 public:
  constexpr TEnumSet() = default;
  constexpr TEnumSet(std::initializer_list<E> members) {
    for (E member : members) Include(member);
  }
  static constexpr TEnumSet FromBits(Bits bits) {
    TEnumSet set;
    set.bits_ = bits;
    return set;
  }

  constexpr bool Has(E member) const { return (bits_ & Bit(member)) != 0; }
  constexpr void Include(E member) { bits_ = static_cast<Bits>(bits_ | Bit(member)); }
  constexpr void Exclude(E member) { bits_ = static_cast<Bits>(bits_ & ~Bit(member)); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr Bits ToBits() const { return bits_; }
  friend constexpr bool operator==(const TEnumSet&, const TEnumSet&) = default;

 private:
  static constexpr Bits Bit(E member) {
    return static_cast<Bits>(Bits{1} << static_cast<int>(member));
  }
  Bits bits_ = 0;
};

// The grid's options, in their bit order.
enum class TGridOption : std::uint8_t {
  goFixedVertLine = 0,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking = 14,
};
using TGridOptions = TEnumSet<TGridOption, std::uint16_t>;

// Which scroll bars the grid's window has.
enum class TScrollStyle : std::uint8_t { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };

// One of the two scroll bars.
enum class TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };

// What a scroll-bar message asks for. "Up" also means left on the horizontal bar, "down" right.
enum class TScrollCode : std::uint8_t {
  scLineUp,
  scLineDown,
  scPageUp,
  scPageDown,
  scPosition,  // the thumb was released at the message's thumb position
  scTrack,     // the thumb is being dragged
  scTop,
  scBottom,
  scEndScroll,
};

// How a cell is to be drawn.
enum class TGridDrawStateFlag : std::uint8_t { gdSelected = 0, gdFocused = 1, gdFixed = 2 };
using TGridDrawState = TEnumSet<TGridDrawStateFlag, std::uint8_t>;

// What the mouse is doing to the grid. Only idle and selecting arise in this program; the
// sizing and moving states need options it never sets.
enum class TGridState : std::uint8_t {
  gsNormal,
  gsSelecting,
  gsRowSizing,
  gsColSizing,
  gsRowMoving,
  gsColMoving,
};

// Mouse buttons and the keys and buttons held during an input message.
enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
enum class TShiftStateFlag : std::uint8_t {
  ssShift,
  ssAlt,
  ssCtrl,
  ssLeft,
  ssRight,
  ssMiddle,
  ssDouble,
};
using TShiftState = TEnumSet<TShiftStateFlag, std::uint8_t>;

// The pointer shapes the grid asks its window for: the ordinary arrow, and the three shapes of
// middle-button panning (at rest, moving down, moving up).
enum class TGridCursor : std::uint8_t { crDefault, crPanRest, crPanDown, crPanUp };

}  // namespace zelvorn
