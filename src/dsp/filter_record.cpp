#include "dsp/filter_record.hpp"

#include <algorithm>
#include <cmath>

#include "dsp/butterworth.hpp"
#include "dsp/conversion_codes.hpp"
#include "dsp/text_numbers.hpp"

namespace kro {

FilterRecord default_filter_record() { return FilterRecord{}; }

std::string_view filter_type_text(int type) {
    switch (type) {
        case kBandPass: return "BP";
        case kLowPass: return "LP";
        case kBandReject: return "BR";
        case kHighPass: return "HP";
        case kSpwwss: return "SPWWSS";
        default: return {};
    }
}

int filter_type_from_text(std::string_view text) {
    for (int type : {kBandPass, kLowPass, kBandReject, kHighPass, kSpwwss})
        if (text == filter_type_text(type)) return type;
    return kBandPass;
}

std::string filter_description(const FilterRecord& record, bool has_processed_data) {
    if (!has_processed_data) return "unfilter";
    if (record.type >= kBandPass && record.type <= kHighPass) {
        static constexpr char kLetters[] = {'B', 'L', 'R', 'H'};
        const char letter[2] = {kLetters[record.type], '\0'};
        return printf_text("%.4f %.4f %d %1s %1c", static_cast<double>(record.low), static_cast<double>(record.high),
                           record.order, letter, record.zero_phase ? '0' : 'C');
    }
    return std::string(conversion_name(record.type));
}

long long filter_series_length(double span_seconds, double sps) {
    if (!(span_seconds > 0.0) || !(sps > 0.0)) return 0;
    return static_cast<long long>(std::trunc(std::trunc(span_seconds) * sps));
}

Status filter_pane(std::span<float> series, double sps, const FilterRecord& record) {
    if (record.type >= kFirstConversionCode)
        return Status::failure("A conversion is not a filter design; run the conversion instead.");
    const std::string_view type = filter_type_text(record.type);
    if (record.type < kBandPass || record.type > kHighPass)
        return Status::failure("Filter type " + std::string(type.empty() ? std::to_string(record.type) : type) +
                               " has no design; the data stay unfiltered.");
    if (!(sps > 0.0)) return Status::failure("Cannot filter: the sampling rate is not positive.");
    if (series.empty()) return {};

    const double ts = 1.0 / sps;
    float high = record.high;
    if (high > sps / 2.0) high = static_cast<float>(sps / 2.0 - 0.1);

    double sum = 0.0;
    for (float v : series) sum += v;
    const double mean = sum / static_cast<double>(series.size());
    for (float& v : series) v = static_cast<float>(v - mean);

    const int order = std::clamp(record.order, kMinFilterOrder, kMaxFilterOrder);
    taper(series, 5);
    const FilterSections sections = design(order, type, record.low, high, ts);
    apply_sections(series, sections, record.zero_phase);
    return {};
}

}  // namespace kro
