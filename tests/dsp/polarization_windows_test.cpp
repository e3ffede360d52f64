#include "dsp/polarization_windows.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace kro {
namespace {

ComponentPane pane(int screen, bool is_main) {
    ComponentPane p;
    p.screen_number = screen;
    p.is_main = is_main;
    p.has_selection = true;
    p.span_start = 100.0;
    p.span_end = 200.0;
    p.s0 = 120.0;
    p.s1 = 130.0;
    p.selected_samples = 200;
    return p;
}

TEST(AzimuthPanes, ChecksTheThreeComponentsAndTheMainSelection) {
    struct Case {
        std::vector<ComponentPane> panes;
        const char* message;
    };
    auto unselected = pane(2, true);
    unselected.has_selection = false;
    auto outside = pane(1, true);
    outside.s1 = 250.0;
    const Case cases[] = {
        {{pane(1, true), pane(2, false)}, "Three windows not selected to calculate azimuth."},
        {{pane(1, false), pane(2, false), pane(3, false), pane(4, true)},
         "Main window is not among selected to be used in azimuth calculation."},
        {{pane(1, false), unselected, pane(3, false)}, "No selection of time interval in main window"},
        {{outside, pane(2, false), pane(3, false)}, "Time interval is out the range of main window "},
    };
    for (const auto& c : cases) {
        RecordingMessenger messenger;
        EXPECT_FALSE(select_azimuth_panes(c.panes, messenger));
        ASSERT_EQ(messenger.boxes.size(), 1u);
        EXPECT_EQ(messenger.boxes[0].text, c.message);
        EXPECT_EQ(messenger.boxes[0].icon, MessageIcon::Error);
    }
    RecordingMessenger messenger;
    const std::vector<ComponentPane> panes = {pane(3, false), pane(1, false), pane(2, true), pane(3, false)};
    const auto chosen = select_azimuth_panes(panes, messenger);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen, (std::array<std::size_t, 3>{1, 2, 3})) << "the last pane of each number";
}

TEST(AzimuthPanes, ComponentNamesMustNameAnExistingTrace) {
    struct Case {
        const char* name;
        bool ok;
    } cases[] = {{"d0", true}, {"t5", true}, {"t6", false}, {"x1", false}, {"d", false},
                 {"d-1", false}, {"d1a", false}, {"", false}, {"D1", false}};
    for (const auto& c : cases) {
        RecordingMessenger messenger;
        EXPECT_EQ(check_component_name(c.name, 6, messenger), c.ok) << c.name;
        if (!c.ok) {
            ASSERT_EQ(messenger.boxes.size(), 1u);
            EXPECT_EQ(messenger.boxes[0].text, std::string("Wrong window name: ") + c.name);
            EXPECT_EQ(messenger.boxes[0].caption, "Error");
        }
    }
    EXPECT_EQ(component_name(3, true), "t3");
    EXPECT_EQ(component_name(0, false), "d0");
}

// Motion along north-south with a little independent noise on the other components.
struct ThreeComponents {
    std::vector<float> z, x, y;
};
ThreeComponents motion_along_x(std::size_t n) {
    ThreeComponents c{std::vector<float>(n), std::vector<float>(n), std::vector<float>(n)};
    unsigned s = 9;
    auto small = [&] {
        s = s * 1103515245u + 12345u;
        return static_cast<float>((s >> 8) % 1001) / 1000.0f - 0.5f;
    };
    for (std::size_t j = 0; j < n; ++j) {
        c.x[j] = static_cast<float>(100.0 * std::sin(0.3 * double(j)));
        c.y[j] = small();
        c.z[j] = small();
    }
    return c;
}

TEST(AzimuthOfSelection, ChecksInOrderThenMeasuresTheWindow) {
    const auto c = motion_along_x(2000);
    const ComponentSeries z{c.z, 0.05}, x{c.x, 0.05}, y{c.y, 0.05};
    auto unselected = pane(1, true);
    unselected.has_selection = false;
    auto late = pane(1, true);
    late.s0 = 195.0;
    const std::vector<float> one(1, 0.0f);
    struct Case {
        ComponentPane main;
        ComponentSeries z, x, y;
        const char* message;
    } cases[] = {
        {unselected, z, x, y, "Interval not selected"},
        {late, z, x, y, "Interval out of trace"},
        {pane(1, true), z, ComponentSeries{c.x, 0.025}, y, "Channels have different frequencies of discretization"},
        {pane(1, true), z, x, ComponentSeries{one, 0.05}, "Data error"},
    };
    for (const auto& k : cases) {
        RecordingMessenger messenger;
        EXPECT_FALSE(azimuth_of_selection(k.main, k.z, k.x, k.y, messenger)) << k.message;
        ASSERT_EQ(messenger.boxes.size(), 1u);
        EXPECT_EQ(messenger.boxes[0].text, k.message);
        EXPECT_EQ(messenger.boxes[0].caption, "Error");
        EXPECT_EQ(messenger.beeps, 1);
    }

    RecordingMessenger messenger;
    const auto r = azimuth_of_selection(pane(1, true), z, x, y, messenger);
    ASSERT_TRUE(r);
    EXPECT_GT(r->rectilinearity, 0.99f);
    EXPECT_NEAR(r->exit_angle, 90.0f, 1.0f);
    const std::size_t start = 400;  // (120 - 100) / 0.05
    const auto expected = Polarize(std::vector<double>(c.z.begin() + start, c.z.begin() + start + 200).data(),
                                   std::vector<double>(c.x.begin() + start, c.x.begin() + start + 200).data(),
                                   std::vector<double>(c.y.begin() + start, c.y.begin() + start + 200).data(), 200);
    EXPECT_EQ(r->azimuth, expected.azimuth);
    EXPECT_EQ(r->planarity, expected.planarity);
}

