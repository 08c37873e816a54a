#include "platform/format.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/exceptions.h"

namespace zelvorn {
namespace {

struct FormatCase {
  const char* name;
  std::string result;
  const char* expected;
};

TEST(FormatTest, DirectivesGiveTheRuntimesText) {
  const std::int32_t minus_one = -1;
  const std::vector<FormatCase> cases = {
      {"plain decimal", Format("%d", {42}), "42"},
      {"negative decimal", Format("%d", {-42}), "-42"},
      {"precision pads with zeros", Format("%.2d", {5}), "05"},
      {"precision with a leading zero", Format("%.02d", {7}), "07"},
      {"left-justify without width changes nothing", Format("%-.2d", {5}), "05"},
      {"more digits than the precision stay whole", Format("%.2d", {123}), "123"},
      {"sign stands before the zeros", Format("%.2d", {-1}), "-01"},
      {"width pads on the left", Format("[%5d]", {42}), "[   42]"},
      {"left-justified width pads on the right", Format("[%-5d]", {42}), "[42   ]"},
      {"width and precision", Format("[%6.3d]", {7}), "[   007]"},
      {"width from the arguments", Format("[%*d]", {4, 7}), "[   7]"},
      {"upper-case hex", Format("%x", {255}), "FF"},
      {"hex of a negative 32-bit value", Format("%x", {minus_one}), "FFFFFFFF"},
      {"hex with precision", Format("$%.4x", {0x1F}), "$001F"},
      {"unsigned", Format("%u", {std::uint32_t{4000000000u}}), "4000000000"},
      {"text", Format("'%s' 不是", {"abc"}), "'abc' 不是"},
      {"text cut by precision", Format("%.2s", {"abcdef"}), "ab"},
      {"precision never splits a character", Format("%.4s", {"中文"}), "中"},
      {"percent sign", Format("100%%", {}), "100%"},
      {"argument index", Format("%1:s %0:s %s", {"a", "b"}), "b a b"},
      {"upper-case type letter", Format("%D", {3}), "3"},
      {"several arguments", Format("%d秒%s", {30, "良好"}), "30秒良好"},
  };
  for (const FormatCase& c : cases) {
    EXPECT_EQ(c.result, c.expected) << c.name;
  }
}

TEST(FormatTest, PointerIsZeroPaddedUpperCaseHex) {
  const void* pointer = reinterpret_cast<const void*>(std::uintptr_t{0xABC});
  const std::string text = Format("%p", {pointer});
  EXPECT_EQ(text.size(), sizeof(void*) * 2);
  EXPECT_EQ(text.substr(text.size() - 4), "0ABC");
  EXPECT_EQ(text.find_first_not_of('0'), text.size() - 3);
}

TEST(FormatTest, DirectivesThatDoNotFitTheirArgumentsFail) {
  struct FailingCase {
    const char* format;
    std::function<std::string()> call;
  };
  const std::vector<FailingCase> cases = {
      {"%d", [] { return Format("%d", {"x"}); }},
      {"%s", [] { return Format("%s", {1}); }},
      {"%p", [] { return Format("%p", {1}); }},
      {"%d %d", [] { return Format("%d %d", {1}); }},
      {"%q", [] { return Format("%q", {1}); }},
      {"50%", [] { return Format("50%", {1}); }},
  };
  for (const FailingCase& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no error for " << c.format;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("格式 '") + c.format + "' 无效或与参数不兼容");
    }
  }
}

TEST(StrToIntTest, AcceptsSignedDecimalsWithin32Bits) {
  const std::vector<std::pair<const char*, std::int32_t>> cases = {
      {"0", 0},           {"7", 7},          {"25", 25},
      {"-7", -7},         {"+7", 7},         {"007", 7},
      {"2147483647", 2147483647},            {"-2147483648", -2147483647 - 1},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(StrToInt(text), value) << text;
  }
}

TEST(StrToIntTest, RejectsEverythingElseWithTheConversionMessage) {
  for (const char* text : {"", " 1", "1 ", "1a", "abc", "+-1", "-+1", "-", "+", "2147483648",
                           "-2147483649", "99999999999", "1.0", "0x10", "一"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' 不是一个有效的整形值");
      EXPECT_STREQ(e.ClassName(), "EConvertError");
    }
  }
}

}  // namespace
}  // namespace zelvorn
