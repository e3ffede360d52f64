#pragma once
// Phase marks read back from the ARRIVAL table of the main database for
// display on one channel only ("Draw phase marks from DB"). They are never
// edited, located or saved.

#include <string>
#include <string_view>
#include <vector>

namespace kro {

struct PHASELIST {
    double time = 0.0;  // arrival time, epoch seconds
    std::string phase;  // phase name, at most 15 characters
};

using CPhasesArray = std::vector<PHASELIST>;

inline constexpr std::string_view kPhaseMarksReadError = "Error reading eventlist !";

// The query of the marks of a channel over [start, end] (epoch seconds).
// Quotes inside the station and channel names are doubled.
std::string phase_marks_query(double start, double end, std::string_view sta, std::string_view chan);

// Appends a mark read from a row; the phase name is cut to 15 characters
// and its trailing blanks removed.
void append_phase_mark(CPhasesArray& marks, double time, std::string_view phase);

}  // namespace kro
