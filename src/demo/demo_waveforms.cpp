#include "demo/demo_waveforms.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "location/geometry.hpp"

namespace kro {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;
constexpr double kStrikeDeg = 30.0;  // as demo_p_compression

// splitmix64: a small generator whose sequence is fixed by its seed on
// every platform (the standard distributions are not).
class DemoRandom {
public:
    explicit DemoRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }  // [0, 1)
    double gaussian() {                                                            // Box-Muller
        const double u1 = 1.0 - uniform();
        const double u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(kTwoPi * u2);
    }

private:
    std::uint64_t state_;
};

std::uint64_t seed_of(int station, int stream) {
    return 0x4B524F44454D4FULL ^ (static_cast<std::uint64_t>(station) << 16) ^ static_cast<std::uint64_t>(stream);
}

// Microseisms (three swell periods) and an AR(1) high-frequency floor.
void add_noise(std::vector<double>& x, int station, int component, double sps) {
    DemoRandom rng(seed_of(station, 10 + component));
    const double micro = component == 0 ? 220.0 : 300.0;
    for (double f : {0.14, 0.19, 0.23}) {
        const double amplitude = micro * (0.5 + 0.5 * rng.uniform());
        const double phase = kTwoPi * rng.uniform();
        for (std::size_t i = 0; i < x.size(); ++i)
            x[i] += amplitude * std::sin(kTwoPi * f * static_cast<double>(i) / sps + phase);
    }
    double y = 0.0;
    const double sigma = 5.0 * std::sqrt(1.0 - 0.7 * 0.7);  // 5 counts rms
    for (double& v : x) {
        y = 0.7 * y + sigma * rng.gaussian();
        v += y;
    }
}

// Band-limited noise of unit rms around `f` Hz (a two-pole band-pass of
// white noise), `count` samples.
std::vector<double> coda_noise(DemoRandom& rng, double f, double sps, std::size_t count) {
    const double w0 = kTwoPi * f / sps;
    const double alpha = std::sin(w0) / (2.0 * 2.0);  // Q = 2
    const double a0 = 1.0 + alpha, a1 = -2.0 * std::cos(w0), a2 = 1.0 - alpha;
    std::vector<double> out(count);
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0, sum = 0.0;
    for (double& v : out) {
        const double x0 = rng.gaussian();
        const double y0 = (alpha * x0 - alpha * x2 - a1 * y1 - a2 * y2) / a0;
        x2 = x1;
        x1 = x0;
        y2 = y1;
        y1 = y0;
        v = y0;
        sum += y0 * y0;
    }
    const double rms = count ? std::sqrt(sum / static_cast<double>(count)) : 1.0;
    if (rms > 0.0)
        for (double& v : out) v /= rms;
    return out;
}

// One wave train on the vertical, radial and transverse components.
struct WaveTrain {
    EpochTime onset = 0.0;
    double frequency = 1.0;       // Hz
    double decay = 1.0;           // coda decay time, seconds
    double pulse[3] = {};         // pulse amplitude on Z, R, T (signed)
    double coda[3] = {};          // coda amplitude on Z, R, T
    int stream = 0;               // seeds of the coda noise
};

void add_train(const WaveTrain& w, int station, EpochTime start, double sps, std::vector<double> (&zrt)[3]) {
    const std::size_t count = zrt[0].size();
    const double first = std::ceil((w.onset - start) * sps);
    if (first >= static_cast<double>(count)) return;
    const std::size_t i0 = first < 0.0 ? 0 : static_cast<std::size_t>(first);
    for (int c = 0; c < 3; ++c) {
        DemoRandom rng(seed_of(station, w.stream + c));
        const std::vector<double> noise = coda_noise(rng, w.frequency, sps, count - i0);
        for (std::size_t i = i0; i < count; ++i) {
            const double t = start + static_cast<double>(i) / sps - w.onset;
            if (t < 0.0) continue;
            const double pulse = std::sin(kTwoPi * w.frequency * t) * std::exp(-1.2 * w.frequency * t);
            const double envelope = (1.0 - std::exp(-w.frequency * t / 1.5)) * std::exp(-t / w.decay);
            zrt[c][i] += w.pulse[c] * pulse + w.coda[c] * envelope * noise[i - i0];
        }
    }
}

