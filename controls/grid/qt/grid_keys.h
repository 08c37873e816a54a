#pragma once

#include <QtCore/qnamespace.h>

#include <cstdint>

#include "controls/grid/grid_types.h"

namespace zelvorn {

// The grid reads keys in the Windows virtual-key numbering (controls/grid/grid_input.h), which the
// Win32 host gets from the system as it is. The Qt host translates Qt's keys and modifiers into
// it here.

// The grid's code for a Qt key; 0 for a key it has no code for.
std::uint16_t GridKey(int key);

// The shift state of a Qt input event: its keyboard modifiers and the mouse buttons held.
TShiftState GridShift(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = {});

}  // namespace zelvorn
