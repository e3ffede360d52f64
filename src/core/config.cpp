#include "core/config.hpp"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace kro {

namespace {
constexpr KeyType T = KeyType::Text;
constexpr KeyType I = KeyType::Integer;
}  // namespace

const std::vector<IniKey> kIniKeys = {
    {"KRO", "DIR", T, 254, ""},
    {"DATABASE", "ODBC", T, 32, "KRO"},
    {"DATABASE", "USER", T, 64, "KRO"},
    {"DATABASE", "PASSWORD", T, 64, "ZTQ"},
    {"DATABASE", "ODBC_CSS", T, 32, ""},
    {"DATABASE", "USER_CSS", T, 64, "KRO"},
    {"DATABASE", "PASSWORD_CSS", T, 64, "ZTQ"},
    {"DATABASE", "LOCALLASTID", I, 0, "0"},
    {"DATABASE", "WFD", I, 0, "0"},
    {"DATABASE", "SAVETOCSSDB", I, 0, "1"},
    {"DATA", "DIR", T, 100, "\\"},
    {"OUT", "DIR", T, 120, "\\"},
    {"CSS30DATAOUTPUT", "DIR", T, 4096, "\\"},
    {"CSS30DATAOUTPUT", "FORMAT", I, 0, "0"},
    {"DIR", "CSSDATAPATH", T, 512, "\\"},
    {"DIR", "IMSREBPATH", T, 512, "\\"},
    {"DIRSMAP", "#", I, 0, "0"},
    {"DIRSMAP", "NAME0", T, 32000, ""},
    {"DIRSMAP", "DIR0", T, 32000, ""},
    {"GODOGRAPH", "Total#", T, 32, "0"},
    {"GODOGRAPH", "N#", T, 32, "0"},
    {"GODOGRAPH", "NAME0", T, 128, ""},
    {"GODOGRAPH", "DIR0", T, 120, "\\"},
    {"FONT", "lfHeight", T, 99, "0"},
    {"FONT", "lfWidth", T, 99, "0"},
    {"FONT", "lfEscapement", T, 99, "0"},
    {"FONT", "lfOrientation", T, 99, "0"},
    {"FONT", "lfWeight", T, 99, "0"},
    {"FONT", "lfItalic", T, 99, "0"},
    {"FONT", "lfUnderline", T, 99, "0"},
    {"FONT", "lfStrikeOut", T, 99, "0"},
    {"FONT", "lfCharSet", T, 99, "0"},
    {"FONT", "lfOutPrecision", T, 99, "0"},
    {"FONT", "lfClipPrecision", T, 99, "0"},
    {"FONT", "lfQuality", T, 99, "0"},
    {"FONT", "lfPitchAndFamily", T, 99, "0"},
    {"FONT", "lfFaceName", T, 99, "ARIAL"},
    {"AMPLITUDE", "DEFAULT", I, 0, "0"},
    {"SHOWORIGINS", "SHOWWINDOW", I, 0, "0"},
    {"PRESELECTED PHASES", "ACTIVE", I, 0, "3"},
    {"PRESELECTED PHASES", "Selection", T, 1024, ""},
    {"WAVEFORMS", "SORTODER", I, 0, "0"},
    {"SELECT STATION", "GROUP NAME", T, 128, ""},
    {"SELECT STATION", "STATION NAME", T, 10, ""},
    {"SelectOridGroup", "SELECT ALL", I, 0, "1"},
    {"SelectOridGroup", "MaxEvents", I, 0, "20"},
    {"SelectPhaseGroup", "SELECT ALL", I, 0, "1"},
    {"SelectPhaseGroup", "MaxEvents", I, 0, "20"},
    {"FORMULAS", "f0", T, 0, ""},
    {"LSE", "DIR", T, 256, "C:\\LSE"},
    {"FILESLIST", "HDRSIZE", T, 128, ""},
    {"Columns Width", "PhaseList", T, 128, ""},
    {"Columns Width", "InitialIndexList", T, 128, ""},
    {"Columns Width", "InitialIndexList1", T, 128, ""},
};

