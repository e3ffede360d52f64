#include "dsp/detectors.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "dsp/text_numbers.hpp"

namespace kro {
namespace {

void error_box(Messenger& messenger, const std::string& text) {
    messenger.message_box(text, kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
}

// trunc(rate * seconds) as a whole count, or -1 when it is not finite or too large.
long long window_samples(double rate, double seconds) {
    const double n = std::trunc(rate * seconds);
    if (!std::isfinite(n) || n > static_cast<double>(std::numeric_limits<std::int32_t>::max())) return -1;
    return static_cast<long long>(n);
}

Status windows_too_short(const DetectorParams& p, double rate) {
    return Status::failure(printf_text("The detector windows must hold at least one sample: Tsta %g s and Tlta %g s "
                                       "at %g samples per second.",
                                       p.tsta, p.tlta, rate));
}

template <typename Detector>
std::optional<DetectionList> run(Detector& detector, std::span<const float> samples, double rate,
                                 EpochTime span_start, Messenger& messenger) {
    if (Status s = detector.start(rate); !s) {
        error_box(messenger, s.message());
        return std::nullopt;
    }
    DetectionList list;
    bool was_above = false;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const bool above = detector.step(samples[i]);
        if (above && !was_above)
            list.push_back({span_start + static_cast<double>(i) / rate, detector.params.tlta, detector.params.tsta});
        was_above = above;
    }
    return list;
}

}  // namespace

DetectorParams read_detector_params(const SettingsTree& tree, std::string_view sta, std::string_view chan) {
    const std::string key = "KRO\\Detector\\" + std::string(sta) + "\\" + std::string(chan);
    auto text = [&](std::string_view name, std::string_view fallback) {
        const auto value = tree.get_text(key, name);
        return value ? *value : std::string(fallback);
    };
    DetectorParams p;
    p.tlta = leading_double(text("Tlta", "10."));
    p.tsta = leading_double(text("Tsta", "1."));
    p.k = leading_double(text("K", "4."));
    const std::string filter = text("Filter", "0");
    p.filter = !filter.empty() && filter.front() != '0';
    return p;
}

Status CKRODetector::start(double rate) {
    const long long n_lta = window_samples(rate, params.tlta);
    const long long n_sta = window_samples(rate, params.tsta);
    if (n_lta < 1 || n_sta < 1) return windows_too_short(params, rate);
    n_lta_ = static_cast<int>(n_lta);
    n_sta_ = static_cast<int>(n_sta);
    count_ = 0;
    equal_run_ = 0;
    sta_.reset(static_cast<std::size_t>(n_sta_));
    lta_.reset(static_cast<std::size_t>(n_lta_));
    return {};
}

bool CKRODetector::step(float v) {
    const double s = sta_.add(v);
    const double l = lta_.add(v);
    equal_run_ = equal_run_ > 0 && v == previous_ ? std::min(equal_run_ + 1, n_sta_) : 1;
    previous_ = v;
    const bool above = count_ > n_lta_ + 1 && s > params.k * l && equal_run_ < n_sta_;
    ++count_;
    return above;
}

std::uint16_t CVelmoraDetector::estimate(Estimator& est, std::uint16_t t, std::uint16_t x) {
    auto e = static_cast<std::uint16_t>(est.estimate);
    std::uint16_t d;
    if (x < e) {
        d = static_cast<std::uint16_t>(e - x);
        e = static_cast<std::uint16_t>(e - d / t);
        est.remainder = static_cast<std::int16_t>(est.remainder - d % t);
    } else {
        d = static_cast<std::uint16_t>(x - e);
        e = static_cast<std::uint16_t>(e + d / t);
        est.remainder = static_cast<std::int16_t>(est.remainder + d % t);
    }
    const int g = static_cast<int>(est.remainder) / static_cast<int>(t);
    e = static_cast<std::uint16_t>(e + g);
    est.remainder = static_cast<std::int16_t>(static_cast<int>(est.remainder) % static_cast<int>(t));
    est.estimate = static_cast<std::int16_t>(e);
    return d;
}

CVelmoraDetector::Fixed CVelmoraDetector::fixed_level(double k) {
    const double whole = std::trunc(k);
    Fixed f;
    f.integer = static_cast<std::uint16_t>(static_cast<long long>(whole));
    f.fraction = static_cast<std::uint16_t>(static_cast<long long>(std::trunc((k - whole) * 65535.0)));
    return f;
}

Status CVelmoraDetector::start(double rate) {
    const long long n_lta = window_samples(rate, params.tlta);
    const long long n_sta = window_samples(rate, params.tsta);
    if (n_lta < 1 || n_sta < 1) return windows_too_short(params, rate);
    if (2 * (n_lta + n_sta) > 0xFFFF)
        return Status::failure(printf_text("The fixed-point detector counts in 16 bits: 2 x (Tlta + Tsta) may hold at "
                                           "most 65535 samples (Tsta %g s, Tlta %g s at %g samples per second).",
                                           params.tsta, params.tlta, rate));
    if (!(params.k >= 0.0 && params.k < 65536.0))
        return Status::failure(printf_text("The detection level %g does not fit the fixed-point detector.", params.k));
    n_lta_ = static_cast<std::uint16_t>(n_lta);
    n_sta_ = static_cast<std::uint16_t>(n_sta);
    period_ = static_cast<std::uint16_t>(2 * (n_lta_ + n_sta_));
    count_ = 0;
    k_ = fixed_level(params.k);
    sta_ = {};
    lta_ = {};
    ratio_ = {};
    above_ = false;
    return {};
}

bool CVelmoraDetector::step(float v) {
    // The low 16 bits of the whole part, halved into 0 ... 32767.
    const double whole = std::isfinite(v) ? std::trunc(static_cast<double>(v)) : 0.0;
    const auto bits = static_cast<std::uint16_t>(static_cast<long long>(whole));
    const auto u = static_cast<std::uint16_t>(bits >> 1);

    const std::uint16_t d = estimate(dc_, period_, u);
    estimate(sta_, n_sta_, d);
    estimate(lta_, n_lta_, d);
    const auto s = static_cast<std::uint16_t>(sta_.estimate);
    const auto l = static_cast<std::uint16_t>(lta_.estimate);
    if (l != 0) {
        ratio_.integer = static_cast<std::uint16_t>(s / l);
        ratio_.fraction = static_cast<std::uint16_t>((65535u / l) * (s % l));
    }
    above_ = ratio_.integer > k_.integer || (ratio_.integer == k_.integer && ratio_.fraction >= k_.fraction);
    const bool answer = count_ > period_ && above_;
    ++count_;
    return answer;
}

std::optional<DetectionList> run_detector(CKRODetector& detector, std::span<const float> samples, double rate,
                                          EpochTime span_start, Messenger& messenger) {
    return run(detector, samples, rate, span_start, messenger);
}

std::optional<DetectionList> run_detector(CVelmoraDetector& detector, std::span<const float> samples, double rate,
                                          EpochTime span_start, Messenger& messenger) {
    return run(detector, samples, rate, span_start, messenger);
}

std::optional<std::span<const float>> kro_detector_input(const DetectorParams& params, std::span<const float> raw,
                                                         const std::vector<float>* processed, Messenger& messenger) {
    if (!params.filter) return raw;
    if (!processed || processed->empty()) {
        error_box(messenger, "No filtered data");
        return std::nullopt;
    }
    return std::span<const float>(*processed);
}

}  // namespace kro
