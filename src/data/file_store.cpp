#include "data/file_store.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "core/atomic_file.hpp"

namespace kro {

std::string store_relative_path(const std::string& sta, const std::string& chan, EpochTime first_sample) {
    const CalendarTime c = calendar_of(first_sample);
    char buf[256];
    std::snprintf(buf, sizeof buf, "%s\\%02d%02d%02d-%02d%02d%04d.%s", sta.c_str(), c.hour, c.minute,
                  static_cast<int>(c.seconds), c.day, c.month, c.year, chan.c_str());
    return buf;
}

std::string store_header(const std::string& sta, const std::string& chan, EpochTime first_sample, double duration,
                         double sps) {
    const CalendarTime c = calendar_of(first_sample);
    const auto whole = static_cast<long long>(duration);
    const long long of_day = ((whole % 86400) + 86400) % 86400;
    char buf[kStoreHeaderSize];
    const int n = std::snprintf(
        buf, sizeof buf,
        "[KRO4.0]\r\nData offset=512\r\nStart time=%02d %02d %02d\r\nStart date=%02d %02d %04d\r\n"
        "Time duration=%02d %02d %02d\r\nData Type=FLOAT\r\nSpS=%d\r\nStation=%s\r\nChannels=\"%s\"\r\n",
        c.hour, c.minute, static_cast<int>(c.seconds), c.day, c.month, c.year, static_cast<int>(of_day / 3600),
        static_cast<int>(of_day / 60 % 60), static_cast<int>(of_day % 60), static_cast<int>(std::trunc(sps)),
        sta.c_str(), chan.c_str());
    std::string header(buf, static_cast<std::size_t>(std::min<int>(n, static_cast<int>(kStoreHeaderSize))));
    header.resize(kStoreHeaderSize, '\0');
    return header;
}

Status write_store_file(const std::string& path, const std::string& header, const std::vector<float>& samples) {
    std::string content = header;
    content.reserve(header.size() + samples.size() * 4);
    for (float v : samples) {
        const auto bits = std::bit_cast<std::uint32_t>(v);
        for (int b = 0; b < 4; ++b) content += static_cast<char>((bits >> (8 * b)) & 0xff);
    }
    return write_file_atomically(path, content);
}

}  // namespace kro
