#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/font.h"
#include "platform/win32/windows_api.h"

namespace zelvorn {

// The program's own faces, cut to the characters of its texts: the last resort for every font
// whose face this Windows lacks, so that the Chinese texts show on a Windows without Chinese
// fonts too (and under Wine, which has none).
inline constexpr wchar_t kBuiltInFace[] = L"Zelvorn CJK";

// Registers the built-in faces, OpenType files kept as RCDATA resources of `instance` under the
// given ids, for this process alone. Returns false when one of them is missing or Windows
// refused it; the others are registered all the same.
bool RegisterBuiltInFaces(HINSTANCE instance, std::span<const int> resource_ids);

// The face that Windows draws the layout's face `name` in: the installed face of that name (宋体
// and 黑体 also under their English names SimSun and SimHei), else the built-in face. Answers
// are kept, so asking again costs nothing.
std::wstring FaceFor(std::string_view name);

// A font for drawing `font`: its Height as the logical height (below zero the glyphs' own pixel
// size, as the layouts give it), bold or normal, in FaceFor(font.Name). The caller deletes it.
HFONT CreateFontFor(const TFont& font);

}  // namespace zelvorn
