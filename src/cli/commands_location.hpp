#pragma once
// kro-cli commands of the seismology core that tests call directly.

#include <string>
#include <vector>

#include "cli/cli.hpp"

namespace kro::cli {

// locate FILE.arr [--stations FILE] [--tables DIR] [--method gradient|svd]
//        [--grid] [--fix-depth KM] [--start LAT LON DEPTH] [NAME=VALUE...]
int run_locate(const std::vector<std::string>& args, Env& env);

}  // namespace kro::cli
