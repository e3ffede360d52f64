#include "dsp/instruments.hpp"

#include "dsp/conversion_codes.hpp"

namespace kro {
namespace {

using C = std::complex<double>;

PolesZeros make(std::vector<C> zeros, std::vector<C> poles, double gain) {
    PolesZeros pz;
    pz.zeros = std::move(zeros);
    pz.poles = std::move(poles);
    pz.constant = gain;
    return pz;
}

const PolesZeros kKirnos = make({0, 0, 0}, {{-0.127, 0.25}, {-0.127, -0.25}, -0.263, -83.6}, 83.559);
const PolesZeros kWwsslp = make({0, 0, 0}, {{-0.411, 0.0252}, {-0.411, -0.0252}, -0.0486, -0.0874}, 0.84546);
const PolesZeros kWwsssp = make({0, 0, 0}, {{-3.73, 6.22}, {-3.73, -6.22}, -5.61, -13.2, -21.1}, 531.98);
const PolesZeros kWoodAnderson = make({0, 0}, {{-6.28319, 4.71239}, {-6.28319, -4.71239}}, 1.0);
const PolesZeros kLpsro = make({-0.1243, -47.62, 0, 0, 0, 0, 0},
                               {{-4.648, 3.463}, {-4.648, -3.463}, -0.1179, -40.73, -100.0, -0.15, -264.0, -3.928,
                                -0.282, {-0.201, 0.241}, {-0.201, -0.241}, {-0.1337, 0.1001}, {-0.1337, -0.1001},
                                -0.0251, -0.00924, {-0.8547, 0.2555}, {-0.8547, -0.2555}, {-0.5415, 0.6834},
                                {-0.5415, -0.6834}},
                               92384.54528458492);
const PolesZeros kVegik = make({0, 0, 0}, {{-4.23833, 9.2949}, {-4.23833, -9.2949}, -621.151, -7.66687}, 618.1776);

}  // namespace

const PolesZeros& standard_instrument(StandardInstrument instrument) {
    switch (instrument) {
        case StandardInstrument::Kirnos: return kKirnos;
        case StandardInstrument::Wwsslp: return kWwsslp;
        case StandardInstrument::Wwsssp: return kWwsssp;
        case StandardInstrument::WoodAnderson: return kWoodAnderson;
        case StandardInstrument::Lpsro: return kLpsro;
        case StandardInstrument::Vegik: return kVegik;
    }
    return kWoodAnderson;
}

bool simulated_instrument(int code, StandardInstrument& instrument) {
    switch (code) {
        case kPzKirnos:
        case kAfrKirnos: instrument = StandardInstrument::Kirnos; return true;
        case kPzWwsslp:
        case kAfrWwsslp: instrument = StandardInstrument::Wwsslp; return true;
        case kPzWwsssp:
        case kAfrWwsssp: instrument = StandardInstrument::Wwsssp; return true;
        case kPzWoodAnderson:
        case kAfrWoodAnderson: instrument = StandardInstrument::WoodAnderson; return true;
        case kPzLpsro:
        case kAfrLpsro: instrument = StandardInstrument::Lpsro; return true;
        case kPzVegik:
        case kAfrVegik: instrument = StandardInstrument::Vegik; return true;
        default: return false;
    }
}

double instrument_response(int code, double f) {
    if (code == kPzDisplacement) return 1.0;
    StandardInstrument instrument;
    if (code < kPzKirnos || code > kPzVegik || !simulated_instrument(code, instrument)) return -1.0;
    return std::abs(pz_response(standard_instrument(instrument), f));
}

}  // namespace kro
