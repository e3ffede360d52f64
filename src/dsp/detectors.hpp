#pragma once
// STA/LTA onset detectors and the detection list of a trace pane.
//
// CKRODetector compares running variances: a sample is "above" when the
// short-term variance exceeds K times the long-term one, once more than
// nLTA + 1 samples came before it. A short-term window of equal values is
// never above: its running variance is 0 but for rounding, which must not
// trigger on a constant trace. CVelmoraDetector is a data logger's
// detector in 16-bit fixed point: exponential estimators of the DC level
// and of the short- and long-term mean deviation, and their ratio against
// K. A run records one detection per rising edge of "above".

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "core/messenger.hpp"
#include "core/settings_tree.hpp"
#include "core/status.hpp"
#include "core/time.hpp"
#include "dsp/moving_variance.hpp"

namespace kro {

struct DetectorParams {
    double tlta = 10.0;   // long-term window, s
    double tsta = 1.0;    // short-term window, s
    double k = 4.0;       // detection level, STA/LTA
    bool filter = false;  // detect on the filtered trace (CKRODetector only)
    bool operator==(const DetectorParams&) const = default;
};

// Reads "Tlta", "Tsta", "K" and "Filter" under "KRO\Detector\<sta>\<chan>";
// missing values take "10.", "1.", "4." and "0". Filter is on when its text
// starts with anything but '0'.
DetectorParams read_detector_params(const SettingsTree& tree, std::string_view sta, std::string_view chan);

class CKRODetector {
public:
    DetectorParams params;

    // Prepares a run at `rate` samples per second: nLTA = trunc(rate * Tlta),
    // nSTA = trunc(rate * Tsta), fresh windows, count 0. Windows shorter than
    // one sample are refused.
    Status start(double rate);
    // Feeds one sample; true when it is above the detection level.
    bool step(float v);

    int n_lta() const { return n_lta_; }
    int n_sta() const { return n_sta_; }

private:
    int n_lta_ = 0, n_sta_ = 0;
    std::int32_t count_ = 0;
    CAverage sta_, lta_;
    float previous_ = 0.0f;
    std::int32_t equal_run_ = 0;  // how many of the latest samples are equal
};

class CVelmoraDetector {
public:
    DetectorParams params;  // `filter` is not used: it always reads the raw trace

    // One exponential estimator: estimate and remainder.
    struct Estimator {
        std::int16_t estimate = 0;
        std::int16_t remainder = 0;
    };
    // Unsigned 16.16 fixed point.
    struct Fixed {
        std::uint16_t integer = 0;
        std::uint16_t fraction = 0;
    };

    // Prepares a run: window lengths as unsigned 16-bit sample counts, K in
    // fixed point, STA and LTA estimators and count reset; the DC estimator
    // keeps its level from earlier runs. Windows shorter than one sample, or
    // too long for 16 bits at this rate, are refused.
    Status start(double rate);
    bool step(float v);

    // One step of an estimator with time constant t; gives the deviation of
    // x from the estimate before the step.
    static std::uint16_t estimate(Estimator& e, std::uint16_t t, std::uint16_t x);
    // K as integer part and fraction * 65535.
    static Fixed fixed_level(double k);

    std::uint16_t n_lta() const { return n_lta_; }
    std::uint16_t n_sta() const { return n_sta_; }
    std::uint16_t period() const { return period_; }  // P = 2 (nLTA + nSTA)
    Fixed ratio() const { return ratio_; }

private:
    std::uint16_t n_lta_ = 0, n_sta_ = 0, period_ = 0;
    std::int32_t count_ = 0;
    Fixed k_{};
    Estimator dc_{}, sta_{}, lta_{};
    Fixed ratio_{};
    bool above_ = false;
};

struct Detection {
    EpochTime time = 0.0;  // onset
    double tlta = 0.0;     // windows in force, s
    double tsta = 0.0;
};
using DetectionList = std::vector<Detection>;

// Runs a detector over a pane's samples (n samples from span_start at rate
// samples per second) and gives one detection per rising edge, at
// span_start + i / rate. A refused start is shown as an error message and
// gives nothing.
std::optional<DetectionList> run_detector(CKRODetector& detector, std::span<const float> samples, double rate,
                                          EpochTime span_start, Messenger& messenger);
std::optional<DetectionList> run_detector(CVelmoraDetector& detector, std::span<const float> samples, double rate,
                                          EpochTime span_start, Messenger& messenger);

// The input of the KRO detector: the processed samples with `filter` on
// (the message "No filtered data" when the pane has none), else the raw ones.
std::optional<std::span<const float>> kro_detector_input(const DetectorParams& params, std::span<const float> raw,
                                                         const std::vector<float>* processed, Messenger& messenger);

}  // namespace kro
