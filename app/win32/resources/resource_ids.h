#pragma once

// The ids of the Windows program's resources (zelvorn.rc), shared with the code that loads them.
// Plain macros, because the resource compiler reads this file too.
//
// The icon has a name, not a number: "MAINICON", which the application window loads with
// LoadIconW(instance, L"MAINICON").

// The built-in "Zelvorn CJK" faces, OpenType files as RCDATA, for AddFontMemResourceEx.
#define IDR_FACE_REGULAR 101
#define IDR_FACE_BOLD 102
