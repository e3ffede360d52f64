#include "core/config.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

#include "core/app_context.hpp"
#include "core/command_line.hpp"
#include "test_support.hpp"

namespace kro {
namespace {

TEST(CommandLine, KeysAreUpperCasedAndDataLosesQuotes) {
    const CommandLine cmd = parse_command_line(
        {"/opt/kro/kro", "odbc=mydsn", "data='d:\\data'", "Password_CSS=Secret", "user=a", "USER=b", "/nologo",
         "ODBCX=ignored", "DATA=\"/srv/o'neil\""});
    EXPECT_EQ(cmd.odbc, "MYDSN");
    EXPECT_EQ(cmd.data, "/SRV/ONEIL");  // the later DATA= wins
    EXPECT_EQ(cmd.password_css, "SECRET");
    EXPECT_EQ(cmd.user, "B");
    EXPECT_EQ(cmd.odbc_css, std::nullopt);
    EXPECT_EQ(cmd.password, std::nullopt);
    EXPECT_FALSE(cmd.show_splash);
    EXPECT_TRUE(parse_command_line({"kro"}).show_splash);
}

TEST(AppSettings, DefaultsWithoutAFile) {
    const AppSettings s = load_app_settings(ProfileFile{}, CommandLine{}, "/opt/kro/bin/kro");
    EXPECT_EQ(main_connection_string(s.database), "DSN=KRO;UID=KRO;PWD=ZTQ;");
    EXPECT_EQ(css_connection_string(s.database), "");
    EXPECT_EQ(s.data_folder, "\\");
    EXPECT_EQ(s.out_folder, "\\");
    EXPECT_EQ(s.program_folder, "/opt/kro/bin/");
    EXPECT_TRUE(s.save_to_css);
    EXPECT_FALSE(s.waveforms_from_wfdisc);
    EXPECT_EQ(s.active_phase_set, 3);
    EXPECT_EQ(s.trace_font.lfFaceName, "ARIAL");
    EXPECT_EQ(s.travel_time_folder, "\\");
    EXPECT_TRUE(s.dirs_map.empty());
    EXPECT_EQ(ini_text(ProfileFile{}, "LSE", "DIR"), "C:\\LSE");
}

TEST(AppSettings, CommandLineWinsOverTheFile) {
    ProfileFile ini;
    ini.parse("[DATABASE]\nODBC=FROMFILE\nUSER=fileuser\nODBC_CSS=CSSDSN\n[DATA]\nDIR=/file/data\n");
    const AppSettings s = load_app_settings(ini, parse_command_line({"kro", "odbc=mydsn", "data='d:\\data'"}), "kro");
    EXPECT_EQ(s.database.odbc, "MYDSN");
    EXPECT_EQ(s.database.user, "fileuser");
    EXPECT_EQ(s.data_folder, "D:\\DATA");
    EXPECT_EQ(css_connection_string(s.database), "DSN=CSSDSN;UID=KRO;PWD=ZTQ;");
}

TEST(AppSettings, CssNeedsANameAndAUser) {
    ProfileFile ini;
    ini.parse("[DATABASE]\nODBC_CSS=CSSDSN\nUSER_CSS=\n");
    EXPECT_EQ(css_connection_string(load_app_settings(ini, {}, "kro").database), "");
}

TEST(AppSettings, ProgramFolderRule) {
    const struct {
        const char* ini;
        const char* folder;
    } cases[] = {
        {"[KRO]\nDIR=c:\\prog   \n", "c:\\prog\\"},
        {"[KRO]\nDIR=\"c:\\prog   \"\n", "c:\\prog\\"},
        {"[KRO]\nDIR=/opt/kro/\n", "/opt/kro/"},
        {"[KRO]\nDIR=d:\\kro\\\n", "d:\\kro\\"},
        {"[KRO]\nDIR=\n", "/usr/lib/kro/"},
        {"", "/usr/lib/kro/"},
    };
    for (const auto& c : cases) {
        ProfileFile ini;
        ini.parse(c.ini);
        EXPECT_EQ(program_folder(ini, "/usr/lib/kro/kro"), c.folder) << c.ini;
    }
}

TEST(AppSettings, OverlongAndGarbageValues) {
    ProfileFile ini;
    ini.parse("[DATABASE]\nODBC=" + std::string(100, 'A') + "\nSAVETOCSSDB=no\nWFD=1 please\n[GODOGRAPH]\nN#=2\n"
              "DIR2=/tables/ak135\n[DIRSMAP]\n#=2\nNAME0=./\nDIR0=/data/css/\nNAME1=x\n[FONT]\nlfHeight=-13\n");
    const AppSettings s = load_app_settings(ini, {}, "kro");
    EXPECT_EQ(s.database.odbc, std::string(31, 'A'));  // a 32-character buffer
    EXPECT_TRUE(s.save_to_css);                       // no digits: the default 1
    EXPECT_TRUE(s.waveforms_from_wfdisc);
    EXPECT_EQ(s.travel_time_set, 2);
    EXPECT_EQ(s.travel_time_folder, "/tables/ak135");
    ASSERT_EQ(s.dirs_map.size(), 2u);
    EXPECT_EQ(s.dirs_map[0], (std::pair<std::string, std::string>{"./", "/data/css/"}));
    EXPECT_EQ(s.dirs_map[1], (std::pair<std::string, std::string>{"x", ""}));
    EXPECT_EQ(s.trace_font.lfHeight, -13);
}

TEST(ColumnWidths, ZeroLeavesAColumnUnchanged) {
    const struct {
        const char* text;
        std::vector<int> widths;
    } cases[] = {
        {"50,0,70", {50, 2, 70}}, {"", {1, 2, 3}},        {"60", {60, 2, 3}},
        {"-5,x,9,99", {1, 2, 9}}, {"7,,8", {7, 2, 8}},
    };
    for (const auto& c : cases) {
        std::vector<int> widths{1, 2, 3};
        apply_column_widths(c.text, widths);
        EXPECT_EQ(widths, c.widths) << c.text;
    }
    EXPECT_EQ(format_column_widths({60, 80, 120}), "60,80,120");
}

TEST(TraceFont, WritesAllFourteenKeys) {
    test::TempFolder dir;
    ProfileFile ini;
    ini.set_path(dir.file("KRO.INI"));
    TraceFont font;
    font.lfHeight = -12;
    font.lfWeight = 700;
    font.lfFaceName = "DejaVu Sans";
    ASSERT_TRUE(write_trace_font(ini, font));
    ProfileFile again;
    ASSERT_TRUE(again.load(dir.file("KRO.INI")));
    EXPECT_EQ(again.keys("FONT").size(), 14u);
    const TraceFont read = read_trace_font(again);
    EXPECT_EQ(read.lfHeight, -12);
    EXPECT_EQ(read.lfWeight, 700);
    EXPECT_EQ(read.lfFaceName, "DejaVu Sans");
}

TEST(FolderMapping, ReplacesAMappedNameAndRewritesTheSectionWhole) {
    test::TempFolder dir;
    // Three stored entries, one of them stale beyond "#"; other sections stay.
    test::write_file(dir.file("KRO.INI"),
                     "[DATA]\nDIR=/data\n[DIRSMAP]\n#=2\nNAME0=/css/a\nDIR0=/a\nNAME1=/css/b\nDIR1=/b\n"
                     "NAME2=/stale\nDIR2=/stale\n");
    ProfileFile ini;
    ASSERT_TRUE(ini.load(dir.file("KRO.INI")));
    std::vector<std::pair<std::string, std::string>> mapping = {{"/css/a", "/a"}, {"/css/b", "/b"}};
    map_folder(mapping, "/css/b", "/local/b");
    map_folder(mapping, "/css/c", "/local/c");
    ASSERT_EQ(mapping.size(), 3u);
    EXPECT_EQ(mapping[1].second, "/local/b");
    mapping.erase(mapping.begin());
    ASSERT_TRUE(write_dirs_map(ini, mapping));

    ProfileFile again;
    ASSERT_TRUE(again.load(dir.file("KRO.INI")));
    EXPECT_EQ(again.keys("DIRSMAP"), (std::vector<std::string>{"#", "NAME0", "DIR0", "NAME1", "DIR1"}));
    EXPECT_EQ(again.find("DIRSMAP", "#"), "2");
    EXPECT_EQ(again.find("DIRSMAP", "NAME0"), "/css/b");
    EXPECT_EQ(again.find("DIRSMAP", "DIR1"), "/local/c");
    EXPECT_EQ(again.find("DATA", "DIR"), "/data");
    CommandLine none;
    EXPECT_EQ(load_app_settings(again, none, dir.file("kro")).dirs_map, mapping);
}

TEST(IniFile, FoundInTheProgramFolderThenTheUserFolder) {
    test::TempFolder dir;
    const std::string program = dir.file("bin");
    const std::string config = dir.file("config");
    std::filesystem::create_directories(program);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);

