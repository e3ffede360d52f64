#include "dsp/afr.hpp"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "dsp/text_numbers.hpp"

namespace kro {
namespace {

constexpr long kMaxAfrRows = 1000000;

// Values are read as single-precision numbers, as the tables were written.
double as_single(double v) { return static_cast<double>(static_cast<float>(v)); }

bool starts_with(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

Status check_ascending(const AfrTable& t, const std::string& where) {
    for (std::size_t i = 1; i < t.size(); ++i)
        if (t.frequency[i] < t.frequency[i - 1])
            return Status::failure(where + ": frequency " + std::to_string(t.frequency[i]) + " of row " +
                                   std::to_string(i + 1) + " is below the row before; rows must ascend.");
    return {};
}

}  // namespace

Status parse_fap_text(std::string_view text, AfrTable& out) {
    AfrTable t;
    int row = 0;
    for (std::string_view line : split_lines(text, "\r\n|;")) {
        ++row;
        const auto words = split_words(line);
        if (words.empty() || starts_with(words[0], "FAP") || starts_with(words[0], "CAL")) continue;
        double f = 0.0, a = 0.0;
        if (words.size() < 2 || !parse_whole_double(words[0], f) || !parse_whole_double(words[1], a))
            return Status::failure("AFR table, row " + std::to_string(row) + ": \"" + std::string(line) +
                                   "\" is not frequency, amplitude and phase.");
        t.frequency.push_back(as_single(f));
        t.amplitude.push_back(as_single(a));
    }
    if (Status s = check_ascending(t, "AFR table"); !s) return s;
    out = std::move(t);
    return {};
}

Status read_afr_file(const std::string& path, AfrTable& out) {
    std::ifstream in(path);
    if (!in) return Status::failure("Cannot open the AFR file " + path + ".");
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad()) return Status::failure("Cannot read the AFR file " + path + ".");
    const std::string text = buffer.str();
    const auto words = split_words(text);
    long count = 0;
    if (words.empty() || !parse_whole_long(words[0], count) || count < 0 || count > kMaxAfrRows)
        return Status::failure("AFR file " + path + ": the first number must be the count of rows (0 to " +
                               std::to_string(kMaxAfrRows) + ").");
    const auto rows = static_cast<std::size_t>(count);
    if (words.size() < 1 + 2 * rows)
        return Status::failure("AFR file " + path + " is truncated: " + std::to_string(count) + " rows announced, " +
                               std::to_string((words.size() - 1) / 2) + " found.");
    AfrTable t;
    for (std::size_t i = 0; i < rows; ++i) {
        double f = 0.0, a = 0.0;
        if (!parse_whole_double(words[1 + 2 * i], f) || !parse_whole_double(words[2 + 2 * i], a))
            return Status::failure("AFR file " + path + ", row " + std::to_string(i + 1) + ": \"" +
                                   std::string(words[1 + 2 * i]) + " " + std::string(words[2 + 2 * i]) +
                                   "\" is not a frequency and an amplitude.");
        t.frequency.push_back(as_single(f));
        t.amplitude.push_back(as_single(a));
    }
    if (Status s = check_ascending(t, "AFR file " + path); !s) return s;
    out = std::move(t);
    return {};
}

std::string afr_file_path(const std::string& working_folder, std::string_view name) {
    std::string file(name);
    std::replace(file.begin(), file.end(), '\\', '/');
    std::string folder = working_folder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder + "RESPONSE/" + file;
}

namespace {

// Index of the first row with frequency >= f, or size() when none.
std::size_t first_not_below(const AfrTable& t, double f) {
    return static_cast<std::size_t>(std::lower_bound(t.frequency.begin(), t.frequency.end(), f) - t.frequency.begin());
}

double interpolate(const AfrTable& t, std::size_t i, double f) {
    if (t.frequency[i] == f) return t.amplitude[i];
    const double f0 = t.frequency[i - 1], f1 = t.frequency[i];
    return t.amplitude[i - 1] + (t.amplitude[i] - t.amplitude[i - 1]) * (f - f0) / (f1 - f0);
}

}  // namespace

double afr_amplitude_or_zero(const AfrTable& t, double f) {
    if (t.empty() || !(f >= t.frequency.front() && f <= t.frequency.back())) return 0.0;
    return interpolate(t, first_not_below(t, f), f);
}

double afr_amplitude_clamped(const AfrTable& t, double f) {
    if (t.empty()) return 0.0;
    if (!(f > t.frequency.front())) return t.amplitude.front();
    if (f >= t.frequency.back()) return t.amplitude.back();
    return interpolate(t, first_not_below(t, f), f);
}

}  // namespace kro
