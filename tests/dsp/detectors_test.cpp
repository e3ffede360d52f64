#include "dsp/detectors.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "moving_window_reference.hpp"

namespace kro {
namespace {

using test::LiteralMovingWindow;

std::vector<float> noise(std::size_t n, float amplitude, unsigned seed) {
    std::vector<float> x(n);
    for (float& v : x) {
        seed = seed * 1103515245u + 12345u;
        v = amplitude * (static_cast<float>((seed >> 8) % 20001) / 10000.0f - 1.0f);
    }
    return x;
}

TEST(CAverage, GivesExactlyTheResultsOfTheMovingWindow) {
    const auto x = noise(5000, 1234.5f, 7);
    for (std::size_t n : {1u, 2u, 7u, 100u, 1000u}) {
        CAverage fast(n);
        LiteralMovingWindow literal(n);
        for (std::size_t i = 0; i < x.size(); ++i) ASSERT_EQ(fast.add(x[i]), literal.add(x[i])) << n << " at " << i;
    }
}

std::vector<std::size_t> indices(const DetectionList& list, double start, double rate) {
    std::vector<std::size_t> out;
    for (const Detection& d : list) out.push_back(static_cast<std::size_t>(std::lround((d.time - start) * rate)));
    return out;
}

TEST(Detectors, ConstantTracesGiveNoDetection) {
    RecordingMessenger messenger;
    for (float level : {0.0f, 1.0f, 1234.0f, -500.0f, 0.3f, 32767.0f}) {
        const std::vector<float> x(5000, level);
        CKRODetector kro;
        CVelmoraDetector velmora;
        const auto a = run_detector(kro, x, 100.0, 0.0, messenger);
        const auto b = run_detector(velmora, x, 100.0, 0.0, messenger);
        ASSERT_TRUE(a && b);
        EXPECT_TRUE(a->empty()) << level;
        EXPECT_TRUE(b->empty()) << level;
    }
    EXPECT_TRUE(messenger.boxes.empty());
}

TEST(KroDetector, StepToABurstGivesOneDetectionAtTheFirstSampleOverTheLevel) {
    const double rate = 100.0;
    auto x = noise(6000, 10.0f, 3);
    const auto burst = noise(6000, 200.0f, 5);
    for (std::size_t i = 3000; i < 3150; ++i) x[i] = burst[i];

    CKRODetector detector;
    RecordingMessenger messenger;
    const EpochTime start = 1296474900.0;
    const auto list = run_detector(detector, x, rate, start, messenger);
    ASSERT_TRUE(list);

    // The criterion computed on its own with moving windows.
    LiteralMovingWindow sta(100), lta(1000);
    std::size_t first = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double s = sta.add(x[i]), l = lta.add(x[i]);
        if (i > 1001 && s > 4.0 * l) {
            first = i;
            break;
        }
    }
    ASSERT_GE(first, 3000u);
    ASSERT_LT(first, 3100u);
    EXPECT_EQ(indices(*list, start, rate), std::vector<std::size_t>{first});
    EXPECT_EQ((*list)[0].tlta, 10.0);
    EXPECT_EQ((*list)[0].tsta, 1.0);
}

TEST(KroDetector, CannotTriggerBeforeTheLongWindowIsFull) {
    auto x = noise(3000, 1.0f, 11);
    const auto burst = noise(3000, 500.0f, 13);
    for (std::size_t i = 900; i < 1200; ++i) x[i] = burst[i];
    CKRODetector detector;
    RecordingMessenger messenger;
    const auto list = run_detector(detector, x, 100.0, 0.0, messenger);
    ASSERT_TRUE(list);
    ASSERT_FALSE(list->empty());
    EXPECT_EQ(indices(*list, 0.0, 100.0).front(), 1002u);
}

TEST(VelmoraDetector, CannotTriggerBeforeTwiceBothWindows) {
    const double rate = 20.0;
    std::vector<float> x(2000, 1000.0f);
    for (std::size_t i = 400; i < 600; ++i) x[i] = (i % 2) ? 30000.0f : 1000.0f;
    CVelmoraDetector detector;
    detector.params.k = 2.0;
    RecordingMessenger messenger;
    const auto list = run_detector(detector, x, rate, 0.0, messenger);
    ASSERT_TRUE(list);
    EXPECT_EQ(detector.period(), 440);
    ASSERT_FALSE(list->empty());
    EXPECT_EQ(indices(*list, 0.0, rate).front(), 441u);
}

TEST(VelmoraDetector, FixedPointLevelAndEstimatorSteps) {
    struct Level {
        double k;
        std::uint16_t integer, fraction;
    } levels[] = {{4.5, 4, 32767}, {4.0, 4, 0}, {1.25, 1, 16383}, {1000.0, 1000, 0}};
    for (const auto& l : levels) {
        const auto f = CVelmoraDetector::fixed_level(l.k);
        EXPECT_EQ(f.integer, l.integer) << l.k;
        EXPECT_EQ(f.fraction, l.fraction) << l.k;
    }

    // Worked by hand: estimate, remainder before; input and time constant; deviation, estimate, remainder after.
    struct Step {
        std::int16_t e, r;
        std::uint16_t t, x;
        std::uint16_t d;
        std::int16_t e_after, r_after;
    } steps[] = {
        {0, 0, 10, 25, 25, 2, 5},   {2, 5, 10, 0, 2, 2, 3},  {10, 0, 4, 3, 7, 9, -3},
        {9, -3, 4, 3, 6, 7, -1},    {5, 3, 4, 10, 5, 7, 0},  {100, 0, 1, 40, 60, 40, 0},
    };
    for (const auto& s : steps) {
        CVelmoraDetector::Estimator e{s.e, s.r};
        EXPECT_EQ(CVelmoraDetector::estimate(e, s.t, s.x), s.d) << s.e << " " << s.x;
        EXPECT_EQ(e.estimate, s.e_after) << s.e << " " << s.x;
        EXPECT_EQ(e.remainder, s.r_after) << s.e << " " << s.x;
    }
}

TEST(Detectors, WindowsShorterThanOneSampleAreRefused) {
    struct Case {
        double tlta, tsta, rate;
    } cases[] = {{10, 0.001, 100}, {0.005, 1, 100}, {10, 1, 0}, {-10, 1, 100}};
    for (const auto& c : cases) {
        RecordingMessenger messenger;
        CKRODetector kro;
        kro.params.tlta = c.tlta;
        kro.params.tsta = c.tsta;
        CVelmoraDetector velmora;
        velmora.params = kro.params;
        const std::vector<float> x(100, 1.0f);
        EXPECT_FALSE(run_detector(kro, x, c.rate, 0.0, messenger));
        EXPECT_FALSE(run_detector(velmora, x, c.rate, 0.0, messenger));
        EXPECT_EQ(messenger.boxes.size(), 2u);
    }
    RecordingMessenger messenger;
    CVelmoraDetector too_long;
    too_long.params.tlta = 999;
    EXPECT_FALSE(run_detector(too_long, std::vector<float>(10, 1.0f), 100.0, 0.0, messenger));
    ASSERT_EQ(messenger.boxes.size(), 1u);
    EXPECT_NE(messenger.boxes[0].text.find("16 bits"), std::string::npos);
}

TEST(Detectors, FilteredInputNeedsFilteredData) {
    const std::vector<float> raw(10, 1.0f), processed(10, 2.0f), none;
    DetectorParams params;
    RecordingMessenger messenger;
    EXPECT_EQ(kro_detector_input(params, raw, nullptr, messenger)->data(), raw.data());
    params.filter = true;
    EXPECT_EQ(kro_detector_input(params, raw, &processed, messenger)->data(), processed.data());
    EXPECT_TRUE(messenger.boxes.empty());
    EXPECT_FALSE(kro_detector_input(params, raw, nullptr, messenger));
    EXPECT_FALSE(kro_detector_input(params, raw, &none, messenger));
    ASSERT_EQ(messenger.boxes.size(), 2u);
    EXPECT_EQ(messenger.boxes[0].text, "No filtered data");
    EXPECT_EQ(messenger.boxes[0].icon, MessageIcon::Error);
}

TEST(Detectors, ParametersComeFromTheSettingsTreeWithDefaults) {
    SettingsTree tree;
    EXPECT_EQ(read_detector_params(tree, "FUR", "BHZ"), DetectorParams{});
    ASSERT_TRUE(tree.set_text("KRO\\Detector\\FUR\\BHZ", "Tlta", "30."));
    ASSERT_TRUE(tree.set_text("KRO\\Detector\\FUR\\BHZ", "K", "3.5"));
    struct Case {
        const char* filter;
        bool on;
    } filters[] = {{"0", false}, {"1", true}, {"yes", true}, {"00", false}, {"", false}};
    for (const auto& c : filters) {
        ASSERT_TRUE(tree.set_text("KRO\\Detector\\FUR\\BHZ", "Filter", c.filter));
        const DetectorParams p = read_detector_params(tree, "FUR", "BHZ");
        EXPECT_EQ(p.filter, c.on) << c.filter;
        EXPECT_EQ(p.tlta, 30.0);
        EXPECT_EQ(p.tsta, 1.0);
        EXPECT_EQ(p.k, 3.5);
    }
    EXPECT_EQ(read_detector_params(tree, "FUR", "BHN"), DetectorParams{});
}

}  // namespace
}  // namespace kro
