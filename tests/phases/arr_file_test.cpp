#include "phases/arr_file.hpp"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "../core/test_support.hpp"
#include "phases/fixed_text.hpp"

namespace kro {
namespace {

struct ArrSetup {
    StationTable stations;
    PhaseNameTable names;
    ArrSetup() {
        CScreenFields& a = stations.add_station(0);
        a.name = "FUR";
        a.slots[0].name = "BHZ";
        a.slots[1].name = "BHN";
        CScreenFields& b = stations.add_station(0);
        b.name = "AB";
        b.slots[0].name = "sz";
        names.set_curve_available(names.phase_index("P"), true);
    }
    SEISMIC_PHASE pick(int station, int channel, const char* phase, double t) const {
        SEISMIC_PHASE p;
        p.station_index = station;
        p.channel_index = channel;
        p.phase_index = names.phase_index(phase);
        p.set_time(t);
        return p;
    }
};

TEST(ArrFile, LineHasTheFixedColumns) {
    ArrSetup s;
    SEISMIC_PHASE p = s.pick(1, 0, "Pn", 1296705945.19);
    p.deltim = 0.25;
    p.amplitude = 1.5f;
    p.period = 0.5f;
    p.amplitude_measured = 1;
    p.first_motion = 6;
    p.onset = kOnsetImpulsive;
    p.azimuth_valid = 1;
    p.azimuth = 123.4f;
    p.emergence_angle = 33.0f;
    const std::string line = format_arr_line(p, s.stations, s.names, 1296705945.0);
    ASSERT_EQ(line.size(), 223u);
    EXPECT_EQ(line.substr(0, 6), " AB   ");
    EXPECT_EQ(line.substr(7, 17), " 1296705945.19000");
    EXPECT_EQ(line.substr(25, 8), "      -1");
    EXPECT_EQ(line.substr(34, 7), "2011034");
    EXPECT_EQ(line.substr(61, 2), "sz");
    EXPECT_EQ(line.substr(70, 2), "Pn");
    EXPECT_EQ(line.substr(81, 6), " 0.250");
    EXPECT_EQ(line.substr(88, 7), " 123.40");
    EXPECT_EQ(line.substr(120, 7), "  33.00");
    EXPECT_EQ(line.substr(136, 10), "    1500.0");
    EXPECT_EQ(line.substr(147, 7), "   0.50");
    EXPECT_EQ(line.substr(155, 7), "   3.48");  // log10(1500 / 0.5)
    EXPECT_EQ(line[165], 'd');
    EXPECT_EQ(line[179], 'i');
    EXPECT_EQ(line.substr(181, 7), "KRO 5.2");
    EXPECT_EQ(line.substr(206, 10), "3-Feb-2011");
}

TEST(ArrFile, WrittenListReadsBackWithTheCarriedFields) {
    ArrSetup s;
    test::TempFolder dir;
    KROPhases list;
    SEISMIC_PHASE a = s.pick(0, 1, "P", 1000.5);
    a.deltim = 0.1;
    a.amplitude = 2.25f;
    a.period = 1.5f;
    a.amplitude_measured = 1;
    a.first_motion = 5;
    a.onset = kOnsetImpulsive;
    a.weight_class = 3;
    a.residual = 2.0f;
    a.residual_valid = 1;
    list.insert_phase(a);
    SEISMIC_PHASE b = s.pick(1, 0, "Sg", 1010.25);
    b.first_motion = 0;  // "U" is not carried
    b.onset = kOnsetWeak;  // written as "e"
    list.insert_phase(b);
    ASSERT_TRUE(write_arr_file(dir.file("x.arr"), list, s.stations, s.names));

    KROPhases back;
    ArrReadReport report;
    ASSERT_TRUE(read_arr_file(dir.file("x.arr"), s.stations, s.names, back, &report));
    EXPECT_EQ(report.lines, 2);
    ASSERT_EQ(back.count(), 2);
    const SEISMIC_PHASE& ra = *back.phase_at(0);
    EXPECT_EQ(key_of(ra), key_of(a));
    EXPECT_DOUBLE_EQ(ra.time, 1000.5);
    EXPECT_DOUBLE_EQ(ra.deltim, 0.1);
    EXPECT_EQ(ra.amplitude_measured, 1);
    EXPECT_FLOAT_EQ(ra.amplitude, 2.25f);
    EXPECT_FLOAT_EQ(ra.period, 1.5f);
    EXPECT_EQ(ra.first_motion, 5);
    EXPECT_EQ(ra.onset, kOnsetImpulsive);
    EXPECT_EQ(ra.weight_class, 1);
    EXPECT_EQ(ra.residual_valid, 0);
    EXPECT_EQ(ra.included, 1);  // P has a curve
    const SEISMIC_PHASE& rb = *back.phase_at(1);
    EXPECT_EQ(rb.first_motion, kFirstMotionUnknown);
    EXPECT_EQ(rb.onset, kOnsetEmergent);
    EXPECT_EQ(rb.included, 0);  // Sg has no loaded curve
    EXPECT_DOUBLE_EQ(rb.deltim, 2.0);  // 0 reads back as 2
}

TEST(ArrFile, ReadingStopsAtAnEmptyLineAndSkipsWhatItCannotPlace) {
    ArrSetup s;
    test::TempFolder dir;
    KROPhases list;
    list.insert_phase(s.pick(0, 0, "P", 10));
    list.insert_phase(s.pick(0, 1, "P", 20));
    const double today = 0.0;
    std::string good = format_arr_line(s.pick(0, 0, "S", 5), s.stations, s.names, today);
    std::string zero_period = format_arr_line(s.pick(0, 1, "S", 6), s.stations, s.names, today);
    zero_period.replace(136, 10, "    2000.0");
    zero_period.replace(147, 7, "   0.00");
    std::string unknown = good;
    unknown.replace(0, 6, "XYZ   ");
    std::string lower_case_channel = format_arr_line(s.pick(0, 0, "Pn", 7), s.stations, s.names, today);
    lower_case_channel.replace(61, 3, "bhz");
    std::string no_time = good;
    no_time.replace(7, 17, "       garbage   ");
    const std::string after = format_arr_line(s.pick(0, 0, "Pg", 8), s.stations, s.names, today);
    test::write_file(dir.file("y.arr"), good + "\r\n" + zero_period + "\n" + unknown + "\n" + lower_case_channel +
                                           "\n" + no_time + "\n\n" + after + "\n");
    ArrReadReport report;
    ASSERT_TRUE(read_arr_file(dir.file("y.arr"), s.stations, s.names, list, &report));
    EXPECT_EQ(report.lines, 5);
    EXPECT_EQ(report.unmatched, 1);
    ASSERT_EQ(report.problems.size(), 1u);
    EXPECT_NE(report.problems[0].find("line 5"), std::string::npos);
    EXPECT_EQ(list.count(), 2 + 3);  // the load command clears first; adding keeps
    const SEISMIC_PHASE* zp = list.find_phase(0, 1, s.names.phase_index("S"));
    ASSERT_NE(zp, nullptr);
    EXPECT_EQ(zp->amplitude_measured, 0);
    EXPECT_NE(list.find_phase(0, 0, s.names.phase_index("Pn")), nullptr);
    EXPECT_EQ(list.find_phase(0, 0, s.names.phase_index("Pg")), nullptr);
}

TEST(ArrFile, FailuresLeaveListAndFileAlone) {
    ArrSetup s;
    test::TempFolder dir;
    KROPhases list;
    list.insert_phase(s.pick(0, 0, "P", 10));
    EXPECT_FALSE(read_arr_file(dir.file("absent.arr"), s.stations, s.names, list));
    EXPECT_EQ(list.count(), 1);
    test::write_file(dir.file("plain"), "a file, not a folder");
    const Status written = write_arr_file(dir.file("plain/x.arr"), list, s.stations, s.names);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.message().rfind("Error opening file  '", 0), 0u);
}

TEST(ArrFile, NumbersIgnoreTheLocale) {
    const char* previous = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8") && !std::setlocale(LC_NUMERIC, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    EXPECT_EQ(format_fixed(1.5, 2, 6), "  1.50");
    EXPECT_EQ(scan_number("  2.75xyz").value_or(0), 2.75);
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(FixedText, ScanHonoursTheFieldWidth) {
    EXPECT_EQ(scan_number("   12345.5", 3).value_or(0), 123);
    EXPECT_FALSE(scan_number("   ").has_value());
    EXPECT_FALSE(scan_number("abc").has_value());
    EXPECT_EQ(format_fixed(-1.0, 2, 7), "  -1.00");
    EXPECT_EQ(format_int(-1, 8), "      -1");
}

}  // namespace
}  // namespace kro
