#pragma once
// Splitting response and calibration texts into lines and words, and
// reading numbers from them independently of the locale.

#include <string_view>
#include <vector>

namespace kro {

// Pieces of `text` between any of the `separators` (empty pieces included).
std::vector<std::string_view> split_lines(std::string_view text, std::string_view separators);
// Words separated by blanks, tabs, carriage returns or line feeds.
std::vector<std::string_view> split_words(std::string_view line);

// The whole word must be a finite number ("1.5", "-2e3", ".5", "5.", "+1").
bool parse_whole_double(std::string_view word, double& value);
bool parse_whole_long(std::string_view word, long& value);

// The number at the start of `text` after blanks, as the standard decimal
// conversion reads it; 0 when there is none ("1.4 Hz" gives 1.4, "x" 0).
double leading_double(std::string_view text);
long leading_long(std::string_view text);

}  // namespace kro

#include <cstdio>
#include <string>

namespace kro {

// printf into a string of the needed length.
template <typename... Args>
std::string printf_text(const char* format, Args... args) {
    const int size = std::snprintf(nullptr, 0, format, args...);
    if (size <= 0) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

}  // namespace kro
