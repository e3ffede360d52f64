#include "core/profile_file.hpp"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "core/atomic_file.hpp"
#include "test_support.hpp"

namespace kro {
namespace {

const char* kSample =
    "; workstation settings\n"
    "[Database]\n"
    "odbc = mydsn   \n"
    "User=\"quoted user\"\n"
    "LOCALLASTID=12abc\n"
    "WFD=abc\n"
    "garbage line without equals\n"
    "=value without key\n"
    "\n"
    "[DIRSMAP]\n"
    "#=2\n"
    "NAME0=./\n"
    "[database]\n"
    "ODBC=second\n"
    "PASSWORD=pw\n"
    "[broken\n";

TEST(ProfileFile, ReadsWithProfileRules) {
    ProfileFile ini;
    ini.parse(kSample);
    const struct {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    } cases[] = {
        {"DATABASE", "ODBC", "mydsn"},          // names without case, value trimmed; first occurrence wins
        {"database", "user", "quoted user"},    // one pair of quotes removed
        {"DATABASE", "PASSWORD", "pw"},         // found in a repeated section
        {"DIRSMAP", "#", "2"},                  // '#' is a key, not a comment
        {"DATABASE", "garbage line without equals", std::nullopt},
        {"NOSECTION", "ODBC", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(ini.find(c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(ProfileFile, IntegersAndTextBuffers) {
    ProfileFile ini;
    ini.parse(kSample);
    EXPECT_EQ(ini.get_int("DATABASE", "LOCALLASTID", 7), 12);  // leading digits
    EXPECT_EQ(ini.get_int("DATABASE", "WFD", 7), 7);           // no digits: the default
    EXPECT_EQ(ini.get_int("DATABASE", "MISSING", 7), 7);
    EXPECT_EQ(ini.get_int("DIRSMAP", "#", 0), 2);
    EXPECT_EQ(ini.get_text("DATABASE", "ODBC", "KRO", 4), "myd");  // a buffer of 4 keeps 3 characters
    EXPECT_EQ(ini.get_text("DATABASE", "NONE", "KRO", 32), "KRO");

    const struct {
        const char* text;
        int value;
    } numbers[] = {{" 42", 42}, {"-3", -3}, {"+5", 5}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1},
                   {"", -1},    {"x1", -1}, {"0x10", 0}};
    for (const auto& n : numbers) EXPECT_EQ(parse_decimal(n.text, -1), n.value) << n.text;
}

TEST(ProfileFile, WriteBackKeepsEveryOtherLine) {
    test::TempFolder dir;
    const std::string path = dir.file("KRO.INI");
    test::write_file(path, kSample);
    ProfileFile ini;
    ASSERT_TRUE(ini.load(path));

    ASSERT_TRUE(ini.write("DATABASE", "odbc", "other"));  // the key keeps its spelling
    ASSERT_TRUE(ini.write("DIRSMAP", "DIR0", "/data/"));  // a new key goes to the end of its section
    ASSERT_TRUE(ini.write("OUT", "DIR", "/out/"));        // a new section goes to the end of the file

    std::string expected = kSample;
    expected.replace(expected.find("odbc = mydsn   "), 15, "odbc=other");
    expected.replace(expected.find("NAME0=./\n") + 9, 0, "DIR0=/data/\n");
    expected += "\n[OUT]\nDIR=/out/\n";
    EXPECT_EQ(test::read_file(path), expected);

    ProfileFile again;
    ASSERT_TRUE(again.load(path));
    EXPECT_EQ(again.find("database", "ODBC"), "other");
    EXPECT_EQ(again.find("dirsmap", "dir0"), "/data/");
}

TEST(ProfileFile, KeepsWindowsLineEnds) {
    ProfileFile ini;
    ini.parse("[A]\r\nX=1\r\n");
    ini.set("A", "Y", "2");
    EXPECT_EQ(ini.text(), "[A]\r\nX=1\r\nY=2\r\n");
}

TEST(ProfileFile, RemovesSectionsAndKeys) {
    ProfileFile ini;
    ini.parse("[A]\nX=1\n[B]\nY=2\n[a]\nZ=3\n");
    ini.remove_section("A");
    EXPECT_EQ(ini.text(), "[B]\nY=2\n");
    ini.remove_key("b", "y");
    EXPECT_EQ(ini.text(), "[B]\n");
}

// A write that cannot finish (here the file-size limit stands in for a full
// disk) reports an error and leaves the old file whole.
TEST(AtomicWrite, FailedWriteKeepsTheOldFile) {
    test::TempFolder dir;
    const std::string path = dir.file("KRO.INI");
    test::write_file(path, "[DATABASE]\nODBC=KRO\n");

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{16, 16};
        setrlimit(RLIMIT_FSIZE, &limit);
        ProfileFile ini;
        if (!ini.load(path)) _exit(3);
        const Status s = ini.write("DATABASE", "ODBC", std::string(200, 'x'));
        _exit(s.ok() ? 1 : (s.message().find("Cannot write") != std::string::npos ? 0 : 2));
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must fail with a clear message";
    EXPECT_EQ(test::read_file(path), "[DATABASE]\nODBC=KRO\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "no temporary file is left";
}

TEST(AtomicWrite, ReplacingADirectoryFails) {
    test::TempFolder dir;
    std::filesystem::create_directories(dir.file("taken/inner"));
    const Status s = write_file_atomically(dir.file("taken"), "text");
    EXPECT_FALSE(s);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("taken/inner")));
}

}  // namespace
}  // namespace kro
