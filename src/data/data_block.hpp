#pragma once
// Sampled data in memory.
//
// A KRODataBlock is one gap-free run of float samples of one channel; a
// KRODataBlockArray holds all blocks of one station channel that a load
// produced for a time window, in ascending start time; XKRODataBlockArrays
// gathers several channel arrays; CXChanArray is an inventory of station
// channels with the time span found for each. Times are epoch seconds.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/time.hpp"

namespace kro {

struct KRODataBlock {
    std::vector<float> samples;  // values as read, no calibration applied
    double sps = 0.0;            // samples per second
    EpochTime start = 0.0;       // time of the first sample
    double calib = 1.0;          // calibration factor of the segment
    double calper = 1.0;         // calibration period, s

    std::int32_t count() const { return static_cast<std::int32_t>(samples.size()); }
    // Sample k lies at start + k / sps; the block ends at start + count / sps.
    EpochTime sample_time(std::int64_t k) const { return start + static_cast<double>(k) / sps; }
    EpochTime end() const { return start + count() / sps; }
};

class KRODataBlockArray {
public:
    KRODataBlockArray() = default;
    KRODataBlockArray(std::string sta, std::string chan) : sta_(std::move(sta)), chan_(std::move(chan)) {}

    // Deletes all blocks; the names stay.
    void clear() { blocks_.clear(); }
    // Stores a copy of `block` at the end; the caller keeps its own.
    void append(const KRODataBlock& block) { blocks_.push_back(block); }
    // Stores `block` at the end without copying its samples.
    void append(KRODataBlock&& block) { blocks_.push_back(std::move(block)); }

    const KRODataBlock& block(std::size_t i) const { return blocks_.at(i); }
    std::size_t count() const { return blocks_.size(); }
    const std::vector<KRODataBlock>& blocks() const { return blocks_; }

    void set_names(std::string sta, std::string chan) {
        sta_ = std::move(sta);
        chan_ = std::move(chan);
    }
    const std::string& sta() const { return sta_; }
    const std::string& chan() const { return chan_; }

private:
    std::vector<KRODataBlock> blocks_;
    std::string sta_;
    std::string chan_;
};

// A list of channel arrays. An array appended as owned is deleted with the
// list; an array appended as borrowed stays its owner's (the CSS 3.0 save
// gathers the panes' arrays this way, and the panes keep their data).
class XKRODataBlockArrays {
public:
    void append(std::unique_ptr<KRODataBlockArray> owned);
    void append_borrowed(KRODataBlockArray& borrowed);

    KRODataBlockArray& at(std::size_t i) const { return *entries_.at(i).array; }
    std::size_t count() const { return entries_.size(); }
    // Forgets every entry: borrowed arrays are untouched, owned ones deleted.
    void empty() { entries_.clear(); }

private:
    struct Entry {
        KRODataBlockArray* array;
        std::unique_ptr<KRODataBlockArray> owned;  // null for borrowed arrays
    };
    std::vector<Entry> entries_;
};

struct XChan {
    std::string sta;
    std::string chan;
    EpochTime tmin = 0.0;  // earliest time seen for the channel
    EpochTime tmax = 0.0;  // latest time seen for the channel
};

class CXChanArray {
public:
    // Widens the span of the record with exactly this sta and chan (case
    // sensitive), or appends a new record.
    void add_span(const std::string& sta, const std::string& chan, EpochTime t_first, EpochTime t_last);

    const XChan& at(std::size_t i) const { return records_.at(i); }
    std::size_t count() const { return records_.size(); }
    const std::vector<XChan>& records() const { return records_; }

private:
    std::vector<XChan> records_;
};

// Places the blocks of `array` on a regular series of `n` samples covering
// [t0, t0 + duration]: block sample j goes to position index + j, where
// index = (start - t0) * (n - 1) / duration truncated toward zero; positions
// below 0 or from n on are skipped, later blocks overwrite earlier ones, and
// uncovered positions are 0.
std::vector<float> place_on_series(const KRODataBlockArray& array, EpochTime t0, double duration, std::int32_t n);
// The same into a caller's buffer (resized to n), to reuse its memory.
void place_on_series(const KRODataBlockArray& array, EpochTime t0, double duration, std::int32_t n,
                     std::vector<float>& series);

}  // namespace kro
