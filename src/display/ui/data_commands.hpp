#pragma once
// The commands and hooks that join the windows to the process-wide data of
// the Workstation: channel selection and Redraw from the selection matrix,
// the panes' reader, channel lists, station groups, the folder mapping,
// reconnection, the CSS 3.0 import, the new event and the disk loop.

#include <optional>
#include <string>
#include <utility>

#include "data/file_list.hpp"
#include "display/channel_store.hpp"
#include "display/workstation.hpp"

namespace kro {

class MainFrame;
class Messenger;
class WaveformWindow;
struct ChannelDescription;

class DataCommands {
public:
    DataCommands(MainFrame& frame, Workstation& workstation);

    // Gives the waveform window its catalogue, reader and hooks and
    // registers the command handlers.
    void install();

    // The station of the main pane; -1 without one.
    int current_station() const;

    // 32701 "Select...": true when confirmed.
    bool select_traces();
    // The station-and-channel dialog; `preset` may be null.
    std::optional<std::pair<ChannelDescription, TimeWindow>> choose_channel(const ChannelDescription* preset,
                                                                            TimeWindow span);
    // The file list of a station.
    std::optional<FileWindow> choose_file(int station);
    std::optional<std::string> ask_list_name();
    std::optional<std::string> choose_list();
    void edit_networks();    // 33149
    void reconnect();        // 33155
    void edit_catalogues();  // 33190
    void import_css();       // 33210: asks for the folder, then import_css_folder
    // Imports the folder and shows the imported channels, one pane each.
    void import_css_folder(const std::string& folder);
    void new_event();  // 33110
    void disk_loop();  // 33109

private:
    Messenger& messenger();
    WaveformWindow& waveforms();

    MainFrame& frame_;
    Workstation& ws_;
};

}  // namespace kro
