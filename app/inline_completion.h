#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvorn {

// Inline completion of an editable list's text: the first item that begins with what was typed
// and is longer than it, whose rest the list adds (selected) after the typed text. Nothing for an
// empty text, or when the text already is an item or begins none.
std::optional<std::size_t> CompletingItem(const std::vector<std::string>& items,
                                          std::string_view typed);

}  // namespace zelvorn
