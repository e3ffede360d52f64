#include "dsp/polarization_windows.hpp"

#include <algorithm>
#include <cmath>

#include "dsp/text_numbers.hpp"

namespace kro {
namespace {

constexpr int kMaxWindowSamples = 32768;

void error_icon_box(Messenger& messenger, std::string_view text) {
    messenger.message_box(text, kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
}

void check_failed(Messenger& messenger, std::string_view text) {
    messenger.beep();
    messenger.message_box(text, "Error", MessageIcon::Error, MessageButtons::Ok);
}

std::vector<double> as_double(std::span<const float> samples, std::size_t begin, std::size_t count) {
    return std::vector<double>(samples.begin() + static_cast<std::ptrdiff_t>(begin),
                               samples.begin() + static_cast<std::ptrdiff_t>(begin + count));
}

}  // namespace

std::optional<std::array<std::size_t, 3>> select_azimuth_panes(std::span<const ComponentPane> panes,
                                                               Messenger& messenger) {
    std::array<std::optional<std::size_t>, 3> found;
    for (std::size_t i = 0; i < panes.size(); ++i)
        if (panes[i].screen_number >= 1 && panes[i].screen_number <= 3)
            found[static_cast<std::size_t>(panes[i].screen_number - 1)] = i;
    if (!found[0] || !found[1] || !found[2]) {
        error_icon_box(messenger, "Three windows not selected to calculate azimuth.");
        return std::nullopt;
    }
    const std::array<std::size_t, 3> chosen = {*found[0], *found[1], *found[2]};
    const auto main = std::find_if(chosen.begin(), chosen.end(), [&](std::size_t i) { return panes[i].is_main; });
    if (main == chosen.end()) {
        error_icon_box(messenger, "Main window is not among selected to be used in azimuth calculation.");
        return std::nullopt;
    }
    const ComponentPane& m = panes[*main];
    if (!m.has_selection || m.selected_samples == 0) {
        error_icon_box(messenger, "No selection of time interval in main window");
        return std::nullopt;
    }
    if (!(m.s0 >= m.span_start && m.s0 <= m.span_end && m.s1 >= m.span_start && m.s1 <= m.span_end)) {
        error_icon_box(messenger, "Time interval is out the range of main window ");
        return std::nullopt;
    }
    return chosen;
}

bool check_component_name(std::string_view name, int channel_count, Messenger& messenger) {
    long trace = -1;
    const bool ok = name.size() >= 2 && (name[0] == 'd' || name[0] == 't') &&
                    std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
                    parse_whole_long(name.substr(1), trace) && trace < channel_count;
    if (!ok) messenger.message_box("Wrong window name: " + std::string(name), "Error", MessageIcon::Error,
                                   MessageButtons::Ok);
    return ok;
}

std::string component_name(int trace, bool converted) { return (converted ? "t" : "d") + std::to_string(trace); }

std::optional<PolarizationResult> azimuth_of_selection(const ComponentPane& main, ComponentSeries z, ComponentSeries x,
                                                       ComponentSeries y, Messenger& messenger) {
    if (!main.has_selection) {
        check_failed(messenger, "Interval not selected");
        return std::nullopt;
    }
    if (main.s0 < main.span_start || main.s0 + std::abs(main.s1 - main.s0) > main.span_end) {
        check_failed(messenger, "Interval out of trace");
        return std::nullopt;
    }
    if (x.sample_interval != z.sample_interval || y.sample_interval != z.sample_interval) {
        check_failed(messenger, "Channels have different frequencies of discretization");
        return std::nullopt;
    }
    if (z.samples.size() < 2 || x.samples.size() < 2 || y.samples.size() < 2 || !(z.sample_interval > 0.0)) {
        check_failed(messenger, "Data error");
        return std::nullopt;
    }
    const auto start = static_cast<std::size_t>(std::trunc((main.s0 - main.span_start) / z.sample_interval));
    const std::size_t shortest = std::min({z.samples.size(), x.samples.size(), y.samples.size()});
    const std::size_t count = start < shortest ? std::min(main.selected_samples, shortest - start) : 0;
    if (count < 2) {
        check_failed(messenger, "Data error");
        return std::nullopt;
    }
    const auto zd = as_double(z.samples, start, count), xd = as_double(x.samples, start, count),
               yd = as_double(y.samples, start, count);
    return Polarize(zd.data(), xd.data(), yd.data(), count);
}

std::optional<PolarizationDiagram> sliding_polarization(ComponentSeries z, ComponentSeries x, ComponentSeries y,
                                                        SlidingWindowParams params, PolarizationMeasure measure) {
    if (x.sample_interval != z.sample_interval || y.sample_interval != z.sample_interval ||
        !(z.sample_interval > 0.0))
        return std::nullopt;
    if (z.samples.size() < 2 || x.samples.size() < 2 || y.samples.size() < 2) return std::nullopt;
    if (params.length < 2 || params.length > kMaxWindowSamples || params.shift < 1 ||
        params.shift > kMaxWindowSamples)
        return std::nullopt;

    const std::size_t n = std::min({z.samples.size(), x.samples.size(), y.samples.size()});
    const auto length = static_cast<std::size_t>(params.length);
    const auto shift = static_cast<std::size_t>(params.shift);
    const auto zd = as_double(z.samples, 0, n), xd = as_double(x.samples, 0, n), yd = as_double(y.samples, 0, n);

    PolarizationDiagram diagram;
    const double rate = 1.0 / z.sample_interval;
    diagram.step_seconds = static_cast<double>(params.shift) / rate;
    diagram.window_seconds = static_cast<double>(params.length) / rate;
    diagram.max = measure == PolarizationMeasure::Azimuth ? 360.0f : 1.0f;
    diagram.values.reserve(n / shift);
    for (std::size_t i = 0; i < n / shift; ++i) {
        const std::size_t begin = i * shift;
        const std::size_t count = begin + length > n ? n - begin - 1 : length;
        const PolarizationResult r = Polarize(zd.data() + begin, xd.data() + begin, yd.data() + begin, count);
        switch (measure) {
            case PolarizationMeasure::Planarity: diagram.values.push_back(r.planarity); break;
            case PolarizationMeasure::Rectilinearity: diagram.values.push_back(r.rectilinearity); break;
            case PolarizationMeasure::Azimuth: diagram.values.push_back(r.azimuth); break;
        }
    }
    return diagram;
}

}  // namespace kro
