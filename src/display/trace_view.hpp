#pragma once
// The view of one trace pane: the time span and the vertical limits of the
// raw and processed traces, the history of earlier views, and the
// navigation commands that change them. No drawing here.

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "core/time.hpp"
#include "data/data_block.hpp"

namespace kro {

// Vertical limits of a trace, in sample units. Both 0: not set.
struct Limits {
    double min = 0.0;
    double max = 0.0;
    bool is_unset() const { return min == 0.0 && max == 0.0; }
    double middle() const { return (min + max) / 2.0; }
    bool operator==(const Limits&) const = default;
};

// One element of the view history, six values in this order.
struct ViewRecord {
    EpochTime span_start = 0.0;
    double span_length = 0.0;  // s
    double processed_min = 0.0, processed_max = 0.0;
    double raw_min = 0.0, raw_max = 0.0;
    bool operator==(const ViewRecord&) const = default;
};

// The newest `kCapacity` views; a push onto a full history drops the oldest.
class ViewHistory {
public:
    static constexpr std::size_t kCapacity = 20;

    void push(const ViewRecord& record);
    // The newest record, removed; nothing when the history is empty.
    std::optional<ViewRecord> pop();
    void clear() { records_.clear(); }
    std::size_t size() const { return records_.size(); }

private:
    std::deque<ViewRecord> records_;
};

// What a pane shows.
struct TraceView {
    EpochTime span_start = 1.0;
    double span_length = 3600.0;  // s
    Limits raw;
    Limits processed;
    bool show_processed = false;  // the vertical commands act on the processed trace

    EpochTime span_end() const { return span_start + span_length; }
    ViewRecord record() const;
    void restore(const ViewRecord& r);
    // The limits the vertical commands address.
    Limits& shown_limits() { return show_processed ? processed : raw; }
};

// Smallest and largest sample of all blocks, the first non-zero sample being
// the seed; 0, 0 when every sample is 0 or there are none.
Limits sample_limits(const KRODataBlockArray& data);
// The raw limits a rebuild uses: the sample limits when the limits are
// unset; then, when equal, max + 1 and min - 1.
Limits raw_limits_for_rebuild(const Limits& current, const KRODataBlockArray& data);
// The limits drawn: swapped when max < min, widened by 0.1 each way when equal.
Limits displayed_limits(const Limits& limits);

// Whole seconds by which scroll left / right move a span of `span_length` s:
// ceil(trunc(span_length) / 2); 0 for spans under one second.
double scroll_shift(double span_length);

struct Span {
    EpochTime start = 0.0;
    double length = 0.0;  // s
    bool operator==(const Span&) const = default;
};

inline constexpr double kLongestSpan = 359999.0;  // s

// Twice as long around the same middle; nothing when longer than kLongestSpan.
// The start is truncated to whole milliseconds, the length to whole seconds.
std::optional<Span> compressed_horizontally(const Span& span);
// Half as long (at least 1 s) from a quarter into the span; the start
// truncated to whole milliseconds, the length rounded up to whole seconds.
Span expanded_horizontally(const Span& span);

// Both limits moved by `fraction` of the range (positive: up).
Limits shifted_vertically(const Limits& limits, double fraction);
// Expand: middle -/+ range / 4 (equal limits become +-1 around them).
Limits expanded_vertically(const Limits& limits);
// Compress: middle -/+ range (range 1 when it is 0).
Limits compressed_vertically(const Limits& limits);
// Smallest and largest non-zero sample of `series`; +-1 around the value
// when they are equal, -1 and 1 when every sample is 0.
Limits centered_limits(const std::vector<float>& series);
// Smallest and largest sample; -1 and 1 for an empty series, +-1 when equal.
Limits series_limits(const std::vector<float>& series);

// The limits an active pane takes in amplitude alignment: its own middle
// +- half the main pane's range, the half computed in single precision.
Limits aligned_limits(const Limits& main_pane, const Limits& pane);

// The interval marks of a pane.
struct IntervalMarks {
    int sample_count = 0;
    EpochTime t1 = 0.0, t2 = 0.0;
    bool present = false;
};

// Interval from the times at two press positions: t1 the earlier, t2 the
// later; sample count = trunc(rate * t2) - trunc(rate * t1).
IntervalMarks interval_from_times(EpochTime a, EpochTime b, double rate);

// A drag inside the plot selects an interval only beyond this many pixels.
inline constexpr int kIntervalThreshold = 5;
inline bool is_interval_drag(int press_x, int x) { return x - press_x > kIntervalThreshold || press_x - x > kIntervalThreshold; }
// A shift-press starts dragging a pick only this close to its mark.
inline constexpr int kPickGrabDistance = 2;

}  // namespace kro
