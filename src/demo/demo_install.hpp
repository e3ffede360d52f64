#pragma once
// `kro-cli demo install`: puts the demo network and event into the
// configured databases and data folder so the workstation opens on a real
// network with a recorded earthquake.
//
// What it writes, all marked as the demo's own:
// - SITE and SITECHAN rows of every demo station (DESCR ending in
//   kDemoMark; channels HHZ, HHN, HHE in group 1) and the NETWORKS rows of
//   the two demo groups;
// - the ORIGIN row kDemoEventId with the true hypocentre;
// - the synthetic waveforms as CSS 3.0 data in <data>/demo/css, imported
//   into the file store (files and FILELIST rows);
// - the phase list <data>/demo/demo.arr with its station file;
// - in the per-user settings: the channel list "Demo event" and each
//   channel's time window on the event.
//
// Reinstalling replaces exactly these rows and files. Stations or an event
// of the same name that are not the demo's stop the installation before
// anything is written.

#include <string>

#include "core/settings_tree.hpp"
#include "core/status.hpp"
#include "location/travel_time_tables.hpp"

namespace kro {

class Database;

struct DemoInstallReport {
    std::string css_folder;    // the CSS 3.0 data written
    std::string arr_path;      // the phase list
    std::string station_path;  // its station file
    int stations = 0;
    int channels = 0;
    int files_imported = 0;    // file-store files written by the import
};

// Installs (or reinstalls) the demo. `data_folder` is the root of the file
// store as configured (stored paths are relative to it). Failures come
// back with a message for the user: the main database not connected, a
// name clash with rows that are not the demo's, a database error (the
// driver's text; the row changes are rolled back), a file that cannot be
// written, or an import error (also shown through the messenger).
Status install_demo(Database& db, SettingsTree& user_settings, const TravelTimeTables& tables,
                    const std::string& data_folder, DemoInstallReport* report = nullptr);

// Whether a complete demo is in place: the demo's SITE rows and ORIGIN
// row, a FILELIST row with its file for every channel, and the channel
// list in the user settings. False when the database cannot be asked.
bool demo_installed(Database& db, const SettingsTree& user_settings, const std::string& data_folder);

}  // namespace kro
