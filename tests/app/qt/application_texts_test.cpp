#include "app/application_texts.h"

#include <gtest/gtest.h>

#include <QString>

namespace zelvorn {
namespace {

std::string QtLowerCase(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toLower().toStdString();
}

TEST(ApplicationTitleTest, TheFileNameCutAtItsFirstDotWithTheRestInLowerCase) {
  const std::pair<const char*, const char*> cases[] = {
      {"/opt/bin/TRAINER.EXE", "Trainer"},
      {"/opt/bin/MYTRAINER", "Mytrainer"},  // no dot: the full length
      {"my.table.exe", "my"},               // the first character keeps its case
      {"/work/build/app/zelvorn", "zelvorn"},
      {"/home/ÜBUNG.EXE", "Übung"},
      {"/home/a.b/Prog", "Prog"},  // a dot in a directory does not count
      {"C:\\Program Files\\Zelvorn\\ZELVORN.EXE", "Zelvorn"},
      {"/srv/训练器.exe", "训练器"},
      {"/srv/𝒳ABC", "𝒳abc"},  // a first character outside the basic plane stays whole
      {"/home/.hidden", ""},
      {"", ""},
  };
  for (const auto& [path, title] : cases) {
    EXPECT_EQ(ApplicationTitle(path, &QtLowerCase), title) << path;
  }
}

TEST(ErrorBoxTextTest, APeriodIsAddedAfterALastByteAbovePeriod) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"网格索引越界.", "网格索引越界."},
      {"'' 不是一个有效的整形值", "'' 不是一个有效的整形值."},
      {"List index out of bounds", "List index out of bounds."},
      {"wow!", "wow!"},  // "!" sorts below "."
      {"a-", "a-"},
      {"a ", "a "},
      {"a/", "a/."},  // "/" sorts just above "."
      {"42", "42."},
  };
  for (const auto& [message, text] : cases) EXPECT_EQ(ErrorBoxText(message), text) << message;
}

TEST(RuntimeErrorTextTest, NamesTheClassModuleAndAddressAboveTheMessage) {
  const auto* address = reinterpret_cast<const void*>(std::uintptr_t{0x401A2B});
  EXPECT_EQ(RuntimeErrorText("EAssertionFailed", "zelvorn", address,
                             "OleInitialize failed ($80004005) (CellGrid, 行 38167)"),
            "异常 EAssertionFailed 发生在模块 zelvorn 中的 0000000000401A2B 位置.\n"
            "OleInitialize failed ($80004005) (CellGrid, 行 38167).");
  EXPECT_EQ(RuntimeErrorText("EOutOfResources", "zelvorn", nullptr, "ends in a period."),
            "异常 EOutOfResources 发生在模块 zelvorn 中的 0000000000000000 位置.\n"
            "ends in a period.");
  // Unlike the error box's rule, any last character but "." gets one.
  EXPECT_EQ(RuntimeErrorText("E", "m", nullptr, "wow!"),
            "异常 E 发生在模块 m 中的 0000000000000000 位置.\nwow!.");
  EXPECT_EQ(RuntimeErrorText("int", "m", nullptr, ""),
            "异常 int 发生在模块 m 中的 0000000000000000 位置.\n");
}

}  // namespace
}  // namespace zelvorn
