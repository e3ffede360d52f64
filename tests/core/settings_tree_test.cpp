#include "core/settings_tree.hpp"

#include <gtest/gtest.h>

#include "test_support.hpp"

namespace kro {
namespace {

TEST(SettingsTree, ValuesOfEveryTypeSurviveAReload) {
    test::TempFolder dir;
    const std::string path = dir.file("settings.kro");
    {
        SettingsTree tree;
        ASSERT_TRUE(tree.load(path));
        ASSERT_TRUE(tree.set_double("KRO\\Time\\FUR\\BHZ", "Tbegin", 1296474900.25));
        ASSERT_TRUE(tree.set_double("KRO\\Time\\FUR\\BHZ", "Tqty", 60.0));
        ASSERT_TRUE(tree.set_text("KRO\\Butter Filter\\O'Neil \"quoted\"", "Low", "1.5\n\\2"));
        ASSERT_TRUE(tree.set_default("KRO\\waveforms-\\list", "default text"));
        ASSERT_TRUE(tree.set_binary("KRO\\TOOLBAR", "WAVEFORMS", std::string("\0\1\xff", 3)));
        ASSERT_TRUE(tree.set_binary("KRO\\TOOLBAR", "EMPTY", ""));
    }
    SettingsTree tree;
    ASSERT_TRUE(tree.load(path));
    EXPECT_EQ(tree.get_double("kro\\time\\fur\\bhz", "TBEGIN"), 1296474900.25);  // names without case
    EXPECT_EQ(tree.get_double("KRO\\Time\\FUR\\BHZ", "Tqty"), 60.0);
    EXPECT_EQ(tree.get_text("KRO\\Butter Filter\\O'Neil \"quoted\"", "Low"), "1.5\n\\2");
    EXPECT_EQ(tree.get_default("KRO\\waveforms-\\list"), "default text");
    EXPECT_EQ(tree.get_binary("KRO\\TOOLBAR", "WAVEFORMS"), std::string("\0\1\xff", 3));
    EXPECT_EQ(tree.get_binary("KRO\\TOOLBAR", "EMPTY"), "");
    EXPECT_EQ(tree.get_text("KRO\\TOOLBAR", "WAVEFORMS"), std::nullopt) << "a binary value is not text";
    EXPECT_EQ(tree.get_double("KRO\\TOOLBAR", "WAVEFORMS"), std::nullopt) << "3 bytes are not a double";
}

TEST(SettingsTree, EnumeratesSubkeysAndValues) {
    SettingsTree tree;  // memory only
    ASSERT_TRUE(tree.set_text("KRO\\waveforms-\\quarry\\1", "STA", "FUR"));
    ASSERT_TRUE(tree.set_text("KRO\\waveforms-\\quarry\\0", "STA", "WET"));
    ASSERT_TRUE(tree.set_text("KRO\\waveforms-\\quarry\\0", "CHAN", "BHZ"));
    ASSERT_TRUE(tree.create_key("KRO\\waveforms-\\Alps"));
    EXPECT_EQ(tree.subkeys("KRO\\waveforms-"), (std::vector<std::string>{"Alps", "quarry"}));
    EXPECT_EQ(tree.subkeys("KRO\\waveforms-\\quarry"), (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(tree.subkeys(""), (std::vector<std::string>{"KRO"}));
    EXPECT_TRUE(tree.key_exists("\\KRO\\waveforms-\\"));
    const auto values = tree.values("KRO\\waveforms-\\quarry\\0");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].name, "CHAN");
    EXPECT_EQ(values[1].name, "STA");
}

TEST(SettingsTree, DeletingAKeyDeletesItsSubtreeOnly) {
    SettingsTree tree;
    ASSERT_TRUE(tree.set_text("KRO\\waveforms-\\quarry\\0\\deep", "X", "1"));
    ASSERT_TRUE(tree.set_text("KRO\\waveforms-\\quarry\\1", "STA", "FUR"));
    ASSERT_TRUE(tree.set_text("KRO\\waveforms-\\quarry2", "STA", "WET"));
    ASSERT_TRUE(tree.delete_key("KRO\\Waveforms-\\QUARRY"));
    EXPECT_FALSE(tree.key_exists("KRO\\waveforms-\\quarry"));
    EXPECT_FALSE(tree.key_exists("KRO\\waveforms-\\quarry\\0\\deep"));
    EXPECT_EQ(tree.get_text("KRO\\waveforms-\\quarry2", "STA"), "WET");
    ASSERT_TRUE(tree.delete_value("KRO\\waveforms-\\quarry2", "sta"));
    EXPECT_TRUE(tree.values("KRO\\waveforms-\\quarry2").empty());
}

TEST(SettingsTree, DamagedFileGivesWhatCanBeReadAndIsKept) {
    test::TempFolder dir;
    const std::string path = dir.file("settings.kro");
    const std::string damaged =
        "KRO settings tree 1\n"
        "[KRO\\Detector\\FUR\\BHZ]\n"
        "\"Tsta\"=\"1.0\"\n"
        "\"Tlta\"=hex:zz\n"
        "\"unterminated=\"x\n"
        "[KRO\\TOOLBAR]\n"
        "\"MAP\"=hex:01,02\n";
    test::write_file(path, damaged);

    SettingsTree tree;
    const Status loaded = tree.load(path);
    EXPECT_FALSE(loaded);
    EXPECT_NE(loaded.message().find("lines 4, 5"), std::string::npos) << loaded.message();
    EXPECT_EQ(tree.get_text("KRO\\Detector\\FUR\\BHZ", "Tsta"), "1.0");
    EXPECT_EQ(tree.get_binary("KRO\\TOOLBAR", "MAP"), std::string("\1\2", 2));

    ASSERT_TRUE(tree.set_text("KRO\\Detector\\FUR\\BHZ", "Tlta", "30"));
    EXPECT_EQ(test::read_file(path + ".bad"), damaged) << "the damaged file is kept before it is replaced";
    SettingsTree again;
    EXPECT_TRUE(again.load(path));
    EXPECT_EQ(again.get_text("KRO\\Detector\\FUR\\BHZ", "Tlta"), "30");
}

TEST(SettingsTree, FailedWriteKeepsMemoryAndFile) {
    test::TempFolder dir;
    std::filesystem::create_directories(dir.file("settings.kro/occupied"));  // the path is a folder
    SettingsTree tree;
    tree.set_path(dir.file("settings.kro"));
    EXPECT_FALSE(tree.set_text("KRO\\A", "X", "1"));
    EXPECT_FALSE(tree.key_exists("KRO\\A")) << "memory stays as the file is";
}

}  // namespace
}  // namespace kro