    EXPECT_EQ(find_ini_file(program), config + "/kro/KRO.INI");  // where a new one goes
    test::write_file(config + "/kro/kro.ini", "[DATA]\nDIR=/user\n");
    EXPECT_EQ(find_ini_file(program), config + "/kro/kro.ini");
    test::write_file(program + "/Kro.Ini", "[DATA]\nDIR=/program\n");
    EXPECT_EQ(find_ini_file(program), program + "/Kro.Ini");

    RecordingMessenger messenger;
    AppContext ctx(messenger);
    load_configuration(ctx, {program + "/kro"}, program + "/kro");
    EXPECT_EQ(ctx.settings.data_folder, "/program");
    EXPECT_TRUE(messenger.boxes.empty());
}

TEST(IniFile, UnreadableSettingsTreeWarnsAndUsesDefaults) {
    test::TempFolder dir;
    ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    std::filesystem::create_directories(dir.file("kro/settings.kro"));  // a folder where the file should be
    RecordingMessenger messenger;
    AppContext ctx(messenger);
    load_configuration(ctx, {"kro"}, dir.file("bin/kro"));
    ASSERT_EQ(messenger.boxes.size(), 1u);
    EXPECT_EQ(messenger.boxes[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(ctx.user_settings.subkeys("").empty());
    EXPECT_FALSE(ctx.user_settings.set_text("KRO\\A", "X", "1")) << "an unreadable file is never written over";
}

}  // namespace
}  // namespace kro
