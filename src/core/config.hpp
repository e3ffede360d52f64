#pragma once
// The configuration file KRO.INI: its keys with types, lengths and
// defaults, where it is found, and the process-wide settings read from it
// at start-up.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/command_line.hpp"
#include "core/profile_file.hpp"

namespace kro {

inline constexpr std::string_view kIniFileName = "KRO.INI";

enum class KeyType { Text, Integer };

// One fixed key of KRO.INI. Text keys are read into buffers of `length`
// characters; integer keys as decimal integers.
struct IniKey {
    std::string_view section;
    std::string_view key;
    KeyType type;
    std::size_t length;  // buffer length of text keys; 0 for integers
    std::string_view default_value;
};

// Every fixed key of KRO.INI. Numbered keys (DIRSMAP NAMEn/DIRn, GODOGRAPH
// NAMEn/DIRn, FORMULAS fn) and the per-set keys of PRESELECTED PHASES follow
// the rules of the entries named "NAME0", "DIR0", "f0" and "Selection".
extern const std::vector<IniKey> kIniKeys;

const IniKey& ini_key(std::string_view section, std::string_view key);

// Reads a fixed key with its type, length and default.
std::string ini_text(const ProfileFile& ini, std::string_view section, std::string_view key);
int ini_int(const ProfileFile& ini, std::string_view section, std::string_view key);

// The trace font (section FONT).
struct TraceFont {
    int lfHeight = 0, lfWidth = 0, lfEscapement = 0, lfOrientation = 0, lfWeight = 0;
    int lfItalic = 0, lfUnderline = 0, lfStrikeOut = 0, lfCharSet = 0, lfOutPrecision = 0;
    int lfClipPrecision = 0, lfQuality = 0, lfPitchAndFamily = 0;
    std::string lfFaceName = "ARIAL";
};

// The fourteen FONT keys in file order, as name/value pairs.
std::vector<std::pair<std::string, std::string>> font_keys(const TraceFont& font);
TraceFont read_trace_font(const ProfileFile& ini);
// Writes all fourteen FONT keys.
Status write_trace_font(ProfileFile& ini, const TraceFont& font);

struct DatabaseSettings {
    std::string odbc;          // data source of the main database
    std::string user;
    std::string password;
    std::string odbc_css;      // data source of the CSS 3.0 database; empty: none
    std::string user_css;      // empty: none
    std::string password_css;
    int local_last_id = 0;     // LOCALLASTID: how new identifiers are drawn
};

// "DSN=" + name + ";UID=" + user + ";PWD=" + password + ";"
std::string connection_string(std::string_view dsn, std::string_view user, std::string_view password);
std::string main_connection_string(const DatabaseSettings& db);
// Empty when no CSS 3.0 connection is configured (empty name or user).
std::string css_connection_string(const DatabaseSettings& db);

// Every process-wide setting held after start-up.
struct AppSettings {
    std::string config_file;       // the KRO.INI that was read (or will be written)
    std::string program_folder;    // ends with a folder separator
    std::string data_folder;       // root of relative waveform file paths
    std::string out_folder;        // output of processing results and exports
    std::string css_out_folder;    // CSS 3.0 output files
    int css_out_format = 0;        // variant of the CSS 3.0 output
    std::string css_data_path;     // base folder of CSS 3.0 data to load
    std::string ims_reb_path;      // base folder of IMS bulletins to load
    bool waveforms_from_wfdisc = false;  // WFD: read waveforms through wfdisc
    bool save_to_css = true;       // SAVETOCSSDB
    int amplitude_default = 0;     // AMPLITUDE DEFAULT
    bool show_origins = false;     // SHOWORIGINS SHOWWINDOW
    int active_phase_set = 3;      // PRESELECTED PHASES ACTIVE
    TraceFont trace_font;
    int travel_time_set = 0;       // GODOGRAPH N#
    std::string travel_time_folder;  // GODOGRAPH DIR<N#>
    std::vector<std::pair<std::string, std::string>> dirs_map;  // DIRSMAP: wfdisc dir -> local folder
    DatabaseSettings database;
    bool show_splash = true;
};

// The wfdisc folder mapping (section DIRSMAP): `dir` becomes the local
// folder of `name`, replacing the folder when the name is mapped already,
// else as a new entry at the end.
void map_folder(std::vector<std::pair<std::string, std::string>>& mapping, const std::string& name,
                const std::string& dir);
// Rewrites section DIRSMAP whole: "#" with the number of entries, then
// NAME0/DIR0, NAME1/DIR1, ... in mapping order. The file keeps its old
// content when the write fails.
Status write_dirs_map(ProfileFile& ini, const std::vector<std::pair<std::string, std::string>>& mapping);

// The folder in which the configuration files of this user live:
// $XDG_CONFIG_HOME/kro, else ~/.config/kro.
std::string user_config_folder();

// KRO.INI in `executable_folder` when one exists there (any case of the
// name), else in user_config_folder() (any case), else the path at which
// user_config_folder() would hold a new one.
std::string find_ini_file(const std::string& executable_folder);

// The path of the running program (from /proc/self/exe, else argv[0] made absolute).
std::string running_executable_path(const char* argv0);

// The folder part of an executable path, with its trailing '/'.
std::string folder_of(std::string_view path);

// Program folder: KRO DIR, trailing blanks cut and a backslash appended
// unless it already ends with a folder separator; when empty, the folder of
// the executable.
std::string program_folder(const ProfileFile& ini, std::string_view executable_path);

// Reads every start-up key; the command line replaces the database keys
// and the data folder.
AppSettings load_app_settings(const ProfileFile& ini, const CommandLine& cmd, std::string_view executable_path);

// Every process-wide setting as "SECTION/KEY=value" lines, then
// main_connection= and css_connection=.
std::vector<std::string> describe_settings(const AppSettings& settings);

// Column widths stored as decimal integers separated by commas, in column
// order ("60,80,120"). A width not above 0 leaves its column unchanged;
// widths beyond the number of columns are ignored.
void apply_column_widths(std::string_view text, std::vector<int>& widths);
std::string format_column_widths(const std::vector<int>& widths);

// A stored path with backslashes (other installations) as a path of this
// system: every backslash becomes '/'.
std::string native_path(std::string_view stored);

}  // namespace kro
