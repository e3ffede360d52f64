#pragma once
// Drawing of a trace pane's pictures with QPainter: the raw picture (frame,
// axis strip, time axis, amplitude labels and the raw trace), the processed
// trace and the marks. Used by TracePane and by the rendering benchmark.

#include <QColor>
#include <QFont>
#include <QPainter>
#include <vector>

#include "data/data_block.hpp"
#include "display/trace_geometry.hpp"

namespace kro {

struct TraceLook {
    QFont label_font;        // amplitude labels and time axis
    bool time_grid = true;   // dotted lines at the axis labels
    bool draw_trace = true;  // the draw-waveforms flag
};

inline const QColor kRawTraceColor(0, 0, 127);
inline const QColor kPlotFill(192, 192, 192);
inline const QColor kGridColor(32, 32, 32);

// The raw picture over the whole pane below the title strip. `scale` holds
// the displayed raw limits. `scratch` is reused between calls.
void paint_raw_picture(QPainter& p, const TraceScale& scale, const KRODataBlockArray& data, const TraceLook& look,
                       std::vector<ColumnPoint>& scratch);

// The processed trace in red with its "%.2f" labels: sample i at
// span start + offset + i * interval, scaled to `scale.limits`.
void paint_processed_trace(QPainter& p, const TraceScale& scale, const std::vector<float>& samples, double offset,
                           double interval, const QFont& font, std::vector<ColumnPoint>& scratch);

// The time-axis labels' text measured with `font`.
int text_width(const QFont& font, std::string_view text);

}  // namespace kro
