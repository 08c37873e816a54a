#include "controls/grid/qt/grid_keys.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "controls/grid/grid_input.h"

namespace zelvorn {
namespace {

// The Win32 host hands the grid the system's virtual-key codes as they come; the Qt host must
// arrive at the same ones.
TEST(QtGridKeysTest, QtKeysBecomeTheVirtualKeyCodes) {
  const std::pair<int, std::uint16_t> cases[] = {
      {Qt::Key_A, 0x41},
      {Qt::Key_Z, 0x5A},
      {Qt::Key_0, 0x30},
      {Qt::Key_9, 0x39},
      {Qt::Key_F1, 0x70},
      {Qt::Key_F2, kKeyF2},
      {Qt::Key_F24, 0x87},
      {Qt::Key_Backspace, 0x08},
      {Qt::Key_Tab, 0x09},
      {Qt::Key_Backtab, 0x09},  // Shift+Tab: Tab, with the shift in the modifiers
      {Qt::Key_Return, kKeyReturn},
      {Qt::Key_Enter, kKeyReturn},
      {Qt::Key_Shift, 0x10},
      {Qt::Key_Control, 0x11},
      {Qt::Key_Alt, 0x12},
      {Qt::Key_Escape, 0x1B},
      {Qt::Key_Space, 0x20},
      {Qt::Key_PageUp, kKeyPageUp},
      {Qt::Key_PageDown, kKeyPageDown},
      {Qt::Key_End, kKeyEnd},
      {Qt::Key_Home, kKeyHome},
      {Qt::Key_Left, kKeyLeft},
      {Qt::Key_Up, kKeyUp},
      {Qt::Key_Right, kKeyRight},
      {Qt::Key_Down, kKeyDown},
      {Qt::Key_Insert, 0x2D},
      {Qt::Key_Delete, 0x2E},
      // Keys the grid has no code for.
      {Qt::Key_Meta, 0},
      {Qt::Key_Adiaeresis, 0},
      {Qt::Key_unknown, 0},
  };
  for (const auto& [key, code] : cases) EXPECT_EQ(GridKey(key), code) << std::hex << key;
}

TEST(QtGridKeysTest, ModifiersAndButtonsBecomeTheShiftState) {
  using enum TShiftStateFlag;
  struct TCase {
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButtons buttons;
    TShiftState shift;
  };
  const TCase cases[] = {
      {Qt::NoModifier, Qt::NoButton, {}},
      {Qt::ShiftModifier, Qt::NoButton, {ssShift}},
      {Qt::ControlModifier | Qt::AltModifier, Qt::NoButton, {ssCtrl, ssAlt}},
      {Qt::MetaModifier | Qt::KeypadModifier, Qt::NoButton, {}},
      {Qt::NoModifier, Qt::LeftButton | Qt::MiddleButton, {ssLeft, ssMiddle}},
      {Qt::ShiftModifier, Qt::RightButton | Qt::BackButton, {ssShift, ssRight}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(GridShift(c.modifiers, c.buttons), c.shift)
        << c.modifiers.toInt() << " " << c.buttons.toInt();
  }
}

}  // namespace
}  // namespace zelvorn
