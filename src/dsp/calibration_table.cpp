#include "dsp/calibration_table.hpp"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "dsp/text_numbers.hpp"

namespace kro {
namespace {

constexpr long kMaxAxisLength = 100000;
constexpr double kZeroWidth = 1e-7;

// Words of the table after the title line, with comments removed; each
// word keeps its line number for messages.
struct Word {
    std::string_view text;
    int line;
};

std::vector<Word> table_words(std::string_view text) {
    std::vector<Word> words;
    const auto lines = split_lines(text, "\n");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        line = line.substr(0, line.find('#'));
        for (std::string_view w : split_words(line)) words.push_back({w, static_cast<int>(i + 1)});
    }
    return words;
}

// Natural cubic spline second derivatives of y over x (Numerical Recipes' tridiagonal form).
void natural_spline(const double* x, const double* y, std::size_t n, double* y2) {
    std::fill(y2, y2 + n, 0.0);
    if (n < 3) return;
    std::vector<double> u(n, 0.0);
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double h0 = std::max(x[i] - x[i - 1], kZeroWidth), h1 = std::max(x[i + 1] - x[i], kZeroWidth);
        const double sig = h0 / (h0 + h1);
        const double p = sig * y2[i - 1] + 2.0;
        y2[i] = (sig - 1.0) / p;
        const double d = (y[i + 1] - y[i]) / h1 - (y[i] - y[i - 1]) / h0;
        u[i] = (6.0 * d / (h0 + h1) - sig * u[i - 1]) / p;
    }
    y2[n - 1] = 0.0;
    for (std::size_t k = n - 1; k-- > 0;) y2[k] = y2[k] * y2[k + 1] + u[k];
}

}  // namespace

Status CalibrationTable::parse(std::string_view text) {
    const auto words = table_words(text);
    std::size_t next = 0;
    auto number = [&](double& v, const char* what) -> Status {
        if (next >= words.size())
            return Status::failure(std::string("Calibration table ends before ") + what + ".");
        const Word& w = words[next++];
        if (!parse_whole_double(w.text, v))
            return Status::failure("Calibration table, line " + std::to_string(w.line) + ": \"" +
                                   std::string(w.text) + "\" is not a number (" + what + ").");
        return {};
    };
    auto axis = [&](std::vector<double>& values, const char* name) -> Status {
        double count = 0;
        if (Status s = number(count, name); !s) return s;
        if (count < 1 || count > kMaxAxisLength || count != static_cast<double>(static_cast<long>(count)))
            return Status::failure(std::string("Calibration table: the length of ") + name +
                                   " must be a whole number from 1 to " + std::to_string(kMaxAxisLength) + ".");
        values.resize(static_cast<std::size_t>(count));
        for (double& v : values)
            if (Status s = number(v, name); !s) return s;
        for (std::size_t i = 1; i < values.size(); ++i)
            if (values[i] < values[i - 1])
                return Status::failure(std::string("Calibration table: the values of ") + name + " must ascend.");
        return {};
    };

    std::vector<double> a1, a2;
    if (Status s = axis(a1, "axis 1"); !s) return s;
    if (Status s = axis(a2, "axis 2"); !s) return s;
    std::vector<double> values(a1.size() * a2.size());
    for (double& v : values)
        if (Status s = number(v, "table values"); !s) return s;

    std::vector<double> y2(values.size(), 0.0);
    const std::size_t q = a2.size();
    for (std::size_t r = 0; r < a1.size(); ++r) {
        const double* row = &values[r * q];
        // A spline per run of present values: points next to a missing one keep second derivative 0.
        std::size_t start = 0;
        while (start < q) {
            while (start < q && row[start] == kMissing) ++start;
            std::size_t end = start;
            while (end < q && row[end] != kMissing) ++end;
            if (end > start) natural_spline(&a2[start], row + start, end - start, &y2[r * q + start]);
            start = end;
        }
    }
    axis1_ = std::move(a1);
    axis2_ = std::move(a2);
    values_ = std::move(values);
    second_der_ = std::move(y2);
    return {};
}

Status CalibrationTable::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Status::failure("Cannot open the calibration table " + path + ".");
    std::ostringstream buffer;
    buffer << in.rdbuf();
    Status s = parse(buffer.str());
    if (!s) return Status::failure(path + ": " + s.message());
    return s;
}

double CalibrationTable::row_value(std::size_t row, double b) const {
    const std::size_t q = axis2_.size();
    const double* y = &values_[row * q];
    const double* y2 = &second_der_[row * q];
    if (q == 1) return y[0];
    std::size_t lo = 0, hi = q - 1;
    while (hi - lo > 1) {
        const std::size_t mid = (hi + lo) / 2;
        if (axis2_[mid] > b)
            hi = mid;
        else
            lo = mid;
    }
    if (y[lo] == kMissing || y[hi] == kMissing) return kMissing;
    double h = axis2_[hi] - axis2_[lo];
    if (h == 0.0) h = kZeroWidth;
    const double a = (axis2_[hi] - b) / h, c = (b - axis2_[lo]) / h;
    return a * y[lo] + c * y[hi] + ((a * a * a - a) * y2[lo] + (c * c * c - c) * y2[hi]) * (h * h) / 6.0;
}

double CalibrationTable::lookup(double a, double b) const {
    if (empty()) return kMissing;
    if (!(b >= axis2_.front() && b <= axis2_.back()) || !(a >= axis1_.front() && a <= axis1_.back()))
        return kMissing;
    std::size_t lo = 0, hi = axis1_.size() - 1;
    while (hi - lo > 1) {
        const std::size_t mid = (hi + lo) / 2;
        if (axis1_[mid] > a)
            hi = mid;
        else
            lo = mid;
    }
    const double v0 = row_value(lo, b), v1 = row_value(hi, b);
    if (v0 < 0.0 || v1 < 0.0) return kMissing;
    const double width = axis1_[hi] - axis1_[lo];
    if (width == 0.0) return v0;
    return v0 + (v1 - v0) * (a - axis1_[lo]) / width;
}

}  // namespace kro
