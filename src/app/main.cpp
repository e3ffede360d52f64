// kro: the seismic data processing workstation.

#include <QApplication>
#include <clocale>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/screenshot.hpp"
#include "app/splash.hpp"
#include "core/config.hpp"
#include "core/app_context.hpp"
#include "core/single_instance.hpp"
#include "data/file_list.hpp"
#include "display/channel_source.hpp"
#include "display/ui/main_frame.hpp"
#include "display/ui/qt_messenger.hpp"
#include "display/workstation.hpp"

namespace {

void print_usage() {
    std::cout << "usage: kro [KEY=VALUE ...] [--no-splash] [--demo] [--channel-list NAME]\n"
                 "           [--screenshot FILE [--after-ms N] [--command ID ...]]\n"
                 "  KEY=VALUE       ODBC=, USER=, PASSWORD=, ODBC_CSS=, USER_CSS=, PASSWORD_CSS=, DATA=\n"
                 "  --demo          show six synthetic channels of a local event instead of the databases\n"
                 "  --channel-list  load the saved channel list NAME at start (\"Load list of channels\")\n"
                 "  --screenshot    run the commands, write a PNG of the main window, exit\n";
}

// Takes "--channel-list NAME" out of `args`; false when NAME is missing.
bool take_channel_list(std::vector<std::string>& args, std::string& name) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--channel-list") continue;
        if (i + 1 >= args.size()) return false;
        name = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
        return true;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            print_usage();
            return 0;
        }
    kro::ScreenshotRequest shot;
    bool screenshot = false;
    std::string error;
    if (!kro::take_screenshot_options(args, shot, screenshot, error)) {
        std::cerr << "kro: " << error << "\n";
        print_usage();
        return 2;
    }
    std::string channel_list;
    if (!take_channel_list(args, channel_list)) {
        std::cerr << "kro: --channel-list needs the name of a saved channel list\n";
        print_usage();
        return 2;
    }
    bool demo = false;
    std::erase_if(args, [&](const std::string& a) { return a == "--demo" ? (demo = true) : false; });

    // Only one copy runs per user; a second start ends silently.
    const auto lock = kro::SingleInstanceLock::try_acquire(kro::SingleInstanceLock::default_path());
    if (!lock) return 0;

    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");  // numbers with a decimal point

    kro::QtMessenger messenger;
    messenger.set_unattended(screenshot);
    kro::AppContext ctx(messenger);
    std::vector<std::string> command_line = {argv[0]};
    command_line.insert(command_line.end(), args.begin(), args.end());
    kro::load_configuration(ctx, command_line, kro::running_executable_path(argv[0]));
    if (screenshot) ctx.settings.show_splash = false;

    // The travel-time tables when their folder exists; the folder mapping
    // came with the configuration.
    kro::Workstation workstation(ctx);
    workstation.load_travel_time_tables();

    std::unique_ptr<kro::Splash> splash;
    if (ctx.settings.show_splash) splash = std::make_unique<kro::Splash>(ctx.settings.program_folder);

    // The databases, the station groups and the station table with its
    // empty selection matrix, unless the synthetic channels are shown.
    if (!demo) workstation.open_data(kro::current_time());

    kro::MainFrame frame(ctx, messenger, demo ? nullptr : &workstation);
    const kro::EpochTime event_time = 1296474910.0;
    kro::SyntheticChannelSource synthetic(event_time - 60.0, 600.0, event_time);
    if (demo) {
        frame.waveforms().set_channel_source(&synthetic);
        frame.waveforms().set_catalogue(kro::SyntheticChannelSource::demo_channels());
    }
    frame.resize(1600, 1000);
    frame.showMaximized();
    if (demo) {
        frame.waveforms().set_selection(kro::SyntheticChannelSource::demo_channels(), {event_time - 10.0, 60.0});
        frame.run_command(kro::Receiver::Waveform, 32771);
    }
    if (!channel_list.empty()) {
        const auto names = kro::profile_names(ctx.user_settings);
        if (std::find(names.begin(), names.end(), channel_list) == names.end())
            messenger.warning("There is no saved channel list named \"" + channel_list + "\"");
        else
            frame.waveforms().load_channel_list(kro::profile_key(channel_list));
    }
    if (screenshot) kro::schedule_screenshot(frame, shot);
    return app.exec();
}
