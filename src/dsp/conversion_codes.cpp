#include "dsp/conversion_codes.hpp"

namespace kro {

std::string_view conversion_name(int code) {
    switch (code) {
        case kPzDisplacement: return "DIS";
        case kPzKirnos: return "KIRNOS";
        case kPzWwsslp: return "WWSSLP";
        case kPzWwsssp: return "WWSSSP";
        case kPzWoodAnderson: return "WA";
        case kPzLpsro: return "LPSRO";
        case kPzVegik: return "VEGIK";
        case kPzVelocity: return "VEL";
        case kAfrDisplacement: return "DIS_A";
        case kAfrKirnos: return "KIRNOS_A";
        case kAfrWwsslp: return "WWSSLP_A";
        case kAfrWwsssp: return "WWSSSP_A";
        case kAfrWoodAnderson: return "WA_A";
        case kAfrLpsro: return "LPSRO_A";
        case kAfrVelocity: return "VEL_A";
        case kAfrVegik: return "VEGIK_A";
        default: return {};
    }
}

bool is_pz_conversion(int code) { return (code >= kPzDisplacement && code <= kPzVegik) || code == kPzVelocity; }

bool is_afr_conversion(int code) {
    return (code >= kAfrDisplacement && code <= kAfrLpsro) || code == kAfrVegik;
}

}  // namespace kro
