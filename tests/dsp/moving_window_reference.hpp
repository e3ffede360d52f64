#pragma once
// The running variance as first written: the whole window moves by one
// position for every value (work proportional to the window per value).
// The reference CAverage is checked (tests) and timed (benchmarks) against.

#include <vector>

namespace kro::test {

class LiteralMovingWindow {
public:
    explicit LiteralMovingWindow(std::size_t n) : window_(n, 0.0) {}
    double add(double v) {
        const double n = static_cast<double>(window_.size());
        const double o = window_[0];
        for (std::size_t i = 0; i + 1 < window_.size(); ++i) window_[i] = window_[i + 1];
        window_.back() = v;
        m_ += (v - o) / n;
        q_ += (v * v - o * o) / n;
        return q_ - m_ * m_;
    }

private:
    std::vector<double> window_;
    double m_ = 0.0, q_ = 0.0;
};

}  // namespace kro::test