namespace {

// "NAME12" -> "NAME0", "f3" -> "f0": numbered keys share the rules of entry 0.
std::string numbered_key_pattern(std::string_view key) {
    std::size_t end = key.size();
    while (end > 0 && key[end - 1] >= '0' && key[end - 1] <= '9') --end;
    if (end == key.size() || end == 0) return std::string(key);
    return std::string(key.substr(0, end)) + "0";
}

}  // namespace

const IniKey& ini_key(std::string_view section, std::string_view key) {
    const std::string pattern = numbered_key_pattern(key);
    for (const IniKey& k : kIniKeys)
        if (iequals(k.section, section) && (iequals(k.key, key) || iequals(k.key, pattern))) return k;
    if (iequals(section, "PRESELECTED PHASES")) return ini_key(section, "Selection");
    throw std::invalid_argument("unknown KRO.INI key " + std::string(section) + "/" + std::string(key));
}

std::string ini_text(const ProfileFile& ini, std::string_view section, std::string_view key) {
    const IniKey& k = ini_key(section, key);
    // Unlimited keys (length 0) read whatever is there.
    const std::size_t length = k.length == 0 ? std::string::npos : k.length;
    return ini.get_text(section, key, k.default_value, length);
}

int ini_int(const ProfileFile& ini, std::string_view section, std::string_view key) {
    const IniKey& k = ini_key(section, key);
    return ini.get_int(section, key, std::atoi(std::string(k.default_value).c_str()));
}

std::vector<std::pair<std::string, std::string>> font_keys(const TraceFont& f) {
    auto n = [](int v) { return std::to_string(v); };
    return {{"lfHeight", n(f.lfHeight)},
            {"lfWidth", n(f.lfWidth)},
            {"lfEscapement", n(f.lfEscapement)},
            {"lfOrientation", n(f.lfOrientation)},
            {"lfWeight", n(f.lfWeight)},
            {"lfItalic", n(f.lfItalic)},
            {"lfUnderline", n(f.lfUnderline)},
            {"lfStrikeOut", n(f.lfStrikeOut)},
            {"lfCharSet", n(f.lfCharSet)},
            {"lfOutPrecision", n(f.lfOutPrecision)},
            {"lfClipPrecision", n(f.lfClipPrecision)},
            {"lfQuality", n(f.lfQuality)},
            {"lfPitchAndFamily", n(f.lfPitchAndFamily)},
            {"lfFaceName", f.lfFaceName}};
}

TraceFont read_trace_font(const ProfileFile& ini) {
    TraceFont f;
    // The integer fields are stored as text and read as decimal integers.
    auto num = [&](std::string_view key) { return parse_decimal(ini_text(ini, "FONT", key), 0); };
    f.lfHeight = num("lfHeight");
    f.lfWidth = num("lfWidth");
    f.lfEscapement = num("lfEscapement");
    f.lfOrientation = num("lfOrientation");
    f.lfWeight = num("lfWeight");
    f.lfItalic = num("lfItalic");
    f.lfUnderline = num("lfUnderline");
    f.lfStrikeOut = num("lfStrikeOut");
    f.lfCharSet = num("lfCharSet");
    f.lfOutPrecision = num("lfOutPrecision");
    f.lfClipPrecision = num("lfClipPrecision");
    f.lfQuality = num("lfQuality");
    f.lfPitchAndFamily = num("lfPitchAndFamily");
    f.lfFaceName = ini_text(ini, "FONT", "lfFaceName");
    return f;
}

Status write_trace_font(ProfileFile& ini, const TraceFont& font) {
    ProfileFile before = ini;
    for (const auto& [key, value] : font_keys(font)) ini.set("FONT", key, value);
    Status saved = ini.save();
    if (!saved) ini = std::move(before);
    return saved;
}

std::string connection_string(std::string_view dsn, std::string_view user, std::string_view password) {
    return "DSN=" + std::string(dsn) + ";" + "UID=" + std::string(user) + ";" + "PWD=" + std::string(password) + ";";
}

std::string main_connection_string(const DatabaseSettings& db) {
    return connection_string(db.odbc, db.user, db.password);
}

std::string css_connection_string(const DatabaseSettings& db) {
    if (db.odbc_css.empty() || db.user_css.empty()) return {};
    return connection_string(db.odbc_css, db.user_css, db.password_css);
}

std::string user_config_folder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return std::string(xdg) + "/kro";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/kro";
}

