#pragma once
// kro-cli commands that process one channel window of the configured
// databases: Butterworth filtering, instrument simulation and the STA/LTA
// detectors. Each takes its arguments (NAME=VALUE arguments act as the
// program's command line: ODBC=, DATA= ...) and gives the exit status.

#include <string>
#include <vector>

#include "cli/cli.hpp"

namespace kro::cli {

// filter STA CHAN T1 T2 --type BP|LP|BR|HP [--low F] [--high F] [--order N]
//        [--zero-phase] [--out FILE.wfdisc]
int run_filter(const std::vector<std::string>& args, Env& env);
// simulate STA CHAN T1 T2 CODE [--out FILE.wfdisc]
int run_simulate(const std::vector<std::string>& args, Env& env);
// detect STA CHAN T1 T2 [--velmora] [--sta S] [--lta S] [--k K]
int run_detect(const std::vector<std::string>& args, Env& env);

}  // namespace kro::cli
