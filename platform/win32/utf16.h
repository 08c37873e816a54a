#pragma once

#include <string>
#include <string_view>

namespace zelvorn {

// The program keeps its texts in UTF-8; Windows' "W" calls take UTF-16. Bytes that are not UTF-8
// become U+FFFD, and unpaired surrogates become U+FFFD on the way back, so neither fails.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace zelvorn
