// Travel times, the misfit, the full-globe grid search and both locators on
// a synthetic event of 10 stations (20 P and S observations) built from the
// demo tables.

#include <benchmark/benchmark.h>

#include <cmath>

#include "location/gradient_locator.hpp"
#include "location/svd_locator.hpp"

namespace {

using namespace kro;

const TravelTimeTables& tables() {
    static const TravelTimeTables t = [] {
        TravelTimeTables loaded;
        loaded.load(std::string(KRO_SOURCE_DIR) + "/demo/tables");
        return loaded;
    }();
    return t;
}

constexpr double kLat = 42.5, kLon = 23.3, kDepth = 33.0, kTime = 1.3e9;

std::vector<Observation> twenty_observations() {
    std::vector<Observation> obs;
    for (int i = 0; i < 10; ++i) {
        Observation o;
        o.station = i;
        o.latitude = kLat + 8.0 * std::sin(i * 2.4);
        o.longitude = kLon + 10.0 * std::cos(i * 2.4) * (1.0 + 0.1 * i);
        DistanceAzimuth da;
        distance_azimuth(o.latitude, o.longitude, kLat, kLon, da);
        for (const char* phase : {"P", "S"}) {
            o.phase = tables().names.phase_index(phase);
            o.time = kTime + tables().travel_time(o.phase, kDepth, da.distance) + 0.2 * std::sin(3.0 * i + o.phase);
            obs.push_back(o);
        }
    }
    sort_by_time(obs);
    return obs;
}

void BM_TravelTime(benchmark::State& state) {
    const TravelTimeCurve& p = *tables().curve(tables().names.phase_index("P"));
    double d = 0.0;
    for (auto _ : state) {
        d = d > 99.0 ? 0.5 : d + 0.37;
        benchmark::DoNotOptimize(travel_time(p, 47.0, d));
    }
}
BENCHMARK(BM_TravelTime);

void BM_Misfit20(benchmark::State& state) {
    const auto obs = twenty_observations();
    const MisfitFunction misfit(obs, tables());
    for (auto _ : state) benchmark::DoNotOptimize(misfit(kLat + 0.3, kLon - 0.2, 40.0));
}
BENCHMARK(BM_Misfit20);

void BM_GridSearch20(benchmark::State& state) {
    const auto obs = twenty_observations();
    const MisfitFunction misfit(obs, tables());
    for (auto _ : state) benchmark::DoNotOptimize(grid_search(misfit, kDepth, nullptr));
}
BENCHMARK(BM_GridSearch20)->Unit(benchmark::kMillisecond);

LocatorStart start_point(bool grid) {
    LocatorStart s;
    s.latitude = kLat + 2.0;
    s.longitude = kLon - 2.0;
    s.depth = 10.0;
    s.origin_time = kTime - 30.0;
    s.grid_search = grid;
    return s;
}

void BM_GradientLocator(benchmark::State& state) {
    const auto obs = twenty_observations();
    const LocatorStart start = start_point(state.range(0) != 0);
    for (auto _ : state) benchmark::DoNotOptimize(locate_gradient(obs, tables(), start));
}
BENCHMARK(BM_GradientLocator)->Arg(0)->Arg(1)->ArgName("grid")->Unit(benchmark::kMillisecond);

void BM_SvdLocator(benchmark::State& state) {
    const auto obs = twenty_observations();
    const LocatorStart start = start_point(state.range(0) != 0);
    for (auto _ : state) {
        LocationSolution s;
        benchmark::DoNotOptimize(locate_svd(obs, tables(), start, s));
    }
}
BENCHMARK(BM_SvdLocator)->Arg(0)->Arg(1)->ArgName("grid")->Unit(benchmark::kMillisecond);

}  // namespace
