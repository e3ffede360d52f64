#include "display/trace_geometry.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace kro {
namespace {

// A pane 103 pixels wide: plot from x 1 to 101, so one pixel per second
// over a 100 s span; 100 high plot rows for limits [0, 100].
TraceScale unit_scale() {
    TraceScale s;
    s.g = pane_geometry(103, 16 + 100 + 20, 12);  // h = 19: bottom 20, top 120
    s.span_start = 0.0;
    s.span_length = 100.0;
    s.limits = {0.0, 100.0};
    return s;
}

TEST(PaneGeometry, PlotSitsBetweenTitleStripAndAxisStrip) {
    const PaneGeometry g = pane_geometry(400, 200, 13);
    EXPECT_EQ(g.h, 20);
    EXPECT_EQ(g.left, 1);
    EXPECT_EQ(g.right, 398);
    EXPECT_EQ(g.bottom, 21);
    EXPECT_EQ(g.top, 184);
    EXPECT_EQ(g.plot_top_y(), 16);
    EXPECT_EQ(g.plot_bottom_y(), 179);
    const TraceScale s = unit_scale();
    EXPECT_EQ(s.x_of(50.0), 51.0);
    EXPECT_EQ(s.time_at(51.0), 50.0);
    EXPECT_EQ(s.value_at_row(s.g.height - 70), 50.0);
}

TEST(ReduceColumns, OneLowAndHighPointPerColumn) {
    const TraceScale s = unit_scale();
    const int base = s.g.height - s.g.bottom;  // row of value 0
    std::vector<ColumnPoint> out;
    // 4 samples per second: columns 1, 2, 3 get four samples each.
    const std::vector<float> samples = {10, 30, 20, 20, 50, 50, 50, 50, 0, 5, 200, -7};
    reduce_columns(samples, 0.0, 0.25, s, 1e9, out);
    // Column 3 is the last one: only the final sample's point (-7, clipped to the bottom) ends the line.
    const std::vector<ColumnPoint> expected = {{1, base - 10}, {1, base - 30}, {2, base - 50}, {3, base}};
    EXPECT_EQ(out, expected);
}

TEST(ReduceColumns, ClipsToThePlotSkipsColumnsLeftOfThePaneAndStopsAtTheStopTime) {
    const TraceScale s = unit_scale();
    std::vector<ColumnPoint> out;
    // Starts 3 s before the span: columns -2, -1, 0 contribute nothing.
    const std::vector<float> samples = {1, 1, 1, 500, -500, 7, 8, 9};
    reduce_columns(samples, -3.0, 1.0, s, 4.0, out);  // samples at t >= 4 are not drawn
    const int base = s.g.height - s.g.bottom;
    const std::vector<ColumnPoint> expected = {
        {1, s.g.height - s.g.top},  // 500 clipped to the top
        {2, base},                  // -500 clipped to the bottom
        {3, base - 7},
        {4, base - 8},              // the last drawn sample
    };
    EXPECT_EQ(out, expected);
}

TEST(ReduceColumns, LongTraceGivesAtMostTwoPointsPerColumn) {
    const TraceScale s = unit_scale();
    std::vector<float> samples(100 * 1000);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<float>(i % 97);
    std::vector<ColumnPoint> out;
    reduce_columns(samples, 0.0, 0.001, s, 100.0, out);
    EXPECT_LE(out.size(), 2u * 101u + 1u);
    EXPECT_GE(out.size(), 100u);
}

// The drawing rule walked sample by sample, as written: the reference for
// the run-based reduction.
void reduce_columns_reference(const std::vector<float>& samples, EpochTime start, double interval,
                              const TraceScale& scale, EpochTime stop_time, std::vector<ColumnPoint>& out) {
    const PaneGeometry& g = scale.g;
    const double px_per_s = (g.right - g.left) / scale.span_length;
    const double x0 = g.left + (start - scale.span_start) * px_per_s;
    const double dx = interval * px_per_s;
    const double v_scale = (g.top - g.bottom) / (scale.limits.max - scale.limits.min);
    auto row_of = [&](float v) {
        double height = g.bottom + (v - scale.limits.min) * v_scale;
        height = std::clamp(height, static_cast<double>(g.bottom), static_cast<double>(g.top));
        return g.height - static_cast<int>(height);
    };
    bool have_column = false;
    int column = 0, low = 0, high = 0, last_row = 0, last_x = 0;
    for (std::size_t k = 0; k < samples.size(); ++k) {
        if (start + static_cast<double>(k) * interval >= stop_time) break;
        const int x = static_cast<int>(x0 + static_cast<double>(k) * dx);
        const int row = row_of(samples[k]);
        last_row = row;
        last_x = x;
        if (have_column && x == column) {
            low = std::max(low, row);
            high = std::min(high, row);
            continue;
        }
        if (have_column && column > 0) {
            out.push_back({column, low});
            if (high != low) out.push_back({column, high});
        }
        if (x > g.right + 1) break;
        have_column = true;
        column = x;
        low = high = row;
    }
    if (have_column && last_x > 0) out.push_back({last_x, last_row});
}

TEST(ReduceColumns, RunsGiveTheSamePointsAsTheSampleBySampleRule) {
    std::mt19937 random(12345);
    std::normal_distribution<float> noise(0.0f, 40.0f);
    struct Case {
        const char* name;
        EpochTime start;
        double interval;
        std::size_t count;
        EpochTime stop;
    };
    const Case cases[] = {
        {"many samples per column", 0.0, 0.01, 20000, 1e9},
        {"several columns per sample", 3.3, 2.7, 40, 1e9},
        {"about one per column", -7.25, 0.97, 300, 1e9},
        {"starts left, ends right of the pane", -50.0, 0.05, 5000, 1e9},
        {"stops at the span end", 10.0, 0.1, 2000, 60.0},
        {"entirely right of the pane", 500.0, 0.1, 100, 1e9},
    };
    TraceScale s = unit_scale();
    s.limits = {-60.0, 60.0};  // the noise reaches past both limits: clipping is exercised
    for (const auto& c : cases) {
        std::vector<float> samples(c.count);
        for (auto& v : samples) v = noise(random);
        std::vector<ColumnPoint> fast, reference;
        reduce_columns(samples, c.start, c.interval, s, c.stop, fast);
        reduce_columns_reference(samples, c.start, c.interval, s, c.stop, reference);
        EXPECT_EQ(fast, reference) << c.name;
    }
}

TEST(TimeAxis, LabelsEveryStepWithoutOverlap) {
    TraceScale s = unit_scale();
    s.span_start = 1296474900.5;  // 11:55:00.5
    s.span_length = 100.0;
    const auto narrow = time_axis_labels(s, [](std::string_view t) { return static_cast<int>(t.size()); });
    ASSERT_EQ(narrow.size(), 10u);
    EXPECT_EQ(narrow.front().t, 1296474910.0) << "the first multiple of 10 s at or after the start";
    EXPECT_EQ(narrow.front().text, "11:55:10");
    for (const auto& l : narrow) EXPECT_TRUE(l.drawn);

    // Wide texts: a label is drawn only right of the previous drawn one.
    const auto wide = time_axis_labels(s, [](std::string_view) { return 25; });
    std::vector<bool> drawn;
    for (const auto& l : wide) drawn.push_back(l.drawn);
    EXPECT_EQ(drawn, (std::vector<bool>{true, false, false, true, false, false, true, false, false, true}));

    s.span_length = 5.0;
    EXPECT_EQ(time_axis_step(5.0), 1);
    EXPECT_EQ(time_axis_labels(s, [](std::string_view) { return 1; }).size(), 5u);
}

TEST(PaneTitle, TextAndReadouts) {
    EXPECT_EQ(pane_title_text(3, "FUR", "BHZ", 20.0, 1296474900.0), "D3    FUR[BHZ] 20.000 samples/s 2011-Jan-31");
    EXPECT_EQ(format_difference_readout(-3725.25, -2.5), "01:02:5.250  A:2.500000");
}

}  // namespace
}  // namespace kro
