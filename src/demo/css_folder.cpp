#include "demo/css_folder.hpp"

#include <cstdio>
#include <filesystem>

#include "core/atomic_file.hpp"

namespace kro {

std::string css_sample_file_name(const CssChannel& channel) { return channel.sta + "." + channel.chan + ".w"; }

std::string format_wfdisc_line(const CssChannel& channel, long wfid, const std::string& dfile) {
    const long nsamp = static_cast<long>(channel.samples.size());
    const double endtime = channel.time + (nsamp > 0 ? (nsamp - 1) / channel.samprate : 0.0);
    CalendarTime c;
    time_to_calendar(channel.time, c);
    char line[512];
    std::snprintf(line, sizeof line,
                  "%-6.6s %-8.8s %17.5f %8ld %8ld %8d %17.5f %8ld %11.7f %16.6f %16.6f %-6.6s %c %-2.2s %c %-64.64s "
                  "%-32.32s %10ld %8ld %-17.17s",
                  channel.sta.c_str(), channel.chan.c_str(), channel.time, wfid, -1L,
                  calendar_to_jdate(c.year, c.month, c.day), endtime, nsamp, channel.samprate, channel.calib,
                  channel.calper, "-", '-', "s4", '-', ".", dfile.c_str(), 0L, -1L, "-");
    return line;
}

Status write_css_folder(const std::string& folder, const std::string& wfdisc_name,
                        const std::vector<CssChannel>& channels) {
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string base = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    std::string wfdisc;
    long wfid = 1;
    for (const CssChannel& channel : channels) {
        std::string bytes(channel.samples.size() * 4, '\0');
        for (std::size_t i = 0; i < channel.samples.size(); ++i) {
            const auto v = static_cast<std::uint32_t>(channel.samples[i]);
            bytes[4 * i] = static_cast<char>(v >> 24);
            bytes[4 * i + 1] = static_cast<char>(v >> 16);
            bytes[4 * i + 2] = static_cast<char>(v >> 8);
            bytes[4 * i + 3] = static_cast<char>(v);
        }
        const std::string dfile = css_sample_file_name(channel);
        if (Status s = write_file_atomically(base + dfile, bytes); !s) return s;
        wfdisc += format_wfdisc_line(channel, wfid++, dfile) + "\n";
    }
    return write_file_atomically(base + wfdisc_name, wfdisc);
}

}  // namespace kro
