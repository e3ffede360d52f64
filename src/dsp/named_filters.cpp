#include "dsp/named_filters.hpp"

#include "dsp/text_numbers.hpp"

namespace kro {
namespace {

std::string key_of(std::string_view name) { return std::string(kNamedFiltersKey) + "\\" + std::string(name); }

std::string text_or(const SettingsTree& tree, const std::string& key, std::string_view value,
                    std::string_view fallback) {
    const auto text = tree.get_text(key, value);
    return text ? *text : std::string(fallback);
}

Status check_name(std::string_view name) {
    if (name.empty()) return Status::failure("A filter needs a name.");
    if (name.find('\\') != std::string_view::npos)
        return Status::failure("The filter name \"" + std::string(name) + "\" must not contain a backslash.");
    return {};
}

}  // namespace

std::vector<std::string> named_filters(const SettingsTree& tree) { return tree.subkeys(kNamedFiltersKey); }

FilterRecord read_named_filter(const SettingsTree& tree, std::string_view name) {
    const std::string key = key_of(name);
    FilterRecord r;
    r.low_text = text_or(tree, key, "Low", "0.7");
    r.high_text = text_or(tree, key, "High", "1.4");
    r.low = static_cast<float>(leading_double(r.low_text));
    r.high = static_cast<float>(leading_double(r.high_text));
    r.type = filter_type_from_text(text_or(tree, key, "FilterType", "BP"));
    r.zero_phase = text_or(tree, key, "ZeroPhase", "TRUE") == "TRUE";
    r.order = static_cast<int>(leading_long(text_or(tree, key, "FilterOrder", "3")));
    return r;
}

Status save_named_filter(SettingsTree& tree, std::string_view name, const FilterRecord& record) {
    if (Status s = check_name(name); !s) return s;
    const std::string_view type = filter_type_text(record.type);
    if (record.type < kBandPass || record.type > kHighPass)
        return Status::failure("Only band-pass, low-pass, band-reject and high-pass filters can be saved.");
    const std::string key = key_of(name);
    for (const auto& [value, text] : {std::pair<std::string_view, std::string>{"Low", record.low_text},
                                      {"High", record.high_text},
                                      {"FilterType", std::string(type)},
                                      {"ZeroPhase", record.zero_phase ? "TRUE" : "FALSE"},
                                      {"FilterOrder", std::to_string(record.order)}})
        if (Status s = tree.set_text(key, value, text); !s) return s;
    return {};
}

Status remove_named_filter(SettingsTree& tree, std::string_view name) {
    if (Status s = check_name(name); !s) return s;
    const std::string key = key_of(name);
    for (const auto& value : tree.values(key))
        if (Status s = tree.delete_value(key, value.name); !s) return s;
    return tree.delete_key(key);
}

}  // namespace kro
