#include "core/settings_tree.hpp"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "core/atomic_file.hpp"
#include "core/profile_file.hpp"

namespace kro {

namespace {

constexpr std::string_view kHeader = "KRO settings tree 1";

bool iless(const std::string& a, const std::string& b) { return to_upper(a) < to_upper(b); }

std::string quote(std::string_view s) {
    std::string out = "\"";
    for (char c : s) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '"': out += "\\\""; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default: out += c;
        }
    }
    return out + "\"";
}

// Reads a quoted string at the start of `s`; advances `s` past it.
std::optional<std::string> unquote(std::string_view& s) {
    if (s.empty() || s.front() != '"') return std::nullopt;
    std::string out;
    std::size_t i = 1;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c == '"') break;
        if (c == '\\') {
            if (++i >= s.size()) return std::nullopt;
            switch (s[i]) {
                case 'n': c = '\n'; break;
                case 'r': c = '\r'; break;
                case 't': c = '\t'; break;
                case '\\': c = '\\'; break;
                case '"': c = '"'; break;
                default: return std::nullopt;
            }
        }
        out += c;
    }
    if (i >= s.size()) return std::nullopt;
    s.remove_prefix(i + 1);
    return out;
}

std::string hex_bytes(std::string_view bytes) {
    static const char* digits = "0123456789abcdef";
    std::string out = "hex:";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (i) out += ',';
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> parse_hex(std::string_view s) {
    std::string out;
    while (!s.empty()) {
        if (s.size() < 2) return std::nullopt;
        const int hi = hex_digit(s[0]), lo = hex_digit(s[1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        out += static_cast<char>(hi * 16 + lo);
        s.remove_prefix(2);
        if (!s.empty()) {
            if (s.front() != ',') return std::nullopt;
            s.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace

std::string SettingsTree::normalize(std::string_view key) {
    std::string out;
    std::size_t i = 0;
    while (i <= key.size()) {
        const std::size_t next = std::min(key.find('\\', i), key.size());
        if (next > i) {
            if (!out.empty()) out += '\\';
            out.append(key.substr(i, next - i));
        }
        i = next + 1;
    }
    return out;
}

SettingsTree::Key& SettingsTree::ensure_key(std::string_view key) {
    const std::string path = normalize(key);
    // Parents first, as creating a key in a registry creates its parents.
    std::size_t pos = 0;
    while ((pos = path.find('\\', pos)) != std::string::npos) {
        const std::string parent = path.substr(0, pos);
        keys_.try_emplace(to_upper(parent), Key{parent, {}});
        ++pos;
    }
    return keys_.try_emplace(to_upper(path), Key{path, {}}).first->second;
}

const SettingsTree::Key* SettingsTree::find_key(std::string_view key) const {
    const auto it = keys_.find(to_upper(normalize(key)));
    return it == keys_.end() ? nullptr : &it->second;
}

Status SettingsTree::commit(KeyMap before) {
    if (path_.empty()) return {};
    if (keep_damaged_file_) {
        std::error_code ec;
        std::filesystem::copy_file(path_, path_ + ".bad", std::filesystem::copy_options::overwrite_existing, ec);
        if (ec) {
            keys_ = std::move(before);
            return Status::failure("Cannot keep the damaged settings file \"" + path_ + "\": " + ec.message());
        }
        keep_damaged_file_ = false;
    }
    Status saved = write_file_atomically(path_, text());
    if (!saved) keys_ = std::move(before);
    return saved;
}

Status SettingsTree::set_text(std::string_view key, std::string_view name, std::string_view value) {
    KeyMap before = keys_;
    Key& k = ensure_key(key);
    auto it = std::find_if(k.values.begin(), k.values.end(), [&](const Value& v) { return iequals(v.name, name); });
    if (it == k.values.end()) it = k.values.insert(k.values.end(), Value{std::string(name), Type::Text, {}});
    it->type = Type::Text;
    it->data = std::string(value);
    return commit(std::move(before));
}

Status SettingsTree::set_binary(std::string_view key, std::string_view name, std::string_view bytes) {
    KeyMap before = keys_;
    Key& k = ensure_key(key);
    auto it = std::find_if(k.values.begin(), k.values.end(), [&](const Value& v) { return iequals(v.name, name); });
    if (it == k.values.end()) it = k.values.insert(k.values.end(), Value{std::string(name), Type::Binary, {}});
    it->type = Type::Binary;
    it->data = std::string(bytes);
    return commit(std::move(before));
}

Status SettingsTree::set_double(std::string_view key, std::string_view name, double value) {
    char bytes[sizeof(double)];
    std::memcpy(bytes, &value, sizeof value);
    return set_binary(key, name, std::string_view(bytes, sizeof bytes));
}

Status SettingsTree::set_default(std::string_view key, std::string_view value) { return set_text(key, "", value); }

Status SettingsTree::create_key(std::string_view key) {
    KeyMap before = keys_;
    ensure_key(key);
    return commit(std::move(before));
}

Status SettingsTree::delete_value(std::string_view key, std::string_view name) {
    const auto it = keys_.find(to_upper(normalize(key)));
    if (it == keys_.end()) return {};
    KeyMap before = keys_;
    std::erase_if(it->second.values, [&](const Value& v) { return iequals(v.name, name); });
    return commit(std::move(before));
}

Status SettingsTree::delete_key(std::string_view key) {
    const std::string upper = to_upper(normalize(key));
    if (upper.empty()) return {};
    KeyMap before = keys_;
    // Subkeys first, deepest first, then the key itself.
    std::vector<std::string> doomed;
    for (const auto& [id, k] : keys_)
        if (id == upper || id.starts_with(upper + "\\")) doomed.push_back(id);
    std::sort(doomed.begin(), doomed.end(), [](const std::string& a, const std::string& b) {
        return std::count(a.begin(), a.end(), '\\') > std::count(b.begin(), b.end(), '\\');
    });
    for (const std::string& id : doomed) keys_.erase(id);
    return commit(std::move(before));
}

bool SettingsTree::key_exists(std::string_view key) const { return find_key(key) != nullptr; }

std::optional<SettingsTree::Value> SettingsTree::get(std::string_view key, std::string_view name) const {
    const Key* k = find_key(key);
    if (!k) return std::nullopt;
    for (const Value& v : k->values)
        if (iequals(v.name, name)) return v;
    return std::nullopt;
}

std::optional<std::string> SettingsTree::get_text(std::string_view key, std::string_view name) const {
    auto v = get(key, name);
    if (!v || v->type != Type::Text) return std::nullopt;
    return v->data;
}

std::optional<std::string> SettingsTree::get_binary(std::string_view key, std::string_view name) const {
    auto v = get(key, name);
    if (!v || v->type != Type::Binary) return std::nullopt;
    return v->data;
}

std::optional<double> SettingsTree::get_double(std::string_view key, std::string_view name) const {
    auto bytes = get_binary(key, name);
    if (!bytes || bytes->size() != sizeof(double)) return std::nullopt;
    double value = 0.0;
    std::memcpy(&value, bytes->data(), sizeof value);
    return value;
}

std::optional<std::string> SettingsTree::get_default(std::string_view key) const { return get_text(key, ""); }

std::vector<std::string> SettingsTree::subkeys(std::string_view key) const {
    const std::string upper = to_upper(normalize(key));
    const std::string prefix = upper.empty() ? "" : upper + "\\";
    std::vector<std::string> out;
    for (const auto& [id, k] : keys_) {
        if (!id.starts_with(prefix) || id.size() == prefix.size()) continue;
        if (id.find('\\', prefix.size()) != std::string::npos) continue;
        out.push_back(k.path.substr(prefix.size()));
    }
    std::sort(out.begin(), out.end(), iless);
    return out;
}

std::vector<SettingsTree::Value> SettingsTree::values(std::string_view key) const {
    const Key* k = find_key(key);
    if (!k) return {};
    std::vector<Value> out = k->values;
    std::sort(out.begin(), out.end(), [](const Value& a, const Value& b) { return iless(a.name, b.name); });
    return out;
}

std::string SettingsTree::text() const {
    std::string out(kHeader);
    out += '\n';
    for (const auto& [id, k] : keys_) {
        out += "\n[" + k.path + "]\n";
        for (const Value& v : k.values) {
            out += v.name.empty() ? std::string("@") : quote(v.name);
            out += '=';
            out += v.type == Type::Text ? quote(v.data) : hex_bytes(v.data);
            out += '\n';
        }
    }
    return out;
}

Status SettingsTree::parse(std::string_view text) {
    std::vector<int> bad_lines;
    Key* current = nullptr;
    int number = 0;
    bool header_seen = false;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view line = text.substr(0, nl);
        text = (nl == std::string_view::npos) ? std::string_view{} : text.substr(nl + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (number == 1 && line == kHeader) {
            header_seen = true;
            continue;
        }
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3) {
                bad_lines.push_back(number);
                current = nullptr;
                continue;
            }
            current = &ensure_key(line.substr(1, line.size() - 2));
            continue;
        }
        std::string_view rest = line;
        std::optional<std::string> name;
        if (rest.front() == '@') {
            name = std::string();
            rest.remove_prefix(1);
        } else {
            name = unquote(rest);
        }
        if (!current || !name || rest.empty() || rest.front() != '=') {
            bad_lines.push_back(number);
            continue;
        }
        rest.remove_prefix(1);
        Value value;
        value.name = *name;
        if (rest.starts_with("hex:")) {
            auto bytes = parse_hex(rest.substr(4));
            if (!bytes) {
                bad_lines.push_back(number);
                continue;
            }
            value.type = Type::Binary;
            value.data = std::move(*bytes);
        } else {
            auto s = unquote(rest);
            if (!s || !rest.empty()) {
                bad_lines.push_back(number);
                continue;
            }
            value.data = std::move(*s);
        }
        std::erase_if(current->values, [&](const Value& v) { return iequals(v.name, value.name); });
        current->values.push_back(std::move(value));
    }
    if (!header_seen && number > 0) bad_lines.insert(bad_lines.begin(), 1);
    if (bad_lines.empty()) return {};
    std::string lines;
    for (std::size_t i = 0; i < bad_lines.size() && i < 10; ++i) lines += (i ? ", " : "") + std::to_string(bad_lines[i]);
    if (bad_lines.size() > 10) lines += ", ...";
    return Status::failure("The settings file \"" + path_ + "\" is damaged (lines " + lines +
                           "); those lines are ignored");
}

Status SettingsTree::load(const std::string& path) {
    path_ = path;
    keys_.clear();
    keep_damaged_file_ = false;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {};
    std::string content;
    Status read = read_whole_file(path, content);
    if (!read) {
        // Writing over a file we could not read would lose it.
        keep_damaged_file_ = true;
        return Status::failure(read.message() + "; the default settings are used");
    }
    Status parsed = parse(content);
    if (!parsed) keep_damaged_file_ = true;
    return parsed;
}

}  // namespace kro
