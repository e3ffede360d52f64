#pragma once
// Removing stored waveform files from the disk loop together with their
// FILELIST rows.

#include <string>

#include "core/time.hpp"

namespace kro {

class Connection;
class Messenger;

// Removes one stored file by its CPATH: the row is deleted when the file is
// deleted or already gone; a file that cannot be deleted keeps its row and
// shows "Error deleting file  %s" (warning icon, beep). The status line shows
// "Remove files : %s" meanwhile. A database error shows the driver's text
// and rolls back. Gives true when the row was removed.
bool remove_stored_file(Connection& main, const std::string& data_folder, const std::string& cpath,
                        Messenger& messenger);

// Removes the files of a station whose rows start in [t1, t2) (whole
// seconds), each as remove_stored_file does. Gives the number removed.
int remove_station_files(Connection& main, const std::string& data_folder, const std::string& sta, EpochTime t1,
                         EpochTime t2, Messenger& messenger);

}  // namespace kro
