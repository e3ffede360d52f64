// kro-cli filter, simulate and detect: a channel window read from the
// configured catalogue, placed on a regular series as the trace pane does,
// processed, summarised, and optionally written as CSS 3.0 (f4 samples).

#include "cli/commands_dsp.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <ostream>
#include <span>

#include "cli/options.hpp"
#include "cli/session.hpp"
#include "core/config.hpp"
#include "db/database.hpp"
#include "dsp/afr.hpp"
#include "dsp/conversion_codes.hpp"
#include "dsp/detectors.hpp"
#include "dsp/filter_record.hpp"
#include "dsp/simulate.hpp"
#include "exchange/wfdisc_writer.hpp"

namespace kro::cli {

namespace {

constexpr const char* kFilterUsage =
    "usage: kro-cli filter STA CHAN T1 T2 --type BP|LP|BR|HP [--low F] [--high F] [--order N] [--zero-phase]\n"
    "                      [--out FILE.wfdisc] [NAME=VALUE...]\n"
    "  BP and BR need --low and --high (Hz, low below high), LP --high, HP --low;\n"
    "  the order is 1-10 (default 6); without --zero-phase the filter is causal.\n";
constexpr const char* kSimulateUsage =
    "usage: kro-cli simulate STA CHAN T1 T2 CODE [--out FILE.wfdisc] [NAME=VALUE...]\n"
    "  CODE: a conversion code (1000-1006, 1010 by poles and zeros; 1011-1016, 1018 by AFR)\n"
    "  or its name (DIS, KIRNOS, WWSSLP, WWSSSP, WA, LPSRO, VEGIK, VEL, DIS_A, ..., VEGIK_A).\n";
constexpr const char* kDetectUsage =
    "usage: kro-cli detect STA CHAN T1 T2 [--velmora] [--sta S] [--lta S] [--k K] [NAME=VALUE...]\n"
    "  The windows (s) and the level default to the channel's KRO\\Detector settings.\n";

// How many samples the summary shows from the start.
constexpr std::size_t kFirstSamples = 10;

std::string fixed(double v, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return text;
}

// The arguments every command here starts with, and the configuration keys.
struct WindowArgs {
    std::string sta, chan;
    EpochTime t1 = 0.0, t2 = 0.0;
    std::vector<std::string> configuration;
};

// Takes STA CHAN T1 T2 off the front of `args`; false (with a message) when
// they are missing or the times are wrong.
bool take_window(std::vector<std::string>& args, WindowArgs& w, const char* usage, Env& env) {
    w.configuration = take_configuration_args(args);
    if (args.size() < 4) {
        env.err << usage;
        return false;
    }
    w.sta = args[0];
    w.chan = args[1];
    if (!parse_window(args[2], args[3], w.t1, w.t2, env)) return false;
    args.erase(args.begin(), args.begin() + 4);
    return true;
}

// Opens the databases, loads the station table and reads the series.
int load_series(Session& session, const WindowArgs& w, StationTable& stations, ChannelSeries& series) {
    if (!session.open_databases()) return kExitFailure;
    if (!session.load_stations(stations)) return kExitFailure;
    return read_series(session, stations, w.sta, w.chan, w.t1, w.t2, series);
}

void print_summary(const std::vector<float>& result, const ChannelSeries& series, Env& env) {
    env.out << "start=" << time_text(series.start) << " sps=" << fixed(series.sps, 4)
            << " samples=" << result.size() << '\n';
    env.out << "first=";
    for (std::size_t i = 0; i < result.size() && i < kFirstSamples; ++i)
        env.out << (i ? " " : "") << sample_text(result[i]);
    env.out << '\n';
    if (result.empty()) return;
    const auto [lo, hi] = std::minmax_element(result.begin(), result.end());
    const auto at = [&](std::vector<float>::const_iterator it) {
        return time_text(series.start + static_cast<double>(it - result.begin()) / series.sps);
    };
    env.out << "min=" << sample_text(*lo) << " at " << at(lo) << '\n';
    env.out << "max=" << sample_text(*hi) << " at " << at(hi) << '\n';
}

// Writes the processed series as one segment of a CSS 3.0 wfdisc file.
int write_result(const std::string& path, const std::vector<float>& result, const ChannelSeries& series,
                 const WindowArgs& w, Env& env) {
    auto array = std::make_unique<KRODataBlockArray>(w.sta, w.chan);
    KRODataBlock block;
    block.samples = result;
    block.sps = series.sps;
    block.start = series.start;
    block.calib = series.blocks.block(0).calib;
    block.calper = series.blocks.block(0).calper;
    array->append(std::move(block));
    XKRODataBlockArrays arrays;
    arrays.append(std::move(array));
    const WfdiscWriteResult written = write_wfdisc(native_path(path), arrays, WfdiscSampleFormat::F4);
    if (!written.status) {
        env.err << written.status.message() << '\n';
        return kExitFailure;
    }
    env.out << "wrote " << path << " (f4)\n";
    return kExitOk;
}

int finish(const std::vector<float>& result, const ChannelSeries& series, const WindowArgs& w, bool has_out,
           const std::string& out_path, Env& env) {
    print_summary(result, series, env);
    return has_out ? write_result(out_path, result, series, w, env) : kExitOk;
}

// The filter type of a --type text; -1 for anything else.
int filter_type(const std::string& text) {
    for (int type = kBandPass; type <= kHighPass; ++type)
        if (filter_type_text(type) == to_upper(text)) return type;
    return -1;
}

// A cut-off in Hz: a finite number not below 0.
bool parse_frequency(const std::string& text, float& value) {
    double v = 0.0;
    if (!parse_double(text, v) || !std::isfinite(v) || v < 0.0 || v > 1e9) return false;
    value = static_cast<float>(v);
    return true;
}

// A conversion code given as its number or its name.
int conversion_code(const std::string& text) {
    int code = 0;
    if (parse_int(text, kFirstConversionCode, kFirstConversionCode + 99, code))
        return conversion_name(code).empty() ? -1 : code;
    for (code = kFirstConversionCode; code < kFirstConversionCode + 100; ++code)
        if (!conversion_name(code).empty() && conversion_name(code) == to_upper(text)) return code;
    return -1;
}

}  // namespace

int run_filter(const std::vector<std::string>& input, Env& env) {
    std::vector<std::string> args = input;
    WindowArgs w;
    if (!take_window(args, w, kFilterUsage, env)) return kExitUsage;
    std::string type_text, low_text, high_text, order_text = "6", out_path;
    bool has_type = false, has_low = false, has_high = false, has_order = false, has_out = false;
    const bool options_ok = take_option(args, "--type", type_text, has_type) &&
                            take_option(args, "--low", low_text, has_low) &&
                            take_option(args, "--high", high_text, has_high) &&
                            take_option(args, "--order", order_text, has_order) &&
                            take_option(args, "--out", out_path, has_out);
    FilterRecord record;
    record.zero_phase = take_flag(args, "--zero-phase");
    record.type = filter_type(type_text);
    record.low_text = low_text;
    record.high_text = high_text;
    if (!options_ok || !args.empty() || !has_type) {
        env.err << kFilterUsage;
        return kExitUsage;
    }
    const bool needs_low = record.type == kBandPass || record.type == kBandReject || record.type == kHighPass;
    const bool needs_high = record.type != kHighPass;
    std::string problem;
    if (record.type < 0) problem = "Unknown filter type " + type_text + " (BP, LP, BR or HP)";
    else if (!parse_int(order_text, 1, 10, record.order)) problem = "The order must be a whole number from 1 to 10";
    else if (needs_low && !has_low) problem = std::string(filter_type_text(record.type)) + " needs --low";
    else if (needs_high && !has_high) problem = std::string(filter_type_text(record.type)) + " needs --high";
    else if ((has_low && !parse_frequency(low_text, record.low)) || (has_high && !parse_frequency(high_text, record.high)))
        problem = "A cut-off must be a frequency in Hz, 0 or more";
    else if (record.type == kHighPass && !(record.low > 0.0f)) problem = "The HP cut-off --low must be above 0";
    else if (record.type == kLowPass && !(record.high > 0.0f)) problem = "The LP cut-off --high must be above 0";
    else if ((record.type == kBandPass || record.type == kBandReject) && !(record.low < record.high))
        problem = "--low must lie below --high";
    if (!problem.empty()) {
        env.err << problem << '\n';
        return kExitUsage;
    }

    Session session(env, w.configuration);
    StationTable stations;
    ChannelSeries series;
    if (const int status = load_series(session, w, stations, series); status != kExitOk) return status;
    // The pane lowers an upper cut-off above the Nyquist frequency to just
    // below it; a lower cut-off there leaves nothing to pass.
    const double nyquist = series.sps / 2.0;
    const double high = std::min<double>(record.high, nyquist - 0.1);
    if (needs_low && (record.low >= nyquist || (record.type != kHighPass && record.low >= high))) {
        env.err << "The cut-off " << low_text << " Hz does not lie below the Nyquist frequency of the data ("
                << fixed(nyquist, 4) << " Hz)\n";
        return kExitFailure;
    }
    std::vector<float> result = series.samples;
    if (Status s = filter_pane(result, series.sps, record); !s) {
        env.err << s.message() << '\n';
        return kExitFailure;
    }
    env.out << "filter " << filter_description(record, true) << '\n';
    return finish(result, series, w, has_out, out_path, env);
}

int run_simulate(const std::vector<std::string>& input, Env& env) {
    std::vector<std::string> args = input;
    WindowArgs w;
    if (!take_window(args, w, kSimulateUsage, env)) return kExitUsage;
    std::string out_path;
    bool has_out = false;
    if (!take_option(args, "--out", out_path, has_out) || args.size() != 1) {
        env.err << kSimulateUsage;
        return kExitUsage;
    }
    const int code = conversion_code(args[0]);
    if (code < 0 || (!is_pz_conversion(code) && !is_afr_conversion(code))) {
        env.err << "Unknown or unusable conversion " << args[0] << '\n' << kSimulateUsage;
        return kExitUsage;
    }

    Session session(env, w.configuration);
    StationTable stations;
    ChannelSeries series;
    if (const int status = load_series(session, w, stations, series); status != kExitOk) return status;
    Database& db = session.database();
    ConversionSources sources;
    sources.sta = w.sta;
    sources.chan = w.chan;
    sources.span_start = series.start;
    sources.database_kind = static_cast<int>(db.kind());
    sources.query = [&db](const std::string& sql, std::optional<std::string>& value) -> Status {
        try {
            Statement statement(db.main());
            statement.execute(sql);
            value = statement.fetch() ? statement.text(1) : std::nullopt;
            return {};
        } catch (const DbError& e) {
            return Status::failure(e.what());
        }
    };
    if (series.slot >= 0) {
        const std::string& name = stations.at(series.station).slots[static_cast<std::size_t>(series.slot)].calibfile;
        if (!name.empty()) sources.afr_file = afr_file_path(native_path(session.settings().program_folder), name);
    }
    if (is_afr_conversion(code) && sources.afr_file.empty()) {
        env.err << "The channel " << w.sta << " " << w.chan
                << " has no AFR file (SITECHAN CALIBFILE); use a poles-and-zeros conversion\n";
        return kExitFailure;
    }
    const auto result = simulate(series.samples, series.sps, code, sources, env.messenger);
    if (!result) {
        env.err << "The conversion " << conversion_name(code) << " gave no result";
        if (is_afr_conversion(code)) env.err << " (AFR file " << sources.afr_file << ")";
        env.err << '\n';
        return kExitFailure;
    }
    env.out << "simulate " << conversion_name(code) << '\n';
    return finish(*result, series, w, has_out, out_path, env);
}

int run_detect(const std::vector<std::string>& input, Env& env) {
    std::vector<std::string> args = input;
    WindowArgs w;
    if (!take_window(args, w, kDetectUsage, env)) return kExitUsage;
    std::string sta_text, lta_text, k_text;
    bool has_sta = false, has_lta = false, has_k = false;
    const bool velmora = take_flag(args, "--velmora");
    if (!take_option(args, "--sta", sta_text, has_sta) || !take_option(args, "--lta", lta_text, has_lta) ||
        !take_option(args, "--k", k_text, has_k) || !args.empty()) {
        env.err << kDetectUsage;
        return kExitUsage;
    }

    Session session(env, w.configuration);
    DetectorParams params = read_detector_params(session.context().user_settings, w.sta, w.chan);
    const auto positive = [](const std::string& text, double& value) {
        return parse_double(text, value) && std::isfinite(value) && value > 0.0;
    };
    if ((has_sta && !positive(sta_text, params.tsta)) || (has_lta && !positive(lta_text, params.tlta)) ||
        (has_k && !positive(k_text, params.k))) {
        env.err << "--sta, --lta and --k take numbers above 0\n";
        return kExitUsage;
    }
    if (!(params.tsta < params.tlta)) {
        env.err << "The short-term window (" << params.tsta << " s) must be shorter than the long-term one ("
                << params.tlta << " s)\n";
        return kExitUsage;
    }

    StationTable stations;
    ChannelSeries series;
    if (const int status = load_series(session, w, stations, series); status != kExitOk) return status;
    std::optional<DetectionList> detections;
    if (velmora) {
        CVelmoraDetector detector;
        detector.params = params;
        detections = run_detector(detector, series.samples, series.sps, series.start, env.messenger);
    } else {
        // kro-cli has no filtered trace: the KRO detector reads the raw one.
        params.filter = false;
        CKRODetector detector;
        detector.params = params;
        detections = run_detector(detector, series.samples, series.sps, series.start, env.messenger);
    }
    if (!detections) {
        env.err << "The detector cannot run with these windows at " << fixed(series.sps, 4)
                << " samples per second\n";
        return kExitFailure;
    }
    env.out << (velmora ? "detector=Velmora" : "detector=KRO") << " tsta=" << params.tsta << " tlta=" << params.tlta
            << " k=" << params.k << " samples=" << series.samples.size() << '\n';
    for (const Detection& d : *detections) env.out << "detection " << time_text(d.time) << '\n';
    env.out << "detections=" << detections->size() << '\n';
    return kExitOk;
}

KRO_CLI_COMMAND(filter, "STA CHAN T1 T2 --type BP|LP|BR|HP [--low F] [--high F] [--order N] [--zero-phase] "
                "[--out FILE.wfdisc] [NAME=VALUE...]",
                "Butterworth-filters a channel window; prints the first samples and the extremes, and with --out "
                "writes the result as CSS 3.0 (wfdisc + f4 samples)",
                run_filter);
KRO_CLI_COMMAND(simulate, "STA CHAN T1 T2 CODE [--out FILE.wfdisc] [NAME=VALUE...]",
                "converts a channel window to ground motion or a standard instrument; prints the first samples "
                "and the extremes, and with --out writes the result as CSS 3.0",
                run_simulate);
KRO_CLI_COMMAND(detect, "STA CHAN T1 T2 [--velmora] [--sta S] [--lta S] [--k K] [NAME=VALUE...]",
                "runs the KRO (or Velmora) STA/LTA detector over a channel window; prints the detection times",
                run_detect);

}  // namespace kro::cli
