#include "display/trace_view.hpp"

#include <gtest/gtest.h>

namespace kro {
namespace {

KRODataBlockArray array_of(std::vector<std::vector<float>> blocks) {
    KRODataBlockArray a("STA", "BHZ");
    double start = 100.0;
    for (auto& samples : blocks) {
        KRODataBlock b;
        b.samples = std::move(samples);
        b.sps = 1.0;
        b.start = start;
        start += 1000.0;
        a.append(std::move(b));
    }
    return a;
}

TEST(TraceLimits, RawLimitsForRebuild) {
    struct Case {
        const char* name;
        Limits current;
        std::vector<std::vector<float>> blocks;
        Limits expected;
    };
    const Case cases[] = {
        {"no blocks: labels 1 and -1", {}, {}, {-1.0, 1.0}},
        {"constant 5 gives 4 and 6", {}, {{5, 5, 5}}, {4.0, 6.0}},
        {"zeros count once seeded by the first non-zero sample", {}, {{0, 0, 3, -2}, {7}}, {-2.0, 7.0}},
        {"all zero", {}, {{0, 0}}, {-1.0, 1.0}},
        {"set limits are kept", {-10.0, 10.0}, {{5}}, {-10.0, 10.0}},
        {"equal set limits widen", {3.0, 3.0}, {{5}}, {2.0, 4.0}},
    };
    for (const auto& c : cases) EXPECT_EQ(raw_limits_for_rebuild(c.current, array_of(c.blocks)), c.expected) << c.name;
}

TEST(TraceLimits, DisplayedLimitsSwapAndWiden) {
    EXPECT_EQ(displayed_limits({5.0, -5.0}), (Limits{-5.0, 5.0}));
    EXPECT_EQ(displayed_limits({2.0, 2.0}), (Limits{1.9, 2.1}));
}

TEST(TraceNavigation, HorizontalCommands) {
    struct ScrollCase {
        double length, shift;
    };
    for (const auto& c : {ScrollCase{0.9, 0.0}, ScrollCase{7.0, 4.0}, ScrollCase{10.0, 5.0}, ScrollCase{3600.5, 1800.0}})
        EXPECT_EQ(scroll_shift(c.length), c.shift) << c.length;

    EXPECT_EQ(expanded_horizontally({100.0, 10.0}), (Span{102.5, 5.0}));
    EXPECT_EQ(expanded_horizontally({100.0, 1.0}), (Span{100.25, 1.0})) << "a 1 s span stays 1 s";
    EXPECT_EQ(expanded_horizontally({0.0, 3.0}), (Span{0.75, 2.0})) << "1.5 s rounds up";

    EXPECT_EQ(compressed_horizontally({100.0, 10.0}), (Span{95.0, 20.0}));
    EXPECT_EQ(compressed_horizontally({1000.0004, 0.5}), (Span{999.750, 1.0}));
    EXPECT_EQ(compressed_horizontally({0.0, 200000.0}), std::nullopt) << "beyond 359 999 s nothing changes";
    EXPECT_NE(compressed_horizontally({0.0, 179999.5}), std::nullopt);
}

TEST(TraceNavigation, VerticalCommands) {
    EXPECT_EQ(shifted_vertically({-4.0, 4.0}, 0.25), (Limits{-2.0, 6.0}));
    EXPECT_EQ(shifted_vertically({-4.0, 4.0}, -0.10), (Limits{-4.8, 3.2}));
    EXPECT_EQ(expanded_vertically({-4.0, 4.0}), (Limits{-2.0, 2.0}));
    EXPECT_EQ(expanded_vertically({3.0, 3.0}), (Limits{2.0, 4.0}));
    EXPECT_EQ(compressed_vertically({-4.0, 4.0}), (Limits{-8.0, 8.0}));
    EXPECT_EQ(compressed_vertically({3.0, 3.0}), (Limits{2.0, 4.0}));

    EXPECT_EQ(centered_limits({0, 0, 2, -3, 0, 5}), (Limits{-3.0, 5.0})) << "zeros are gaps";
    EXPECT_EQ(centered_limits({0, 0}), (Limits{-1.0, 1.0}));
    EXPECT_EQ(centered_limits({0, 4, 4}), (Limits{3.0, 5.0}));
}

TEST(TraceNavigation, AmplitudeAlignmentKeepsEachMiddle) {
    EXPECT_EQ(aligned_limits({-4.0, 4.0}, {0.0, 2.0}), (Limits{-3.0, 5.0}));
    EXPECT_EQ(aligned_limits({-4.0, 4.0}, {-4.0, 4.0}), (Limits{-4.0, 4.0}));
    EXPECT_EQ(aligned_limits({0.0, 1.0}, {10.0, 30.0}), (Limits{19.5, 20.5}));
}

TEST(ViewHistory, KeepsTheNewestTwentyAndReturnsThemNewestFirst) {
    ViewHistory history;
    EXPECT_EQ(history.pop(), std::nullopt);
    for (int i = 0; i < 21; ++i) history.push({static_cast<double>(i), 1.0, 0, 0, 0, 0});
    EXPECT_EQ(history.size(), 20u);
    std::vector<double> restored;
    while (auto r = history.pop()) restored.push_back(r->span_start);
    ASSERT_EQ(restored.size(), 20u) << "21 pushes keep 20";
    EXPECT_EQ(restored.front(), 20.0);
    EXPECT_EQ(restored.back(), 1.0) << "the oldest record was dropped";
}

TEST(ViewHistory, RecordRestoresAllSixValues) {
    TraceView view;
    view.span_start = 12.5;
    view.span_length = 30.0;
    view.processed = {-1.0, 2.0};
    view.raw = {-300.0, 400.0};
    const ViewRecord r = view.record();
    TraceView other;
    other.restore(r);
    EXPECT_EQ(other.record(), r);
    EXPECT_EQ(other.raw, (Limits{-300.0, 400.0}));
}

TEST(IntervalMarks, OrderedTimesAndSampleCount) {
    const IntervalMarks m = interval_from_times(10.9, 10.2, 10.0);
    EXPECT_EQ(m.t1, 10.2);
    EXPECT_EQ(m.t2, 10.9);
    EXPECT_EQ(m.sample_count, 7);  // trunc(109) - trunc(102)
    EXPECT_TRUE(m.present);

    struct Case {
        int press, release;
        bool interval;
    };
    for (const auto& c : {Case{100, 105, false}, Case{100, 106, true}, Case{100, 95, false}, Case{100, 94, true}})
        EXPECT_EQ(is_interval_drag(c.press, c.release), c.interval) << c.press << "->" << c.release;
}

}  // namespace
}  // namespace kro
