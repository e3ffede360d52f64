#include "location/magnitudes.hpp"

#include <gtest/gtest.h>

#include <cmath>

#include "../core/test_support.hpp"
#include "location/energy_class.hpp"

namespace kro {
namespace {

// Q = 3 + 0.01 depth + 0.02 distance over depths 0-100 and distances 1-100:
// linear, so the spline reproduces it exactly.
std::optional<TravelTimeCurve> linear_calibration() {
    TravelTimeCurve c;
    if (!parse_curve_text("calibration\n2\n0 100\n3\n1 50 100\n3.02 4.0 5.0\n4.02 5.0 6.0\n", c)) return std::nullopt;
    return c;
}

TEST(Magnitudes, ChecksComeInTheirOrder) {
    const std::optional<TravelTimeCurve> none;
    struct Case {
        const char* name;
        MagnitudeResult result;
        const char* message;
    };
    const Case cases[] = {
        {"Ms period", magnitude_ms(0, 0, 10), "Period = 0"},
        {"Ms amplitude", magnitude_ms(0, 1, 10), "Amplitude = 0"},
        {"Mb amplitude before file", magnitude_mb(0, 1, 10, 0, none), "Amplitude = 0"},
        {"Mb file", magnitude_mb(1, 1, 10, 0, none), "Download error for Mb calibration file"},
        {"MPLP file before amplitude", magnitude_mplp(0, 1, 10, 0, none), "Download error for MPLP calibration file"},
        {"MPSP period first", magnitude_mpsp(0, 0, 10, 0, none), "Period = 0"},
        {"MPSP amplitude", magnitude_mpsp(0, 1, 10, 0, linear_calibration()), "Amplitude = 0"},
        {"MKT period", magnitude_coda(1, 0), "Period = 0"},
        {"MWA range", magnitude_mwa(1, 0.01, 2), "Hypocentral distance is out of acceptable range (5-800 km.)"},
        {"MWA far", magnitude_mwa(1, 7.3, 0), "Hypocentral distance is out of acceptable range (5-800 km.)"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(c.result.ok) << c.name;
        EXPECT_EQ(c.result.message, c.message) << c.name;
    }
    EXPECT_EQ(magnitude_coda(1, 0).caption, "Error");
}

TEST(Magnitudes, Formulas) {
    const auto q = linear_calibration();
    ASSERT_TRUE(q);
    struct Case {
        const char* name;
        MagnitudeResult result;
        double expected;
    };
    const Case cases[] = {
        {"Ms", magnitude_ms(10, 2, 30), std::log10(5.0) + 1.66 * std::log10(30.0) + 3.3},
        {"Ms at distance 0", magnitude_ms(10, 2, 0), std::log10(5.0) + 1.66 * std::log10(0.001) + 3.3},
        {"Mb", magnitude_mb(3, 2, 50, 100, q), std::log10(3.0) + 5.0},
        {"Mb negative depth", magnitude_mb(3, 2, 50, -5, q), std::log10(3.0) + 4.0},
        {"Mb outside the table subtracts 1", magnitude_mb(3, 2, 120, 10, q), std::log10(3.0) - 1.0},
        {"MPLP", magnitude_mplp(4, 2, 1, 0, q), std::log10(2.0) + 3.02},
        {"MPSP distance 0", magnitude_mpsp(4, 2, 0, 0, q), std::log10(2.0) - 1.0},
        {"MWA near", magnitude_mwa(2, 1, 10), std::log10(2.0) + 1.43 * std::log10(std::hypot(111.1953, 10.0)) + 0.61},
        {"MWA at 206 km", magnitude_mwa(-2, 0, 206), std::log10(2.0) + 2.51 * std::log10(206.0) - 1.89},
        {"MKT", magnitude_coda(1, 30), 2.46267 * std::log10(30.0) - 0.36967},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.result.ok) << c.name;
        EXPECT_NEAR(c.result.value, c.expected, 1e-5) << c.name;
    }
    EXPECT_EQ(magnitude_ms(10, 1, 30).text(), "6.75");
    EXPECT_EQ(magnitude_mwa(2, 1, 10).text(), "3.8");
}

TEST(Magnitudes, CodaMagnitudeRanges) {
    struct Case {
        double tau, amplitude, expected;
    };
    const Case cases[] = {
        {9.99, 1, -1},
        {10, 1, 1.25309 + 1.28256},
        {24.99, 1, 1.25309 * std::log10(24.99) + 1.28256},
        {70, 1, 1.62996 * std::log10(70.0) + 1.1321},
        {999.9, 1, 2.57025 * std::log10(999.9) - 1.0938},
        {1000, 1, -1},
        {100, 0.0019, -1},
        {100, 3000.1, -1},
    };
    for (const Case& c : cases) EXPECT_NEAR(coda_magnitude(c.tau, c.amplitude), c.expected, 1e-9) << c.tau;
}

TEST(Magnitudes, CalibrationFilesAreReadFromTheProgramFolder) {
    test::TempFolder dir;
    test::write_file(dir.file("mb.txt"), "mb\n2\n0 10\n2\n0 10\n1 2\n3 4\n");
    EXPECT_TRUE(load_calibration(dir.path().string(), kMbCalibrationFile).has_value());
    EXPECT_FALSE(load_calibration(dir.path().string(), kMplpCalibrationFile).has_value());
}

TEST(Magnitudes, StoringNeedsThePick) {
    KROPhases picks;
    SEISMIC_PHASE p;
    p.phase_index = 3;
    picks.insert_phase(p);
    MeasuredMagnitudes m;
    m.mb = 4.2;
    m.ms = -1.0;
    m.mkt = 2.5;
    const Status missing = store_magnitudes(picks, {0, 0, 4}, "Pn", m);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.message(), "Absent mark for phase 'Pn' .\n Association is impossible.\nCalculation result is not saved");
    ASSERT_TRUE(store_magnitudes(picks, {0, 0, 3}, "PKPdf", m));
    const SEISMIC_PHASE& stored = *picks.phase_at(0);
    EXPECT_FLOAT_EQ(stored.mb, 4.2f);
    EXPECT_FLOAT_EQ(stored.ms, -1.0f);
    EXPECT_DOUBLE_EQ(stored.mcoda, 2.5);
    EXPECT_EQ(store_coda(picks, {0, 0, 3}, "PKPdf", std::nullopt).message(), "Interval not selected");
    EXPECT_EQ(store_coda(picks, {0, 0, 4}, "Pn", 12.0).message(), "Label absent for phase 'Pn'");
    ASSERT_TRUE(store_coda(picks, {0, 0, 3}, "PKPdf", 12.5));
    EXPECT_DOUBLE_EQ(picks.phase_at(0)->coda, 12.5);
}

TEST(EnergyClass, VegikBranchesAndRange) {
    struct Case {
        double distance, depth, ap, as;
        double expected;  // -1: "???"
    };
    const Case cases[] = {
        {50, 0, 1, 1, 1.84 * (2.11 * std::log10(50.0) + 1.32 + std::log10(2.0))},
        {100, 0, 1, 1, 1.84 * (1.1 * std::log10(100.0) + 3.21 + std::log10(2.0))},
        {264, 0, 1, 1, 1.84 * (2.98 * std::log10(264.0) - 1.34 + std::log10(2.0))},
        {800.1, 0, 1, 1, -1},
        {4, 3, 1, 1, 1.84 * (2.11 * std::log10(5.0) + 1.32 + std::log10(2.0))},
        {4, 0, 1, 1, -1},
        {100, 0, 0, 1, -1},
    };
    for (const Case& c : cases) {
        const auto k = vegik_class(c.distance, c.depth, c.ap, c.as);
        if (c.expected < 0) {
            EXPECT_FALSE(k) << c.distance;
            EXPECT_EQ(vegik_class_text(k), "???");
        } else {
            ASSERT_TRUE(k) << c.distance;
            EXPECT_NEAR(*k, c.expected, 1e-9) << c.distance;
        }
    }
}

TEST(EnergyClass, NomogramChecksAndResult) {
    StationTable stations;
    CScreenFields& s = stations.add_station(0);
    s.name = "KIV";
    s.slots[0].name = "SHZ";
    s.slots[1].name = "SHN";
    s.slots[2].name = "SHE";
    PhaseNameTable names;
    CurrentEvent event;
    const auto outcome = [&] { return nomogram_class_for_channel(event, stations, names, 0, 0); };
    EXPECT_EQ(outcome().message, "Label absent for Pg");
    SEISMIC_PHASE pg;
    pg.phase_index = names.phase_index("Pg");
    pg.distance = 0.5f;
    SEISMIC_PHASE& stored_pg = event.picks.insert_phase(pg);
    EXPECT_EQ(outcome().message, "No measurement of amplitude for phase Pg");
    stored_pg.amplitude = 2.0f;
    EXPECT_EQ(outcome().message, "Label absent for Sg");
    SEISMIC_PHASE sg;
    sg.phase_index = names.phase_index("Sg");
    sg.channel_index = 1;
    event.picks.insert_phase(sg);
    EXPECT_EQ(outcome().message, "No measurement of amplitude for phase Sg");
    sg.channel_index = 2;
    sg.amplitude = 3.0f;
    event.picks.insert_phase(sg);
    const NomogramOutcome ok = outcome();
    ASSERT_TRUE(ok.ok) << ok.message;
    const double d = 0.5f * 111.1953;
    const double f = 1.63797e-7 * std::pow(d, 5) - 4.03237e-5 * std::pow(d, 4) + 0.003838 * std::pow(d, 3) -
                     0.181708 * d * d + 4.86942 * d - 19.0383;
    EXPECT_NEAR(ok.value, 0.074 * f + 1.847 * std::log10(5.0) + 5.23, 1e-9);
    EXPECT_EQ(ok.caption, "Class");
    EXPECT_EQ(ok.pg, (PhaseKey{0, 0, names.phase_index("Pg")}));
    stored_pg.amplitude = 2000.0f;
    const NomogramOutcome out = outcome();
    EXPECT_EQ(out.message, "Parameters for class calculation are out of acceptable range");
    EXPECT_EQ(out.caption, "Class");
    EXPECT_NEAR(*nomogram_class(100, 1, 1), 0.074 * (3.33425e-9 * 1e6 - 2.48002e-5 * 1e4 + 6.99801 + 53.30075) +
                                                1.847 * std::log10(2.0) + 5.23,
                1e-9);
}

TEST(EnergyClass, VegikInputsFromTheStationPicks) {
    StationTable stations;
    CScreenFields& s = stations.add_station(0);
    s.name = "KIV";
    s.slots[0] = ChannelSlot{"SHZ", "", 50, 0, 1.0f, 0.0f, 0.0f};
    PhaseNameTable names;
    CurrentEvent event;
    EXPECT_EQ(vegik_inputs(event, stations, names, 0, 0).message, "Absent measurements of amplitude for phase group P");
    SEISMIC_PHASE p;
    p.phase_index = names.phase_index("Pn");
    p.amplitude = 2.0f;
    event.picks.insert_phase(p);
    EXPECT_EQ(vegik_inputs(event, stations, names, 0, 0).message, "Absent measurements of amplitude for phase group S");
    SEISMIC_PHASE s_pick;
    s_pick.phase_index = names.phase_index("S");
    s_pick.amplitude = 5.0f;
    event.picks.insert_phase(s_pick);
    event.hypocentre.defined = false;
    EXPECT_EQ(vegik_inputs(event, stations, names, 0, 0).message, "No distance estimation from station KIV  to epicenter");
    event.hypocentre = Hypocentre{0.0f, 0.0f, 12.0f, 0.0, true};
    const VegikInputs in = vegik_inputs(event, stations, names, 0, 0);
    ASSERT_TRUE(in.ok);
    EXPECT_EQ(in.ap, 2.0);
    EXPECT_EQ(in.as, 5.0);
    EXPECT_NEAR(in.distance_km, 0.9933 * 111.0, 0.5);
    EXPECT_EQ(in.depth_km, 12.0);
}

}  // namespace
}  // namespace kro
