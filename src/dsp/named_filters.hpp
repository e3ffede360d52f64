#pragma once
// Named filters kept in the per-user settings tree under
// "KRO\Butter Filter\<name>", each with the text values "Low", "High",
// "FilterType" ("BP", "LP", "BR", "HP"; "SPWWSS" is read too), "ZeroPhase"
// ("TRUE"/"FALSE") and "FilterOrder" ("%d").

#include <string>
#include <string_view>
#include <vector>

#include "core/settings_tree.hpp"
#include "core/status.hpp"
#include "dsp/filter_record.hpp"

namespace kro {

inline constexpr std::string_view kNamedFiltersKey = "KRO\\Butter Filter";

// The names of the stored filters.
std::vector<std::string> named_filters(const SettingsTree& tree);

// Reads a stored filter; missing values take their defaults ("0.7", "1.4",
// "BP", "TRUE", "3"); an unknown type text gives band-pass; numbers are
// read as far as they go ("abc" gives 0).
FilterRecord read_named_filter(const SettingsTree& tree, std::string_view name);

// Stores the record's texts, type, zero-phase flag and order under `name`.
// An empty name, a name with a backslash (it would make nested keys) or a
// type without a stored text is refused; nothing is written then.
Status save_named_filter(SettingsTree& tree, std::string_view name, const FilterRecord& record);

// Deletes the stored filter and all its values.
Status remove_named_filter(SettingsTree& tree, std::string_view name);

}  // namespace kro
