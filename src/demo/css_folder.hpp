#pragma once
// Writing waveforms as a CSS 3.0 folder: one wfdisc file with a line of
// 283 characters per channel and one sample file per channel holding
// 32-bit big-endian integer counts (datatype "s4").

#include <cstdint>
#include <string>
#include <vector>

#include "core/status.hpp"
#include "core/time.hpp"

namespace kro {

struct CssChannel {
    std::string sta;
    std::string chan;
    EpochTime time = 0.0;  // first sample, epoch seconds
    double samprate = 0.0; // samples per second
    double calib = 1.0;    // nm per count at calper
    double calper = 1.0;   // seconds
    std::vector<std::int32_t> samples;
};

// The wfdisc line of a channel (without line end), with its sample file
// `dfile` in the wfdisc's own folder (dir "."), starting at byte 0.
// wfid is the line's number, chanid and commid -1, instype, segtype and
// clip "-", lddate "-".
std::string format_wfdisc_line(const CssChannel& channel, long wfid, const std::string& dfile);

// The sample file name of a channel: "STA.CHAN.w".
std::string css_sample_file_name(const CssChannel& channel);

// Writes every channel's sample file and then `wfdisc_name` into `folder`
// (created when missing). Each file is written whole or not at all; the
// first failure is returned with the path.
Status write_css_folder(const std::string& folder, const std::string& wfdisc_name,
                        const std::vector<CssChannel>& channels);

}  // namespace kro
