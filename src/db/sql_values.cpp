#include "db/sql_values.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kro {

namespace {

double through_text(const char* format, double t) {
    char text[64];
    std::snprintf(text, sizeof text, format, t);
    return std::strtod(text, nullptr);
}

}  // namespace

double sql_millis(double t) { return through_text("%.3f", t); }
double sql_micros(double t) { return through_text("%f", t); }
double sql_whole_seconds(double t) { return std::trunc(t); }

}  // namespace kro
