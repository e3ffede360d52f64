#include <gtest/gtest.h>

#include "core/messenger.hpp"
#include "location/gradient_locator.hpp"
#include "location/svd_locator.hpp"
#include "synthetic_event.hpp"

namespace kro {
namespace {

using test::Hypo;

const TravelTimeTables& tables() {
    static const TravelTimeTables t = [] {
        TravelTimeTables loaded;
        loaded.load(test::demo_tables());
        return loaded;
    }();
    return t;
}

double epicentre_error_km(const LocationSolution& s, const Hypo& h) {
    DistanceAzimuth d;
    distance_azimuth(s.latitude, s.longitude, h.lat, h.lon, d);
    return d.distance * kKmPerDegree;
}

// Picks from a known hypocentre; without noise both locators must come
// within 2 km (epicentre and depth) and 0.3 s; with noise of up to 1 s
// within 15 km, 15 km of depth and 1 s. A start 3 degrees away.
TEST(Locators, RecoverASyntheticHypocentre) {
    struct Case {
        const char* name;
        Hypo h;
        double noise, epicentre_km, depth_km, time_s;
    };
    const Case cases[] = {
        {"shallow", {42.5, 23.3, 33.0, 1.3e9}, 0.0, 2.0, 2.0, 0.3},
        {"deep near the date line", {-17.0, 179.2, 300.0, 1.3e9}, 0.0, 2.0, 2.0, 0.3},
        {"noisy", {42.5, 23.3, 33.0, 1.3e9}, 1.0, 15.0, 15.0, 1.0},
    };
    for (const Case& c : cases) {
        const auto obs = test::synthetic_observations(tables(), c.h, 12, c.noise);
        LocatorStart start;
        start.latitude = c.h.lat + 2.0;
        start.longitude = normalize_longitude(c.h.lon - 2.0);
        start.depth = 10.0;
        start.origin_time = c.h.time - 30.0;
        const LocationSolution g = locate_gradient(obs, tables(), start);
        LocationSolution s;
        ASSERT_TRUE(locate_svd(obs, tables(), start, s));
        for (const LocationSolution* r : {&g, static_cast<const LocationSolution*>(&s)}) {
            const char* method = r == &g ? "gradient" : "svd";
            EXPECT_LT(epicentre_error_km(*r, c.h), c.epicentre_km) << c.name << " " << method;
            EXPECT_NEAR(r->depth, c.h.depth, c.depth_km) << c.name << " " << method;
            EXPECT_NEAR(r->origin_time, c.h.time, c.time_s) << c.name << " " << method;
            EXPECT_FALSE(r->travel_time_missing) << c.name << " " << method;
            EXPECT_LT(r->rms, c.noise + 0.1) << c.name << " " << method;
        }
    }
}

TEST(Locators, GridSearchFindsAnEventFarFromTheStart) {
    const Hypo h{-30.0, -70.0, 100.0, 1.2e9};
    const auto obs = test::synthetic_observations(tables(), h, 10, 0.0);
    LocatorStart start;
    start.latitude = 40.0;
    start.longitude = 100.0;
    start.depth = 100.0;
    start.grid_search = true;
    RecordingMessenger progress;
    const LocationSolution g = locate_gradient(obs, tables(), start, &progress);
    EXPECT_LT(epicentre_error_km(g, h), 2.0);
    EXPECT_EQ(progress.progress_ranges, (std::vector<int>{100}));
    ASSERT_FALSE(progress.progress_positions.empty());
    EXPECT_EQ(progress.progress_positions.front(), 0);
    EXPECT_EQ(progress.progress_positions.back(), 101);
    EXPECT_EQ(progress.progress_ends, 1);
    LocationSolution s;
    ASSERT_TRUE(locate_svd(obs, tables(), start, s));
    EXPECT_LT(epicentre_error_km(s, h), 2.0);
}

TEST(Locators, FixedCoordinatesOnlyComputeResiduals) {
    const Hypo h{42.5, 23.3, 33.0, 1.3e9};
    const auto obs = test::synthetic_observations(tables(), h, 6, 0.0);
    LocatorStart start;
    start.latitude = 43.0;
    start.longitude = 23.0;
    start.depth = 20.0;
    start.origin_time = h.time + 1.5;
    start.fix_coordinates = true;
    const LocationSolution g = locate_gradient(obs, tables(), start);
    EXPECT_EQ(g.latitude, 43.0);
    EXPECT_EQ(g.longitude, 23.0);
    EXPECT_EQ(g.depth, 20.0);
    EXPECT_EQ(g.origin_time, h.time + 1.5);
    EXPECT_EQ(g.iterations, 0);
    LocationSolution s;
    ASSERT_TRUE(locate_svd(obs, tables(), start, s));
    EXPECT_EQ(s.latitude, 43.0);
    EXPECT_EQ(s.origin_time, h.time + 1.5);
    EXPECT_EQ(s.ellipse.major_km, -1.0);
    // At the true hypocentre the residuals show the origin-time offset alone.
    start.latitude = h.lat;
    start.longitude = h.lon;
    start.depth = h.depth;
    const LocationSolution at_truth = locate_gradient(obs, tables(), start);
    for (const Observation& o : at_truth.observations) EXPECT_NEAR(o.residual, -1.5, 1e-6);
}

TEST(Locators, FixedDepthStaysFixed) {
    const Hypo h{10.0, 100.0, 70.0, 1.1e9};
    const auto obs = test::synthetic_observations(tables(), h, 8, 0.0);
    LocatorStart start;
    start.latitude = 11.0;
    start.longitude = 101.0;
    start.depth = 70.0;
    start.fix_depth = true;
    start.origin_time = h.time;
    const LocationSolution g = locate_gradient(obs, tables(), start);
    LocationSolution s;
    ASSERT_TRUE(locate_svd(obs, tables(), start, s));
    for (const LocationSolution* r : {&g, static_cast<const LocationSolution*>(&s)}) {
        EXPECT_EQ(r->depth, 70.0);
        EXPECT_LT(epicentre_error_km(*r, h), 2.0);
    }
}

TEST(Locators, SvdNeedsFourObservations) {
    const auto obs = test::synthetic_observations(tables(), {0, 0, 33, 1e9}, 2, 0.0);
    ASSERT_EQ(obs.size(), 4u);
    const std::vector<Observation> three(obs.begin(), obs.begin() + 3);
    LocationSolution s;
    s.latitude = 12.0;
    const Status status = locate_svd(three, tables(), LocatorStart{}, s);
    ASSERT_FALSE(status);
    EXPECT_EQ(status.message(), "Number of phases < 4");
    EXPECT_EQ(s.latitude, 12.0);
}

TEST(Locators, SvdEllipseShrinksAsObservationsAreAdded) {
    const Hypo h{42.5, 23.3, 33.0, 1.3e9};
    double previous = 1e9;
    for (const int stations : {5, 9, 14, 20}) {
        const auto obs = test::synthetic_observations(tables(), h, stations, 0.5);
        LocatorStart start;
        start.latitude = h.lat;
        start.longitude = h.lon;
        start.depth = h.depth;
        start.origin_time = h.time;
        LocationSolution s;
        ASSERT_TRUE(locate_svd(obs, tables(), start, s));
        ASSERT_GT(s.ellipse.major_km, 0.0) << stations;
        EXPECT_LE(s.ellipse.minor_km, s.ellipse.major_km);
        EXPECT_GE(s.ellipse.direction_deg, 0.0);
        EXPECT_LE(s.ellipse.direction_deg, 180.0);
        EXPECT_LT(s.ellipse.major_km, previous) << stations;
        previous = s.ellipse.major_km;
    }
}

TEST(Locators, ErrorEllipseFromCovariance) {
    // Variances 4 and 1 (degrees squared) with a small covariance: the major
    // axis lies near latitude (direction near 0) and is about twice the minor.
    const ErrorEllipse e = error_ellipse(4.0, 1.0, 0.01, 1.0, 10);
    const double k = std::sqrt(2.0 * 2.9245) * kKmPerDegree;
    EXPECT_NEAR(e.major_km, 2.0 * k, 0.01 * k);
    EXPECT_NEAR(e.minor_km, 1.0 * k, 0.01 * k);
    EXPECT_NEAR(e.direction_deg, 0.19, 0.01);
    EXPECT_EQ(error_ellipse(4.0, 1.0, 0.0, 1.0, 10).major_km, -1.0);
}

TEST(Misfit, WeightsAndMissingTravelTimes) {
    const Hypo h{0.0, 0.0, 33.0, 1e9};
    auto obs = test::synthetic_observations(tables(), h, 3, 0.0);
    obs[0].time += 5.0;  // one observation 5 s late
    const MisfitFunction f(obs, tables());
    const double n = static_cast<double>(obs.size());
    double t0 = 0.0;
    const double full = f(h.lat, h.lon, h.depth, &t0);
    EXPECT_NEAR(t0, h.time + 5.0 / n, 1e-6);
    // The late one deviates by 5(n-1)/n, every other by -5/n.
    EXPECT_NEAR(full, std::pow(5.0 * (n - 1) / n, 2) + (n - 1) * std::pow(5.0 / n, 2), 1e-6);
    obs[0].weight = 0.2;  // weight class 4 against class 0
    const MisfitFunction weighted(obs, tables());
    EXPECT_NEAR(weighted(h.lat, h.lon, h.depth), std::pow(0.2 * 5.0 * (n - 1) / n, 2) + (n - 1) * std::pow(5.0 / n, 2),
                1e-6);
    t0 = 42.0;
    EXPECT_EQ(f(h.lat, h.lon, 800.0, &t0), kNoMisfit);  // below the deepest table row
    EXPECT_EQ(t0, 42.0);
}

TEST(Misfit, ParabolaDerivative) {
    // y = 3x^2 - 2x + 1 has derivative 6x - 2.
    const auto y = [](double x) { return 3 * x * x - 2 * x + 1; };
    EXPECT_NEAR(parabola_derivative(0.99, y(0.99), 1.0, y(1.0), 1.01, y(1.01)), 4.0, 1e-6);
    EXPECT_NEAR(parabola_derivative(169.99, y(169.99), 170.0, y(170.0), 170.01, y(170.01)), 1018.0, 1e-3);
    EXPECT_EQ(parabola_derivative(1, 1, 1, 2, 1, 3), 0.0);
}

}  // namespace
}  // namespace kro
