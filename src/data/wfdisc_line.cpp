#include "data/wfdisc_line.hpp"

#include <charconv>

namespace kro {

namespace {

// Column `column` (1-based) of `width` characters.
std::string_view field(std::string_view line, std::size_t column, std::size_t width) {
    return line.substr(column - 1, width);
}

std::string_view strip(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

void read_text(std::string_view f, std::string& out) {
    // Trailing blanks go; leading blanks are part of the value.
    while (!f.empty() && (f.back() == ' ' || f.back() == '\0')) f.remove_suffix(1);
    if (!f.empty()) out = std::string(f);
}

template <typename T>
void read_number(std::string_view f, T& out) {
    f = strip(f);
    if (!f.empty() && f.front() == '+') f.remove_prefix(1);
    T value{};
    const auto [ptr, ec] = std::from_chars(f.data(), f.data() + f.size(), value);
    if (ec == std::errc() && ptr == f.data() + f.size() && !f.empty()) out = value;
}

}  // namespace

std::optional<WfdiscLine> parse_wfdisc_line(std::string_view line) {
    if (line.size() != kWfdiscLineLength) return std::nullopt;
    WfdiscLine w;
    read_text(field(line, 1, 6), w.sta);
    read_text(field(line, 8, 8), w.chan);
    read_number(field(line, 17, 17), w.time);
    read_number(field(line, 62, 17), w.endtime);
    read_number(field(line, 80, 8), w.nsamp);
    read_number(field(line, 89, 11), w.samprate);
    read_number(field(line, 101, 16), w.calib);
    read_number(field(line, 118, 16), w.calper);
    read_text(field(line, 144, 2), w.datatype);
    read_text(field(line, 149, 64), w.dir);
    read_text(field(line, 214, 32), w.dfile);
    read_number(field(line, 247, 10), w.foff);
    return w;
}

}  // namespace kro
