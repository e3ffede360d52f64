#include <gtest/gtest.h>

#include "../core/test_support.hpp"
#include "core/time.hpp"
#include "dsp/calibration_sql.hpp"
#include "dsp/calibration_table.hpp"

namespace kro {
namespace {

const char* kTable =
    "Calibration function, first line is a title 1 2 3\n"
    "# counts and axes\n"
    "3   # rows\n"
    "0 10\t20\n"
    "5\n"
    "0 1 2 3 4\n"
    "0 1 4 9 16   # b squared\n"
    "0 2 4 6 8\n"
    "-1 -1 5 6 7\n";

TEST(CalibrationTable, SplineAlongAxisTwoLineAlongAxisOne) {
    CalibrationTable t;
    ASSERT_TRUE(t.parse(kTable));
    EXPECT_EQ(t.axis1(), (std::vector<double>{0, 10, 20}));
    EXPECT_EQ(t.value(2, 4), 7.0);
    struct Case {
        double a, b, expected;
    } cases[] = {
        {0, 2, 4},                       // a knot
        {0, 1.5, 2.5 - 0.375 * 30 / 42},  // natural spline through b^2
        {10, 2.5, 5},                    // a straight row stays straight
        {5, 3, (9 + 6) / 2.0},           // halfway between two rows
        {20, 3.5, 6.5},                  // spline over the present values only
        {15, 3.5, (7 + 6.5) / 2},
        {15, 1.5, -1},                   // next to a missing value
        {20, 0.5, -1},
        {-1, 2, -1},                     // outside axis 1
        {21, 2, -1},
        {5, -0.1, -1},                   // outside axis 2
        {5, 4.01, -1},
    };
    for (const auto& c : cases) EXPECT_NEAR(t.lookup(c.a, c.b), c.expected, 1e-12) << c.a << ", " << c.b;
}

TEST(CalibrationTable, DamagedTablesAreReportedAndTheOldOneKept) {
    CalibrationTable t;
    ASSERT_TRUE(t.parse(kTable));
    struct Case {
        const char* text;
        const char* message_part;
    } cases[] = {
        {"title\n2\n0 1\n2\n0 1\n1 2 3\n", "ends before"},
        {"title\n2\n1 0\n1\n0\n1 2\n", "ascend"},
        {"title\n0\n", "length of axis 1"},
        {"title\n1.5\n", "length of axis 1"},
        {"title\n1\n0\n1\n0\nabc\n", "line 6"},
        {"", "ends before"},
    };
    for (const auto& c : cases) {
        const Status s = t.parse(c.text);
        EXPECT_FALSE(s) << c.text;
        EXPECT_NE(s.message().find(c.message_part), std::string::npos) << s.message();
    }
    EXPECT_NEAR(t.lookup(0, 2), 4.0, 1e-12);

    test::TempFolder dir;
    EXPECT_FALSE(t.load(dir.file("calib.fun")));
    test::write_file(dir.file("calib.fun"), "t\n1\n5\n2\n0 1\n3 4\n");
    ASSERT_TRUE(t.load(dir.file("calib.fun")));
    EXPECT_NEAR(t.lookup(5, 0.5), 3.5, 1e-12);
}

const EpochTime kNoon = calendar_to_time(2004, 1, 1, 12, 0, 0.0);

TEST(CalibrationStatements, SacDateLiteralFollowsTheDatabaseKind) {
    EXPECT_EQ(select_calibration_sac("FUR", "BHZ", kNoon, 0, "", "??"),
              "SELECT SAC FROM CALIBRATION WHERE ((STA='FUR') AND (CHAN='BHZ') AND (STARTDATE<= {ts '2004-01-01 "
              "12:00:00' } ) AND (ENDDATE> {ts '2004-01-01 12:00:00' } ) AND (LOCATION='?" "?') )  OR ((STA='FUR') AND "
              "(CHAN='BHZ') AND (STARTDATE<= {ts '2004-01-01 12:00:00' } ) AND (ENDDATE Is Null) AND "
              "(LOCATION='?" "?'))");
    EXPECT_EQ(select_calibration_sac("FUR", "BHZ", kNoon + 0.75, kDatabaseKindPostgres, "IU", "00"),
              "SELECT SAC FROM CALIBRATION WHERE ((STA='FUR') AND (CHAN='BHZ') AND (STARTDATE<= {d '2004-01-01' } ) "
              "AND (ENDDATE> {d '2004-01-01' } ) AND (NETWORK='IU')  AND (LOCATION='00') )  OR ((STA='FUR') AND "
              "(CHAN='BHZ') AND (STARTDATE<= {d '2004-01-01' } ) AND (ENDDATE Is Null) AND (NETWORK='IU')  AND "
              "(LOCATION='00'))");
    EXPECT_EQ(select_calibration_sac("FUR", "BHZ", kNoon, 2, "", ""),
              "SELECT SAC FROM CALIBRATION WHERE ((STA='FUR') AND (CHAN='BHZ') AND (STARTDATE<= {ts '2004-01-01 "
              "12:00:00' } ) AND (ENDDATE> {ts '2004-01-01 12:00:00' } ))  OR ((STA='FUR') AND (CHAN='BHZ') AND "
              "(STARTDATE<= {ts '2004-01-01 12:00:00' } ) AND (ENDDATE Is Null))");
}

TEST(CalibrationStatements, FapWithAndWithoutADate) {
    EXPECT_EQ(select_calibration_fap("FUR", "BHZ", kNoon, "", "10"),
              "SELECT FAP FROM CALIBRATION WHERE ((STA='FUR') AND (CHAN='BHZ') AND (STARTDATE<={ ts'2004-01-01 "
              "12:00:00'}) AND (ENDDATE>{ts '2004-01-01 12:00:00'}) AND (LOCATION='10') )  OR ((STA='FUR') AND "
              "(CHAN='BHZ') AND (STARTDATE<={ts '2004-01-01 12:00:00'}) AND (ENDDATE Is Null) AND (LOCATION='10'));");
    EXPECT_EQ(select_calibration_fap_current("FUR", "BHZ", "GE", "00"),
              "SELECT FAP FROM CALIBRATION WHERE ((STA='FUR') AND (CHAN='BHZ') AND (ENDDATE Is Null) AND "
              "(NETWORK='GE')  AND (LOCATION='00'));");
}

TEST(CalibrationStatements, QuotesInNamesAreDoubled) {
    const std::string sac = select_calibration_sac("O'X", "B'Z", kNoon, 0, "N'", "'");
    EXPECT_NE(sac.find("(STA='O''X')"), std::string::npos);
    EXPECT_NE(sac.find("(CHAN='B''Z')"), std::string::npos);
    EXPECT_NE(sac.find("(NETWORK='N''')"), std::string::npos);
    EXPECT_NE(sac.find("(LOCATION='''')"), std::string::npos);
    EXPECT_EQ(select_filelist_calib("O'X", "BHZ", kNoon + 0.9),
              "SELECT CALIB FROM FILELIST WHERE sta='O''X' and ch='BHZ' and ( tbegin<=1072958400 and "
              "tbegin+tqty>=1072958400)");
}

}  // namespace
}  // namespace kro
