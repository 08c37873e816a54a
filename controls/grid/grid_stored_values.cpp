#include "controls/grid/grid_stored_values.h"

#include <array>
#include <map>

#include "controls/grid/cell_grid.h"
#include "platform/exceptions.h"
#include "platform/format.h"
#include "platform/messages.h"

namespace zelvorn {
namespace {

// Properties of features this grid does not have: a layout made for the full control carries
// them, and they must load without effect.
constexpr std::array<std::string_view, 3> kIgnoredGroups = {"ActiveCellFont.", "PrintSettings.",
                                                            "SearchFooter."};
constexpr std::array<std::string_view, 3> kIgnoredNames = {"Filter", "FloatFormat", "Version"};

[[noreturn]] void FailValue(std::string_view name) {
  throw EReadError(Format(messages::kInvalidPropertyValue, {name}));
}

std::int32_t AsInteger(const TStoredProperty& p) {
  if (const auto* number = std::get_if<std::int32_t>(&p.value)) return *number;
  FailValue(p.name);
}

const std::string& AsIdentifier(const TStoredProperty& p) {
  if (const auto* text = std::get_if<std::string>(&p.value)) return *text;
  FailValue(p.name);
}

const std::vector<std::string>& AsSet(const TStoredProperty& p) {
  if (const auto* set = std::get_if<std::vector<std::string>>(&p.value)) return *set;
  FailValue(p.name);
}

bool AsBoolean(const TStoredProperty& p) {
  const std::string& text = AsIdentifier(p);
  if (text == "True") return true;
  if (text == "False") return false;
  FailValue(p.name);
}

TColor AsColor(const TStoredProperty& p) {
  static const std::map<std::string_view, TColor> kNamed = {
      {"clBlack", clBlack},           {"clWhite", clWhite},         {"clGray", clGray},
      {"clSilver", clSilver},         {"clNone", clNone},           {"clWindow", clWindow},
      {"clWindowText", clWindowText}, {"clHighlight", clHighlight}, {"clBtnFace", clBtnFace},
      {"clInfoBk", clInfoBk},
  };
  if (const auto* number = std::get_if<std::int32_t>(&p.value)) {
    return static_cast<TColor>(*number);
  }
  const auto found = kNamed.find(AsIdentifier(p));
  if (found == kNamed.end()) FailValue(p.name);
  return found->second;
}

TGridOptions AsOptions(const TStoredProperty& p) {
  static const std::map<std::string_view, TGridOption> kNamed = {
      {"goFixedVertLine", TGridOption::goFixedVertLine},
      {"goFixedHorzLine", TGridOption::goFixedHorzLine},
      {"goVertLine", TGridOption::goVertLine},
      {"goHorzLine", TGridOption::goHorzLine},
      {"goRangeSelect", TGridOption::goRangeSelect},
      {"goDrawFocusSelected", TGridOption::goDrawFocusSelected},
      {"goRowSizing", TGridOption::goRowSizing},
      {"goColSizing", TGridOption::goColSizing},
      {"goRowMoving", TGridOption::goRowMoving},
      {"goColMoving", TGridOption::goColMoving},
      {"goEditing", TGridOption::goEditing},
      {"goTabs", TGridOption::goTabs},
      {"goRowSelect", TGridOption::goRowSelect},
      {"goAlwaysShowEditor", TGridOption::goAlwaysShowEditor},
      {"goThumbTracking", TGridOption::goThumbTracking},
  };
  TGridOptions options;
  for (const std::string& name : AsSet(p)) {
    const auto found = kNamed.find(name);
    if (found == kNamed.end()) FailValue(p.name);
    options.Include(found->second);
  }
  return options;
}

TScrollStyle AsScrollStyle(const TStoredProperty& p) {
  static const std::map<std::string_view, TScrollStyle> kNamed = {
      {"ssNone", TScrollStyle::ssNone},
      {"ssHorizontal", TScrollStyle::ssHorizontal},
      {"ssVertical", TScrollStyle::ssVertical},
      {"ssBoth", TScrollStyle::ssBoth},
  };
  const auto found = kNamed.find(AsIdentifier(p));
  if (found == kNamed.end()) FailValue(p.name);
  return found->second;
}

// A font's own values; false when `field` is none of them.
bool ApplyFontValue(TFont& font, std::string_view field, const TStoredProperty& p) {
  if (field == "Name") {
    font.Name = AsIdentifier(p);
  } else if (field == "Height") {
    font.Height = AsInteger(p);
  } else if (field == "Color") {
    font.Color = AsColor(p);
  } else if (field == "Style") {
    font.Bold = false;
    for (const std::string& style : AsSet(p)) {
      if (style == "fsBold") {
        font.Bold = true;
      } else if (style != "fsItalic" && style != "fsUnderline" && style != "fsStrikeOut") {
        FailValue(p.name);
      }
    }
  } else if (field != "Charset") {  // every font here uses the default character set
    return false;
  }
  return true;
}

bool IsIgnored(std::string_view name) {
  for (std::string_view group : kIgnoredGroups) {
    if (name.starts_with(group)) return true;
  }
  for (std::string_view ignored : kIgnoredNames) {
    if (name == ignored) return true;
  }
  return false;
}

using TSetter = void (*)(TCellGrid&, const TStoredProperty&);

const std::map<std::string_view, TSetter>& Setters() {
  static const std::map<std::string_view, TSetter> kSetters = {
      {"ColCount", [](TCellGrid& g, const TStoredProperty& p) { g.SetColCount(AsInteger(p)); }},
      {"RowCount", [](TCellGrid& g, const TStoredProperty& p) { g.SetRowCount(AsInteger(p)); }},
      {"FixedCols", [](TCellGrid& g, const TStoredProperty& p) { g.SetFixedCols(AsInteger(p)); }},
      {"FixedRows", [](TCellGrid& g, const TStoredProperty& p) { g.SetFixedRows(AsInteger(p)); }},
      {"DefaultColWidth",
       [](TCellGrid& g, const TStoredProperty& p) { g.SetDefaultColWidth(AsInteger(p)); }},
      {"DefaultRowHeight",
       [](TCellGrid& g, const TStoredProperty& p) { g.SetDefaultRowHeight(AsInteger(p)); }},
      {"FixedColWidth",
       [](TCellGrid& g, const TStoredProperty& p) { g.SetFixedColWidth(AsInteger(p)); }},
      {"FixedRowHeight",
       [](TCellGrid& g, const TStoredProperty& p) { g.SetFixedRowHeight(AsInteger(p)); }},
      {"Options", [](TCellGrid& g, const TStoredProperty& p) { g.SetOptions(AsOptions(p)); }},
      {"ScrollBars",
       [](TCellGrid& g, const TStoredProperty& p) { g.SetScrollBars(AsScrollStyle(p)); }},
      {"Color", [](TCellGrid& g, const TStoredProperty& p) { g.SetColor(AsColor(p)); }},
      {"FixedColor", [](TCellGrid& g, const TStoredProperty& p) { g.SetFixedColor(AsColor(p)); }},
      {"GridLineColor",
       [](TCellGrid& g, const TStoredProperty& p) { g.SetGridLineColor(AsColor(p)); }},
      {"GridLineWidth",
       [](TCellGrid& g, const TStoredProperty& p) { g.SetGridLineWidth(AsInteger(p)); }},
      {"SelectionColor",
       [](TCellGrid& g, const TStoredProperty& p) { g.SetSelectionColor(AsColor(p)); }},
      {"SelectionTextColor",
       [](TCellGrid& g, const TStoredProperty& p) { g.SetSelectionTextColor(AsColor(p)); }},
      {"ShowSelection",
       [](TCellGrid& g, const TStoredProperty& p) { g.SetShowSelection(AsBoolean(p)); }},
      {"WordWrap", [](TCellGrid& g, const TStoredProperty& p) { g.SetWordWrap(AsBoolean(p)); }},
  };
  return kSetters;
}

void ApplyValue(TCellGrid& grid, const TStoredProperty& p, const TBindEvent& bind_event) {
  const std::string_view name = p.name;
  if (const auto setter = Setters().find(name); setter != Setters().end()) {
    setter->second(grid, p);
    return;
  }
  if (name.starts_with("Font.") || name.starts_with("FixedFont.")) {
    const bool fixed = name.starts_with("FixedFont.");
    TFont font = fixed ? grid.FixedFont() : grid.Font();
    if (!ApplyFontValue(font, name.substr(name.find('.') + 1), p)) {
      throw EReadError(Format(messages::kUnknownProperty, {name}));
    }
    fixed ? grid.SetFixedFont(font) : grid.SetFont(font);
    return;
  }
  if (name.starts_with("On")) {
    bind_event(name, AsIdentifier(p));
    return;
  }
  if (!IsIgnored(name)) throw EReadError(Format(messages::kUnknownProperty, {name}));
}

}  // namespace

void LoadStoredGridValues(TCellGrid& grid, std::span<const TStoredProperty> values,
                          const TBindEvent& bind_event) {
  grid.SetLoading(true);
  try {
    for (const TStoredProperty& p : values) ApplyValue(grid, p, bind_event);
  } catch (...) {
    grid.SetLoading(false);
    throw;
  }
  grid.SetLoading(false);
}

}  // namespace zelvorn
