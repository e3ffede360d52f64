#include "location/travel_time_curve.hpp"

#include <charconv>
#include <cstdlib>

#include "core/atomic_file.hpp"

namespace kro {

namespace {

// Reads numbers and counts line by line, skipping comments and blank lines.
class NumberReader {
public:
    explicit NumberReader(std::string_view text) : text_(text) {}

    void skip_line() { next_line(); }

    bool read_count(int& count, std::string& error) {
        std::string_view line;
        if (!next_content_line(line)) {
            error = "the file ends before " + what_;
            return false;
        }
        line.remove_prefix(line.find_first_not_of(" \t"));
        long value = 0;
        const char* end = line.data() + line.size();
        const auto [ptr, ec] = std::from_chars(line.data(), end, value);
        if (ec != std::errc() || value < 0 || value > 100000) {
            error = at() + "'" + std::string(line) + "' is not " + what_;
            return false;
        }
        pending_ = std::string_view(ptr, static_cast<std::size_t>(end - ptr));
        if (next_word(pending_).data()) {
            error = at() + "unexpected text after " + what_;
            return false;
        }
        count = static_cast<int>(value);
        return true;
    }

    bool read_numbers(std::size_t count, std::vector<float>& out, std::string& error) {
        out.clear();
        out.reserve(count);
        std::string_view line = pending_;
        pending_ = {};
        while (out.size() < count) {
            std::string_view word = next_word(line);
            if (!word.data()) {
                if (!next_content_line(line)) {
                    error = "the file ends after " + std::to_string(out.size()) + " of " + std::to_string(count) +
                            " " + what_;
                    return false;
                }
                continue;
            }
            if (!word.empty() && word.front() == '+') word.remove_prefix(1);
            float value = 0.0f;
            const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
            if (ec != std::errc() || ptr != word.data() + word.size()) {
                error = at() + "'" + std::string(word) + "' is not a number";
                return false;
            }
            out.push_back(value);
        }
        if (next_word(line).data()) {
            error = at() + "more numbers than the " + std::to_string(count) + " " + what_;
            return false;
        }
        return true;
    }

    void expect(std::string what) { what_ = std::move(what); }

private:
    std::string at() const { return "line " + std::to_string(line_number_) + ": "; }

    bool next_line(std::string_view* line = nullptr) {
        if (position_ >= text_.size()) return false;
        auto end = text_.find('\n', position_);
        if (end == std::string_view::npos) end = text_.size();
        std::string_view l = text_.substr(position_, end - position_);
        position_ = end + 1;
        ++line_number_;
        if (const auto cut = l.find_first_of("#\r"); cut != std::string_view::npos) l = l.substr(0, cut);
        if (line) *line = l;
        return true;
    }

    bool next_content_line(std::string_view& line) {
        while (next_line(&line))
            if (line.find_first_not_of(" \t") != std::string_view::npos) return true;
        return false;
    }

    // The next word of `line` (consumed); a null view when there is none.
    static std::string_view next_word(std::string_view& line) {
        const auto begin = line.find_first_not_of(" \t");
        if (begin == std::string_view::npos) {
            line = {};
            return {};
        }
        auto end = line.find_first_of(" \t", begin);
        if (end == std::string_view::npos) end = line.size();
        std::string_view word = line.substr(begin, end - begin);
        line.remove_prefix(end);
        return word;
    }

