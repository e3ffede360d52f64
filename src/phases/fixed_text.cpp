#include "phases/fixed_text.hpp"

#include <charconv>
#include <cmath>

namespace kro {

namespace {

std::string pad(std::string text, int width) {
    if (width > 0 && static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

}  // namespace

std::string format_fixed(double value, int precision, int width) {
    if (std::isnan(value)) return pad("nan", width);
    if (std::isinf(value)) return pad(value < 0 ? "-inf" : "inf", width);
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
    return pad(std::string(buffer, result.ptr), width);
}

std::string format_int(long value, int width) { return pad(std::to_string(value), width); }

std::optional<double> scan_number(std::string_view text, std::size_t max_chars) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    std::string_view field = text.substr(at, max_chars);
    if (!field.empty() && field.front() == '+') field.remove_prefix(1);
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || ptr == field.data()) return std::nullopt;
    return value;
}

}  // namespace kro
