#pragma once
// kro-cli commands on the waveform data of the configured databases. Each
// takes its arguments (NAME=VALUE arguments act as the program's command
// line: ODBC=, DATA= ...) and gives the exit status.

#include <string>
#include <vector>

#include "cli/cli.hpp"

namespace kro::cli {

// read STA CHAN T1 T2: one line per block read for the window.
int run_read(const std::vector<std::string>& args, Env& env);
// stations: one line per station of the station table.
int run_stations(const std::vector<std::string>& args, Env& env);
// import-css FOLDER: imports the folder's wfdisc files into the file store
// and prints the inventory.
int run_import_css(const std::vector<std::string>& args, Env& env);

}  // namespace kro::cli
