#pragma once
// Codes of the conversions to ground motion and of the simulated standard
// instruments. They are stored as the type of a filter record.

#include <string_view>

namespace kro {

enum ConversionCode : int {
    // Poles-and-zeros route.
    kPzDisplacement = 1000,
    kPzKirnos = 1001,
    kPzWwsslp = 1002,
    kPzWwsssp = 1003,
    kPzWoodAnderson = 1004,
    kPzLpsro = 1005,
    kPzVegik = 1006,
    kPzVelocity = 1010,
    // Amplitude-frequency-response route.
    kAfrDisplacement = 1011,
    kAfrKirnos = 1012,
    kAfrWwsslp = 1013,
    kAfrWwsssp = 1014,
    kAfrWoodAnderson = 1015,
    kAfrLpsro = 1016,
    kAfrVelocity = 1017,  // named, but the route has no response for it
    kAfrVegik = 1018,
};

// "DIS", "KIRNOS", ..., "VEGIK_A"; empty for codes without a name.
std::string_view conversion_name(int code);

bool is_pz_conversion(int code);   // 1000-1006 and 1010
bool is_afr_conversion(int code);  // 1011-1016 and 1018

}  // namespace kro
