#pragma once
// The standard analogue seismographs that traces can be converted into,
// as fixed poles, zeros and gain.

#include <complex>

#include "dsp/poles_zeros.hpp"

namespace kro {

enum class StandardInstrument { Kirnos, Wwsslp, Wwsssp, WoodAnderson, Lpsro, Vegik };

const PolesZeros& standard_instrument(StandardInstrument instrument);

// The instrument a conversion code simulates (either route); false for the
// conversions to displacement or velocity and for unknown codes.
bool simulated_instrument(int code, StandardInstrument& instrument);

// |T(f)| of the instrument simulated by codes 1001-1006, 1 for code 1000
// (displacement), -1 for any other code. f in Hz.
double instrument_response(int code, double f);

}  // namespace kro