namespace {

// A file named `name` in `folder`, in any case of the name.
std::string find_file_any_case(const std::string& folder, std::string_view name) {
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec)) return {};
    std::string exact = (std::filesystem::path(folder) / std::string(name)).string();
    if (std::filesystem::is_regular_file(exact, ec)) return exact;
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        if (iequals(entry.path().filename().string(), name) && entry.is_regular_file(ec))
            found.push_back(entry.path().string());
    std::sort(found.begin(), found.end());
    return found.empty() ? std::string() : found.front();
}

}  // namespace

std::string find_ini_file(const std::string& executable_folder) {
    if (std::string p = find_file_any_case(executable_folder, kIniFileName); !p.empty()) return p;
    const std::string user = user_config_folder();
    if (std::string p = find_file_any_case(user, kIniFileName); !p.empty()) return p;
    return user + "/" + std::string(kIniFileName);
}

std::string running_executable_path(const char* argv0) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.string();
    return std::filesystem::absolute(argv0 ? argv0 : "", ec).string();
}

std::string folder_of(std::string_view path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string_view::npos) return "./";
    return std::string(path.substr(0, slash + 1));
}

std::string program_folder(const ProfileFile& ini, std::string_view executable_path) {
    std::string dir = ini_text(ini, "KRO", "DIR");
    if (dir.empty()) return folder_of(executable_path);
    while (!dir.empty() && (dir.back() == ' ' || dir.back() == '\t')) dir.pop_back();
    if (dir.empty()) return folder_of(executable_path);
    if (dir.back() != '\\' && dir.back() != '/') dir += '\\';
    return dir;
}

AppSettings load_app_settings(const ProfileFile& ini, const CommandLine& cmd, std::string_view executable_path) {
    AppSettings s;
    s.config_file = ini.path();
    s.show_splash = cmd.show_splash;
    s.program_folder = program_folder(ini, executable_path);

    DatabaseSettings& db = s.database;
    db.odbc = cmd.odbc.value_or(ini_text(ini, "DATABASE", "ODBC"));
    db.user = cmd.user.value_or(ini_text(ini, "DATABASE", "USER"));
    db.password = cmd.password.value_or(ini_text(ini, "DATABASE", "PASSWORD"));
    db.odbc_css = cmd.odbc_css.value_or(ini_text(ini, "DATABASE", "ODBC_CSS"));
    db.user_css = cmd.user_css.value_or(ini_text(ini, "DATABASE", "USER_CSS"));
    db.password_css = cmd.password_css.value_or(ini_text(ini, "DATABASE", "PASSWORD_CSS"));
    db.local_last_id = ini_int(ini, "DATABASE", "LOCALLASTID");
    s.waveforms_from_wfdisc = ini_int(ini, "DATABASE", "WFD") == 1;
    s.save_to_css = ini_int(ini, "DATABASE", "SAVETOCSSDB") == 1;

    s.data_folder = cmd.data.value_or(ini_text(ini, "DATA", "DIR"));
    s.out_folder = ini_text(ini, "OUT", "DIR");
    s.css_out_folder = ini_text(ini, "CSS30DATAOUTPUT", "DIR");
    s.css_out_format = ini_int(ini, "CSS30DATAOUTPUT", "FORMAT");
    s.css_data_path = ini_text(ini, "DIR", "CSSDATAPATH");
    s.ims_reb_path = ini_text(ini, "DIR", "IMSREBPATH");
    s.amplitude_default = ini_int(ini, "AMPLITUDE", "DEFAULT");
    s.show_origins = ini_int(ini, "SHOWORIGINS", "SHOWWINDOW") == 1;
    s.active_phase_set = ini_int(ini, "PRESELECTED PHASES", "ACTIVE");
    s.trace_font = read_trace_font(ini);

    // The selected travel-time set: N# is text, read as a decimal number.
    s.travel_time_set = parse_decimal(ini_text(ini, "GODOGRAPH", "N#"), 0);
    s.travel_time_folder = ini_text(ini, "GODOGRAPH", "DIR" + std::to_string(s.travel_time_set));

    const int mappings = ini_int(ini, "DIRSMAP", "#");
    for (int i = 0; i < mappings; ++i) {
        const std::string name = ini_text(ini, "DIRSMAP", "NAME" + std::to_string(i));
        const std::string dir = ini_text(ini, "DIRSMAP", "DIR" + std::to_string(i));
        s.dirs_map.emplace_back(name, dir);
    }
    return s;
}

