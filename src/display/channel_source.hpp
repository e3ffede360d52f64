#pragma once
// Where the waveform window gets its channels and their samples. The reader
// of the file catalogue implements ChannelSource; the window asks it for
// the blocks of one station channel over one time window.

#include <string>
#include <vector>

#include "core/status.hpp"
#include "core/time.hpp"
#include "data/data_block.hpp"

namespace kro {

// A channel the window can show.
struct ChannelDescription {
    std::string sta;
    std::string chan;
    double sps = 0.0;              // nominal sampling rate, samples per second
    int nindex = 0;                // NINDEX of the station's SITE row
    int station_index = 0;         // position in the station table
    int channel_index = 0;         // slot 0-23
    double latitude = 0.0, longitude = 0.0;  // degrees
};

class ChannelSource {
public:
    virtual ~ChannelSource() = default;
    // Fills `out` (cleared first) with the blocks of the channel that overlap
    // [t0, t0 + duration). A failure keeps whatever blocks were read.
    virtual Status load(const ChannelDescription& channel, EpochTime t0, double duration, KRODataBlockArray& out) = 0;
};

// Synthetic seismograms for demonstrations and benchmarks: low noise with
// a P and an S wave train of a local event at `event_time`, different per
// station and component, at the channel's rate. Covers [begin, begin + length).
class SyntheticChannelSource final : public ChannelSource {
public:
    SyntheticChannelSource(EpochTime begin, double length, EpochTime event_time);
    Status load(const ChannelDescription& channel, EpochTime t0, double duration, KRODataBlockArray& out) override;

    // Six channels of two stations (three components each) at 100 samples/s.
    static std::vector<ChannelDescription> demo_channels();

private:
    EpochTime begin_;
    double length_;
    EpochTime event_time_;
};

}  // namespace kro
