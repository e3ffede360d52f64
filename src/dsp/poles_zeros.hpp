#pragma once
// Poles and zeros of a recording channel or an instrument, and the text
// form kept in the SAC column of CALIBRATION:
//
//   ZEROS 3
//   POLES 2
//   -0.0123 0.0123
//   -0.0123 -0.0123
//   CONSTANT 1.5e10
//
// A line whose first word contains ZEROS or POLES (any case) starts a list
// of as many elements as its second word says, all 0 until given; CONSTANT
// sets the constant. Other lines give the real and imaginary part of the
// next element of the current list; lines beyond the list's length are
// ignored and elements not given stay 0 (the SAC way of writing zeros at
// the origin). Blank lines and lines starting with '*' are comments.

#include <complex>
#include <string_view>
#include <vector>

#include "core/status.hpp"

namespace kro {

struct PolesZeros {
    std::vector<std::complex<double>> zeros;  // rad/s
    std::vector<std::complex<double>> poles;  // rad/s
    double constant = 1.0;                    // gain
};

// 2 pi as the responses use it.
inline constexpr double kResponseTwoPi = 6.283185307179586;

// constant * prod(s - z) / prod(s - p) with s = i 2 pi f; f in Hz.
std::complex<double> pz_response(const PolesZeros& pz, double f);

// Reads the text form. A list count that is not a whole number from 0 to
// 1000, or an element line whose words are not numbers, is an error that
// names the line; `out` is then left as it was.
Status parse_poles_zeros(std::string_view text, PolesZeros& out);

}  // namespace kro
