#include "display/trace_view.hpp"

#include <algorithm>
#include <cmath>

namespace kro {

void ViewHistory::push(const ViewRecord& record) {
    if (records_.size() == kCapacity) records_.pop_front();
    records_.push_back(record);
}

std::optional<ViewRecord> ViewHistory::pop() {
    if (records_.empty()) return std::nullopt;
    ViewRecord r = records_.back();
    records_.pop_back();
    return r;
}

ViewRecord TraceView::record() const {
    return {span_start, span_length, processed.min, processed.max, raw.min, raw.max};
}

void TraceView::restore(const ViewRecord& r) {
    span_start = r.span_start;
    span_length = r.span_length;
    processed = {r.processed_min, r.processed_max};
    raw = {r.raw_min, r.raw_max};
}

Limits sample_limits(const KRODataBlockArray& data) {
    bool seeded = false;
    float lo = 0.0f, hi = 0.0f;
    for (const auto& block : data.blocks()) {
        for (const float v : block.samples) {
            if (!seeded) {
                if (v == 0.0f) continue;
                lo = hi = v;
                seeded = true;
            }
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    }
    return {lo, hi};
}

Limits raw_limits_for_rebuild(const Limits& current, const KRODataBlockArray& data) {
    Limits l = current.is_unset() ? sample_limits(data) : current;
    if (l.min == l.max) l = {l.min - 1.0, l.max + 1.0};
    return l;
}

Limits displayed_limits(const Limits& limits) {
    Limits l = limits;
    if (l.max < l.min) std::swap(l.min, l.max);
    if (l.min == l.max) l = {l.min - 0.1, l.max + 0.1};
    return l;
}

double scroll_shift(double span_length) { return std::ceil(std::trunc(span_length) / 2.0); }

namespace {
double trunc_ms(double t) { return std::trunc(t * 1000.0) / 1000.0; }
}  // namespace

std::optional<Span> compressed_horizontally(const Span& span) {
    const double a = span.start;
    const double b = span.start + span.length;
    const double length = 2.0 * (b - a);
    if (length > kLongestSpan) return std::nullopt;
    return Span{trunc_ms((3.0 * a - b) / 2.0), std::trunc(length)};
}

Span expanded_horizontally(const Span& span) {
    const double a = span.start;
    const double b = span.start + span.length;
    const double length = std::max((b - a) / 2.0, 1.0);
    return Span{trunc_ms(0.75 * a + 0.25 * b), std::ceil(length)};
}

Limits shifted_vertically(const Limits& limits, double fraction) {
    const double d = (limits.max - limits.min) * fraction;
    return {limits.min + d, limits.max + d};
}

Limits expanded_vertically(const Limits& limits) {
    if (limits.min == limits.max) return {limits.min - 1.0, limits.max + 1.0};
    const double r = limits.max - limits.min;
    const double m = limits.middle();
    return {m - r / 4.0, m + r / 4.0};
}

Limits compressed_vertically(const Limits& limits) {
    double r = limits.max - limits.min;
    if (r == 0.0) r = 1.0;
    const double m = limits.middle();
    return {m - r, m + r};
}

Limits centered_limits(const std::vector<float>& series) {
    bool seen = false;
    float lo = 0.0f, hi = 0.0f;
    for (const float v : series) {
        if (v == 0.0f) continue;
        if (!seen) lo = hi = v, seen = true;
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    if (lo == hi) return {lo - 1.0, hi + 1.0};
    return {lo, hi};
}

Limits series_limits(const std::vector<float>& series) {
    if (series.empty()) return {-1.0, 1.0};
    const auto [lo, hi] = std::minmax_element(series.begin(), series.end());
    if (*lo == *hi) return {*lo - 1.0, *hi + 1.0};
    return {*lo, *hi};
}

Limits aligned_limits(const Limits& main_pane, const Limits& pane) {
    const float half = static_cast<float>(main_pane.max - main_pane.min) / 2.0f;
    const double m = pane.middle();
    return {m - half, m + half};
}

IntervalMarks interval_from_times(EpochTime a, EpochTime b, double rate) {
    IntervalMarks marks;
    marks.t1 = std::min(a, b);
    marks.t2 = std::max(a, b);
    marks.sample_count = static_cast<int>(std::trunc(rate * marks.t2) - std::trunc(rate * marks.t1));
    marks.present = true;
    return marks;
}

}  // namespace kro
