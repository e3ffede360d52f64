#pragma once
// Where things sit in a trace pane: the plot rectangle, the mapping of time
// and amplitude to pixels, the reduction of a trace to at most a few points
// per pixel column, the labels of the time axis, and the caption text.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/time.hpp"
#include "display/trace_view.hpp"

namespace kro {

// Pixel geometry of a pane of `width` x `height`. x runs from the left edge;
// bottom and top are heights measured up from the bottom edge, as in the
// drawing rules; screen_y() turns them into widget rows.
struct PaneGeometry {
    int width = 0, height = 0;
    int h = 0;       // time-axis strip: text height + 7
    int left = 1;    // plot: x from left to right
    int right = 0;   // width - 2
    int bottom = 0;  // h + 1
    int top = 0;     // height - 16

    int screen_y(double height_from_bottom) const { return height - static_cast<int>(height_from_bottom); }
    int plot_top_y() const { return height - top; }        // widget row of the plot's top (16)
    int plot_bottom_y() const { return height - bottom; }  // widget row of the plot's bottom
    bool plot_contains(int x, int y) const {
        return x >= left && x <= right && y >= plot_top_y() && y <= plot_bottom_y();
    }
};

inline constexpr int kTitleStripHeight = 16;
// The smallest pane height a resize allows beyond the axis strip.
inline constexpr int kMinimumPlotHeight = 45;

PaneGeometry pane_geometry(int width, int height, int text_height);

// The mapping of one pane's span and limits onto its plot.
struct TraceScale {
    PaneGeometry g;
    EpochTime span_start = 0.0;
    double span_length = 1.0;  // s
    Limits limits;             // displayed limits, max > min

    double x_of(EpochTime t) const { return g.left + (t - span_start) * (g.right - g.left) / span_length; }
    EpochTime time_at(double x) const { return span_start + (x - g.left) * span_length / (g.right - g.left); }
    // Height above the bottom edge of amplitude v, not clipped.
    double height_of(double v) const {
        return g.bottom + (v - limits.min) * (g.top - g.bottom) / (limits.max - limits.min);
    }
    // Amplitude at widget row y.
    double value_at_row(int y) const {
        const double height = g.height - y;
        return limits.min + (height - g.bottom) * (limits.max - limits.min) / (g.top - g.bottom);
    }
};

struct ColumnPoint {
    int x = 0;
    int y = 0;  // widget row
    bool operator==(const ColumnPoint&) const = default;
};

// One run of samples reduced to the points of a polyline: sample k at
// start + k * interval lies in column trunc(x); heights are clipped to the
// plot. Consecutive samples in one column give that column's lowest and
// highest point (one point when they coincide); columns at x <= 0 give
// nothing; the last sample's point ends the line. Samples at or after
// `stop_time` are not drawn; columns right of the pane stop the run.
void reduce_columns(std::span<const float> samples, EpochTime start, double interval, const TraceScale& scale,
                    EpochTime stop_time, std::vector<ColumnPoint>& out);

// A label of the time axis: its time (whole seconds), x and text.
struct AxisLabel {
    EpochTime t = 0.0;
    int x = 0;
    std::string text;  // "%02d:%02d:%02d"
    bool drawn = false;  // false: a grid line only, the text would overlap
};

// Step between labels: trunc(span length / 10) s, at least 1 s.
long long time_axis_step(double span_length);
// Every whole second t of the span that is a multiple of the step, with
// the label drawn only when its left edge lies right of the previous drawn
// label's right edge. `text_width` measures a text in pixels.
std::vector<AxisLabel> time_axis_labels(const TraceScale& scale,
                                        const std::function<int(std::string_view)>& text_width);

// Caption "D%d  %5s[%s] %.3f samples/s %04d-%s-%02d".
std::string pane_title_text(int pane_number, std::string_view sta, std::string_view chan, double sps,
                            EpochTime span_start);

// Status-bar read-outs: while a button is held, "%02d:%02d:%.03f  A:%f"
// with the time difference as hours, minutes and seconds.
std::string format_difference_readout(double seconds, double amplitude);

}  // namespace kro
