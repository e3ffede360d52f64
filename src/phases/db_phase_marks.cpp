#include "phases/db_phase_marks.hpp"

#include <cstdio>

namespace kro {

namespace {

std::string quoted_literal(std::string_view text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

}  // namespace

std::string phase_marks_query(double start, double end, std::string_view sta, std::string_view chan) {
    char times[128];
    std::snprintf(times, sizeof times, "(itime between %f and %f)", start, end);
    return std::string("select itime,iphase from arrival   where ") + times + " and sta='" + quoted_literal(sta) +
           "' and chan='" + quoted_literal(chan) + "'";
}

void append_phase_mark(CPhasesArray& marks, double time, std::string_view phase) {
    std::string name(phase.substr(0, 15));
    while (!name.empty() && name.back() == ' ') name.pop_back();
    marks.push_back(PHASELIST{time, std::move(name)});
}

}  // namespace kro
