#pragma once
// Import of a folder of CSS 3.0 waveform data into the file store: every
// wfdisc line of a station channel known to the station table becomes one
// stored float file with its FILELIST row.

#include <string>

#include "data/data_block.hpp"
#include "data/station_table.hpp"

namespace kro {

class Connection;
class Messenger;

struct CssImportResult {
    CXChanArray inventory;  // every imported station channel with its span
    int files_written = 0;
    bool stopped_by_error = false;  // the error was shown; what came before stays
};

// Imports every "*.wfdisc" file of `folder` (in the order the file system
// lists them; a file that cannot be opened is skipped). Lines that are not
// exactly 283 characters, or whose station or channel is not in `stations`,
// are skipped silently. The first error (a data file that cannot be opened
// or is too short, an output file that cannot be written, an unknown
// datatype, a database error) is shown with the error icon and stops the
// import. Each stored file's FILELIST rows are replaced in one transaction.
CssImportResult import_css_folder(const std::string& folder, const StationTable& stations,
                                  const std::string& data_folder, Connection& main, Messenger& messenger);

}  // namespace kro
