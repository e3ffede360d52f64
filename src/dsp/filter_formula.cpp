#include "dsp/filter_formula.hpp"

#include "dsp/filter_record.hpp"
#include "dsp/text_numbers.hpp"

namespace kro {

std::string filter_constructor_formula(double low, double high, int order, int type, bool zero_phase) {
    if (type == kLowPass) low = 0.0;
    if (type == kHighPass) high = 0.0;
    if (type == kBandReject)
        return printf_text("butter(butter((current-mean(current)),%f,%f,%d),%f,%f,%d)", 0.0, low, order, high, 0.0,
                           order);
    if (zero_phase)
        return printf_text("revers(butter(revers(butter((current-mean(current)),%f,%f,%d)),%f,%f,%d))", low, high,
                           order, low, high, order);
    return printf_text("butter((current-mean(current)),%f,%f,%d)", low, high, order);
}

}  // namespace kro
