#pragma once
// The per-user settings tree: keys named by paths separated by backslashes
// ("KRO\Time\FUR\BHZ"), each key holding named values of type text or
// binary and an optional default value (the value with the empty name).
// Key and value names compare without regard to case and keep the spelling
// they were created with.
//
// The tree is kept in one readable text file, written atomically after
// every change:
//
//   KRO settings tree 1
//
//   [KRO\Time\FUR\BHZ]
//   "Tbegin"=hex:00,00,00,00,80,3a,d3,41
//   @="default value"
//   "Low"="1.5"
//
// Strings are written between double quotes with \\, \", \n, \r and \t
// escaped; binary values as comma-separated hex bytes.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.hpp"

namespace kro {

class SettingsTree {
public:
    enum class Type { Text, Binary };
    struct Value {
        std::string name;  // empty for the default value
        Type type = Type::Text;
        std::string data;  // the text, or the bytes of a binary value
    };

    SettingsTree() = default;

    // Reads the tree from `path`; without a file the tree starts empty. Lines
    // that cannot be read are skipped and reported in the returned status
    // (the rest of the tree is kept); before the next write the damaged file
    // is kept as "<path>.bad" so nothing is lost.
    Status load(const std::string& path);
    const std::string& path() const { return path_; }
    // Memory only: nothing is written until a path is set.
    void set_path(std::string path) { path_ = std::move(path); }

    // Writing creates the key and its parents. Each call saves the file; on
    // failure the tree in memory is left as it was before the call.
    Status set_text(std::string_view key, std::string_view name, std::string_view value);
    Status set_binary(std::string_view key, std::string_view name, std::string_view bytes);
    Status set_double(std::string_view key, std::string_view name, double value);  // 8-byte binary
    Status set_default(std::string_view key, std::string_view value);
    Status create_key(std::string_view key);
    Status delete_value(std::string_view key, std::string_view name);
    // Deletes the key's subkeys depth first, then the key itself.
    Status delete_key(std::string_view key);

    bool key_exists(std::string_view key) const;
    std::optional<Value> get(std::string_view key, std::string_view name) const;
    std::optional<std::string> get_text(std::string_view key, std::string_view name) const;
    std::optional<std::string> get_binary(std::string_view key, std::string_view name) const;
    std::optional<double> get_double(std::string_view key, std::string_view name) const;
    std::optional<std::string> get_default(std::string_view key) const;

    // Names of the direct subkeys of `key` ("" for the top), sorted without
    // regard to case.
    std::vector<std::string> subkeys(std::string_view key) const;
    // The values of a key, sorted by name without regard to case.
    std::vector<Value> values(std::string_view key) const;

    std::string text() const;

private:
    struct Key {
        std::string path;  // as first spelled, without leading/trailing backslashes
        std::vector<Value> values;
    };
    using KeyMap = std::map<std::string, Key>;  // by upper-cased path

    static std::string normalize(std::string_view key);
    Key& ensure_key(std::string_view key);
    const Key* find_key(std::string_view key) const;
    Status commit(KeyMap before);
    Status parse(std::string_view text);

    std::string path_;
    KeyMap keys_;
    bool keep_damaged_file_ = false;
};

}  // namespace kro
