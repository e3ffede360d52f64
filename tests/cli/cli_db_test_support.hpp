#pragma once
// kro-cli commands run in-process on the test databases: a KRO.INI beside a
// pretend executable in a private folder names the test data sources and
// a data folder there; the command's output, errors and messages are
// captured.

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "../core/test_support.hpp"
#include "cli/cli.hpp"
#include "db_test_support.hpp"

namespace kro::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<RecordingMessenger::Box> boxes;
};

class CliDbTest : public DbTest {
protected:
    void SetUp() override;

    // Rewrites KRO.INI with `extra` (more sections) appended.
    void write_ini(const std::string& extra = "");
    // Adds a SITE row and, for each channel, a SITECHAN row in group 1 with
    // CHANINDEX 0, 1, 2 ... (slots 0, 1, 2 ...) at `sps`.
    void add_station(const std::string& sta, double lat, double lon, double elev,
                     const std::vector<std::string>& channels, double sps, const std::string& calibfile = "");

    CliRun run(const std::function<int(const std::vector<std::string>&, cli::Env&)>& command,
               const std::vector<std::string>& args);

    std::string data_folder() const { return folder.file("store"); }

    TempFolder folder;
};

}  // namespace kro::test
