#pragma once
// CAverage: the variance of the last n values of a series, updated in O(1)
// per value. The window starts as n zeros; adding v drops the oldest value
// o and updates the running mean m += (v - o)/n and the running mean of
// squares q += (v^2 - o^2)/n; the variance is q - m^2.

#include <cstddef>
#include <vector>

namespace kro {

class CAverage {
public:
    explicit CAverage(std::size_t n = 1) { reset(n); }

    // Back to n zeros (n >= 1).
    void reset(std::size_t n) {
        window_.assign(n == 0 ? 1 : n, 0.0);
        oldest_ = 0;
        mean_ = 0.0;
        mean_of_squares_ = 0.0;
    }

    // Adds v and returns the variance of the window.
    double add(double v) {
        const double n = static_cast<double>(window_.size());
        const double o = window_[oldest_];
        window_[oldest_] = v;
        if (++oldest_ == window_.size()) oldest_ = 0;
        mean_ += (v - o) / n;
        mean_of_squares_ += (v * v - o * o) / n;
        return mean_of_squares_ - mean_ * mean_;
    }

    std::size_t length() const { return window_.size(); }

private:
    std::vector<double> window_;  // ring buffer; window_[oldest_] is the oldest value
    std::size_t oldest_ = 0;
    double mean_ = 0.0;
    double mean_of_squares_ = 0.0;
};

}  // namespace kro
