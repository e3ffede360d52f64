#include "phases/seismic_phase.hpp"

#include <cmath>
#include <string_view>

namespace kro {

void SEISMIC_PHASE::set_time(EpochTime t) {
    time = t;
    CalendarTime c;
    time_to_calendar(t, c);
    year = c.year;
    month = static_cast<std::uint8_t>(c.month);
    day = static_cast<std::uint8_t>(c.day);
    hour = c.hour;
    minute = c.minute;
    const double whole = std::floor(t);
    const double within_day = whole - 86400.0 * std::floor(whole / 86400.0);
    second = static_cast<int>(within_day) % 60;
    hundredths = static_cast<int>((t - whole) * 100.0);
}

namespace {
constexpr std::string_view kFirstMotionLetters = "UD+-?cdur";
}

char onset_letter(int code) {
    switch (code) {
    case kOnsetEmergent: return 'E';
    case kOnsetImpulsive: return 'I';
    case kOnsetWeak: return 'W';
    default: return '-';
    }
}

int onset_from_letter(char letter, int otherwise) {
    switch (letter) {
    case 'E': case 'e': return kOnsetEmergent;
    case 'I': case 'i': return kOnsetImpulsive;
    case 'W': case 'w': return kOnsetWeak;
    case '-': return kOnsetNone;
    default: return otherwise;
    }
}

char first_motion_letter(int code) {
    if (code < 0 || code >= static_cast<int>(kFirstMotionLetters.size())) return '?';
    return kFirstMotionLetters[static_cast<std::size_t>(code)];
}

int first_motion_from_letter(char letter, int otherwise) {
    const auto at = kFirstMotionLetters.find(letter);
    return at == std::string_view::npos ? otherwise : static_cast<int>(at);
}

std::string first_motion_text(int code) {
    if (code == 0) return "Up";
    if (code == 1) return "Dn";
    return std::string(1, first_motion_letter(code));
}

}  // namespace kro
