#include "data/file_store.hpp"

#include <gtest/gtest.h>

#include "../core/test_support.hpp"

namespace kro {
namespace {

TEST(FileStore, RelativePathFromTheFirstSample) {
    const EpochTime t = calendar_to_time(2004, 5, 15, 11, 24, 56.7);
    EXPECT_EQ(store_relative_path("ABC", "BHZ", t), "ABC\\112456-15052004.BHZ");
}

TEST(FileStore, HeaderLines) {
    const EpochTime t = calendar_to_time(2004, 5, 15, 11, 24, 56.7);
    const std::string header = store_header("ABC", "BHZ", t, 90061.0, 19.99);
    ASSERT_EQ(header.size(), 512u);
    const std::string text = header.c_str();
    EXPECT_EQ(text,
              "[KRO4.0]\r\nData offset=512\r\nStart time=11 24 56\r\nStart date=15 05 2004\r\n"
              "Time duration=01 01 01\r\nData Type=FLOAT\r\nSpS=19\r\nStation=ABC\r\nChannels=\"BHZ\"\r\n");
    EXPECT_EQ(header.find_first_not_of('\0', text.size()), std::string::npos) << "the rest is zero";
}

TEST(FileStore, WritesHeaderThenLittleEndianFloats) {
    test::TempFolder dir;
    const std::string path = dir.file("ABC/x.BHZ");
    ASSERT_TRUE(write_store_file(path, store_header("ABC", "BHZ", 0.0, 1.0, 2.0), {1.5f, -2.0f}));
    const std::string content = test::read_file(path);
    ASSERT_EQ(content.size(), 520u);
    EXPECT_EQ(content.substr(512), std::string("\x00\x00\xc0\x3f\x00\x00\x00\xc0", 8));
}

}  // namespace
}  // namespace kro
