#pragma once
// The two-dimensional calibration table of the magnitude computations: a
// value for each pair of an axis-1 value a and an axis-2 value b, looked up
// with a cubic spline along axis 2 and a straight line along axis 1.
//
// File form: the first line is a title and ignored; "#" starts a comment to
// the end of the line. Then a count p, the p values of axis 1, a count q,
// the q values of axis 2, and p rows of q values (one row per axis-1 value),
// separated by blanks, tabs or line ends. -1 marks a missing value.

#include <string>
#include <string_view>
#include <vector>

#include "core/status.hpp"

namespace kro {

class CalibrationTable {
public:
    static constexpr double kMissing = -1.0;

    // Reads the table; counts that are not positive whole numbers, values
    // that are not numbers, a table shorter than its counts or an axis that
    // does not ascend are errors naming the place; the table is then left
    // as it was.
    Status parse(std::string_view text);
    Status load(const std::string& path);

    // The value at (a, b), or -1 when a or b lies outside its axis or the
    // neighbouring values are missing.
    double lookup(double a, double b) const;

    const std::vector<double>& axis1() const { return axis1_; }
    const std::vector<double>& axis2() const { return axis2_; }
    double value(std::size_t row, std::size_t column) const { return values_[row * axis2_.size() + column]; }
    bool empty() const { return axis1_.empty(); }

private:
    double row_value(std::size_t row, double b) const;

    std::vector<double> axis1_, axis2_;
    std::vector<double> values_;       // p rows of q values
    std::vector<double> second_der_;   // spline second derivatives, same shape
};

}  // namespace kro
