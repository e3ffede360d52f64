#include "display/trace_geometry.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kro {

PaneGeometry pane_geometry(int width, int height, int text_height) {
    PaneGeometry g;
    g.width = width;
    g.height = height;
    g.h = text_height + 7;
    g.left = 1;
    g.right = width - 2;
    g.bottom = g.h + 1;
    g.top = height - kTitleStripHeight;
    return g;
}

void reduce_columns(std::span<const float> samples, EpochTime start, double interval, const TraceScale& scale,
                    EpochTime stop_time, std::vector<ColumnPoint>& out) {
    const auto n = static_cast<std::int64_t>(samples.size());
    if (n == 0 || scale.span_length <= 0.0 || scale.limits.max <= scale.limits.min) return;
    const PaneGeometry& g = scale.g;
    const double px_per_s = (g.right - g.left) / scale.span_length;
    const double x0 = g.left + (start - scale.span_start) * px_per_s;
    const double dx = interval * px_per_s;
    const double v_scale = (g.top - g.bottom) / (scale.limits.max - scale.limits.min);

    // Samples before the first visible column contribute nothing; skip them
    // in one step (keeping one so the line enters from the left edge).
    std::int64_t k = 0;
    if (x0 < 1.0 && dx > 0.0) k = std::max<std::int64_t>(0, static_cast<std::int64_t>((1.0 - x0) / dx) - 1);
    std::int64_t last = n;
    if (stop_time < start + n * interval)
        last = std::clamp<std::int64_t>(static_cast<std::int64_t>(std::ceil((stop_time - start) / interval)), 0, n);

    auto row_of = [&](float v) {
        double height = g.bottom + (v - scale.limits.min) * v_scale;
        height = std::clamp(height, static_cast<double>(g.bottom), static_cast<double>(g.top));
        return g.height - static_cast<int>(height);
    };

    auto column_at = [&](std::int64_t i) { return static_cast<int>(x0 + static_cast<double>(i) * dx); };

    // Runs of samples that share a column are found by their bounds and
    // reduced with one min/max pass; the result is the same as walking the
    // samples one by one.
    bool have_column = false;
    int column = 0, low = 0, high = 0;  // rows: low is the larger row (lower on screen)
    int last_row = 0, last_x = 0;
    while (k < last) {
        const int x = column_at(k);
        if (have_column && column > 0) {
            out.push_back({column, low});
            if (high != low) out.push_back({column, high});
        }
        if (x > g.right + 1) {
            last_x = x;
            last_row = row_of(samples[static_cast<std::size_t>(k)]);
            break;
        }
        // The first sample of the next column.
        std::int64_t end = last;
        if (dx > 0.0) {
            const double estimate = std::ceil((x + 1 - x0) / dx);
            end = estimate >= static_cast<double>(last) ? last : std::max<std::int64_t>(k + 1, static_cast<std::int64_t>(estimate));
            while (end > k + 1 && column_at(end - 1) != x) --end;
            while (end < last && column_at(end) == x) ++end;
        }
        const auto first = samples.begin() + k;
        const auto [lo, hi] = std::minmax_element(first, samples.begin() + end);
        have_column = true;
        column = x;
        low = row_of(*lo);
        high = row_of(*hi);
        last_x = x;
        last_row = row_of(samples[static_cast<std::size_t>(end - 1)]);
        k = end;
    }
    if (have_column && last_x > 0) out.push_back({last_x, last_row});
}

long long time_axis_step(double span_length) {
    const auto s = static_cast<long long>(std::trunc(span_length / 10.0));
    return s == 0 ? 1 : s;
}

std::vector<AxisLabel> time_axis_labels(const TraceScale& scale,
                                        const std::function<int(std::string_view)>& text_width) {
    std::vector<AxisLabel> labels;
    const long long step = time_axis_step(scale.span_length);
    const EpochTime end = scale.span_start + scale.span_length;
    // The first multiple of the step at or after the span start.
    auto t = static_cast<long long>(std::trunc(scale.span_start));
    if (static_cast<double>(t) < scale.span_start) ++t;
    const long long rem = ((t % step) + step) % step;
    if (rem != 0) t += step - rem;
    int last_right = -1000000;
    for (; static_cast<double>(t) < end; t += step) {
        AxisLabel label;
        label.t = static_cast<double>(t);
        label.x = static_cast<int>(scale.x_of(label.t));
        label.text = dttostr(label.t, 15);
        const int w = std::max(text_width(label.text), text_width(dttostr(label.t, 4)));
        const int left_edge = label.x - w / 2;
        if (left_edge > last_right) {
            label.drawn = true;
            last_right = label.x - w / 2 + w;
        }
        labels.push_back(std::move(label));
    }
    return labels;
}

std::string pane_title_text(int pane_number, std::string_view sta, std::string_view chan, double sps,
                            EpochTime span_start) {
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    CalendarTime c;
    time_to_calendar(span_start, c);
    const char* month = c.month >= 1 && c.month <= 12 ? kMonths[c.month - 1] : "???";
    const std::string station(sta), channel(chan);
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, "D%d  %5s[%s] %.3f samples/s %04d-%s-%02d", pane_number, station.c_str(),
                  channel.c_str(), sps, c.year, month, c.day);
    return buffer;
}

std::string format_difference_readout(double seconds, double amplitude) {
    const double s = std::fabs(seconds);
    const int hours = static_cast<int>(s / 3600.0);
    const int minutes = static_cast<int>((s - hours * 3600.0) / 60.0);
    const double rest = s - hours * 3600.0 - minutes * 60.0;
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%.03f  A:%f", hours, minutes, rest, std::fabs(amplitude));
    return buffer;
}

}  // namespace kro
