#pragma once
// The formula text the filter constructor writes for the formula language.

#include <string>

namespace kro {

// low and high are the margins as typed (Hz), order the filter order, type
// one of the filter types 0-3 (see dsp/filter_record.hpp). For a low-pass
// the low margin becomes 0, for a high-pass the upper one. A band-reject is
// written as a low-pass below `low` followed by a high-pass above `high`;
// zero phase runs the filter forward, then over the reversed series.
std::string filter_constructor_formula(double low, double high, int order, int type, bool zero_phase);

}  // namespace kro