    std::string_view text_;
    std::size_t position_ = 0;
    int line_number_ = 0;
    std::string_view pending_;
    std::string what_;
};

bool strictly_ascending(const std::vector<float>& v) {
    for (std::size_t i = 1; i < v.size(); ++i)
        if (!(v[i] > v[i - 1])) return false;
    return true;
}

void prepare_row(const float* x, const float* y, float* y2, int n, std::vector<float>& u) {
    u.assign(static_cast<std::size_t>(n), 0.0f);
    y2[0] = 0.0f;
    for (int i = 1; i < n - 1; ++i) {
        if (y[i - 1] == kMissingTime || y[i] == kMissingTime || y[i + 1] == kMissingTime) {
            y2[i] = 0.0f;
            u[static_cast<std::size_t>(i)] = 0.0f;
            continue;
        }
        const float sig = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
        const float p = sig * y2[i - 1] + 2.0f;
        y2[i] = (sig - 1.0f) / p;
        float ui = (y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1]);
        ui = (6.0f * ui / (x[i + 1] - x[i - 1]) - sig * u[static_cast<std::size_t>(i - 1)]) / p;
        u[static_cast<std::size_t>(i)] = ui;
    }
    y2[n - 1] = 0.0f;
    for (int k = n - 2; k >= 1; --k) {
        if (y[k] == kMissingTime || y[k + 1] == kMissingTime) y2[k] = 0.0f;
        else y2[k] = y2[k] * y2[k + 1] + u[static_cast<std::size_t>(k)];
    }
}

// Lower index of the interval of `axis` that holds `value` (value inside the axis).
int bracket(const std::vector<float>& axis, double value) {
    int lo = 0;
    int hi = static_cast<int>(axis.size()) - 1;
    while (hi - lo > 1) {
        const int mid = (lo + hi) / 2;
        if (axis[static_cast<std::size_t>(mid)] > value) hi = mid;
        else lo = mid;
    }
    return lo;
}

double row_value(const TravelTimeCurve& c, int row, int klo, double distance) {
    const int khi = klo + 1;
    const std::size_t base = static_cast<std::size_t>(row) * c.distances.size();
    const float ylo = c.times[base + static_cast<std::size_t>(klo)];
    const float yhi = c.times[base + static_cast<std::size_t>(khi)];
    if (ylo == kMissingTime || yhi == kMissingTime) return -1.0;
    double h = c.distances[static_cast<std::size_t>(khi)] - c.distances[static_cast<std::size_t>(klo)];
    if (h == 0.0) h = 1e-7;
    const double a = (c.distances[static_cast<std::size_t>(khi)] - distance) / h;
    const double b = (distance - c.distances[static_cast<std::size_t>(klo)]) / h;
    const double y2lo = c.second_derivatives[base + static_cast<std::size_t>(klo)];
    const double y2hi = c.second_derivatives[base + static_cast<std::size_t>(khi)];
    return a * ylo + b * yhi + ((a * a * a - a) * y2lo + (b * b * b - b) * y2hi) * h * h / 6.0;
}

}  // namespace

void compute_second_derivatives(TravelTimeCurve& c) {
    const int n = c.distance_count();
    c.second_derivatives.assign(c.times.size(), 0.0f);
    if (n < 2) return;
    std::vector<float> work;
    for (int row = 0; row < c.depth_count(); ++row) {
        const std::size_t base = static_cast<std::size_t>(row) * static_cast<std::size_t>(n);
        prepare_row(c.distances.data(), c.times.data() + base, c.second_derivatives.data() + base, n, work);
    }
}

Status parse_curve_text(std::string_view text, TravelTimeCurve& curve) {
    curve.available = false;
    NumberReader reader(text);
    reader.skip_line();
    std::string error;
    int depth_count = 0;
    int distance_count = 0;
    TravelTimeCurve read;
    read.phase_name = curve.phase_name;
    reader.expect("the number of depths");
    if (!reader.read_count(depth_count, error)) return Status::failure(error);
    reader.expect("depths");
    if (!reader.read_numbers(static_cast<std::size_t>(depth_count), read.depths, error)) return Status::failure(error);
    reader.expect("the number of distances");
    if (!reader.read_count(distance_count, error)) return Status::failure(error);
    reader.expect("distances");
    if (!reader.read_numbers(static_cast<std::size_t>(distance_count), read.distances, error))
        return Status::failure(error);
    reader.expect("values");
    const auto cells = static_cast<std::size_t>(depth_count) * static_cast<std::size_t>(distance_count);
    if (!reader.read_numbers(cells, read.times, error)) return Status::failure(error);
    if (depth_count < 2 || distance_count < 2)
        return Status::failure("a table needs at least two depths and two distances");
    if (!strictly_ascending(read.depths)) return Status::failure("the depths do not ascend");
    if (!strictly_ascending(read.distances)) return Status::failure("the distances do not ascend");
    compute_second_derivatives(read);
    read.available = true;
    curve = std::move(read);
    return {};
}

Status read_curve_file(const std::string& path, TravelTimeCurve& curve) {
    curve.available = false;
    std::string text;
    if (Status s = read_whole_file(path, text); !s) return s;
    if (Status s = parse_curve_text(text, curve); !s) return Status::failure("'" + path + "': " + s.message());
    return {};
}

double travel_time(const TravelTimeCurve& c, double depth_km, double distance_deg) {
    if (!c.available || c.depths.size() < 2 || c.distances.size() < 2) return -1.0;
    if (!(distance_deg >= c.distances.front() && distance_deg <= c.distances.back())) return -1.0;
    if (!(depth_km >= c.depths.front() && depth_km <= c.depths.back())) return -1.0;
    const int lo = bracket(c.depths, depth_km);
    const int hi = lo + 1;
    const int klo = bracket(c.distances, distance_deg);
    const double t_lo = row_value(c, lo, klo, distance_deg);
    const double t_hi = row_value(c, hi, klo, distance_deg);
    if (t_lo < 0.0 || t_hi < 0.0) return -1.0;
    const double z_lo = c.depths[static_cast<std::size_t>(lo)];
    const double z_hi = c.depths[static_cast<std::size_t>(hi)];
    return t_lo + (depth_km - z_lo) * (t_hi - t_lo) / (z_hi - z_lo);
}

}  // namespace kro
