#pragma once
// The filter record of a channel slot and of a trace pane, its description
// text, and the filtering of a pane's series.

#include <span>
#include <string>
#include <string_view>

#include "core/status.hpp"

namespace kro {

// Filter types; codes from kFirstConversionCode on name a conversion or a
// simulated instrument (see dsp/conversion.hpp).
enum FilterType : int {
    kBandPass = 0,
    kLowPass = 1,
    kBandReject = 2,
    kHighPass = 3,
    kSpwwss = 4,  // readable from stored filters; has no design
};
inline constexpr int kFirstConversionCode = 1000;

struct FilterRecord {
    float low = 0.0f;   // lower cut-off, Hz
    float high = 5.0f;  // upper cut-off, Hz
    std::string low_text = "0.";   // the texts as the user typed them
    std::string high_text = "5.";
    int type = kBandPass;
    int order = 6;
    bool zero_phase = true;

    bool operator==(const FilterRecord&) const = default;
};

// The record every channel slot starts with: band-pass 0-5 Hz, order 6, zero phase.
FilterRecord default_filter_record();

// "BP", "LP", "BR", "HP" for types 0-3, "SPWWSS" for 4; empty otherwise.
std::string_view filter_type_text(int type);
// The stored type text read back: "BP" 0, "LP" 1, "BR" 2, "HP" 3, "SPWWSS" 4,
// any other text 0.
int filter_type_from_text(std::string_view text);

// What a pane reports about its processing: "unfilter" without processed
// data; "%.4f %.4f %d %1s %1c" (low, high, order, B/L/R/H, 0 for zero phase
// or C for causal) for types 0-3; the conversion's name ("DIS", "WA_A", ...)
// for conversion codes; empty for anything else.
std::string filter_description(const FilterRecord& record, bool has_processed_data);

// The number of samples a pane filters: trunc(trunc(span length) * rate).
long long filter_series_length(double span_seconds, double sps);

// Filters a pane's series in place as the pane does: the upper cut-off is
// lowered to rate/2 - 0.1 when it lies above the Nyquist frequency, the mean
// is removed, the order clamped to 1-10, 5 % of each end tapered, then the
// record's design is applied, causal or zero phase. sps in samples per
// second. Conversion codes and type 4 have no filter design: the series is
// left unchanged and a failure is returned.
Status filter_pane(std::span<float> series, double sps, const FilterRecord& record);

}  // namespace kro
