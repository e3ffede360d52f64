#pragma once
// A configuration file in the profile format: "[Section]" lines and
// "key=value" lines. Section and key names compare without regard to case.
//
// Reading follows the usual profile rules: names and values are trimmed,
// one pair of surrounding quotes is removed from a value, the first
// occurrence of a key wins (also across repeated sections), lines starting with ';' are
// comments and lines that are neither sections nor key=value pairs are
// ignored. Writing a key changes only that key's line; every other line,
// comment and blank line stays as it was, and the file is replaced
// atomically.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/status.hpp"

namespace kro {

class ProfileFile {
public:
    ProfileFile() = default;

    // Reads `path`. A missing file is not an error: the profile is empty and
    // will be created on the first write. An unreadable file gives an error
    // and an empty profile.
    Status load(const std::string& path);
    // Parses profile text (no file behind it until save_as).
    void parse(std::string_view text);

    const std::string& path() const { return path_; }
    void set_path(std::string path) { path_ = std::move(path); }

    // The value of a key, or nothing when the section or key is missing.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // Text read into a buffer of `buffer_length` characters: at most
    // buffer_length - 1 characters are kept, longer values are cut.
    std::string get_text(std::string_view section, std::string_view key, std::string_view default_value,
                         std::size_t buffer_length) const;

    // A decimal integer: leading blanks and an optional sign, then the
    // digits up to the first other character ("12abc" gives 12). A missing
    // key or a value without digits gives the default.
    int get_int(std::string_view section, std::string_view key, int default_value) const;

    // Section names in file order, first spelling of each.
    std::vector<std::string> sections() const;
    // Key names of a section in file order.
    std::vector<std::string> keys(std::string_view section) const;

    // Sets one key in memory: replaces the value on the key's line, or adds
    // the key at the end of its section, or adds the section at the end.
    void set(std::string_view section, std::string_view key, std::string_view value);
    // Removes a key's line.
    void remove_key(std::string_view section, std::string_view key);
    // Removes a whole section with its keys (all occurrences).
    void remove_section(std::string_view section);

    // Writes the whole text atomically to path(); the file on disk keeps its
    // old content when this fails.
    Status save() const;
    // Sets one key and saves at once; on failure the memory copy is
    // restored so memory and file stay the same.
    Status write(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;

private:
    struct Line {
        std::string raw;      // the line as read, without its line end
        std::string section;  // for section lines: the name; for keys: the owning section
        std::string key;      // for key lines: the name as spelled
        std::string value;    // for key lines: the value as read (trimmed, unquoted)
        enum Kind { Other, Section, Key } kind = Other;
    };

    // Index of the first line of the first section named `section`, or npos.
    std::size_t find_section(std::string_view section) const;
    std::size_t find_key(std::string_view section, std::string_view key) const;

    std::string path_;
    std::vector<Line> lines_;
    std::string line_end_ = "\n";
};

// A decimal integer as the profile reads it: leading blanks, an optional
// sign, then the digits up to the first other character; the default when
// there are no digits. Values beyond the 32-bit range saturate.
int parse_decimal(std::string_view s, int default_value);

// Case-insensitive comparison of ASCII names.
bool iequals(std::string_view a, std::string_view b);
std::string to_upper(std::string_view s);
std::string trim(std::string_view s);

}  // namespace kro
