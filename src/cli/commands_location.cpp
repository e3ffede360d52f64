// kro-cli commands of the seismology core: travel times, distance and
// azimuth, magnitudes and energy class, and locating the picks of a .arr
// phase list.

#include <cstdio>
#include <ostream>

#include "cli/commands_location.hpp"
#include "cli/options.hpp"
#include "cli/session.hpp"
#include "core/app_context.hpp"
#include "location/energy_class.hpp"
#include "location/geometry.hpp"
#include "location/gradient_locator.hpp"
#include "location/magnitudes.hpp"
#include "location/observations.hpp"
#include "location/station_file.hpp"
#include "location/svd_locator.hpp"
#include "location/travel_time_tables.hpp"
#include "phases/arr_file.hpp"
#include "phases/fixed_text.hpp"
#include "phases/station_names.hpp"

namespace kro::cli {

namespace {

std::string printf_text(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

bool parse_all(const std::vector<std::string>& args, std::size_t from, std::vector<double>& values) {
    values.clear();
    for (std::size_t i = from; i < args.size(); ++i) {
        double v = 0.0;
        if (!parse_double(args[i], v)) return false;
        values.push_back(v);
    }
    return true;
}

// The tables of --tables DIR, else of the configured travel-time folder.
std::string tables_folder(std::vector<std::string>& args, Env& env, bool& ok) {
    std::string folder;
    bool given = false;
    ok = take_option(args, "--tables", folder, given);
    if (given) return folder;
    AppContext ctx(env.messenger);
    load_configuration(ctx, {env.executable_path}, env.executable_path);
    return travel_time_folder(ctx.settings);
}

void print_problems(const TravelTimeTables& tables, Env& env) {
    for (const std::string& p : tables.problems) env.err << "travel-time table not usable: " << p << '\n';
}

int run_tt(const std::vector<std::string>& input, Env& env) {
    std::vector<std::string> args = input;
    bool ok = true;
    const std::string folder = tables_folder(args, env, ok);
    std::vector<double> numbers;
    if (!ok || args.size() != 3 || !parse_all(args, 1, numbers)) {
        env.err << "usage: kro-cli tt [--tables DIR] PHASE DIST DEPTH\n";
        return kExitUsage;
    }
    TravelTimeTables tables;
    tables.load(folder);
    print_problems(tables, env);
    const CalculatorText text = travel_time_calculator(tables, args[0], numbers[0], numbers[1]);
    if (text.error) {
        env.err << text.text << '\n';
        return kExitFailure;
    }
    const double t = tables.travel_time(tables.names.phase_index(args[0]), numbers[1], numbers[0]);
    env.out << (t < 0.0 ? std::string("-1") : printf_text("%.3f", t)) << '\n';
    return kExitOk;
}

int run_distaz(const std::vector<std::string>& args, Env& env) {
    std::vector<double> v;
    if (args.size() != 4 || !parse_all(args, 0, v)) {
        env.err << "usage: kro-cli distaz LAT1 LON1 LAT2 LON2\n";
        return kExitUsage;
    }
    DistanceAzimuth da;
    if (!distance_azimuth(v[0], v[1], v[2], v[3], da)) {
        env.err << "Latitudes must lie in [-90, 90] and longitudes in [-180, 180]\n";
        return kExitFailure;
    }
    env.out << "distance=" << printf_text("%.4f", da.distance) << " azimuth=" << printf_text("%.4f", da.azimuth)
            << " back_azimuth=" << printf_text("%.4f", da.back_azimuth) << '\n';
    return kExitOk;
}

constexpr const char* kMagnitudeUsage =
    "usage: kro-cli magnitude [--calibration DIR] TYPE VALUES...\n"
    "  ms A T DIST            A amplitude (um), T period (s), DIST degrees\n"
    "  mb|mplp|mpsp A T DIST DEPTH   calibration mb.txt, mplp.txt, mpsp.txt in DIR\n"
    "                         (default: the program folder)\n"
    "  coda A TAU             TAU coda duration (s)\n"
    "  mwa A DIST DEPTH       Wood-Anderson amplitude (um)\n"
    "  class DIST_KM AP AS    energy class by the nomogram (Pg, Sg amplitudes)\n"
    "  class-vegik DIST_KM DEPTH_KM AP AS   energy class by VEGIK\n";

int report(const MagnitudeResult& r, Env& env) {
    if (!r.ok) {
        env.err << r.message << '\n';
        return kExitFailure;
    }
    env.out << r.title << '=' << r.text() << '\n';
    return kExitOk;
}

int run_magnitude(const std::vector<std::string>& input, Env& env) {
    std::vector<std::string> args = input;
    std::string folder;
    bool given = false;
    std::vector<double> v;
    if (!take_option(args, "--calibration", folder, given) || args.empty() || !parse_all(args, 1, v)) {
        env.err << kMagnitudeUsage;
        return kExitUsage;
    }
    if (!given) {
        AppContext ctx(env.messenger);
        load_configuration(ctx, {env.executable_path}, env.executable_path);
        folder = native_path(ctx.settings.program_folder);
    }
    const std::string& type = args[0];
    const auto needs = [&](std::size_t n) { return v.size() == n; };
    if (type == "ms" && needs(3)) return report(magnitude_ms(v[0], v[1], v[2]), env);
    if (type == "mb" && needs(4))
        return report(magnitude_mb(v[0], v[1], v[2], v[3], load_calibration(folder, kMbCalibrationFile)), env);
    if (type == "mplp" && needs(4))
        return report(magnitude_mplp(v[0], v[1], v[2], v[3], load_calibration(folder, kMplpCalibrationFile)), env);
    if (type == "mpsp" && needs(4))
        return report(magnitude_mpsp(v[0], v[1], v[2], v[3], load_calibration(folder, kMpspCalibrationFile)), env);
    if (type == "coda" && needs(2)) return report(magnitude_coda(v[0], v[1]), env);
    if (type == "mwa" && needs(3)) return report(magnitude_mwa(v[0], v[1], v[2]), env);
    if (type == "class" && needs(3)) {
        const auto k = nomogram_class(v[0], v[1], v[2]);
        if (!k) {
            env.err << "Parameters for class calculation are out of acceptable range\n";
            return kExitFailure;
        }
        env.out << "Class=" << printf_text("%0.3f", *k) << '\n';
        return kExitOk;
    }
    if (type == "class-vegik" && needs(4)) {
        const auto k = vegik_class(v[0], v[1], v[2], v[3]);
        env.out << "Class=" << vegik_class_text(k) << '\n';
        return k ? kExitOk : kExitFailure;
    }
    env.err << kMagnitudeUsage;
    return kExitUsage;
}

constexpr const char* kLocateUsage =
    "usage: kro-cli locate FILE.arr [--stations FILE] [--tables DIR] [--method gradient|svd] [--grid]\n"
    "                      [--fix-depth KM] [--start LAT LON DEPTH] [NAME=VALUE...]\n"
    "  The stations come from the configured main database, or from a station file\n"
    "  holding \"STA LAT LON ELEV_KM\" per line; the travel-time tables from the\n"
    "  configured folder (GODOGRAPH) or --tables. Without --start the search starts\n"
    "  under the station of the first arrival at 10 km depth.\n";

// Gives every channel named in the file a slot at its station, so that the
// picks of a station file without channel names still match.
void add_channels_of(const std::string& arr_path, StationTable& stations) {
    std::FILE* f = std::fopen(arr_path.c_str(), "rb");
    if (!f) return;
    char buffer[1024];
    while (std::fgets(buffer, sizeof buffer, f)) {
        const std::string line(buffer);
        if (line.size() < 69) continue;
        const int s = stations.station_index(trim(line.substr(0, 6)));
        if (s >= 0 && stations.at(s).name == trim(line.substr(0, 6))) ensure_channel(stations, s, trim(line.substr(61, 8)));
    }
    std::fclose(f);
}

}  // namespace

int run_locate(const std::vector<std::string>& input, Env& env) {
    std::vector<std::string> args = input;
    const std::vector<std::string> configuration = take_configuration_args(args);
    std::string tables_path, station_path, method = "gradient", fix_depth;
    bool has_tables = false, has_stations = false, has_method = false, has_fix = false;
    bool ok = take_option(args, "--tables", tables_path, has_tables) &&
              take_option(args, "--stations", station_path, has_stations) &&
              take_option(args, "--method", method, has_method) && take_option(args, "--fix-depth", fix_depth, has_fix);
    const bool grid = take_flag(args, "--grid");
    std::vector<double> start;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--start") continue;
        std::vector<std::string> three(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                       args.begin() + static_cast<std::ptrdiff_t>(std::min(i + 4, args.size())));
        if (three.size() != 3 || !parse_all(three, 0, start)) ok = false;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(std::min(i + 4, args.size())));
        break;
    }
    double fixed_depth = 0.0;
    if (!ok || args.size() != 1 || (method != "gradient" && method != "svd") ||
        (has_fix && !parse_double(fix_depth, fixed_depth))) {
        env.err << kLocateUsage;
        return kExitUsage;
    }

