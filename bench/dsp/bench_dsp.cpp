// Signal processing on one hour at 100 samples per second (360,000
// samples): zero-phase filtering, both instrument conversions and both
// detectors; and the FFT path of the conversions against the direct sums
// they replace, on 72,000 samples (one hour at 20 samples per second).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

#include "dsp/direct_dft.hpp"
#include "dsp/conversion.hpp"
#include "dsp/conversion_codes.hpp"
#include "dsp/detectors.hpp"
#include "dsp/moving_window_reference.hpp"
#include "dsp/filter_record.hpp"

namespace {

constexpr double kRate = 100.0;
constexpr std::size_t kHour = 360000;

std::vector<float> seismogram(std::size_t n, double rate) {
    std::vector<float> x(n);
    unsigned state = 1;
    for (std::size_t j = 0; j < n; ++j) {
        state = state * 1103515245u + 12345u;
        const double t = double(j) / rate;
        const double noise = double((state >> 8) % 2001) - 1000.0;
        const double event = t > 1800 && t < 1860 ? 20000.0 * std::sin(2 * M_PI * 1.5 * t) * std::exp(-(t - 1800) / 15) : 0;
        x[j] = static_cast<float>(5000.0 + noise + event);
    }
    return x;
}

kro::PolesZeros velocity_sensor() {
    kro::PolesZeros pz;
    pz.zeros = {0.0, 0.0};
    pz.poles = {{-4.44, 4.44}, {-4.44, -4.44}};
    pz.constant = 0.75;
    return pz;
}

void BM_ZeroPhaseBandPassOrder6(benchmark::State& state) {
    const auto input = seismogram(kHour, kRate);
    kro::FilterRecord record;
    record.type = kro::kBandPass;
    record.low = 0.5f;
    record.high = 5.0f;
    record.order = 6;
    record.zero_phase = true;
    for (auto _ : state) {
        auto x = input;
        benchmark::DoNotOptimize(kro::filter_pane(x, kRate, record));
        benchmark::DoNotOptimize(x.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kHour));
}
BENCHMARK(BM_ZeroPhaseBandPassOrder6)->Unit(benchmark::kMillisecond);

void BM_PolesZerosConversionWoodAnderson(benchmark::State& state) {
    const auto input = seismogram(kHour, kRate);
    const auto sensor = velocity_sensor();
    std::vector<double> out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kro::convert_by_poles_zeros(input, kRate, kro::kPzWoodAnderson, sensor, out));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kHour));
}
BENCHMARK(BM_PolesZerosConversionWoodAnderson)->Unit(benchmark::kMillisecond);

void BM_AfrConversionWoodAnderson(benchmark::State& state) {
    const auto input = seismogram(kHour, kRate);
    kro::AfrTable afr;
    for (int i = 0; i <= 60; ++i) {
        afr.frequency.push_back(0.01 * std::pow(10.0, i / 20.0));
        afr.amplitude.push_back(1.0 + 0.1 * i);
    }
    std::vector<double> out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kro::convert_by_afr(input, kRate, kro::kAfrWoodAnderson, afr, out));
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kHour));
}
BENCHMARK(BM_AfrConversionWoodAnderson)->Unit(benchmark::kMillisecond);

template <typename Detector>
void run_detector_bench(benchmark::State& state) {
    const auto input = seismogram(kHour, kRate);
    kro::RecordingMessenger messenger;
    std::size_t detections = 0;
    for (auto _ : state) {
        Detector detector;
        detector.params.tlta = 10.0;
        detector.params.tsta = 1.0;
        const auto list = kro::run_detector(detector, input, kRate, 0.0, messenger);
        detections = list ? list->size() : 0;
        benchmark::DoNotOptimize(detections);
    }
    state.counters["detections"] = static_cast<double>(detections);
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kHour));
}

void BM_KroDetectorTlta10s(benchmark::State& state) { run_detector_bench<kro::CKRODetector>(state); }
BENCHMARK(BM_KroDetectorTlta10s)->Unit(benchmark::kMillisecond);

void BM_VelmoraDetectorTlta10s(benchmark::State& state) { run_detector_bench<kro::CVelmoraDetector>(state); }
BENCHMARK(BM_VelmoraDetectorTlta10s)->Unit(benchmark::kMillisecond);

// The long-term average of the detector (10 s at 100 samples per second)
// over one hour: O(1) per sample against the moving window it replaces.
template <typename Average>
void run_average_bench(benchmark::State& state) {
    const auto input = seismogram(kHour, kRate);
    for (auto _ : state) {
        Average average(1000);
        double last = 0.0;
        for (float v : input) last = average.add(v);
        benchmark::DoNotOptimize(last);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(kHour));
}

void BM_CAverage1000(benchmark::State& state) { run_average_bench<kro::CAverage>(state); }
BENCHMARK(BM_CAverage1000)->Unit(benchmark::kMillisecond);

void BM_LiteralMovingWindow1000(benchmark::State& state) { run_average_bench<kro::test::LiteralMovingWindow>(state); }
BENCHMARK(BM_LiteralMovingWindow1000)->Unit(benchmark::kMillisecond);

// One poles-and-zeros conversion of 72,000 samples by the FFT path and by
// the direct sums; the counter "direct_over_fft" is the ratio of the times.
void BM_DirectSumOverFft72000(benchmark::State& state) {
    const auto input = seismogram(72000, 20.0);
    const auto sensor = velocity_sensor();
    const kro::test::DirectSumTransform direct;
    std::vector<double> out;
    double fft_seconds = 0.0, direct_seconds = 0.0;
    for (auto _ : state) {
        using Clock = std::chrono::steady_clock;
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(kro::convert_by_poles_zeros(input, 20.0, kro::kPzDisplacement, sensor, out));
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(
            kro::convert_by_poles_zeros(input, 20.0, kro::kPzDisplacement, sensor, out, direct));
        const auto t2 = Clock::now();
        fft_seconds += std::chrono::duration<double>(t1 - t0).count();
        direct_seconds += std::chrono::duration<double>(t2 - t1).count();
    }
    state.counters["fft_ms"] = 1000.0 * fft_seconds / static_cast<double>(state.iterations());
    state.counters["direct_ms"] = 1000.0 * direct_seconds / static_cast<double>(state.iterations());
    state.counters["direct_over_fft"] = direct_seconds / fft_seconds;
}
BENCHMARK(BM_DirectSumOverFft72000)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
