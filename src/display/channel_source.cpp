#include "display/channel_source.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace kro {

SyntheticChannelSource::SyntheticChannelSource(EpochTime begin, double length, EpochTime event_time)
    : begin_(begin), length_(length), event_time_(event_time) {}

namespace {

// A small deterministic generator, so the same channel always looks the same.
struct Noise {
    std::uint64_t state;
    double next() {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state >> 11) / static_cast<double>(1ULL << 53) - 0.5;
    }
};

std::uint64_t hash_of(const std::string& s) {
    std::uint64_t h = 1469598103934665603ULL;
    for (const unsigned char c : s) h = (h ^ c) * 1099511628211ULL;
    return h;
}

}  // namespace

Status SyntheticChannelSource::load(const ChannelDescription& channel, EpochTime t0, double duration,
                                    KRODataBlockArray& out) {
    out.clear();
    out.set_names(channel.sta, channel.chan);
    const double sps = channel.sps > 0.0 ? channel.sps : 100.0;
    const EpochTime from = std::max(t0, begin_);
    const EpochTime to = std::min(t0 + duration, begin_ + length_);
    if (to <= from) return {};
    // Samples on the grid begin_ + k / sps.
    const auto k0 = static_cast<std::int64_t>(std::ceil((from - begin_) * sps));
    const auto k1 = static_cast<std::int64_t>(std::ceil((to - begin_) * sps));
    if (k1 <= k0) return {};

    const std::uint64_t seed = hash_of(channel.sta + "/" + channel.chan);
    const double distance_s = 4.0 + static_cast<double>(seed % 7);  // P travel time, s
    const double p_time = event_time_ + distance_s;
    const double s_time = event_time_ + distance_s * 1.73;
    const bool vertical = !channel.chan.empty() && channel.chan.back() == 'Z';
    const double p_amp = vertical ? 900.0 : 350.0;
    const double s_amp = vertical ? 600.0 : 1500.0;
    const double f_p = 6.0 + static_cast<double>(seed % 3), f_s = 2.5 + static_cast<double>(seed % 2);

    KRODataBlock block;
    block.sps = sps;
    block.start = begin_ + static_cast<double>(k0) / sps;
    block.samples.resize(static_cast<std::size_t>(k1 - k0));
    Noise noise{seed};
    double smooth = 0.0;
    for (std::int64_t k = k0; k < k1; ++k) {
        const double t = begin_ + static_cast<double>(k) / sps;
        smooth = 0.8 * smooth + 0.2 * noise.next();
        double v = 40.0 * smooth + 12.0 * std::sin(2.0 * std::numbers::pi * 0.2 * t);
        if (t >= p_time) {
            const double a = t - p_time;
            v += p_amp * std::exp(-a / 3.0) * std::sin(2.0 * std::numbers::pi * f_p * a) * (1.0 + noise.next());
        }
        if (t >= s_time) {
            const double a = t - s_time;
            v += s_amp * std::exp(-a / 8.0) * std::sin(2.0 * std::numbers::pi * f_s * a) * (1.0 + 0.6 * noise.next());
        }
        block.samples[static_cast<std::size_t>(k - k0)] = static_cast<float>(v);
    }
    out.append(std::move(block));
    return {};
}

std::vector<ChannelDescription> SyntheticChannelSource::demo_channels() {
    std::vector<ChannelDescription> channels;
    const char* stations[] = {"FUR", "WET"};
    const char* components[] = {"HHZ", "HHN", "HHE"};
    for (int s = 0; s < 2; ++s)
        for (int c = 0; c < 3; ++c) {
            ChannelDescription d;
            d.sta = stations[s];
            d.chan = components[c];
            d.sps = 100.0;
            d.nindex = s + 1;
            d.station_index = s;
            d.channel_index = c;
            channels.push_back(d);
        }
    return channels;
}

}  // namespace kro
