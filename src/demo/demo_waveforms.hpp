#pragma once
// Synthetic three-component seismograms of the demo event at one station,
// in integer counts of a broadband velocity recorder.
//
// Each trace is seeded background noise (microseisms near 0.2 Hz and a
// small high-frequency floor) plus a P and an S wave train. A wave train
// starts exactly at its arrival time with an impulsive pulse (first swing
// up on Z for compression) followed by a scattered coda that decays
// exponentially. P arrives mainly on Z with a weaker radial part; S mainly
// on the horizontals (SH on the transverse, SV on radial and Z).
// Amplitudes fall with hypocentral distance as r^-1.3 and the dominant
// frequency drops with distance. Everything is deterministic: the same
// station always gives the same samples.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "demo/demo_event.hpp"

namespace kro {

struct DemoTraces {
    std::vector<std::int32_t> z, n, e;  // counts, on the grid start + i / sps
};

// `count` samples of each component starting at `start` (epoch seconds).
// Values are clipped to the 24-bit range of the recorder.
DemoTraces demo_traces(const DemoArrival& arrival, const DemoEvent& event, EpochTime start, std::size_t count,
                       double sps);

// Peak amplitude (counts) of the P pulse on Z and of the S pulse on the
// transverse component at a hypocentral distance (km), before the
// radiation pattern.
double demo_p_amplitude(double hypocentral_km, double magnitude);
double demo_s_amplitude(double hypocentral_km, double magnitude);
// Dominant frequency (Hz) of P at a hypocentral distance; S has 0.6 of it.
double demo_p_frequency(double hypocentral_km);

// Largest value a sample may take (the recorder's 24 bits).
inline constexpr std::int32_t kDemoClip = 8388607;

}  // namespace kro
