#include "phases/arr_file.hpp"

#include <cmath>
#include <fstream>

#include "core/atomic_file.hpp"
#include "core/profile_file.hpp"
#include "core/time.hpp"
#include "phases/fixed_text.hpp"
#include "phases/station_names.hpp"

namespace kro {

namespace {

const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// Copies `text` into the line from `position`; text beyond the line is cut.
void place(std::string& line, std::size_t position, const std::string& text) {
    for (std::size_t i = 0; i < text.size() && position + i < line.size(); ++i) line[position + i] = text[i];
}

std::string load_date(double today) {
    CalendarTime c;
    time_to_calendar(today, c);
    const int month = c.month >= 1 && c.month <= 12 ? c.month : 1;
    return std::to_string(c.day) + "-" + kMonths[month - 1] + "-" + std::to_string(c.year);
}

std::string field(const std::string& line, std::size_t from, std::size_t to) {
    if (from >= line.size()) return {};
    return trim(line.substr(from, to - from + 1));
}

char char_at(const std::string& line, std::size_t position) {
    return position < line.size() ? line[position] : ' ';
}

std::optional<double> number_at(const std::string& line, std::size_t position,
                                std::size_t width = std::string_view::npos) {
    if (position >= line.size()) return std::nullopt;
    return scan_number(std::string_view(line).substr(position), width);
}

}  // namespace

std::string format_arr_line(const SEISMIC_PHASE& p, const StationTable& stations, const PhaseNameTable& names,
                            double today) {
    std::string line(kArrLineLength, ' ');
    CalendarTime c;
    time_to_calendar(p.time, c);
    const bool measured = p.amplitude_measured != 0;
    const double amp_nm = static_cast<double>(p.amplitude) * 1000.0;
    const double period = p.period;
    const bool has_logat = measured && amp_nm > 0 && period > 0;
    const char fm = p.first_motion >= 5 && p.first_motion <= 8 ? first_motion_letter(p.first_motion) : '-';

    std::string sta = station_name(stations, p.station_index);
    if (sta.size() < 3) sta.insert(0, 3 - sta.size(), ' ');
    place(line, 0, sta);
    place(line, 7, format_fixed(p.time, 5, 17));
    place(line, 25, format_int(-1, 8));
    std::string jdate = std::to_string(calendar_to_jdate(c.year, c.month, c.day));
    if (jdate.size() < 7) jdate.insert(0, 7 - jdate.size(), '0');
    place(line, 34, jdate);
    place(line, 43, "-1");
    place(line, 52, "-1");
    place(line, 61, channel_name(stations, p.station_index, p.channel_index));
    place(line, 70, names.phase_name(p.phase_index));
    place(line, 79, "-");
    place(line, 81, format_fixed(p.deltim, 3, 6));
    place(line, 88, format_fixed(p.azimuth_valid ? p.azimuth : -1.0, 2, 7));
    place(line, 96, format_fixed(-1.0, 2, 7));
    place(line, 104, format_fixed(-1.0, 2, 7));
    place(line, 112, format_fixed(-1.0, 2, 7));
    place(line, 120, format_fixed(p.azimuth_valid ? p.emergence_angle : -1.0, 2, 7));
    place(line, 128, format_fixed(-1.0, 3, 7));
    place(line, 136, format_fixed(measured ? amp_nm : -1.0, 1, 10));
    place(line, 147, format_fixed(measured ? period : -1.0, 2, 7));
    place(line, 155, format_fixed(has_logat ? std::log10(amp_nm / period) : -1.0, 2, 7));
    place(line, 163, "-");
    place(line, 165, std::string(1, fm));
    place(line, 168, format_fixed(-1.0, 2, 10));
    place(line, 179, p.onset == kOnsetImpulsive ? "i" : "e");
    place(line, 181, "KRO 5.2");
    place(line, 197, format_int(-1, 8));
    place(line, 206, load_date(today));
    return line;
}

Status write_arr_file(const std::string& path, const KROPhases& picks, const StationTable& stations,
                      const PhaseNameTable& names) {
    const double today = current_time();
    std::string content;
    for (const SEISMIC_PHASE& p : picks) content += format_arr_line(p, stations, names, today) + "\n";
    const Status written = write_file_atomically(path, content);
    if (!written) return Status::failure("Error opening file  '" + path + "'\n" + written.message());
    return {};
}

Status read_arr_file(const std::string& path, const StationTable& stations, const PhaseNameTable& names,
                     KROPhases& picks, ArrReadReport* report) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Status::failure("Cannot open the phase list '" + path + "'");
    ArrReadReport local;
    ArrReadReport& r = report ? *report : local;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) break;
        ++r.lines;
        const std::string where = "line " + std::to_string(r.lines) + ": ";
        const std::string sta = field(line, 0, 5);
        const std::string chan = field(line, 61, 68);
        const std::string phase = field(line, 70, 77);
        const auto time = number_at(line, 7);
        if (sta.empty() || chan.empty() || phase.empty()) {
            r.problems.push_back(where + "no station, channel or phase in their columns");
            continue;
        }
        if (!time) {
            r.problems.push_back(where + "no arrival time in columns 7-23");
            continue;
        }
        double deltim = number_at(line, 81).value_or(0.0);
        if (!(deltim > 0.0)) deltim = 2.0;
        const double amp = number_at(line, 136, 10).value_or(0.0) / 1000.0;
        const double period = number_at(line, 147, 7).value_or(0.0);
        const char fm = char_at(line, 165);
        const int first_motion = fm == 'c' || fm == 'd' || fm == 'u' || fm == 'r'
                                     ? first_motion_from_letter(fm, kFirstMotionUnknown)
                                     : kFirstMotionUnknown;
        const int onset = onset_from_letter(char_at(line, 179), kOnsetEmergent);

        bool matched = false;
        for (int s = 0; s < stations.count(); ++s) {
            if (stations.at(s).name != sta) continue;
            for (int c = 0; c < kChannelSlots; ++c) {
                if (!iequals(channel_name(stations, s, c), chan)) continue;
                for (int ph = 0; ph < names.phase_count(); ++ph) {
                    if (names.phase_name(ph) != phase) continue;
                    SEISMIC_PHASE p;
                    p.station_index = s;
                    p.channel_index = c;
                    p.phase_index = ph;
                    p.set_time(*time);
                    p.deltim = deltim;
                    if (amp > 0.0 && period > 0.0) {
                        p.amplitude = static_cast<float>(amp);
                        p.period = static_cast<float>(period);
                        p.amplitude_measured = 1;
                    }
                    p.first_motion = static_cast<std::uint8_t>(first_motion);
                    p.onset = static_cast<std::uint8_t>(onset);
                    p.weight_class = 1;
                    p.included = names.may_include(ph) ? 1 : 0;
                    picks.insert_phase(p);
                    ++r.picks;
                    matched = true;
                }
            }
        }
        if (!matched) ++r.unmatched;
    }
    return {};
}

}  // namespace kro
