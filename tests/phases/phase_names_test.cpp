#include "phases/phase_names.hpp"

#include <gtest/gtest.h>

#include "../core/test_support.hpp"

namespace kro {
namespace {

TEST(PhaseNames, BuiltInTableHasItsPairsThenTheEightMarks) {
    const PhaseNameTable t;
    ASSERT_EQ(t.phase_count(), 52 + 8);
    EXPECT_EQ(t.phase_name(0), "P");
    EXPECT_EQ(t.curve_name(4), "P_n");
    EXPECT_EQ(t.curve_name(t.phase_index("sPKKPdf")), "_sPKKP(df)");
    EXPECT_EQ(t.phase_name(52), "tx");
    EXPECT_EQ(t.phase_name(59), "Tk");
    EXPECT_EQ(t.curve_name(t.phase_index("Tk")), "");
    EXPECT_EQ(t.phase_index("nonsense"), -1);
    EXPECT_EQ(t.phase_name(60), "");
    EXPECT_EQ(t.phase_name(-1), "");
}

TEST(PhaseNames, FileIsReadInPairsAndALaterDuplicateWins) {
    test::TempFolder dir;
    test::write_file(dir.file("phaselist"), "P P\nS  S\tPg P_g\nP Pdup\nodd\n");
    PhaseNameTable t;
    EXPECT_TRUE(t.load(dir.path().string()));
    EXPECT_EQ(t.phase_count(), 4 + 8);
    EXPECT_EQ(t.phase_index("P"), 3);
    EXPECT_EQ(t.curve_name(3), "Pdup");
    EXPECT_EQ(t.phase_index("Unk"), 6);
}

TEST(PhaseNames, MissingFileFallsBackToTheBuiltInTable) {
    test::TempFolder dir;
    PhaseNameTable t;
    t.assign({{"X", "Y"}});
    EXPECT_FALSE(t.load(dir.file("absent")));
    EXPECT_EQ(t.phase_count(), 60);
}

TEST(PhaseNames, OnlyAvailableCurvesMayBeIncluded) {
    PhaseNameTable t;
    const int p = t.phase_index("P");
    const int tk = t.phase_index("Tk");
    EXPECT_FALSE(t.may_include(p));
    t.set_curve_available(p, true);
    t.set_curve_available(tk, true);
    EXPECT_TRUE(t.may_include(p));
    EXPECT_FALSE(t.may_include(tk));  // a mark without a curve name
}

}  // namespace
}  // namespace kro
