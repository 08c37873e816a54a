#include "platform/win32/utf16.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvorn {
namespace {

TEST(Utf16Test, TextsGoBothWaysUnchangedAndBrokenBytesBecomeReplacements) {
  const struct {
    std::string utf8;
    std::wstring utf16;
  } cases[] = {
      {"", L""},
      {"开始训练", L"\u5F00\u59CB\u8BAD\u7EC3"},
      {"5×5 00:00:00", L"5\u00D75 00:00:00"},
      // Beyond the basic plane: a surrogate pair.
      {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Widen(c.utf8), c.utf16) << c.utf8;
    EXPECT_EQ(Narrow(c.utf16), c.utf8) << c.utf8;
  }
  EXPECT_EQ(Widen("a\xFF" "b"), L"a\uFFFDb");
  EXPECT_EQ(Narrow(std::wstring(L"a\xD800" L"b")), "a\xEF\xBF\xBD" "b");
}

}  // namespace
}  // namespace zelvorn
