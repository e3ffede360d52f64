#pragma once
// Recursive Butterworth filters as cascaded second-order sections.
//
// `design` builds the analog prototype, transforms it to the requested band
// with pre-warped cut-offs and maps every section to the z-plane with the
// bilinear transform. Complex arithmetic runs in double precision; the
// coefficients are kept in single precision, and filtering runs in single
// precision with single-precision states, so results are reproducible to
// the bit.

#include <array>
#include <span>
#include <string_view>

namespace kro {

// One second-order section: numerator b0 + b1 z^-1 + b2 z^-2 over
// denominator a0 + a1 z^-1 + a2 z^-2 (a0 is 1 after the design).
struct Biquad {
    float b0 = 0, b1 = 0, b2 = 0;
    float a0 = 0, a1 = 0, a2 = 0;
};

inline constexpr int kMinFilterOrder = 1;
inline constexpr int kMaxFilterOrder = 10;
inline constexpr int kMaxSections = 10;

struct FilterSections {
    std::array<Biquad, kMaxSections> section{};
    int count = 0;  // sections in use; 0 when nothing was designed
};

// Designs a Butterworth filter of `order` (1-10) and `type` "BP", "BR", "LP"
// or "HP". fl and fh are the lower and upper cut-offs in Hz (LP uses only
// fh, HP only fl), ts the sample interval in seconds. Any other type text,
// or an order outside 1-10, designs nothing (count 0).
// LP and HP give order/2 + order%2 sections, BP and BR up to `order`.
FilterSections design(int order, std::string_view type, double fl, double fh, double ts);

// Filters x in place through all sections in cascade, every state starting
// at 0; with `zero_phase` a second pass runs from the last sample to the
// first with fresh states, so the phase shifts cancel.
void apply_sections(std::span<float> x, const FilterSections& sections, bool zero_phase);

// One forward pass only (the formula language's "butter").
inline void apply_sections_forward(std::span<float> x, const FilterSections& sections) {
    apply_sections(x, sections, false);
}

// Tapers both ends with a quarter sine: m = trunc(N * percent / 100);
// sample j < m is multiplied by sin(j * (pi/2) / m), sample i >= N - m by
// sin((N - i) * (pi/2) / m). With m = 0 nothing changes.
void taper(std::span<float> x, int percent);

}  // namespace kro