    Session session(env, configuration);
    TravelTimeTables tables;
    tables.load(has_tables ? tables_path : travel_time_folder(session.settings()));
    print_problems(tables, env);
    StationTable stations;
    if (has_stations) {
        if (Status s = read_station_file(station_path, stations); !s) {
            env.err << s.message() << '\n';
            return kExitFailure;
        }
        add_channels_of(args[0], stations);
    } else {
        if (!session.open_databases(false) || !session.load_stations(stations)) return kExitFailure;
        if (stations.count() == 0) {
            env.err << "The station table (SITE) of the main database is empty; give a station file with --stations\n";
            return kExitFailure;
        }
    }
    KROPhases picks;
    ArrReadReport read;
    if (Status s = read_arr_file(args[0], stations, tables.names, picks, &read); !s) {
        env.err << s.message() << '\n';
        return kExitFailure;
    }
    for (const std::string& p : read.problems) env.err << args[0] << ": " << p << '\n';
    if (read.unmatched > 0)
        env.err << read.unmatched << " line(s) name a station or phase that is not known; they were skipped\n";
    const ObservationList observations = collect_observations(picks, stations, tables.names);
    if (observations.items.empty()) {
        env.err << "No included picks to locate (are the travel-time tables of their phases loaded?)\n";
        return kExitFailure;
    }

