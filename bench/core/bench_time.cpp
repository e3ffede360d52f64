// Calendar conversions run for every time label and cursor read-out.

#include <benchmark/benchmark.h>

#include "core/time.hpp"
#include "core/time_format.hpp"

namespace {

void BM_TimeToCalendar(benchmark::State& state) {
    double t = 1296474900.125;
    kro::CalendarTime c;
    for (auto _ : state) {
        kro::time_to_calendar(t, c);
        benchmark::DoNotOptimize(c);
        t += 86399.5;
    }
}
BENCHMARK(BM_TimeToCalendar);

void BM_Dttostr(benchmark::State& state) {
    double t = 1296474900.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(kro::dttostr(t, 11));
        t += 3601.0;
    }
}
BENCHMARK(BM_Dttostr);

void BM_ScanDateTime(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(kro::scan_dmy_hms_ms("31/01/2011 11:55:00.125"));
}
BENCHMARK(BM_ScanDateTime);

}  // namespace
