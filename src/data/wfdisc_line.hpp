#pragma once
// One line of a CSS 3.0 wfdisc file, read by fixed columns.

#include <optional>
#include <string>
#include <string_view>

#include "core/time.hpp"

namespace kro {

inline constexpr std::size_t kWfdiscLineLength = 283;

// The columns the import uses. A field that does not parse keeps the CSS
// 3.0 no-value: "-" for texts, -9999999999.999 for time and endtime, 0 for
// calib and -1 for the other numbers. Texts lose their trailing blanks.
struct WfdiscLine {
    std::string sta = "-";
    std::string chan = "-";
    EpochTime time = -9999999999.999;
    EpochTime endtime = -9999999999.999;
    long long nsamp = -1;
    float samprate = -1.0f;  // read in single precision
    double calib = 0.0;
    double calper = -1.0;
    std::string datatype = "-";
    std::string dir = "-";
    std::string dfile = "-";
    long long foff = -1;
};

// Parses a line given without its line end; nothing unless it holds exactly
// 283 characters.
std::optional<WfdiscLine> parse_wfdisc_line(std::string_view line);

}  // namespace kro
