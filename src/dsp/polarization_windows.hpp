#pragma once
// Polarization of three-component recordings (vertical Z, north-south X,
// east-west Y): the azimuth of one selected window, and diagrams of a
// polarization measure over a sliding window.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/messenger.hpp"
#include "core/time.hpp"
#include "numerics/polarize.hpp"

namespace kro {

// What the azimuth command needs to know about a trace pane.
struct ComponentPane {
    int screen_number = 0;  // order of activation; 1, 2, 3 supply Z, X, Y
    bool is_main = false;   // the main window, whose selection defines the window
    bool has_selection = false;
    EpochTime s0 = 0.0, s1 = 0.0;                // selected interval
    EpochTime span_start = 0.0, span_end = 0.0;  // displayed span
    std::size_t selected_samples = 0;            // samples in the selection
};

// The last panes with screen numbers 1, 2 and 3 (indices into `panes`), or
// nothing after one of the messages "Three windows not selected to
// calculate azimuth.", "Main window is not among selected to be used in
// azimuth calculation.", "No selection of time interval in main window",
// "Time interval is out the range of main window ".
std::optional<std::array<std::size_t, 3>> select_azimuth_panes(std::span<const ComponentPane> panes,
                                                               Messenger& messenger);

// A component name must be "d<k>" (raw) or "t<k>" (processed) of trace k <
// channel_count; otherwise "Wrong window name: <name>" is shown (caption
// "Error") and false returned.
bool check_component_name(std::string_view name, int channel_count, Messenger& messenger);

// The name of trace k as the parameters dialog shows it.
std::string component_name(int trace, bool converted);

// One component as a pane holds it: samples over the displayed span.
struct ComponentSeries {
    std::span<const float> samples;
    double sample_interval = 0.0;  // s
};

// Polarization of the window of the main pane's selection: it starts at
// trunc((s0 - span start) / dx) and holds the selection's samples, clipped
// to the samples each component has. Checks, each a beep and a message
// with caption "Error": "Interval not selected", "Interval out of trace",
// "Channels have different frequencies of discretization", "Data error"
// (a component, or the clipped window, with fewer than 2 samples).
std::optional<PolarizationResult> azimuth_of_selection(const ComponentPane& main, ComponentSeries z, ComponentSeries x,
                                                       ComponentSeries y, Messenger& messenger);

enum class PolarizationMeasure { Planarity, Rectilinearity, Azimuth };

// Window length and shift in samples, kept per station while the program runs.
struct SlidingWindowParams {
    int length = 100;  // 2 to 32768
    int shift = 10;    // 1 to 32768
};

// The values a pane draws as a diagram.
struct PolarizationDiagram {
    std::vector<float> values;    // one per window
    double step_seconds = 0.0;    // between values: shift / rate
    double window_seconds = 0.0;  // length / rate
    float min = 0.0f, max = 0.0f; // fixed range: 0-1, or 0-360 for the azimuth
};

// With n the shortest component, window i (i = 0 ... n/shift - 1) starts at
// i * shift and holds `length` triples, shortened to n - i * shift - 1 at
// the end. Nothing when the sample intervals differ, a component has fewer
// than 2 samples, or length or shift lie outside their ranges.
std::optional<PolarizationDiagram> sliding_polarization(ComponentSeries z, ComponentSeries x, ComponentSeries y,
                                                        SlidingWindowParams params, PolarizationMeasure measure);

}  // namespace kro
