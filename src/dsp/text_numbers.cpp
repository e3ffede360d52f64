#include "dsp/text_numbers.hpp"

#include <charconv>
#include <cmath>

namespace kro {

std::vector<std::string_view> split_lines(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find_first_of(separators, start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::vector<std::string_view> split_words(std::string_view line) {
    constexpr std::string_view kBlanks = " \t\r\n\v\f";
    std::vector<std::string_view> words;
    std::size_t pos = line.find_first_not_of(kBlanks);
    while (pos != std::string_view::npos) {
        const std::size_t end = line.find_first_of(kBlanks, pos);
        words.push_back(line.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos));
        pos = end == std::string_view::npos ? end : line.find_first_not_of(kBlanks, end);
    }
    return words;
}

namespace {

std::string_view without_plus(std::string_view w) {
    if (!w.empty() && w.front() == '+' && (w.size() < 2 || w[1] != '-')) w.remove_prefix(1);
    return w;
}

template <typename T>
const char* parse_prefix(std::string_view w, T& value) {
    w = without_plus(w);
    const auto result = std::from_chars(w.data(), w.data() + w.size(), value);
    return result.ec == std::errc() ? result.ptr : nullptr;
}

template <typename T>
bool parse_whole(std::string_view word, T& value) {
    word = without_plus(word);
    if (word.empty()) return false;
    T v{};
    const char* end = parse_prefix(word, v);
    if (end != word.data() + word.size()) return false;
    value = v;
    return true;
}

std::string_view skip_blanks(std::string_view text) {
    const std::size_t p = text.find_first_not_of(" \t\r\n\v\f");
    return p == std::string_view::npos ? std::string_view{} : text.substr(p);
}

}  // namespace

bool parse_whole_double(std::string_view word, double& value) {
    double v = 0.0;
    if (!parse_whole(word, v) || !std::isfinite(v)) return false;
    value = v;
    return true;
}
bool parse_whole_long(std::string_view word, long& value) { return parse_whole(word, value); }

double leading_double(std::string_view text) {
    double v = 0.0;
    return parse_prefix(skip_blanks(text), v) ? v : 0.0;
}

long leading_long(std::string_view text) {
    long v = 0;
    return parse_prefix(skip_blanks(text), v) ? v : 0;
}

}  // namespace kro