    LocatorStart from;
    const Observation& first = observations.items.front();
    from.latitude = start.empty() ? first.latitude : start[0];
    from.longitude = start.empty() ? first.longitude : start[1];
    from.depth = start.empty() ? 10.0 : start[2];
    from.origin_time = first.time;
    from.grid_search = grid;
    if (has_fix) {
        from.fix_depth = true;
        from.depth = fixed_depth;
    }
    LocationSolution solution;
    if (method == "svd") {
        if (Status s = locate_svd(observations.items, tables, from, solution, &env.messenger); !s) {
            env.err << s.message() << '\n';
            return kExitFailure;
        }
    } else {
        solution = locate_gradient(observations.items, tables, from, &env.messenger);
    }
    env.out << "lat=" << printf_text("%.4f", solution.latitude) << " lon=" << printf_text("%.4f", solution.longitude)
            << " depth=" << printf_text("%.2f", solution.depth) << " time=" << printf_text("%.3f", solution.origin_time)
            << " rms=" << printf_text("%.3f", solution.rms) << '\n';
    for (const Observation& o : solution.observations) {
        char line[160];
        std::snprintf(line, sizeof line, "%-6s %-8s %9.3f", station_name(stations, o.station).c_str(),
                      tables.names.phase_name(o.phase).c_str(), o.residual);
        env.out << line << '\n';
    }
    if (method == "svd") {
        const ErrorEllipse& e = solution.ellipse;
        if (e.major_km < 0.0) env.out << "ellipse none\n";
        else
            env.out << "ellipse major_km=" << printf_text("%.1f", e.major_km)
                    << " minor_km=" << printf_text("%.1f", e.minor_km)
                    << " direction=" << printf_text("%.1f", e.direction_deg) << '\n';
    }
    return kExitOk;
}

KRO_CLI_COMMAND(tt, "[--tables DIR] PHASE DIST DEPTH",
                "travel time (s) of a phase at a distance (degrees) and depth (km), or -1", run_tt);
KRO_CLI_COMMAND(distaz, "LAT1 LON1 LAT2 LON2", "distance (degrees), azimuth and back azimuth between two points",
                run_distaz);
KRO_CLI_COMMAND(magnitude, "[--calibration DIR] TYPE VALUES...",
                "a station magnitude (ms, mb, mplp, mpsp, coda, mwa) or energy class (class, class-vegik)",
                run_magnitude);
KRO_CLI_COMMAND(locate,
                "FILE.arr [--stations FILE] [--tables DIR] [--method gradient|svd] [--grid] [--fix-depth KM] "
                "[--start LAT LON DEPTH] [NAME=VALUE...]",
                "locates the included picks of a phase list with the stations of the main database (or a "
                "station file); prints the hypocentre and the residuals",
                run_locate);

}  // namespace kro::cli
