#pragma once
// Converting a pane's series by a conversion code: the recording's
// description is fetched (poles and zeros from CALIBRATION, or the
// channel's AFR file), the conversion runs, and problems are reported the
// way the pane reports them. The caller keeps its series when nothing is
// returned.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/messenger.hpp"
#include "core/time.hpp"
#include "dsp/ground_amplitude.hpp"
#include "dsp/poles_zeros.hpp"

namespace kro {

struct ConversionSources {
    std::string sta;
    std::string chan;
    EpochTime span_start = 0.0;  // start of the pane's displayed span
    int database_kind = 0;       // of the main connection
    QueryFirstText query;        // runs SELECTs on the main connection
    std::string afr_file;        // path of the channel's AFR file, empty without one
};

// The channel's poles and zeros valid at t, trying the location codes
// "??", "10" and "00" with an empty network. Without a row the message
// "Error opening calibration table for channel <chan>station <sta>" is
// shown; a database failure or an unreadable text is reported too.
std::optional<PolesZeros> fetch_recording_poles_zeros(const ConversionSources& sources, EpochTime t,
                                                      Messenger& messenger);

// Runs conversion `code` on n samples at sps samples per second and gives
// the n converted samples. A missing AFR file only beeps.
std::optional<std::vector<float>> simulate(std::span<const float> series, double sps, int code,
                                           const ConversionSources& sources, Messenger& messenger);

}  // namespace kro
