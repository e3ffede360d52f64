#pragma once
// The samples of one station channel over a time window, read from the
// catalogue the configuration chooses: the main database's FILELIST, or the
// CSS 3.0 wfdisc table when WFD is set and the CSS database is connected.

#include <string>

#include "data/data_block.hpp"

namespace kro {

class Database;
struct AppSettings;

// Empties `array` and fills it for [t1, t2]. A query that cannot run leaves
// it empty; files that cannot be read give zeros (nothing is shown).
void read_channel_window(Database& db, const AppSettings& settings, const std::string& sta, const std::string& chan,
                         EpochTime t1, EpochTime t2, KRODataBlockArray& array);

// The GAIN of the FILELIST row of the station channel that covers the whole
// second of `t`; 1.0 for NULL, 0, no row, a failed query or the wfdisc source.
double channel_gain(Database& db, const AppSettings& settings, const std::string& sta, const std::string& chan,
                    EpochTime t);

}  // namespace kro
