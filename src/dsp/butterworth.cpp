#include "dsp/butterworth.hpp"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

namespace kro {
namespace {

using Complex = std::complex<double>;

// Pi as the prototype and band transformations use it: the single-precision
// value, and its single-precision double.
constexpr float kPiSingle = 3.1415927f;
constexpr float kTwoPiSingle = kPiSingle * 2.0f;
// 2 pi for the pre-warping and for the cut-off scaling.
constexpr double kTwoPiWarp = 6.283185307179586;
constexpr double kTwoPiScale = 6.2831853;

struct Prototype {
    bool has_single_pole = false;  // the real pole -1 of an odd order
    std::vector<Complex> pairs;    // one pole of each conjugate pair
};

Prototype prototype_poles(int n) {
    Prototype p;
    p.has_single_pole = n % 2 == 1;
    for (int k = 0; k < n / 2; ++k) {
        const double theta = static_cast<double>(kPiSingle) * ((2.0 * k + 1.0) / (2.0 * n) + 0.5);
        p.pairs.emplace_back(std::cos(theta), std::sin(theta));
    }
    return p;
}

double warp(double f, double ts) {
    const double g = f * ts / 2.0;
    return std::tan(g * kTwoPiWarp * 2.0 / 2.0) * 2.0 / 2.0 / kTwoPiWarp;
}

// Square root as magnitude^(1/2) at half the argument.
Complex complex_sqrt(Complex z) { return std::polar(std::sqrt(std::abs(z)), std::arg(z) / 2.0); }

Biquad section(double b0, double b1, double b2, double a0, double a1, double a2) {
    Biquad s;
    s.b0 = static_cast<float>(b0);
    s.b1 = static_cast<float>(b1);
    s.b2 = static_cast<float>(b2);
    s.a0 = static_cast<float>(a0);
    s.a1 = static_cast<float>(a1);
    s.a2 = static_cast<float>(a2);
    return s;
}

void scale_cutoff(FilterSections& f, double frequency) {
    const double s = kTwoPiScale * frequency;
    for (int i = 0; i < f.count; ++i) {
        Biquad& q = f.section[i];
        q.b1 = static_cast<float>(q.b1 / s);
        q.b2 = static_cast<float>(q.b2 / (s * s));
        q.a1 = static_cast<float>(q.a1 / s);
        q.a2 = static_cast<float>(q.a2 / (s * s));
    }
}

void bilinear(FilterSections& f) {
    for (int i = 0; i < f.count; ++i) {
        Biquad& q = f.section[i];
        const double a0 = q.a0, a1 = q.a1, a2 = q.a2, b0 = q.b0, b1 = q.b1, b2 = q.b2;
        const double d = a0 + a1 + a2;
        q = section((b2 + b1 + b0) / d, 2.0 * (b0 - b2) / d, (b2 - b1 + b0) / d, 1.0, 2.0 * (a0 - a2) / d,
                    (a2 - a1 + a0) / d);
    }
}

void add(FilterSections& f, const Biquad& s) { f.section[f.count++] = s; }

// The two poles a band transformation makes of one prototype pole p (or of
// 1/p for the band-reject): roots of s^2 - B p s + A.
void band_poles(Complex p, float A, float B, Complex& p1, Complex& p2) {
    const Complex bp = static_cast<double>(B) * p;
    const Complex c = complex_sqrt(bp * bp - 4.0 * static_cast<double>(A));
    p1 = 0.5 * (bp + c);
    p2 = 0.5 * (bp - c);
}

}  // namespace

FilterSections design(int order, std::string_view type, double fl, double fh, double ts) {
    FilterSections f;
    if (order < kMinFilterOrder || order > kMaxFilterOrder) return f;
    const Prototype proto = prototype_poles(order);
    const double single_re = -1.0;

    if (type == "LP") {
        const double fhw = warp(fh, ts);
        if (proto.has_single_pole) add(f, section(1, 0, 0, -single_re, 1, 0));
        for (const Complex& p : proto.pairs) add(f, section(1, 0, 0, std::norm(p), -2.0 * p.real(), 1));
        scale_cutoff(f, fhw);
    } else if (type == "HP") {
        const double flw = warp(fl, ts);
        if (proto.has_single_pole) add(f, section(0, 1, 0, 1, -single_re, 0));
        for (const Complex& p : proto.pairs) add(f, section(0, 0, 1, 1, -2.0 * p.real(), std::norm(p)));
        scale_cutoff(f, flw);
    } else if (type == "BP" || type == "BR") {
        const double flw = warp(fl, ts);
        const double fhw = warp(fh, ts);
        const double two_pi = kTwoPiSingle;
        const float A = static_cast<float>(two_pi * two_pi * flw * fhw);
        const float B = static_cast<float>(two_pi * (fhw - flw));
        const bool pass = type == "BP";
        if (proto.has_single_pole) {
            if (pass)
                add(f, section(0, B, 0, A, -static_cast<double>(B) * single_re, 1));
            else
                add(f, section(A, 0, 1, -static_cast<double>(A) * single_re, B, -single_re));
        }
        for (const Complex& p : proto.pairs) {
            Complex p1, p2;
            band_poles(pass ? p : 1.0 / p, A, B, p1, p2);
            for (const Complex& q : {p1, p2}) {
                if (pass)
                    add(f, section(0, B, 0, std::norm(q), -2.0 * q.real(), 1));
                else
                    add(f, section(A, 0, 1, std::norm(q), -2.0 * q.real(), 1));
            }
        }
    } else {
        return f;
    }
    bilinear(f);
    return f;
}

namespace {

void run_cascade(float* x, std::ptrdiff_t n, std::ptrdiff_t stride, const FilterSections& f) {
    struct State {
        float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    };
    std::array<State, kMaxSections> st{};
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        float v = x[i * stride];
        for (int k = 0; k < f.count; ++k) {
            const Biquad& q = f.section[k];
            State& s = st[k];
            const float y = q.b0 * v + q.b1 * s.x1 + q.b2 * s.x2 - (q.a1 * s.y1 + q.a2 * s.y2);
            s.x2 = s.x1;
            s.x1 = v;
            s.y2 = s.y1;
            s.y1 = y;
            v = y;
        }
        x[i * stride] = v;
    }
}

}  // namespace

void apply_sections(std::span<float> x, const FilterSections& sections, bool zero_phase) {
    if (x.empty() || sections.count == 0) return;
    const auto n = static_cast<std::ptrdiff_t>(x.size());
    run_cascade(x.data(), n, 1, sections);
    if (zero_phase) run_cascade(x.data() + (n - 1), n, -1, sections);
}

void taper(std::span<float> x, int percent) {
    const auto n = static_cast<long long>(x.size());
    const long long m = std::min(n * percent / 100, n);
    if (m <= 0) return;
    const double step = (M_PI / 2.0) / static_cast<double>(m);
    for (long long j = 0; j < m; ++j) {
        float& v = x[static_cast<std::size_t>(j)];
        v = static_cast<float>(v * std::sin(step * static_cast<double>(j)));
    }
    for (long long i = n - m; i < n; ++i) {
        float& v = x[static_cast<std::size_t>(i)];
        v = static_cast<float>(v * std::sin(step * static_cast<double>(n - i)));
    }
}

}  // namespace kro