std::vector<std::int32_t> to_counts(const std::vector<double>& x) {
    std::vector<std::int32_t> out(x.size());
    std::transform(x.begin(), x.end(), out.begin(), [](double v) {
        return static_cast<std::int32_t>(std::lround(std::clamp(v, -double(kDemoClip), double(kDemoClip))));
    });
    return out;
}

}  // namespace

double demo_p_amplitude(double hypocentral_km, double magnitude) {
    return 25000.0 * std::pow(10.0, magnitude - 3.5) * std::pow(100.0 / hypocentral_km, 1.3);
}

double demo_s_amplitude(double hypocentral_km, double magnitude) {
    return 3.0 * demo_p_amplitude(hypocentral_km, magnitude);
}

double demo_p_frequency(double hypocentral_km) { return 1.5 + 7.0 / (1.0 + hypocentral_km / 150.0); }

DemoTraces demo_traces(const DemoArrival& a, const DemoEvent& event, EpochTime start, std::size_t count, double sps) {
    std::vector<double> zrt[3] = {std::vector<double>(count), std::vector<double>(count), std::vector<double>(count)};
    const double r = a.hypocentral_km;
    const double two_phi = 2.0 * (a.azimuth - kStrikeDeg) * kDegreesToRadians;
    const double p_radiation = std::sin(two_phi);
    const double s_radiation = std::cos(two_phi);
    // Nodal directions still show some of each wave (scattering, a source
    // that is not quite pure strike-slip).
    const double p_size = demo_p_amplitude(r, event.magnitude) * (0.5 + 0.5 * std::abs(p_radiation));
    const double s_size = demo_s_amplitude(r, event.magnitude) * (0.5 + 0.5 * std::abs(s_radiation));
    const double p_sign = demo_p_compression(a.azimuth) ? 1.0 : -1.0;
    const double s_sign = s_radiation >= 0.0 ? 1.0 : -1.0;

    WaveTrain p;
    p.onset = a.p_time;
    p.frequency = demo_p_frequency(r);
    p.decay = 1.5 + r / 100.0;
    p.pulse[0] = p_sign * p_size;         // up for compression
    p.pulse[1] = p_sign * 0.35 * p_size;  // and away from the source
    p.coda[0] = 0.6 * p_size;
    p.coda[1] = 0.3 * p_size;
    p.coda[2] = 0.2 * p_size;
    p.stream = 100;

    WaveTrain s;
    s.onset = a.s_time;
    s.frequency = 0.6 * p.frequency;
    s.decay = 3.0 + r / 40.0;
    s.pulse[0] = 0.25 * s_sign * s_size;
    s.pulse[1] = 0.45 * s_sign * s_size;
    s.pulse[2] = s_sign * s_size;
    s.coda[0] = 0.3 * s_size;
    s.coda[1] = 0.6 * s_size;
    s.coda[2] = 0.6 * s_size;
    s.stream = 200;

    add_train(p, a.station, start, sps, zrt);
    add_train(s, a.station, start, sps, zrt);

    // Radial and transverse to north and east: the radial points from the
    // epicentre to the station, the transverse 90 degrees clockwise of it.
    const double az = a.azimuth * kDegreesToRadians;
    const double ca = std::cos(az), sa = std::sin(az);
    std::vector<double> z = std::move(zrt[0]), n(count), e(count);
    for (std::size_t i = 0; i < count; ++i) {
        n[i] = zrt[1][i] * ca - zrt[2][i] * sa;
        e[i] = zrt[1][i] * sa + zrt[2][i] * ca;
    }
    add_noise(z, a.station, 0, sps);
    add_noise(n, a.station, 1, sps);
    add_noise(e, a.station, 2, sps);
    return {to_counts(z), to_counts(n), to_counts(e)};
}

}  // namespace kro
