#include "exchange/wfdisc_writer.hpp"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>

#include "core/atomic_file.hpp"
#include "data/wfdisc_line.hpp"

namespace kro {

namespace {

std::string lower(std::string_view text) {
    std::string s(text);
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::int32_t truncate_to_int32(float v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0f) return std::numeric_limits<std::int32_t>::max();
    if (v <= -2147483648.0f) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

void put_u32(std::string& out, std::uint32_t bits, bool big_endian) {
    for (int i = 0; i < 4; ++i) {
        const int shift = big_endian ? 8 * (3 - i) : 8 * i;
        out.push_back(static_cast<char>((bits >> shift) & 0xffu));
    }
}

Status failure(const std::string& what) { return Status::failure(std::string(kWfdiscWriteError) + ": " + what); }

}  // namespace

std::optional<WfdiscSampleFormat> wfdisc_sample_format(int setting) {
    if (setting < 0 || setting > 2) return std::nullopt;
    return static_cast<WfdiscSampleFormat>(setting);
}

std::string_view wfdisc_datatype(WfdiscSampleFormat format) {
    switch (format) {
        case WfdiscSampleFormat::I4: return "i4";
        case WfdiscSampleFormat::F4: return "f4";
        case WfdiscSampleFormat::S4: return "s4";
    }
    return "-";
}

std::string wfdisc_sample_file_name(int index, std::string_view sta, std::string_view chan, EpochTime start) {
    CalendarTime c;
    time_to_calendar(start, c);
    char head[64];
    std::snprintf(head, sizeof head, "%d-%02d%02d%02d%02d%02d%04d-", index, c.hour, c.minute,
                  static_cast<int>(c.seconds), c.day, c.month, c.year);
    return head + std::string(sta) + "-" + lower(chan) + ".w";
}

std::optional<std::string> format_wfdisc_line(std::string_view sta, std::string_view chan, const KRODataBlock& block,
                                              WfdiscSampleFormat format, std::string_view dfile) {
    CalendarTime c;
    time_to_calendar(block.start, c);
    const std::string sta_text(sta), chan_text = lower(chan), dfile_text(dfile);
    const std::string lddate = dttostr(block.start, 11);
    const std::string datatype(wfdisc_datatype(format));
    char line[512];
    const int n = std::snprintf(
        line, sizeof line,
        "%-6.6s %-8.8s %17.5f %8ld %8ld %8ld %17.5f %8ld %11.7f %16.6f %16.6f %-6.6s %c %-2.2s %c %-64.64s %-32.32s "
        "%10ld %8ld %-17.17s",
        sta_text.c_str(), chan_text.c_str(), block.start, -1L, -1L,
        static_cast<long>(calendar_to_jdate(c.year, c.month, c.day)), block.end(), static_cast<long>(block.count()),
        block.sps, block.calib, block.calper, "-", '-', datatype.c_str(), '-', ".", dfile_text.c_str(), 0L, -1L,
        lddate.c_str());
    if (n != static_cast<int>(kWfdiscLineLength)) return std::nullopt;
    return std::string(line, static_cast<std::size_t>(n));
}

std::string encode_wfdisc_samples(std::span<const float> samples, WfdiscSampleFormat format) {
    std::string out;
    out.reserve(samples.size() * 4);
    for (float v : samples) {
        if (format == WfdiscSampleFormat::F4)
            put_u32(out, std::bit_cast<std::uint32_t>(v), false);
        else
            put_u32(out, static_cast<std::uint32_t>(truncate_to_int32(v)), format == WfdiscSampleFormat::S4);
    }
    return out;
}

WfdiscWriteResult write_wfdisc(const std::string& wfdisc_path, const XKRODataBlockArrays& arrays,
                               WfdiscSampleFormat format) {
    WfdiscWriteResult result;
    const std::filesystem::path folder = std::filesystem::path(wfdisc_path).parent_path();
    std::string wfdisc;
    int index = 0;
    for (std::size_t a = 0; a < arrays.count(); ++a) {
        const KRODataBlockArray& array = arrays.at(a);
        for (const KRODataBlock& block : array.blocks()) {
            const std::string where = array.sta() + " " + array.chan() + " segment " + std::to_string(index);
            if (!(block.sps > 0.0)) {
                result.status = failure(where + ": the sampling rate is not positive");
                return result;
            }
            const std::string dfile = wfdisc_sample_file_name(index, array.sta(), array.chan(), block.start);
            const auto line = format_wfdisc_line(array.sta(), array.chan(), block, format, dfile);
            if (!line) {
                result.status = failure(where + ": a value does not fit its wfdisc column");
                return result;
            }
            const std::string sample_path = (folder / dfile).string();
            if (Status s = write_file_atomically(sample_path, encode_wfdisc_samples(block.samples, format)); !s) {
                result.status = failure(s.message());
                return result;
            }
            ++result.segments;
            wfdisc += *line;
            wfdisc += '\n';
            ++index;
        }
    }
    if (Status s = write_file_atomically(wfdisc_path, wfdisc); !s) result.status = failure(s.message());
    return result;
}

}  // namespace kro
