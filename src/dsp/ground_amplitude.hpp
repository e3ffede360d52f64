#pragma once
// Ground amplitudes (micrometres) from a peak-to-peak value and period
// measured on a trace pane.
//
// By AFR: a filtered trace (type below 1000) is in counts; the channel's
// AFR at 1/T (from CALIBRATION, else from its AFR file) turns counts into
// ground motion, divided by the CALIB of the file the measurement lies in.
// By calib: the data block holding the measurement gives calib, and
// a = T * P * calib / 1000. A converted trace (type 1000 or above) is in
// nanometres by either way: a = P / 1000, divided by the simulated
// instrument's magnification at 1/T when amplitudes are normalised.
// The amplitude is half of a. Problems are reported through the messenger
// and end the measurement.

#include <functional>
#include <optional>
#include <string>

#include "core/messenger.hpp"
#include "core/status.hpp"
#include "core/time.hpp"
#include "data/data_block.hpp"

namespace kro {

struct AmplitudeMeasurement {
    std::string sta;
    std::string chan;
    int processed_type = 0;     // filter-record type of the pane's processed trace
    double peak_to_peak = 0.0;  // P, in the trace's units
    double period = 0.0;        // T, s
    EpochTime t1 = 0.0;         // start of the measured interval
    bool normalize = false;     // "Normalize amplitude"
};

struct GroundAmplitude {
    double amplitude = 0.0;       // micrometres, half of the peak-to-peak ground motion
    double period = 0.0;          // s
    double magnification = -1.0;  // instrument magnification divided out, or -1
    EpochTime time = 0.0;         // t1
};

// Runs a SELECT and gives the first column of the first row as text, or
// nothing when there is no row; a failure carries the driver's message.
using QueryFirstText = std::function<Status(const std::string& sql, std::optional<std::string>& value)>;

// Ground amplitude by AFR. `afr_file` is the path of the channel's AFR file
// (empty when the channel has none); with `wfd` (key WFD of section
// DATABASE non-zero) no FILELIST calibration is applied.
std::optional<GroundAmplitude> ground_amplitude_afr(const AmplitudeMeasurement& m, const QueryFirstText& query,
                                                    const std::string& afr_file, bool wfd, Messenger& messenger);

// Ground amplitude by the calib of the data block holding t1 (`block_calib`,
// nothing when no block holds it).
std::optional<GroundAmplitude> ground_amplitude_calib(const AmplitudeMeasurement& m,
                                                      std::optional<double> block_calib, Messenger& messenger);

// The calib of the first block of `blocks` whose span [start, end) holds t.
std::optional<double> block_calib_at(const KRODataBlockArray& blocks, EpochTime t);

}  // namespace kro
