#include "dsp/ground_amplitude.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "dsp/afr.hpp"
#include "dsp/calibration_sql.hpp"
#include "dsp/filter_record.hpp"
#include "dsp/instruments.hpp"
#include "dsp/text_numbers.hpp"

namespace kro {
namespace {

// FILELIST CALIB values that mean "no calibration".
constexpr double kNoCalibration = 32484.0;

void error_box(Messenger& messenger, const std::string& text, std::string_view caption) {
    messenger.message_box(text, caption, MessageIcon::Error, MessageButtons::Ok);
}

bool check_period(const AmplitudeMeasurement& m, Messenger& messenger) {
    if (m.period > 0.0 && std::isfinite(m.period)) return true;
    error_box(messenger, "The period of the measured wave must be positive.", "Error");
    return false;
}

GroundAmplitude from_converted_trace(const AmplitudeMeasurement& m) {
    GroundAmplitude g;
    double a = m.peak_to_peak / 1000.0;
    const double r = m.normalize ? instrument_response(m.processed_type, 1.0 / m.period) : -1.0;
    if (r > 0.0) {
        a /= r;
        g.magnification = r;
    }
    g.amplitude = a / 2.0;
    g.period = m.period;
    g.time = m.t1;
    return g;
}

// printf of a format whose every argument is text.
template <typename... Texts>
std::string format_message(const char* format, const Texts&... texts) {
    const int size = std::snprintf(nullptr, 0, format, texts.c_str()...);
    std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
    std::snprintf(text.data(), text.size() + 1, format, texts.c_str()...);
    return text;
}

}  // namespace

std::optional<GroundAmplitude> ground_amplitude_afr(const AmplitudeMeasurement& m, const QueryFirstText& query,
                                                    const std::string& afr_file, bool wfd, Messenger& messenger) {
    if (!check_period(m, messenger)) return std::nullopt;
    if (m.processed_type >= kFirstConversionCode) return from_converted_trace(m);

    const double f = 1.0 / m.period;
    std::optional<double> a;
    for (std::string_view location : kCalibrationLocations) {
        std::optional<std::string> fap;
        const Status s = query(select_calibration_fap(m.sta, m.chan, std::trunc(m.t1), "", location), fap);
        if (!s) {
            error_box(messenger, s.message(), "Database error");
            return std::nullopt;
        }
        if (!fap) continue;
        AfrTable table;
        if (const Status parsed = parse_fap_text(*fap, table); !parsed) {
            error_box(messenger,
                      parsed.message() + " (CALIBRATION of channel '" + m.chan + "' station '" + m.sta + "')",
                      "Error");
            return std::nullopt;
        }
        if (table.empty()) continue;
        a = m.peak_to_peak * afr_amplitude_or_zero(table, f);
        break;
    }
    if (!a) {
        std::error_code ec;
        if (afr_file.empty() || !std::filesystem::is_regular_file(afr_file, ec)) {
            error_box(messenger,
                      format_message("File not found %s with AFR for channel '%s' station '%s'", afr_file, m.chan,
                                     m.sta),
                      "Error");
            return std::nullopt;
        }
        AfrTable table;
        if (const Status read = read_afr_file(afr_file, table); !read) {
            error_box(messenger, read.message(), "Error");
            return std::nullopt;
        }
        a = m.peak_to_peak * afr_amplitude_clamped(table, f);
    }

    double divisor = 1.0;
    if (!wfd) {
        std::optional<std::string> calib;
        const Status s = query(select_filelist_calib(m.sta, m.chan, m.t1), calib);
        if (!s) {
            error_box(messenger, s.message(), "Database error");
            return std::nullopt;
        }
        if (calib) {
            const double value = leading_double(*calib);
            if (value != kNoCalibration && value != 0.0) divisor = value;
        }
    }

    GroundAmplitude g;
    g.amplitude = *a / divisor / 2.0;
    g.period = m.period;
    g.time = m.t1;
    return g;
}

std::optional<GroundAmplitude> ground_amplitude_calib(const AmplitudeMeasurement& m,
                                                      std::optional<double> block_calib, Messenger& messenger) {
    if (!check_period(m, messenger)) return std::nullopt;
    if (m.processed_type >= kFirstConversionCode) return from_converted_trace(m);
    if (!block_calib || *block_calib == -1.0) {
        error_box(messenger, format_message("No calib and calper for channel '%s' station '%s'", m.chan, m.sta),
                  "Error KRO");
        return std::nullopt;
    }
    GroundAmplitude g;
    g.amplitude = m.period * m.peak_to_peak * *block_calib / 1000.0 / 2.0;
    g.period = m.period;
    g.time = m.t1;
    return g;
}

std::optional<double> block_calib_at(const KRODataBlockArray& blocks, EpochTime t) {
    for (const KRODataBlock& b : blocks.blocks())
        if (t >= b.start && t < b.end()) return b.calib;
    return std::nullopt;
}

}  // namespace kro
