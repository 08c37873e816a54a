#pragma once

#include "platform/color.h"
#include "platform/win32/windows_api.h"

namespace zelvorn {

// A plain colour is already a COLORREF ($00BBGGRR); a system colour's low byte is the index
// GetSysColor takes (COLOR_WINDOW, COLOR_BTNFACE, ...), read at the moment of drawing. Callers
// leave out what is drawn in clNone before asking.
inline COLORREF ToColorRef(TColor color) {
  if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0x00FFFFFF;
}

}  // namespace zelvorn
