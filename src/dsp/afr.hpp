#pragma once
// Amplitude-frequency responses (AFR) of recording channels: a table of
// frequency (Hz) and amplitude rows in ascending frequency, from the FAP
// column of CALIBRATION or from a channel's AFR file.

#include <string>
#include <string_view>
#include <vector>

#include "core/status.hpp"

namespace kro {

struct AfrTable {
    std::vector<double> frequency;  // Hz, ascending
    std::vector<double> amplitude;

    std::size_t size() const { return frequency.size(); }
    bool empty() const { return frequency.empty(); }
};

// FAP text: rows separated by carriage return, line feed, '|' or ';'; blank
// rows and rows beginning with "FAP" or "CAL" are skipped; every other row
// holds frequency, amplitude and (unused) phase. A row without two numbers,
// or a frequency below the previous one, is an error naming the row; `out`
// is then left as it was. Text with no rows gives an empty table.
Status parse_fap_text(std::string_view text, AfrTable& out);

// AFR file: a count followed by that many "frequency amplitude" pairs.
// A file that is missing or unreadable, a bad count, a truncated or
// non-numeric list, or descending frequencies give an error naming the file.
Status read_afr_file(const std::string& path, AfrTable& out);

// Where a channel's AFR file lives: <working folder>/RESPONSE/<name>.
// Backslashes in the stored name are read as folder separators.
std::string afr_file_path(const std::string& working_folder, std::string_view name);

// The amplitude at f (Hz) by linear interpolation between neighbouring
// rows, or the amplitude of a row at exactly f. Outside the table:
double afr_amplitude_or_zero(const AfrTable& table, double f);  // 0
double afr_amplitude_clamped(const AfrTable& table, double f);  // first or last amplitude

}  // namespace kro
