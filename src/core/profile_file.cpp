#include "core/profile_file.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "core/atomic_file.hpp"

namespace kro {

bool iequals(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

std::string to_upper(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string trim(std::string_view s) {
    const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return std::string(s);
}

namespace {

std::string unquote(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

Status ProfileFile::load(const std::string& path) {
    path_ = path;
    lines_.clear();
    std::string content;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return {};
    Status read = read_whole_file(path, content);
    if (!read) return read;
    parse(content);
    return {};
}

void ProfileFile::parse(std::string_view text) {
    lines_.clear();
    line_end_ = "\n";
    std::string current_section;
    bool first_line = true;
    while (!text.empty()) {
        const std::size_t nl = text.find('\n');
        std::string_view raw = text.substr(0, nl);
        text = (nl == std::string_view::npos) ? std::string_view{} : text.substr(nl + 1);
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
            if (first_line) line_end_ = "\r\n";
        }
        first_line = false;

        Line line;
        line.raw = std::string(raw);
        const std::string t = trim(raw);
        if (!t.empty() && t.front() == '[') {
            const std::size_t close = t.find(']');
            if (close != std::string::npos) {
                line.kind = Line::Section;
                current_section = trim(std::string_view(t).substr(1, close - 1));
                line.section = current_section;
            }
        } else if (!t.empty() && t.front() != ';') {
            const std::size_t eq = t.find('=');
            if (eq != std::string::npos) {
                std::string key = trim(std::string_view(t).substr(0, eq));
                if (!key.empty()) {
                    line.kind = Line::Key;
                    line.section = current_section;
                    line.key = std::move(key);
                    line.value = unquote(trim(std::string_view(t).substr(eq + 1)));
                }
            }
        }
        lines_.push_back(std::move(line));
    }
}

std::size_t ProfileFile::find_section(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::Section && iequals(lines_[i].section, section)) return i;
    return std::string::npos;
}

std::size_t ProfileFile::find_key(std::string_view section, std::string_view key) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Line::Key && iequals(lines_[i].section, section) && iequals(lines_[i].key, key))
            return i;
    return std::string::npos;
}

std::optional<std::string> ProfileFile::find(std::string_view section, std::string_view key) const {
    const std::size_t i = find_key(section, key);
    if (i == std::string::npos) return std::nullopt;
    return lines_[i].value;
}

std::string ProfileFile::get_text(std::string_view section, std::string_view key, std::string_view default_value,
                                  std::size_t buffer_length) const {
    std::string value = find(section, key).value_or(std::string(default_value));
    const std::size_t keep = buffer_length > 0 ? buffer_length - 1 : 0;
    if (value.size() > keep) value.resize(keep);
    return value;
}

int parse_decimal(std::string_view s, int default_value) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty() || !std::isdigit(static_cast<unsigned char>(s.front()))) return default_value;
    long long n = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) break;
        n = std::min(n * 10 + (c - '0'), 2147483648LL);  // saturate instead of overflowing
    }
    if (negative) n = -n;
    return static_cast<int>(std::clamp<long long>(n, -2147483647LL - 1, 2147483647LL));
}

int ProfileFile::get_int(std::string_view section, std::string_view key, int default_value) const {
    const auto value = find(section, key);
    return value ? parse_decimal(*value, default_value) : default_value;
}

std::vector<std::string> ProfileFile::sections() const {
    std::vector<std::string> out;
    for (const Line& l : lines_) {
        if (l.kind != Line::Section) continue;
        if (std::none_of(out.begin(), out.end(), [&](const std::string& s) { return iequals(s, l.section); }))
            out.push_back(l.section);
    }
    return out;
}

std::vector<std::string> ProfileFile::keys(std::string_view section) const {
    std::vector<std::string> out;
    for (const Line& l : lines_) {
        if (l.kind != Line::Key || !iequals(l.section, section)) continue;
        if (std::none_of(out.begin(), out.end(), [&](const std::string& k) { return iequals(k, l.key); }))
            out.push_back(l.key);
    }
    return out;
}

void ProfileFile::set(std::string_view section, std::string_view key, std::string_view value) {
    const std::size_t k = find_key(section, key);
    if (k != std::string::npos) {
        Line& line = lines_[k];
        line.value = std::string(value);
        line.raw = line.key + "=" + line.value;
        return;
    }
    Line line;
    line.kind = Line::Key;
    line.key = std::string(key);
    line.value = std::string(value);
    line.raw = line.key + "=" + line.value;

    const std::size_t s = find_section(section);
    if (s == std::string::npos) {
        if (!lines_.empty() && !trim(lines_.back().raw).empty()) lines_.push_back(Line{});
        Line header;
        header.kind = Line::Section;
        header.section = std::string(section);
        header.raw = "[" + header.section + "]";
        lines_.push_back(std::move(header));
        line.section = std::string(section);
        lines_.push_back(std::move(line));
        return;
    }
    // After the last key (or the header) of that section, before blank lines.
    line.section = lines_[s].section;
    std::size_t insert_at = s + 1;
    for (std::size_t i = s + 1; i < lines_.size() && lines_[i].kind != Line::Section; ++i)
        if (!trim(lines_[i].raw).empty()) insert_at = i + 1;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at), std::move(line));
}

void ProfileFile::remove_key(std::string_view section, std::string_view key) {
    const std::size_t k = find_key(section, key);
    if (k != std::string::npos) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(k));
}

void ProfileFile::remove_section(std::string_view section) {
    std::vector<Line> kept;
    bool inside = false;
    for (Line& l : lines_) {
        if (l.kind == Line::Section) inside = iequals(l.section, section);
        if (!inside) kept.push_back(std::move(l));
    }
    lines_ = std::move(kept);
}

std::string ProfileFile::text() const {
    std::string out;
    for (const Line& l : lines_) {
        out += l.raw;
        out += line_end_;
    }
    return out;
}

Status ProfileFile::save() const {
    if (path_.empty()) return Status::failure("The configuration file has no path");
    return write_file_atomically(path_, text());
}

Status ProfileFile::write(std::string_view section, std::string_view key, std::string_view value) {
    const std::vector<Line> before = lines_;
    set(section, key, value);
    Status saved = save();
    if (!saved) lines_ = before;
    return saved;
}

}  // namespace kro
