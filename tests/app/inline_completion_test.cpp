#include "app/inline_completion.h"

#include <gtest/gtest.h>

namespace zelvorn {
namespace {

TEST(InlineCompletionTest, CompletesFromTheFirstItemThatExtendsTheTypedText) {
  const std::vector<std::string> items{"5×5", "6×6", "9×9", "9×90"};
  const struct {
    std::string typed;
    std::optional<std::size_t> item;
  } cases[] = {
      {"", std::nullopt},     {"6", 1},    {"9", 2},    {"9×", 2},
      {"9×9", std::nullopt},  {"9×90", std::nullopt}, {"7", std::nullopt},
      {"×", std::nullopt},    {"5×5x", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(CompletingItem(items, c.typed), c.item) << c.typed;
}

}  // namespace
}  // namespace zelvorn
