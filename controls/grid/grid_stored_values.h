#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zelvorn {

class TCellGrid;

// One value of a stored layout: a number, an identifier or text, or a set of identifiers.
using TStoredValue = std::variant<std::int32_t, std::string, std::vector<std::string>>;

struct TStoredProperty {
  std::string name;  // "RowCount", "Font.Height", "PrintSettings.DateFormat", …
  TStoredValue value;
};

// Binds an event ("OnClickCell") to the handler of that name ("CellGrid1ClickCell").
using TBindEvent = std::function<void(std::string_view event, std::string_view handler)>;

// Applies a grid's stored values in the order given, through the grid's setters, with the grid
// in its loading state (so that FixedColWidth and FixedRowHeight are only remembered). Values of
// features this grid does not have (printing, the search footer, filtering, the active-cell font,
// the number format, the version) are accepted and ignored. A name the grid does not know fails
// with EReadError "属性 <name> 不存在"; a value a property cannot take with EReadError
// "属性 <name> 的值无效". Events are handed to `bind_event`.
void LoadStoredGridValues(TCellGrid& grid, std::span<const TStoredProperty> values,
                          const TBindEvent& bind_event);

}  // namespace zelvorn
