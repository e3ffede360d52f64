#include "display/ui/trace_painter.hpp"

#include <QFontMetrics>
#include <QPolygon>
#include <QString>
#include <algorithm>
#include <cstdio>

namespace kro {

int text_width(const QFont& font, std::string_view text) {
    return QFontMetrics(font).horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

namespace {

QString number(const char* format, double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, v);
    return QString::fromLatin1(buffer);
}

void draw_polyline(QPainter& p, const std::vector<ColumnPoint>& points) {
    if (points.size() < 2) {
        if (points.size() == 1) p.drawPoint(points[0].x, points[0].y);
        return;
    }
    QPolygon polygon(static_cast<qsizetype>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i)
        polygon.setPoint(static_cast<int>(i), points[i].x, points[i].y);
    p.drawPolyline(polygon);
}

}  // namespace

void paint_raw_picture(QPainter& p, const TraceScale& scale, const KRODataBlockArray& data, const TraceLook& look,
                       std::vector<ColumnPoint>& scratch) {
    const PaneGeometry& g = scale.g;
    const int axis_top = g.height - g.h - 1;
    // Plot and axis area: light grey with a red outline.
    p.setPen(Qt::red);
    p.setBrush(kPlotFill);
    p.drawRect(0, kTitleStripHeight, g.width - 1, g.height - kTitleStripHeight - 1);
    // Axis strip with a bevel.
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::white);
    p.drawLine(1, axis_top, g.width - 2, axis_top);
    p.setPen(Qt::gray);
    p.drawLine(1, g.height - 2, g.width - 2, g.height - 2);

    p.setFont(look.label_font);
    const QFontMetrics fm(look.label_font);
    // Time axis.
    const auto labels = time_axis_labels(scale, [&](std::string_view t) { return text_width(look.label_font, t); });
    for (const auto& label : labels) {
        if (look.time_grid) {
            p.setPen(QPen(kGridColor, 1, Qt::DotLine));
            p.drawLine(label.x, g.plot_top_y(), label.x, g.plot_bottom_y());
        }
        if (!label.drawn) continue;
        p.setPen(Qt::white);
        const QString text = QString::fromStdString(label.text);
        const int w = fm.horizontalAdvance(text);
        // Centred on its second, but kept inside the pane at both ends.
        const int x = std::clamp(label.x - w / 2, 1, std::max(1, g.width - w - 1));
        p.drawText(x, g.height - 4 - fm.descent(), text);
    }

    // Raw trace, one polyline per block.
    if (look.draw_trace) {
        p.save();
        p.setClipRect(g.left, g.plot_top_y(), g.right - g.left + 1, g.plot_bottom_y() - g.plot_top_y() + 1);
        p.setPen(kRawTraceColor);
        const EpochTime end = scale.span_start + scale.span_length;
        for (const auto& block : data.blocks()) {
            if (block.sps <= 0.0 || block.end() <= scale.span_start || block.start >= end) continue;
            scratch.clear();
            reduce_columns(block.samples, block.start, 1.0 / block.sps, scale, end + 1.0 / block.sps, scratch);
            draw_polyline(p, scratch);
        }
        p.restore();
    }

    // Amplitude labels, right-aligned at the top and bottom of the plot.
    p.setPen(Qt::white);
    const QString top = number("%.3f", scale.limits.max);
    const QString bottom = number("%.3f", scale.limits.min);
    p.drawText(g.right - fm.horizontalAdvance(top) - 2, g.plot_top_y() + fm.ascent() + 1, top);
    p.drawText(g.right - fm.horizontalAdvance(bottom) - 2, g.plot_bottom_y() - fm.descent() - 1, bottom);
}

void paint_processed_trace(QPainter& p, const TraceScale& scale, const std::vector<float>& samples, double offset,
                           double interval, const QFont& font, std::vector<ColumnPoint>& scratch) {
    const PaneGeometry& g = scale.g;
    if (interval <= 0.0) return;
    p.save();
    p.setClipRect(g.left, g.plot_top_y(), g.right - g.left + 1, g.plot_bottom_y() - g.plot_top_y() + 1);
    p.setPen(Qt::red);
    scratch.clear();
    reduce_columns(samples, scale.span_start + offset, interval, scale, scale.span_start + scale.span_length, scratch);
    draw_polyline(p, scratch);
    p.restore();
    p.setFont(font);
    const QFontMetrics fm(font);
    p.setPen(Qt::red);
    p.drawText(g.left + 2, g.plot_top_y() + fm.ascent() + 1, number("%.2f", scale.limits.max));
    p.drawText(g.left + 2, g.plot_bottom_y() - 15, number("%.2f", scale.limits.min));
}

}  // namespace kro
