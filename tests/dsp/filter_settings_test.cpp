#include <gtest/gtest.h>

#include "core/settings_tree.hpp"
#include "dsp/filter_formula.hpp"
#include "dsp/filter_record.hpp"
#include "dsp/named_filters.hpp"

namespace kro {
namespace {

TEST(FilterDescription, NamesFiltersAndConversions) {
    FilterRecord r;
    r.low = 0.5f;
    r.high = 12.25f;
    r.order = 4;
    struct Case {
        int type;
        bool zero_phase;
        const char* text;
    } cases[] = {
        {kBandPass, true, "0.5000 12.2500 4 B 0"},  {kLowPass, false, "0.5000 12.2500 4 L C"},
        {kBandReject, true, "0.5000 12.2500 4 R 0"}, {kHighPass, false, "0.5000 12.2500 4 H C"},
        {1000, true, "DIS"},   {1004, true, "WA"},  {1006, true, "VEGIK"},  {1010, true, "VEL"},
        {1011, true, "DIS_A"}, {1017, true, "VEL_A"}, {1018, true, "VEGIK_A"}, {1007, true, ""},
        {kSpwwss, true, ""},
    };
    for (const auto& c : cases) {
        r.type = c.type;
        r.zero_phase = c.zero_phase;
        EXPECT_EQ(filter_description(r, true), c.text) << c.type;
    }
    EXPECT_EQ(filter_description(r, false), "unfilter");
}

TEST(NamedFilters, MissingValuesTakeDefaultsAndUnknownTypesBandPass) {
    SettingsTree tree;
    ASSERT_TRUE(tree.set_text("KRO\\Butter Filter\\odd", "FilterType", "XX"));
    ASSERT_TRUE(tree.set_text("KRO\\Butter Filter\\odd", "ZeroPhase", "true"));
    ASSERT_TRUE(tree.set_text("KRO\\Butter Filter\\odd", "FilterOrder", "abc"));
    const FilterRecord r = read_named_filter(tree, "odd");
    EXPECT_EQ(r.type, kBandPass);
    EXPECT_FALSE(r.zero_phase) << "only the exact text TRUE is on";
    EXPECT_EQ(r.order, 0);
    EXPECT_EQ(r.low_text, "0.7");
    EXPECT_EQ(r.high_text, "1.4");
    EXPECT_FLOAT_EQ(r.low, 0.7f);
    EXPECT_FLOAT_EQ(r.high, 1.4f);

    const FilterRecord absent = read_named_filter(tree, "never saved");
    EXPECT_EQ(absent.type, kBandPass);
    EXPECT_TRUE(absent.zero_phase);
    EXPECT_EQ(absent.order, 3);

    struct Case {
        const char* text;
        int type;
    } types[] = {{"BP", 0}, {"LP", 1}, {"BR", 2}, {"HP", 3}, {"SPWWSS", 4}, {"bp", 0}, {"", 0}};
    for (const auto& c : types) {
        ASSERT_TRUE(tree.set_text("KRO\\Butter Filter\\t", "FilterType", c.text));
        EXPECT_EQ(read_named_filter(tree, "t").type, c.type) << c.text;
    }
}

TEST(NamedFilters, SaveReadAndRemoveKeepOtherFilters) {
    SettingsTree tree;
    FilterRecord r;
    r.low_text = "2.5";
    r.high_text = "8";
    r.low = 2.5f;
    r.high = 8.0f;
    r.type = kHighPass;
    r.order = 5;
    r.zero_phase = false;
    const std::string odd = "O'Neil \"teleseism\"";
    ASSERT_TRUE(save_named_filter(tree, odd, r));
    ASSERT_TRUE(save_named_filter(tree, "local", default_filter_record()));
    EXPECT_EQ(tree.get_text("KRO\\Butter Filter\\" + odd, "FilterType"), "HP");
    EXPECT_EQ(tree.get_text("KRO\\Butter Filter\\" + odd, "ZeroPhase"), "FALSE");
    EXPECT_EQ(tree.get_text("KRO\\Butter Filter\\" + odd, "FilterOrder"), "5");
    EXPECT_EQ(read_named_filter(tree, odd), r);
    EXPECT_EQ(named_filters(tree), (std::vector<std::string>{"local", odd}));

    ASSERT_TRUE(remove_named_filter(tree, odd));
    EXPECT_EQ(named_filters(tree), (std::vector<std::string>{"local"}));
    EXPECT_EQ(read_named_filter(tree, "local"), default_filter_record());
}

TEST(NamedFilters, RefusesNamesAndTypesThatCannotBeStored) {
    SettingsTree tree;
    EXPECT_FALSE(save_named_filter(tree, "", default_filter_record()));
    EXPECT_FALSE(save_named_filter(tree, "a\\b", default_filter_record()));
    FilterRecord conversion;
    conversion.type = 1004;
    EXPECT_FALSE(save_named_filter(tree, "wa", conversion));
    EXPECT_TRUE(named_filters(tree).empty()) << "nothing was written";
}

TEST(FilterConstructor, WritesTheFormulaOfEachKind) {
    struct Case {
        int type;
        bool zero_phase;
        const char* formula;
    } cases[] = {
        {kHighPass, false, "butter((current-mean(current)),2.000000,0.000000,4)"},
        {kLowPass, false, "butter((current-mean(current)),0.000000,5.000000,4)"},
        {kBandPass, false, "butter((current-mean(current)),2.000000,5.000000,4)"},
        {kBandPass, true,
         "revers(butter(revers(butter((current-mean(current)),2.000000,5.000000,4)),2.000000,5.000000,4))"},
        {kLowPass, true,
         "revers(butter(revers(butter((current-mean(current)),0.000000,5.000000,4)),0.000000,5.000000,4))"},
        {kBandReject, false, "butter(butter((current-mean(current)),0.000000,2.000000,4),5.000000,0.000000,4)"},
        {kBandReject, true, "butter(butter((current-mean(current)),0.000000,2.000000,4),5.000000,0.000000,4)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(filter_constructor_formula(2.0, 5.0, 4, c.type, c.zero_phase), c.formula) << c.type;
}

}  // namespace
}  // namespace kro
