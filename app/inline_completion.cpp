#include "app/inline_completion.h"

namespace zelvorn {

std::optional<std::size_t> CompletingItem(const std::vector<std::string>& items,
                                          std::string_view typed) {
  if (typed.empty()) return std::nullopt;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i] == typed) return std::nullopt;
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].size() > typed.size() && items[i].starts_with(typed)) return i;
  }
  return std::nullopt;
}

}  // namespace zelvorn
