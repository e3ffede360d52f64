#pragma once
// The waveform window: the stack of trace panes of the loaded channels. It
// builds the stack from the channel selection, lays it out, sorts and
// scrolls it, keeps named channel lists, and sends most display commands
// to the panes the analyst made active.

#include <QMenu>
#include <QScrollBar>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/app_context.hpp"
#include "display/channel_source.hpp"
#include "display/command_dispatcher.hpp"
#include "display/pane_stack.hpp"
#include "display/station_channels.hpp"
#include "display/ui/trace_pane.hpp"
#include "display/ui/waveform_flags.hpp"

namespace kro {

// Where the parts built later plug into the window. Every member may be empty.
struct WaveformHooks {
    // The channels Redraw shows, each with its time window (the selection
    // matrix and the stations' windows); without it, set_selection's.
    std::function<std::vector<SelectedChannel>()> selection;
    // The modal channel selection of "Select..."; true when confirmed.
    std::function<bool()> select_channels;
    // The station-and-channel dialog: preset channel (or none) and span; the
    // chosen channel and span, or nothing when cancelled.
    std::function<std::optional<std::pair<ChannelDescription, TimeWindow>>(const ChannelDescription*, TimeWindow)>
        choose_channel;
    // Earliest included pick time of a station (channel_index < 0) or a
    // channel; kNoPickTime without picks.
    std::function<double(const ChannelDescription&, bool whole_station)> earliest_pick;
    // Distance in degrees from the current epicentre; nothing without one.
    std::function<std::optional<double>(const ChannelDescription&)> distance;
    // Name of a channel list to save; nothing when cancelled.
    std::function<std::optional<std::string>()> ask_list_name;
    // Key of a channel list to load; nothing when cancelled.
    std::function<std::optional<std::string>()> choose_list;
};

class WaveformWindow final : public QWidget, public PaneHost {
public:
    WaveformWindow(AppContext& ctx, CommandDispatcher& dispatcher, QWidget* parent = nullptr);
    ~WaveformWindow() override;

    // Services.
    void set_channel_source(ChannelSource* source) { env_.source = source; }
    // The channels known by name (station table): looked up by channel lists.
    void set_catalogue(std::vector<ChannelDescription> channels) { catalogue_ = std::move(channels); }
    const std::vector<ChannelDescription>& catalogue() const { return catalogue_; }
    // The selected channels and the time window chosen with them; Redraw shows them.
    void set_selection(std::vector<ChannelDescription> selected, TimeWindow span);
    void set_selection(std::vector<SelectedChannel> selected);
    void set_status_sink(std::function<void(const std::string&)> sink) { env_.readout = std::move(sink); }
    void set_label_font(const QFont& font);
    WaveformHooks& hooks() { return hooks_; }
    PaneHooks& pane_hooks() { return pane_hooks_; }
    // Registers the handlers of every command the window handles now (call
    // again after setting a hook that enables a command).
    void register_commands();

    // The stack.
    const std::vector<TracePane*>& panes() const { return panes_; }
    TracePane* main_pane() const;
    std::vector<TracePane*> active_panes() const;
    QWidget* stack_area() const { return stack_; }
    int stack_offset() const { return offset_; }
    QScrollBar* scroll_bar() const { return scroll_; }

    // Commands (also reachable through the dispatcher).
    void redraw();
    void full_window();
    void sort_panes(PaneSort sort, bool write_sort_order);
    void scroll_to(int position);
    void align_amplitudes();
    void set_time_alignment(bool on);
    void set_common_cursor(bool on);
    Status save_channel_list(const std::string& name);
    void load_channel_list(const std::string& key);
    TracePane* create_pane(const ChannelDescription& channel, const TimeWindow& span);
    // Replaces the stack with one pane per channel, numbered from 0, each
    // client height / `height_divisor` high (the import shows its inventory
    // this way: the divisor counts every inventory record, found or not).
    void show_channels(const std::vector<SelectedChannel>& channels, int height_divisor);
    // The pane whose station channel the window-level commands address
    // (33201 and the pane's own 33112): station-and-channel dialog, then
    // assign, reload and rebuild.
    void choose_pane_channel(TracePane& pane);
    void set_main_pane(TracePane& pane);
    void toggle_active(TracePane& pane);
    // Every pane stores its time window (window close).
    void store_time_windows();
    // The drop-down list of a tool button (33209, 32704, 33145, 32733), or null.
    std::unique_ptr<QMenu> drop_down_menu(int id);

    const WaveformFlags& flags() const { return flags_; }
    void apply_flags(const WaveformFlags& flags);
    int sort_order() const { return sort_order_; }

    // PaneHost
    void pane_made_main(TracePane& pane) override;
    void pane_active_changed(TracePane& pane) override;
    void pane_resized(TracePane& pane) override;
    void pane_zoomed(TracePane& pane) override;
    void pane_pointer_moved(TracePane& pane, int x) override;
    void pane_pick_mode_ended() override;
    void pane_context_command(TracePane& pane, int id) override;
    bool pane_command_enabled(int id) const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void destroy_panes();
    TracePane* add_pane(int number, const ChannelDescription& channel, const TimeWindow& span);
    void place(TracePane& pane, int y, int height);
    int pane_y(const TracePane& pane) const { return pane.y() - offset_; }
    std::vector<PaneRect> rects() const;
    void apply_rects(const std::vector<TracePane*>& order, const std::vector<PaneRect>& rects);
    void broadcast(int id);
    void set_pick_mode(bool on);
    void update_scroll_range();
    void on_scroll(int position);
    const ChannelDescription* find_channel(const std::string& sta, const std::string& chan) const;
    std::optional<std::pair<ChannelDescription, TimeWindow>> choose_channel(const ChannelDescription* preset,
                                                                            TimeWindow span);
    void open_options();
    void show_context_menu(const QPoint& global);

    AppContext& ctx_;
    CommandDispatcher& dispatcher_;
    WaveformHooks hooks_;
    PaneHooks pane_hooks_;
    PaneEnvironment env_;
    WaveformFlags flags_;
    int sort_order_ = 0;
    std::vector<ChannelDescription> catalogue_;
    std::vector<SelectedChannel> selection_;
    std::vector<TracePane*> panes_;
    QWidget* stack_;
    QScrollBar* scroll_;
    int offset_ = 0;
    bool scrolling_ = false;
};

}  // namespace kro