TEST(AzimuthOfSelection, ASelectionPastTheSamplesIsClipped) {
    const auto c = motion_along_x(500);
    auto main = pane(1, true);
    main.s0 = 120.0;  // starts at sample 400 of 500
    main.selected_samples = 400;
    RecordingMessenger messenger;
    const auto r = azimuth_of_selection(main, {c.z, 0.05}, {c.x, 0.05}, {c.y, 0.05}, messenger);
    ASSERT_TRUE(r);
    const auto expected = Polarize(std::vector<double>(c.z.begin() + 400, c.z.end()).data(),
                                   std::vector<double>(c.x.begin() + 400, c.x.end()).data(),
                                   std::vector<double>(c.y.begin() + 400, c.y.end()).data(), 100);
    EXPECT_EQ(r->rectilinearity, expected.rectilinearity);
    EXPECT_TRUE(messenger.boxes.empty());
}

TEST(SlidingPolarization, OneValuePerShiftWithTheLastWindowsShortened) {
    const auto c = motion_along_x(1000);
    const ComponentSeries z{c.z, 0.01}, x{c.x, 0.01}, y{c.y, 0.01};
    const auto d = sliding_polarization(z, x, y, {100, 10}, PolarizationMeasure::Rectilinearity);
    ASSERT_TRUE(d);
    ASSERT_EQ(d->values.size(), 100u);
    EXPECT_DOUBLE_EQ(d->step_seconds, 0.1);
    EXPECT_DOUBLE_EQ(d->window_seconds, 1.0);
    EXPECT_EQ(d->min, 0.0f);
    EXPECT_EQ(d->max, 1.0f);

    auto window = [&](std::size_t begin, std::size_t count) {
        return Polarize(std::vector<double>(c.z.begin() + begin, c.z.begin() + begin + count).data(),
                        std::vector<double>(c.x.begin() + begin, c.x.begin() + begin + count).data(),
                        std::vector<double>(c.y.begin() + begin, c.y.begin() + begin + count).data(), count);
    };
    EXPECT_EQ(d->values[0], window(0, 100).rectilinearity);
    EXPECT_EQ(d->values[90], window(900, 100).rectilinearity) << "the last full window";
    EXPECT_EQ(d->values[91], window(910, 89).rectilinearity) << "shortened to n - i*s - 1";
    EXPECT_EQ(d->values[99], window(990, 9).rectilinearity);

    const auto planarity = sliding_polarization(z, x, y, {100, 10}, PolarizationMeasure::Planarity);
    const auto azimuth = sliding_polarization(z, x, y, {100, 10}, PolarizationMeasure::Azimuth);
    ASSERT_TRUE(planarity && azimuth);
    EXPECT_EQ(planarity->values[5], window(50, 100).planarity);
    EXPECT_EQ(azimuth->values[5], window(50, 100).azimuth);
    EXPECT_EQ(azimuth->max, 360.0f);
}

TEST(SlidingPolarization, DrawsNothingForMismatchedOrShortInput) {
    const auto c = motion_along_x(300);
    const std::vector<float> one(1, 0.0f);
    const ComponentSeries z{c.z, 0.01}, x{c.x, 0.01}, y{c.y, 0.01};
    EXPECT_FALSE(sliding_polarization(z, {c.x, 0.02}, y, {}, PolarizationMeasure::Azimuth));
    EXPECT_FALSE(sliding_polarization(z, x, {one, 0.01}, {}, PolarizationMeasure::Azimuth));
    EXPECT_FALSE(sliding_polarization(z, x, y, {1, 10}, PolarizationMeasure::Azimuth));
    EXPECT_FALSE(sliding_polarization(z, x, y, {100, 0}, PolarizationMeasure::Azimuth));
    const auto shortest = sliding_polarization(z, x, {std::span<const float>(c.y).first(250), 0.01}, {100, 10},
                                               PolarizationMeasure::Planarity);
    ASSERT_TRUE(shortest);
    EXPECT_EQ(shortest->values.size(), 25u) << "the shortest component sets n";
}

}  // namespace
}  // namespace kro
