#include "display/toolbar_layout.hpp"

#include <algorithm>
#include <cstdint>

namespace kro {

std::string encode_toolbar_layout(const ToolbarLayout& layout) {
    std::string bytes;
    for (const int id : layout) {
        const auto v = static_cast<std::uint32_t>(id);
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((v >> shift) & 0xFF));
    }
    return bytes;
}

std::optional<ToolbarLayout> decode_toolbar_layout(std::string_view bytes, const ToolbarDef& def) {
    if (bytes.size() % 4 != 0 || bytes.size() / 4 > kMaxToolbarButtons) return std::nullopt;
    ToolbarLayout layout;
    for (std::size_t i = 0; i < bytes.size(); i += 4) {
        std::uint32_t v = 0;
        for (int b = 3; b >= 0; --b) v = (v << 8) | static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(b)]);
        const int id = static_cast<int>(v);
        if (id != kToolbarSeparator && std::find(def.buttons.begin(), def.buttons.end(), id) == def.buttons.end())
            return std::nullopt;
        layout.push_back(id);
    }
    return layout;
}

Status save_toolbar_layout(SettingsTree& tree, std::string_view value_name, const ToolbarLayout& layout) {
    return tree.set_binary(kToolbarKey, value_name, encode_toolbar_layout(layout));
}

ToolbarLayout load_toolbar_layout(const SettingsTree& tree, std::string_view value_name, const ToolbarDef& def,
                                  bool* damaged) {
    if (damaged) *damaged = false;
    const auto stored = tree.get_binary(kToolbarKey, value_name);
    if (!stored) return def.buttons;
    if (auto layout = decode_toolbar_layout(*stored, def)) return *layout;
    if (damaged) *damaged = true;
    return def.buttons;
}

}  // namespace kro
