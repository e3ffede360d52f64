#include "data/data_block.hpp"

#include <algorithm>
#include <cmath>

namespace kro {

void XKRODataBlockArrays::append(std::unique_ptr<KRODataBlockArray> owned) {
    KRODataBlockArray* raw = owned.get();
    entries_.push_back(Entry{raw, std::move(owned)});
}

void XKRODataBlockArrays::append_borrowed(KRODataBlockArray& borrowed) {
    entries_.push_back(Entry{&borrowed, nullptr});
}

void CXChanArray::add_span(const std::string& sta, const std::string& chan, EpochTime t_first, EpochTime t_last) {
    for (XChan& record : records_) {
        if (record.sta == sta && record.chan == chan) {
            if (record.tmin > t_first) record.tmin = t_first;
            if (record.tmax < t_last) record.tmax = t_last;
            return;
        }
    }
    records_.push_back(XChan{sta, chan, t_first, t_last});
}

void place_on_series(const KRODataBlockArray& array, EpochTime t0, double duration, std::int32_t n,
                     std::vector<float>& series) {
    // 1. n zeros.
    series.assign(static_cast<std::size_t>(std::max<std::int32_t>(n, 0)), 0.0f);
    if (n <= 0 || !(duration > 0.0)) return;
    for (const KRODataBlock& block : array.blocks()) {
        // 2. The block's first position, truncated toward zero.
        const double position = (block.start - t0) * (n - 1) / duration;
        if (!std::isfinite(position) || position >= n || position <= -static_cast<double>(block.count())) continue;
        const auto index = static_cast<std::int64_t>(std::trunc(position));
        // 3. Samples from position 0 on and below n; 4. later blocks overwrite.
        const std::int64_t first_j = std::max<std::int64_t>(0, -index);
        const std::int64_t last_j = std::min<std::int64_t>(block.count(), n - index);
        if (first_j >= last_j) continue;
        std::copy(block.samples.begin() + first_j, block.samples.begin() + last_j,
                  series.begin() + (index + first_j));
    }
}

std::vector<float> place_on_series(const KRODataBlockArray& array, EpochTime t0, double duration, std::int32_t n) {
    std::vector<float> series;
    place_on_series(array, t0, duration, n, series);
    return series;
}

}  // namespace kro