std::vector<std::string> describe_settings(const AppSettings& s) {
    std::vector<std::string> out;
    auto line = [&](std::string_view section, std::string_view key, const std::string& value) {
        out.push_back(std::string(section) + "/" + std::string(key) + "=" + value);
    };
    auto num = [](int v) { return std::to_string(v); };
    const DatabaseSettings& db = s.database;
    line("KRO", "DIR", s.program_folder);
    line("DATABASE", "ODBC", db.odbc);
    line("DATABASE", "USER", db.user);
    line("DATABASE", "PASSWORD", db.password);
    line("DATABASE", "ODBC_CSS", db.odbc_css);
    line("DATABASE", "USER_CSS", db.user_css);
    line("DATABASE", "PASSWORD_CSS", db.password_css);
    line("DATABASE", "LOCALLASTID", num(db.local_last_id));
    line("DATABASE", "WFD", num(s.waveforms_from_wfdisc ? 1 : 0));
    line("DATABASE", "SAVETOCSSDB", num(s.save_to_css ? 1 : 0));
    line("DATA", "DIR", s.data_folder);
    line("OUT", "DIR", s.out_folder);
    line("CSS30DATAOUTPUT", "DIR", s.css_out_folder);
    line("CSS30DATAOUTPUT", "FORMAT", num(s.css_out_format));
    line("DIR", "CSSDATAPATH", s.css_data_path);
    line("DIR", "IMSREBPATH", s.ims_reb_path);
    line("DIRSMAP", "#", num(static_cast<int>(s.dirs_map.size())));
    for (std::size_t i = 0; i < s.dirs_map.size(); ++i) {
        line("DIRSMAP", "NAME" + std::to_string(i), s.dirs_map[i].first);
        line("DIRSMAP", "DIR" + std::to_string(i), s.dirs_map[i].second);
    }
    line("GODOGRAPH", "N#", num(s.travel_time_set));
    line("GODOGRAPH", "DIR" + std::to_string(s.travel_time_set), s.travel_time_folder);
    for (const auto& [key, value] : font_keys(s.trace_font)) line("FONT", key, value);
    line("AMPLITUDE", "DEFAULT", num(s.amplitude_default));
    line("SHOWORIGINS", "SHOWWINDOW", num(s.show_origins ? 1 : 0));
    line("PRESELECTED PHASES", "ACTIVE", num(s.active_phase_set));
    out.push_back("main_connection=" + main_connection_string(db));
    out.push_back("css_connection=" + css_connection_string(db));
    return out;
}

void map_folder(std::vector<std::pair<std::string, std::string>>& mapping, const std::string& name,
                const std::string& dir) {
    for (auto& [mapped, folder] : mapping)
        if (mapped == name) {
            folder = dir;
            return;
        }
    mapping.emplace_back(name, dir);
}

Status write_dirs_map(ProfileFile& ini, const std::vector<std::pair<std::string, std::string>>& mapping) {
    const ProfileFile before = ini;
    ini.remove_section("DIRSMAP");
    ini.set("DIRSMAP", "#", std::to_string(mapping.size()));
    for (std::size_t i = 0; i < mapping.size(); ++i) {
        ini.set("DIRSMAP", "NAME" + std::to_string(i), mapping[i].first);
        ini.set("DIRSMAP", "DIR" + std::to_string(i), mapping[i].second);
    }
    Status s = ini.save();
    if (!s) ini = before;
    return s;
}

void apply_column_widths(std::string_view text, std::vector<int>& widths) {
    std::size_t column = 0;
    while (!text.empty() && column < widths.size()) {
        const std::size_t comma = text.find(',');
        const std::string item(text.substr(0, comma));
        const int width = std::atoi(item.c_str());
        if (width > 0) widths[column] = width;
        ++column;
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
}

std::string format_column_widths(const std::vector<int>& widths) {
    std::string out;
    for (std::size_t i = 0; i < widths.size(); ++i) out += (i ? "," : "") + std::to_string(widths[i]);
    return out;
}

std::string native_path(std::string_view stored) {
    std::string out(stored);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

}  // namespace kro
