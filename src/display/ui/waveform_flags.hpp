#pragma once
// The switches of the waveform window.

namespace kro {

struct WaveformFlags {
    bool draw_waveforms = true;        // 606 and the waveform page: draw the raw traces
    bool time_grid = true;             // dotted lines at the time-axis labels
    bool normalize_amplitude = true;   // 33184, read by the amplitude measurement
    bool automatic_scaling = false;    // the waveform page
    bool time_alignment = false;       // 33057
    bool common_cursor = false;        // 33148
    bool system_event_marks = false;   // 33080
    bool database_phase_marks = false; // 32772
};

}  // namespace kro
