// Reading one hour of 24 channels at 100 samples per second from the file
// store, as the waveform window loads a view: FILELIST rows to blocks
// (read_filelist_segments) and the blocks placed on the regular series a
// pane draws. Beside it the bare cost of the same bytes: each file read
// whole with an ifstream into a buffer. The argument is the number of
// files per channel (one file for the hour, or one a minute).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include "data/data_block.hpp"
#include "data/file_store.hpp"
#include "data/sample_encoding.hpp"
#include "data/waveform_reader.hpp"

namespace {

constexpr int kChannels = 24;
constexpr double kSps = 100.0;
constexpr double kHour = 3600.0;
constexpr kro::EpochTime kStart = 1296474900.0;  // 2011-01-31 11:55:00 UTC
constexpr std::int32_t kHourSamples = static_cast<std::int32_t>(kHour * kSps);

struct Channel {
    std::string sta, chan;
    std::vector<kro::FileListSegmentRow> rows;
};

// The store of one layout, written once into a temporary folder that is
// removed when the benchmark program ends.
class Store {
public:
    explicit Store(int files_per_channel) {
        folder_ = std::filesystem::temp_directory_path() /
                  ("kro_data_bench_" + std::to_string(files_per_channel) + "_" + std::to_string(::getpid()));
        const int per_file = kHourSamples / files_per_channel;
        for (int c = 0; c < kChannels; ++c) {
            Channel channel{"ST" + std::to_string(c / 3), std::string("HH") + "ZNE"[c % 3], {}};
            for (int f = 0; f < files_per_channel; ++f) {
                const kro::EpochTime t = kStart + f * per_file / kSps;
                std::vector<float> samples(static_cast<std::size_t>(per_file));
                for (int i = 0; i < per_file; ++i) samples[static_cast<std::size_t>(i)] =
                        static_cast<float>((i * 7 + c) % 2001 - 1000);
                const double duration = per_file / kSps;
                const std::string relative = kro::store_relative_path(channel.sta, channel.chan, t);
                const std::string path = kro::join_stored_path(folder_.string(), relative);
                const std::string header = kro::store_header(channel.sta, channel.chan, t, duration, kSps);
                if (!kro::write_store_file(path, header, samples))
                    throw std::runtime_error("cannot write " + path);
                kro::FileListSegmentRow row;
                row.tbegin = t;
                row.sps = kSps;
                row.tqty = duration;
                row.datatype = kro::kFloat32LE;
                row.foff = static_cast<int>(kro::kStoreHeaderSize);
                row.cpath = relative;
                row.calib = 1.0;
                row.calper = 1.0;
                channel.rows.push_back(row);
                paths_.push_back(path);
            }
            channels_.push_back(std::move(channel));
        }
    }
    ~Store() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    std::string folder() const { return folder_.string(); }
    const std::vector<Channel>& channels() const { return channels_; }
    const std::vector<std::string>& paths() const { return paths_; }

private:
    std::filesystem::path folder_;
    std::vector<Channel> channels_;
    std::vector<std::string> paths_;
};

const Store& store(int files_per_channel) {
    static std::map<int, std::unique_ptr<Store>> stores;
    auto& s = stores[files_per_channel];
    if (!s) s = std::make_unique<Store>(files_per_channel);
    return *s;
}

void BM_ReadStoreOntoSeries(benchmark::State& state) {
    const Store& s = store(static_cast<int>(state.range(0)));
    kro::KRODataBlockArray array;
    std::vector<float> series;
    for (auto _ : state) {
        for (const Channel& channel : s.channels()) {
            kro::read_filelist_segments(channel.rows, channel.sta, channel.chan, kStart, kStart + kHour, s.folder(),
                                        array);
            kro::place_on_series(array, kStart, kHour, kHourSamples, series);
            benchmark::DoNotOptimize(series.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kChannels * kHourSamples);
    state.SetBytesProcessed(state.iterations() * kChannels * kHourSamples * 4);
}
BENCHMARK(BM_ReadStoreOntoSeries)->Arg(1)->Arg(60)->Unit(benchmark::kMillisecond);

// The blocks alone, without placing them on the series.
void BM_ReadStoreBlocks(benchmark::State& state) {
    const Store& s = store(static_cast<int>(state.range(0)));
    kro::KRODataBlockArray array;
    for (auto _ : state) {
        for (const Channel& channel : s.channels()) {
            kro::read_filelist_segments(channel.rows, channel.sta, channel.chan, kStart, kStart + kHour, s.folder(),
                                        array);
            benchmark::DoNotOptimize(array.count());
        }
    }
    state.SetItemsProcessed(state.iterations() * kChannels * kHourSamples);
    state.SetBytesProcessed(state.iterations() * kChannels * kHourSamples * 4);
}
BENCHMARK(BM_ReadStoreBlocks)->Arg(1)->Arg(60)->Unit(benchmark::kMillisecond);

// The bare cost: the sample bytes of the same files read into one buffer.
void BM_BareReadOfTheSameBytes(benchmark::State& state) {
    const Store& s = store(static_cast<int>(state.range(0)));
    // Each file holds at most the hour; a shorter file stops the read early.
    std::vector<char> buffer(static_cast<std::size_t>(kHourSamples) * 4);
    for (auto _ : state) {
        for (const std::string& path : s.paths()) {
            std::ifstream file(path, std::ios::binary);
            file.seekg(static_cast<std::streamoff>(kro::kStoreHeaderSize));
            file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            benchmark::DoNotOptimize(buffer.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * kChannels * kHourSamples);
    state.SetBytesProcessed(state.iterations() * kChannels * kHourSamples * 4);
}
BENCHMARK(BM_BareReadOfTheSameBytes)->Arg(1)->Arg(60)->Unit(benchmark::kMillisecond);

}  // namespace
