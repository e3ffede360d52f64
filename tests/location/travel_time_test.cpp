#include <gtest/gtest.h>

#include <algorithm>

#include "../core/test_support.hpp"
#include "location/travel_time_tables.hpp"
#include "synthetic_event.hpp"

namespace kro {
namespace {

// T = 10 + 2 d + 0.5 z is linear, so the natural spline reproduces it exactly.
constexpr const char* kLinear =
    "linear test curve\n"
    "# depths\n"
    "3  # three of them\n"
    "0 10\n"
    "  20\n"
    "\n"
    "4\n"
    "0 1 2 3\n"
    "10 12 14 16   # depth 0\n"
    "15 17 19 21\n"
    "20 22 24\t26\n";

TEST(TravelTimeCurve, ReadsCommentsAndNumbersOverSeveralLines) {
    TravelTimeCurve c;
    ASSERT_TRUE(parse_curve_text(kLinear, c));
    EXPECT_EQ(c.depths, (std::vector<float>{0, 10, 20}));
    EXPECT_EQ(c.distances, (std::vector<float>{0, 1, 2, 3}));
    struct Case {
        double depth, distance, expected;
    };
    const Case cases[] = {
        {0, 0, 10}, {20, 3, 26}, {5, 1.5, 15.5}, {12.5, 2.25, 20.75},  // edges belong to the table
        {-0.1, 1, -1}, {20.1, 1, -1}, {5, -0.01, -1}, {5, 3.01, -1},   // outside
    };
    for (const Case& k : cases) EXPECT_NEAR(travel_time(c, k.depth, k.distance), k.expected, 1e-4) << k.depth << " " << k.distance;
}

TEST(TravelTimeCurve, MissingPointsCutTheSpline) {
    TravelTimeCurve c;
    ASSERT_TRUE(parse_curve_text("cut\n2\n0 10\n6\n0 1 2 3 4 5\n"
                                 "0 1 4 9 -1 25\n"
                                 "0 1 4 9 16 -1\n",
                                 c));
    // Row 0: the segment 2-3 borders the missing point, so y2 there is 0.
    const std::size_t n = 6;
    EXPECT_EQ(c.second_derivatives[3], 0.0f);
    EXPECT_NE(c.second_derivatives[1], 0.0f);
    EXPECT_EQ(c.second_derivatives[n + 4], 0.0f);
    EXPECT_EQ(travel_time(c, 0, 3.5), -1.0);   // interval touching -1
    EXPECT_EQ(travel_time(c, 5, 4.5), -1.0);   // one row missing
    EXPECT_NEAR(travel_time(c, 10, 1.5), 2.25, 0.3);
}

TEST(TravelTimeCurve, BadFilesSayWhatIsWrong) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"title only\n", "ends before the number of depths"},
        {"t\nmany\n", "'many' is not the number of depths"},
        {"t\n2\n0 x\n", "line 3: 'x' is not a number"},
        {"t\n2\n0 10\n2\n0 1\n1 2 3\n", "ends after 3 of 4 values"},
        {"t\n2\n0 10 20\n", "line 3: more numbers than the 2 depths"},
        {"t\n2\n10 0\n2\n0 1\n1 2 3 4\n", "the depths do not ascend"},
        {"t\n1\n0\n2\n0 1\n1 2\n", "at least two depths and two distances"},
    };
    for (const Case& k : cases) {
        TravelTimeCurve c;
        const Status s = parse_curve_text(k.text, c);
        ASSERT_FALSE(s) << k.text;
        EXPECT_NE(s.message().find(k.message), std::string::npos) << s.message();
        EXPECT_FALSE(c.available);
    }
}

TEST(TravelTimeTables, DemoSetLoadsGlobalAndRegionalCurves) {
    TravelTimeTables t;
    t.load(test::demo_tables());
    EXPECT_TRUE(t.problems.empty());
    for (const char* phase : {"P", "S", "Pg", "Pn", "Sg", "Sn"})
        EXPECT_TRUE(t.names.curve_available(t.names.phase_index(phase))) << phase;
    EXPECT_FALSE(t.names.curve_available(t.names.phase_index("Lg")));
    const double p = t.travel_time(t.names.phase_index("P"), 33, 30);
    const double s = t.travel_time(t.names.phase_index("S"), 33, 30);
    EXPECT_GT(p, 350);
    EXPECT_LT(p, 420);
    EXPECT_GT(s / p, 1.6);
    EXPECT_EQ(t.travel_time(t.names.phase_index("P"), 33, 115), -1.0);  // beyond the core shadow edge
}

