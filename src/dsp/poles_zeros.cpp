#include "dsp/poles_zeros.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

#include "dsp/text_numbers.hpp"

namespace kro {

std::complex<double> pz_response(const PolesZeros& pz, double f) {
    const std::complex<double> s(0.0, kResponseTwoPi * f);
    std::complex<double> numerator(pz.constant, 0.0);
    std::complex<double> denominator(1.0, 0.0);
    for (const auto& z : pz.zeros) numerator *= s - z;
    for (const auto& p : pz.poles) denominator *= s - p;
    return numerator / denominator;
}

namespace {

constexpr long kMaxListLength = 1000;

std::string upper(std::string_view word) {
    std::string u(word);
    std::transform(u.begin(), u.end(), u.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return u;
}

}  // namespace

Status parse_poles_zeros(std::string_view text, PolesZeros& out) {
    PolesZeros pz;
    std::vector<std::complex<double>>* list = nullptr;
    std::size_t next = 0;
    int line_number = 0;
    for (std::string_view line : split_lines(text, "\n")) {
        ++line_number;
        const auto words = split_words(line);
        if (words.empty() || words[0].front() == '*') continue;
        const std::string what = "Poles and zeros, line " + std::to_string(line_number) + ": ";
        const std::string first = upper(words[0]);
        const std::string_view second = words.size() > 1 ? words[1] : std::string_view{};
        if (first.find("ZEROS") != std::string::npos || first.find("POLES") != std::string::npos) {
            long count = 0;
            if (!parse_whole_long(second, count) || count < 0 || count > kMaxListLength)
                return Status::failure(what + "the count \"" + std::string(second) + "\" is not a number from 0 to " +
                                       std::to_string(kMaxListLength) + ".");
            list = first.find("ZEROS") != std::string::npos ? &pz.zeros : &pz.poles;
            list->assign(static_cast<std::size_t>(count), {0.0, 0.0});
            next = 0;
        } else if (first.find("CONSTANT") != std::string::npos) {
            if (!parse_whole_double(second, pz.constant))
                return Status::failure(what + "the constant \"" + std::string(second) + "\" is not a number.");
        } else if (list) {
            double re = 0.0, im = 0.0;
            if (!parse_whole_double(words[0], re) || (words.size() > 1 && !parse_whole_double(words[1], im)))
                return Status::failure(what + "\"" + std::string(line) + "\" is not a real and an imaginary part.");
            if (next < list->size()) (*list)[next++] = {re, im};
        }
    }
    out = std::move(pz);
    return {};
}

}  // namespace kro
