#pragma once
// Button layouts of the tool bars as stored under KRO\TOOLBAR: one binary
// value per tool bar (named after it) and the value "TMP" that holds the
// layout a customisation started from. A layout is the list of command ids
// in order, 0 for a separator, each written as a 32-bit little-endian
// integer.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings_tree.hpp"
#include "core/status.hpp"
#include "display/command_map.hpp"

namespace kro {

inline constexpr std::string_view kToolbarKey = "KRO\\TOOLBAR";
inline constexpr std::string_view kToolbarTempValue = "TMP";
inline constexpr std::size_t kMaxToolbarButtons = 100;

using ToolbarLayout = std::vector<int>;

std::string encode_toolbar_layout(const ToolbarLayout& layout);
// Nothing when the bytes are not a whole number of ids, hold more than
// kMaxToolbarButtons entries, or name a command that `def` does not offer.
std::optional<ToolbarLayout> decode_toolbar_layout(std::string_view bytes, const ToolbarDef& def);

Status save_toolbar_layout(SettingsTree& tree, std::string_view value_name, const ToolbarLayout& layout);
// The stored layout of `def` under `value_name`; the resource layout when
// nothing usable is stored (`damaged` tells that a stored value was refused).
ToolbarLayout load_toolbar_layout(const SettingsTree& tree, std::string_view value_name, const ToolbarDef& def,
                                  bool* damaged = nullptr);

}  // namespace kro