// The regional curves of the demo set share the global model's crust: the
// first of Pg and Pn (Sg and Sn) is close to P (S) at regional distances,
// the flat layers against the sphere making the difference.
TEST(TravelTimeTables, DemoRegionalFirstArrivalsAgreeWithTheGlobalCurves) {
    TravelTimeTables t;
    t.load(test::demo_tables());
    const auto time = [&](const char* phase, double depth, double distance) {
        return t.travel_time(t.names.phase_index(phase), depth, distance);
    };
    const auto first = [&](const char* direct, const char* head, double depth, double distance) {
        const double a = time(direct, depth, distance), b = time(head, depth, distance);
        return b < 0.0 ? a : std::min(a, b);
    };
    for (const double depth : {0.0, 15.0, 33.0})
        for (const double distance : {0.5, 1.0, 2.0, 5.0, 10.0}) {
            SCOPED_TRACE(std::to_string(depth) + " km, " + std::to_string(distance) + " degrees");
            const double p = time("P", depth, distance), s = time("S", depth, distance);
            EXPECT_NEAR(first("Pg", "Pn", depth, distance), p, 0.01 * p + 0.3);
            EXPECT_NEAR(first("Sg", "Sn", depth, distance), s, 0.01 * s + 0.5);
        }
}

TEST(TravelTimeTables, AbsentFolderKeepsTheBuiltInNamesWithoutCurves) {
    TravelTimeTables t;
    t.load("/nonexistent/tables");
    EXPECT_EQ(t.names.phase_count(), 60);
    for (int i = 0; i < t.names.phase_count(); ++i) EXPECT_FALSE(t.names.curve_available(i));
    EXPECT_EQ(distance_for_time(t, "P", 100, 0), -1.0);
}

TEST(TravelTimeTables, ACorruptFileIsReportedAndLeftOut) {
    test::TempFolder dir;
    test::write_file(dir.file("phaselist"), "P P\nS S\n");
    test::write_file(dir.file("P"), kLinear);
    test::write_file(dir.file("S"), "t\n2\n0 1\n");
    TravelTimeTables t;
    EventNotifier notifier;
    RecordingObserver observer;
    notifier.subscribe(&observer);
    reload_travel_time_tables(t, dir.path().string(), notifier);
    EXPECT_EQ(observer.travel_times, 1);
    EXPECT_TRUE(t.names.curve_available(0));
    EXPECT_FALSE(t.names.curve_available(1));
    ASSERT_EQ(t.problems.size(), 1u);
    EXPECT_NE(t.problems[0].find("/S'"), std::string::npos);
}

TEST(TravelTimeTables, InverseOperationsFindTheDistance) {
    TravelTimeTables t;
    t.load(test::demo_tables());
    const int p = t.names.phase_index("P");
    const int s = t.names.phase_index("S");
    for (const double d : {1.3, 7.0, 25.0, 61.5, 95.0}) {
        EXPECT_NEAR(distance_for_time(t, "P", t.travel_time(p, 33, d), 33), d, 1e-3) << d;
        const double diff = t.travel_time(s, 15, d) - t.travel_time(p, 15, d);
        EXPECT_NEAR(distance_for_difference(t, "S", "P", diff, 15), d, 1e-3) << d;
    }
    EXPECT_EQ(distance_for_time(t, "P", 5000, 33), -1.0);
    EXPECT_EQ(distance_for_time(t, "Nope", 50, 33), -1.0);
    // A difference smaller than anywhere gives the near end of the range, not -1.
    EXPECT_NEAR(distance_for_difference(t, "S", "P", -5.0, 0), 0.0001, 1e-9);
    EXPECT_EQ(distance_for_difference(t, "S", "P", 5000.0, 0), -1.0);
    EXPECT_EQ(distance_for_difference(t, "S", "Lg", 10.0, 0), -1.0);  // no Lg curve
}

TEST(TravelTimeTables, CalculatorTexts) {
    TravelTimeTables t;
    t.load(test::demo_tables());
    EXPECT_EQ(travel_time_calculator(t, "P", 150, 0).text, "Travel time=00:00:-1.00");
    const CalculatorText none = travel_time_calculator(t, "Lg", 5, 0);
    EXPECT_TRUE(none.error);
    EXPECT_EQ(none.text, "Error loading hodograph file Lg");
    EXPECT_EQ(travel_time_calculator(t, "Xx", 5, 0).text, "Hodograph is absent in system Xx");
    EXPECT_EQ(format_calculator_time(3723.456), "Travel time=01:02:3.46");
    EXPECT_EQ(format_calculator_time(49 * 3600.0 + 61.5), "Travel time=01:01:1.50");
}

}  // namespace
}  // namespace kro
