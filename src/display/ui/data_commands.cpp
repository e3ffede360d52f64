#include "display/ui/data_commands.hpp"

#include <QApplication>
#include <QFileDialog>

#include "core/messenger.hpp"
#include "data/css_import.hpp"
#include "display/ui/catalogue_dialogs.hpp"
#include "display/ui/disk_loop_dialog.hpp"
#include "display/ui/file_list_dialog.hpp"
#include "display/ui/main_frame.hpp"
#include "display/ui/networks_dialog.hpp"
#include "display/ui/new_event_dialog.hpp"
#include "display/ui/profile_dialogs.hpp"
#include "display/ui/select_station_channel_dialog.hpp"
#include "display/ui/select_traces_dialog.hpp"

namespace kro {

DataCommands::DataCommands(MainFrame& frame, Workstation& workstation) : frame_(frame), ws_(workstation) {}

Messenger& DataCommands::messenger() { return *ws_.context.messenger; }

WaveformWindow& DataCommands::waveforms() { return frame_.waveforms(); }

void DataCommands::install() {
    WaveformWindow& w = waveforms();
    w.set_channel_source(&ws_.source);
    w.set_catalogue(station_catalogue(ws_.stations));
    WaveformHooks& hooks = w.hooks();
    hooks.selection = [this] { return selected_channels(ws_.stations); };
    hooks.select_channels = [this] { return select_traces(); };
    hooks.choose_channel = [this](const ChannelDescription* preset, TimeWindow span) {
        return choose_channel(preset, span);
    };
    hooks.ask_list_name = [this] { return ask_list_name(); };
    hooks.choose_list = [this] { return choose_list(); };
    hooks.earliest_pick = [this](const ChannelDescription& c, bool whole_station) {
        return whole_station ? ws_.event.picks.earliest_included_time(c.station_index)
                             : ws_.event.picks.earliest_included_time(c.station_index, c.channel_index);
    };
    // A pane hidden by its title button leaves its span in the station record.
    w.pane_hooks().hidden = [this](TracePane& pane) {
        const int s = pane.channel().station_index;
        if (s >= 0 && s < ws_.stations.count() && ws_.stations.at(s).name == pane.channel().sta)
            set_window(ws_.stations.at(s), pane.view().span_start, pane.view().span_length);
    };
    w.register_commands();

    CommandDispatcher& d = frame_.dispatcher();
    auto on = [&d](Receiver r, int id, std::function<void()> f) { d.register_handler(r, id, std::move(f)); };
    // "Select..." reaches the frame when the active child does not handle it.
    on(Receiver::Frame, 32701, [this] { frame_.run_command(Receiver::Waveform, 32701); });
    on(Receiver::Frame, 33149, [this] { edit_networks(); });
    on(Receiver::Frame, 33155, [this] { reconnect(); });
    on(Receiver::Frame, 33190, [this] { edit_catalogues(); });
    on(Receiver::Waveform, 33210, [this] { import_css(); });
    on(Receiver::Waveform, 33110, [this] { new_event(); });
    on(Receiver::Waveform, 33109, [this] { disk_loop(); });
    frame_.update_command_states();
}

int DataCommands::current_station() const {
    const TracePane* pane = frame_.waveforms().main_pane();
    return pane ? pane->channel().station_index : -1;
}

bool DataCommands::select_traces() {
    SelectTracesDialog dialog(
        ws_.stations, ws_.context.user_settings, ws_.context.ini, messenger(), current_station(),
        [this](int station) { return choose_file(station); }, &frame_);
    return dialog.exec() == QDialog::Accepted;
}

std::optional<std::pair<ChannelDescription, TimeWindow>> DataCommands::choose_channel(const ChannelDescription* preset,
                                                                                      TimeWindow span) {
    SelectStationChannelDialog dialog(
        ws_.stations, ws_.context.ini, messenger(), preset ? preset->station_index : -1,
        preset ? preset->channel_index : -1, span.start, span.length,
        [this](int station) { return choose_file(station); }, &frame_);
    if (dialog.exec() != QDialog::Accepted || !dialog.choice()) return std::nullopt;
    const StationChannelChoice& c = *dialog.choice();
    return std::pair(channel_description(ws_.stations, c.station, c.slot), TimeWindow{c.start, c.length});
}

std::optional<FileWindow> DataCommands::choose_file(int station) {
    FileListDialog dialog(ws_.database, ws_.context.settings, ws_.context.ini, ws_.stations, station, messenger(),
                          QApplication::activeModalWidget() ? QApplication::activeModalWidget() : &frame_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.result();
}

std::optional<std::string> DataCommands::ask_list_name() {
    SaveProfilesDialog dialog(ws_.context.user_settings, messenger(), &frame_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.name();
}

std::optional<std::string> DataCommands::choose_list() {
    LoadProfilesDialog dialog(ws_.context.user_settings, messenger(), &frame_);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.key();
}

void DataCommands::edit_networks() {
    NetworksDialog dialog(ws_.stations, ws_.database.main(), messenger(), &frame_);
    dialog.exec();
}

void DataCommands::reconnect() { ws_.database.reconnect(); }

void DataCommands::edit_catalogues() {
    auto wfdisc_dirs = [this] {
        std::vector<std::string> dirs;
        if (!ws_.database.css_connected()) return dirs;
        try {
            Statement st(ws_.database.css());
            st.execute("SELECT DISTINCT DIR FROM WFDISC");
            while (st.fetch())
                if (auto dir = st.text(1)) dirs.push_back(*dir);
        } catch (const DbError& e) {
            messenger().message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
        }
        return dirs;
    };
    CataloguesDialog dialog(ws_.context.settings.dirs_map, ws_.context.ini, messenger(), wfdisc_dirs, &frame_);
    dialog.exec();
}

void DataCommands::import_css() {
    const QString folder = QFileDialog::getExistingDirectory(&frame_, "Select catalogue with files (*.wfdisc)",
                                                             QString::fromStdString(ws_.context.settings.css_data_path),
                                                             QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) return;
    import_css_folder(folder.toStdString());
}

void DataCommands::import_css_folder(const std::string& folder) {
    const CssImportResult result = kro::import_css_folder(folder, ws_.stations, ws_.context.settings.data_folder,
                                                          ws_.database.main(), messenger());
    // One pane per inventory record found again in the station table, over
    // the record's span; the height counts every record.
    std::vector<SelectedChannel> panes;
    for (const XChan& record : result.inventory.records()) {
        const int station = ws_.stations.station_index(record.sta);
        const int slot = ws_.stations.channel_slot(station, record.chan);
        if (station < 0 || slot < 0) continue;
        panes.push_back({channel_description(ws_.stations, station, slot), {record.tmin, record.tmax - record.tmin}});
    }
    waveforms().show_channels(panes, static_cast<int>(result.inventory.count()));
}

void DataCommands::new_event() {
    NewEventDialog dialog(ws_.database, ws_.event, ws_.context.notifier, messenger(), &frame_);
    if (dialog.exec() != QDialog::Accepted) return;
    waveforms().redraw();
    waveforms().update();
}

void DataCommands::disk_loop() {
    DiskLoopDialog dialog(ws_.database.main(), ws_.context.settings.data_folder, ws_.stations, ws_.context.ini,
                          messenger(), &frame_);
    dialog.exec();
}

}  // namespace kro
