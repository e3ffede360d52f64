#pragma once
// A trace pane: one strip of the waveform window showing one station
// channel over a time span, with its caption strip, raw and processed
// traces, pick and interval marks and time axis; it scrolls and zooms,
// selects intervals, drags picks and reports the pointer in the status bar.

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/settings_tree.hpp"
#include "display/channel_source.hpp"
#include "display/channel_store.hpp"
#include "display/trace_geometry.hpp"
#include "display/trace_view.hpp"
#include "display/ui/trace_painter.hpp"

namespace kro {

class Messenger;
class TracePane;

// A pick as the pane draws it.
struct PickMark {
    int key = 0;  // the pick's identity for the pick list
    std::string phase;
    EpochTime time = 0.0;
    bool included = true;
};

// Where the parts built later plug into a pane. Every member may be empty.
struct PaneHooks {
    // The picks of a channel (the pick list).
    std::function<std::vector<PickMark>(const ChannelDescription&)> picks;
    // A dragged pick was released at a new time.
    std::function<void(const ChannelDescription&, const PickMark&, EpochTime)> pick_moved;
    // Pick mode ended with a press and release: middle time, middle x,
    // uncertainty (s). The pick dialog opens here.
    std::function<void(TracePane&, EpochTime, int, double)> pick_requested;
    // The interval under selection, while the pointer moves (the amplitude dialog).
    std::function<void(TracePane&, const IntervalMarks&)> interval_changed;
    // After a rebuild of a filtered or formula pane: recompute the processed buffer.
    std::function<void(TracePane&)> reprocess;
    // The pane was hidden by its title-strip button after storing its time
    // window: its state goes back to the station record.
    std::function<void(TracePane&)> hidden;
};

// Services a pane uses; owned by the waveform window (or a test).
struct PaneEnvironment {
    ChannelSource* source = nullptr;
    SettingsTree* settings = nullptr;  // KRO\Time
    Messenger* messenger = nullptr;
    PaneHooks* hooks = nullptr;
    std::function<void(const std::string&)> readout;  // status-bar pane 1
    TraceLook look;
};

// What the window does for its panes (the pane works without one).
class PaneHost {
public:
    virtual ~PaneHost() = default;
    virtual void pane_made_main(TracePane& pane) = 0;
    virtual void pane_active_changed(TracePane& pane) = 0;
    virtual void pane_resized(TracePane& pane) = 0;
    virtual void pane_zoomed(TracePane& pane) = 0;
    virtual void pane_pointer_moved(TracePane& pane, int x) = 0;  // common cursor
    virtual void pane_pick_mode_ended() = 0;
    virtual void pane_context_command(TracePane& pane, int id) = 0;
    virtual bool pane_command_enabled(int id) const = 0;
};

class TracePane final : public QWidget {
public:
    TracePane(int number, PaneEnvironment& env, PaneHost* host, QWidget* parent);

    // Identity.
    int number() const { return number_; }
    const ChannelDescription& channel() const { return channel_; }
    QString name() const { return QStringLiteral("D%1").arg(number_); }

    // Clears the history, takes the channel and its span.
    void assign(const ChannelDescription& channel, const TimeWindow& span);
    // Stores the span under KRO\Time, drops the processed buffer, reads the blocks.
    void reload();
    // Recomputes the raw picture and all layers.
    void rebuild();
    // Re-draws the raw trace with the current raw limits.
    void redraw_at_current_scale();
    // Writes the span under KRO\Time.
    void save_time_window();

    // State.
    TraceView& view() { return view_; }
    const TraceView& view() const { return view_; }
    const ViewHistory& history() const { return history_; }
    const KRODataBlockArray& data() const { return data_; }
    const IntervalMarks& interval() const { return interval_; }
    void set_interval(const IntervalMarks& marks);
    void clear_interval();

    bool is_active() const { return active_; }
    bool is_main() const { return main_; }
    int screen_number() const { return screen_number_; }
    void set_active(bool active, int screen_number);
    void set_main(bool main);
    bool pick_mode() const { return pick_mode_; }
    void set_pick_mode(bool on);
    void set_common_cursor(std::optional<int> x);

    // The processed buffer: samples at span start + offset + i / rate.
    bool has_processed() const { return !processed_.empty(); }
    void set_processed(std::vector<float> samples, double rate, double offset, bool filtered, bool formula);
    void drop_processed();
    bool filtered() const { return filtered_; }
    bool formula_trace() const { return formula_trace_; }
    const std::vector<float>& processed() const { return processed_; }
    double processed_rate() const { return processed_rate_; }
    void set_show_processed(bool on);

    // The raw data on a regular series of trunc(span length x rate) samples.
    std::vector<float> series() const;

    // The navigation commands 33015-33023, 33056 and Return; false for other ids.
    bool navigate(int id);
    // Sets a span (zoom, alignment) after pushing the current view.
    void set_span(EpochTime start, double length, bool push_view);

    // Pane commands of its context menu; false when the pane does not handle id.
    bool run_pane_command(int id);
    static bool handles_pane_command(int id);

    // The pane's scale for time and the shown trace.
    TraceScale raw_scale() const;
    TraceScale shown_scale() const;
    PaneGeometry geometry_now() const;

    // Process-wide: pointer handling is suspended while set (modal
    // selection, filtering).
    static bool busy;

    // Drawing without a window (tests, screenshots of single panes).
    QImage render();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    enum class Gesture { None, Interval, Resize, DragPick, Pick };

    int text_height() const;
    void paint_title_strip(QPainter& p, const PaneGeometry& g);
    void paint_marks(QPainter& p, const PaneGeometry& g);
    void redraw_limits_changed();
    void after_span_change();
    bool in_resize_zone(int y) const;
    std::optional<PickMark> pick_near(int x) const;
    void show_readout(const QPoint& pos, bool button_held);
    void title_click(int x);
    void finish_zoom(const QPoint& end);

    int number_;
    PaneEnvironment& env_;
    PaneHost* host_;
    ChannelDescription channel_;
    TraceView view_;
    ViewHistory history_;
    KRODataBlockArray data_;
    IntervalMarks interval_;
    std::vector<float> processed_;
    double processed_rate_ = 0.0;
    double processed_offset_ = 0.0;
    bool filtered_ = false;
    bool formula_trace_ = false;

    bool active_ = false;
    bool main_ = false;
    bool maximized_ = false;
    bool pick_mode_ = false;
    int screen_number_ = -1;

    QImage raw_picture_;
    bool rebuilding_ = false;
    std::vector<ColumnPoint> scratch_;

    Gesture gesture_ = Gesture::None;
    QPoint press_;
    QPoint pointer_;
    std::optional<PickMark> dragged_;
    std::optional<QPoint> rubber_anchor_;
    std::optional<int> pick_marker_x_;
    double pick_marker_half_ = 0.0;  // pixels
    std::optional<int> common_cursor_x_;
};

}  // namespace kro
