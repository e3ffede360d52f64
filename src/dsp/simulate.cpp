#include "dsp/simulate.hpp"

#include <cmath>
#include <filesystem>

#include "dsp/calibration_sql.hpp"
#include "dsp/conversion.hpp"
#include "dsp/conversion_codes.hpp"

namespace kro {
namespace {

void error_box(Messenger& messenger, const std::string& text, std::string_view caption) {
    messenger.message_box(text, caption, MessageIcon::Error, MessageButtons::Ok);
}

}  // namespace

std::optional<PolesZeros> fetch_recording_poles_zeros(const ConversionSources& sources, EpochTime t,
                                                      Messenger& messenger) {
    for (std::string_view location : kCalibrationLocations) {
        std::optional<std::string> text;
        const Status s = sources.query(
            select_calibration_sac(sources.sta, sources.chan, std::trunc(t), sources.database_kind, "", location),
            text);
        if (!s) {
            error_box(messenger, s.message(), "Database error");
            return std::nullopt;
        }
        if (!text) continue;
        PolesZeros pz;
        if (const Status parsed = parse_poles_zeros(*text, pz); !parsed) {
            error_box(messenger, parsed.message() + " (CALIBRATION of channel " + sources.chan + " station " +
                                     sources.sta + ")",
                      "");
            return std::nullopt;
        }
        return pz;
    }
    error_box(messenger, "Error opening calibration table for channel " + sources.chan + "station " + sources.sta, "");
    return std::nullopt;
}

std::optional<std::vector<float>> simulate(std::span<const float> series, double sps, int code,
                                           const ConversionSources& sources, Messenger& messenger) {
    std::vector<double> out;
    if (is_pz_conversion(code)) {
        const auto pz = fetch_recording_poles_zeros(sources, sources.span_start, messenger);
        if (!pz) return std::nullopt;
        if (const Status s = convert_by_poles_zeros(series, sps, code, *pz, out); !s) {
            error_box(messenger, s.message(), "Error");
            return std::nullopt;
        }
        return to_single_precision(out);
    }
    if (is_afr_conversion(code)) {
        std::error_code ec;
        if (sources.afr_file.empty() || !std::filesystem::is_regular_file(sources.afr_file, ec)) {
            messenger.beep();
            return std::nullopt;
        }
        AfrTable afr;
        if (const Status s = read_afr_file(sources.afr_file, afr); !s) {
            error_box(messenger, s.message(), "Error");
            return std::nullopt;
        }
        if (const Status s = convert_by_afr(series, sps, code, afr, out); !s) {
            error_box(messenger, s.message(), "Error");
            return std::nullopt;
        }
        return to_single_precision(out);
    }
    error_box(messenger, "Conversion code " + std::to_string(code) + " has no defined response.", "Error");
    return std::nullopt;
}

}  // namespace kro
