#pragma once
// Phase-list files (.arr): one pick per line of 223 fixed columns laid out
// as the CSS 3.0 arrival record, written and read with '.' as the decimal
// separator whatever the locale.

#include <string>
#include <vector>

#include "core/status.hpp"
#include "phases/kro_phases.hpp"
#include "phases/phase_names.hpp"
#include "data/station_table.hpp"

namespace kro {

inline constexpr int kArrLineLength = 223;

// The line of one pick, without its line feed. `today` is the load date
// written at the end (epoch seconds of the local date).
std::string format_arr_line(const SEISMIC_PHASE& pick, const StationTable& stations, const PhaseNameTable& names,
                            double today);

// Writes every pick in list order. The file is replaced only when the whole
// list was written; on failure it keeps its old content and the status
// carries "Error opening file  '<path>'".
Status write_arr_file(const std::string& path, const KROPhases& picks, const StationTable& stations,
                      const PhaseNameTable& names);

struct ArrReadReport {
    int lines = 0;          // lines read before the end or an empty line
    int picks = 0;          // picks inserted
    int unmatched = 0;      // lines whose station, channel or phase is not known
    std::vector<std::string> problems;  // lines that could not be read, with the reason
};

// Reads a phase-list file into `picks` (which is not cleared: the load
// command clears it first). Reading ends at the end of the file or at an
// empty line. Each line inserts one pick for every station with its exact
// name, every channel slot of it with that name ignoring case and every
// phase name that equals the phase text. New picks are included when
// their curve is available, with weight class 1. A file that does not open
// gives a failure and leaves the list unchanged.
Status read_arr_file(const std::string& path, const StationTable& stations, const PhaseNameTable& names,
                     KROPhases& picks, ArrReadReport* report = nullptr);

}  // namespace kro
