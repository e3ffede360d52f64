#pragma once
// A small reader of the CSS 3.0 sample set in the shared data folder, for
// the window tests only: wfdisc lines by column position, s4 (big-endian)
// and i4 (little-endian) samples.

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "display/channel_source.hpp"

namespace kro::test {

struct WfdiscRow {
    std::string sta, chan, datatype, dfile;
    double time = 0.0, samprate = 0.0, calib = 1.0, calper = 1.0;
    long nsamp = 0, foff = 0;
};

inline std::string field(const std::string& line, std::size_t from, std::size_t length) {
    if (from >= line.size()) return {};
    std::string s = line.substr(from, length);
    const auto a = s.find_first_not_of(' ');
    const auto b = s.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

class CssTestSource final : public ChannelSource {
public:
    explicit CssTestSource(std::string folder) : folder_(std::move(folder)) {
        std::ifstream in(folder_ + "/test_css.wfdisc");
        for (std::string line; std::getline(in, line);) {
            if (line.size() < 256) continue;
            WfdiscRow r;
            r.sta = field(line, 0, 6);
            r.chan = field(line, 7, 8);
            r.time = std::stod(field(line, 16, 17));
            r.nsamp = std::stol(field(line, 79, 8));
            r.samprate = std::stod(field(line, 88, 11));
            r.calib = std::stod(field(line, 100, 16));
            r.calper = std::stod(field(line, 117, 16));
            r.datatype = field(line, 143, 2);
            r.dfile = field(line, 213, 32);
            r.foff = std::stol(field(line, 246, 10));
            rows_.push_back(r);
        }
    }

    const std::vector<WfdiscRow>& rows() const { return rows_; }

    std::vector<ChannelDescription> channels() const {
        std::vector<ChannelDescription> out;
        std::vector<std::string> stations;
        for (const auto& r : rows_) {
            auto it = std::find(stations.begin(), stations.end(), r.sta);
            if (it == stations.end()) it = stations.insert(stations.end(), r.sta);
            ChannelDescription d;
            d.sta = r.sta;
            d.chan = r.chan;
            d.sps = r.samprate;
            d.station_index = static_cast<int>(it - stations.begin());
            d.nindex = d.station_index + 1;
            d.channel_index = static_cast<int>(std::count_if(out.begin(), out.end(), [&](const auto& c) { return c.sta == r.sta; }));
            out.push_back(d);
        }
        return out;
    }

    Status load(const ChannelDescription& channel, EpochTime t0, double duration, KRODataBlockArray& out) override {
        out.clear();
        out.set_names(channel.sta, channel.chan);
        for (const auto& r : rows_) {
            if (r.sta != channel.sta || r.chan != channel.chan) continue;
            if (r.time >= t0 + duration || r.time + r.nsamp / r.samprate <= t0) continue;
            std::ifstream in(folder_ + "/" + r.dfile, std::ios::binary);
            in.seekg(r.foff);
            std::vector<unsigned char> bytes(static_cast<std::size_t>(r.nsamp) * 4);
            if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size())))
                return Status::failure("cannot read " + r.dfile);
            KRODataBlock block;
            block.sps = r.samprate;
            block.start = r.time;
            block.calib = r.calib;
            block.calper = r.calper;
            for (std::size_t i = 0; i < bytes.size(); i += 4) {
                const unsigned char* b = &bytes[i];
                const std::uint32_t v = r.datatype == "s4"
                                            ? (std::uint32_t(b[0]) << 24) | (std::uint32_t(b[1]) << 16) | (std::uint32_t(b[2]) << 8) | b[3]
                                            : (std::uint32_t(b[3]) << 24) | (std::uint32_t(b[2]) << 16) | (std::uint32_t(b[1]) << 8) | b[0];
                block.samples.push_back(static_cast<float>(static_cast<std::int32_t>(v)));
            }
            out.append(std::move(block));
        }
        return {};
    }

private:
    std::string folder_;
    std::vector<WfdiscRow> rows_;
};

}  // namespace kro::test
