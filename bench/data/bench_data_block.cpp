// Placing a channel's blocks on the regular series a trace pane draws:
// one hour at 100 samples per second, split into blocks as a reader
// delivers them.

#include <benchmark/benchmark.h>

#include "data/data_block.hpp"

namespace {

kro::KRODataBlockArray hour_of_blocks(int blocks) {
    const double sps = 100.0;
    const int per_block = static_cast<int>(3600 * sps) / blocks;
    kro::KRODataBlockArray array("FUR", "BHZ");
    for (int b = 0; b < blocks; ++b) {
        kro::KRODataBlock block;
        block.sps = sps;
        block.start = 1296474900.0 + b * per_block / sps;
        block.samples.resize(static_cast<std::size_t>(per_block));
        for (int i = 0; i < per_block; ++i) block.samples[static_cast<std::size_t>(i)] = static_cast<float>(i % 100);
        array.append(std::move(block));
    }
    return array;
}

void BM_PlaceOnSeries(benchmark::State& state) {
    const auto array = hour_of_blocks(static_cast<int>(state.range(0)));
    std::vector<float> series;
    const int n = 360001;
    for (auto _ : state) {
        kro::place_on_series(array, 1296474900.0, 3600.0, n, series);
        benchmark::DoNotOptimize(series.data());
    }
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_PlaceOnSeries)->Arg(1)->Arg(60)->Arg(3600);

}  // namespace
