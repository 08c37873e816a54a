#pragma once

// Windows' headers as the Win32 host includes them: every file of the host includes this one
// instead of <windows.h>. Windows defines as macros a few names that the program's own code
// declares (RGB, the DT_ text flags, whose values are the same, and DrawText, which would
// rename TCanvas::DrawText to DrawTextA in the host's files only); they are undefined here, so
// the program's names mean the same in every file, whichever header comes first.
#ifndef NOMINMAX
#define NOMINMAX
#endif
// The others need <windows.h> before them; <oleacc.h> holds the screen readers' IAccessible.
// clang-format off
#include <windows.h>
#include <mmsystem.h>
#include <oleacc.h>
// clang-format on

#undef RGB
#undef DrawText
#undef DT_TOP
#undef DT_LEFT
#undef DT_CENTER
#undef DT_RIGHT
#undef DT_VCENTER
#undef DT_BOTTOM
#undef DT_WORDBREAK
#undef DT_SINGLELINE
#undef DT_EXPANDTABS
#undef DT_NOPREFIX
#undef DT_EDITCONTROL
#undef DT_END_ELLIPSIS
