#pragma once
// Number texts for files other programs read: always '.' as the decimal
// separator, whatever the user's locale.

#include <optional>
#include <string>
#include <string_view>

namespace kro {

// As printf "%<width>.<precision>f": right-aligned in `width` characters,
// longer texts are not cut.
std::string format_fixed(double value, int precision, int width = 0);
// As printf "%<width>d".
std::string format_int(long value, int width = 0);

// A decimal number at the start of `text` after leading blanks and tabs,
// read from at most `max_chars` characters (after the blanks), as scanf
// "%lf" does with a field width; '.' is the decimal separator. Nothing when
// no number starts there.
std::optional<double> scan_number(std::string_view text, std::size_t max_chars = std::string_view::npos);

}  // namespace kro
