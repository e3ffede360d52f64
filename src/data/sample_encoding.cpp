#include "data/sample_encoding.hpp"

#include <bit>
#include <cstdint>
#include <cstring>

namespace kro {

namespace {

std::uint32_t load_u32(const unsigned char* p, bool big_endian) {
    if (big_endian)
        return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

std::uint16_t load_u16(const unsigned char* p, bool big_endian) {
    return big_endian ? static_cast<std::uint16_t>((p[0] << 8) | p[1]) : static_cast<std::uint16_t>((p[1] << 8) | p[0]);
}

}  // namespace

std::size_t bytes_per_sample(int code) {
    switch (code) {
        case kInt8: return 1;
        case kInt16LE:
        case kUInt16LE: return 2;
        case kInt24BE: return 3;
        default: return 4;
    }
}

bool is_decoded_code(int code) {
    switch (code) {
        case kInt8:
        case kInt16LE:
        case kInt32LE:
        case kFloat32LE:
        case kUInt16LE:
        case kInt32BE:
        case kInt24BE: return true;
        default: return false;
    }
}

namespace {

// One tight loop per encoding: the encoding is chosen once per call, not
// once per sample.
template <typename Decode>
void decode_each(const unsigned char* bytes, std::size_t size, std::size_t count, float* out, Decode decode) {
    for (std::size_t i = 0; i < count; ++i) out[i] = decode(bytes + size * i);
}

}  // namespace

void decode_samples(int code, const unsigned char* bytes, std::size_t count, float* out) {
    switch (code) {
        case kInt8:
            decode_each(bytes, 1, count, out, [](const unsigned char* p) {
                return static_cast<float>(static_cast<std::int8_t>(*p));
            });
            break;
        case kInt16LE:
            decode_each(bytes, 2, count, out, [](const unsigned char* p) {
                return static_cast<float>(static_cast<std::int16_t>(load_u16(p, false)));
            });
            break;
        case kUInt16LE:
            decode_each(bytes, 2, count, out, [](const unsigned char* p) { return static_cast<float>(load_u16(p, false)); });
            break;
        case kInt32LE:
            decode_each(bytes, 4, count, out, [](const unsigned char* p) {
                return static_cast<float>(static_cast<std::int32_t>(load_u32(p, false)));
            });
            break;
        case kInt32BE:
            decode_each(bytes, 4, count, out, [](const unsigned char* p) {
                return static_cast<float>(static_cast<std::int32_t>(load_u32(p, true)));
            });
            break;
        case kFloat32LE:
            decode_each(bytes, 4, count, out, [](const unsigned char* p) { return std::bit_cast<float>(load_u32(p, false)); });
            break;
        case kInt24BE:
            decode_each(bytes, 3, count, out, [](const unsigned char* p) {
                std::int32_t v = p[0] * 65536 + p[1] * 256 + p[2];
                if (p[0] >= 128) v -= 16777216;
                return static_cast<float>(v);
            });
            break;
        default: break;
    }
}

std::optional<int> reader_code_for_datatype(std::string_view datatype) {
    if (datatype == "s4") return kInt32BE;
    if (datatype == "i4") return kInt32LE;
    if (datatype == "s3") return kInt24BE;
    if (datatype == "f4") return kFloat32LE;
    return std::nullopt;
}

std::optional<CssDatatype> css_datatype(std::string_view datatype) {
    if (datatype == "t4") return CssDatatype{4, true, true};
    if (datatype == "s4") return CssDatatype{4, true, false};
    if (datatype == "s2") return CssDatatype{2, true, false};
    if (datatype == "f4") return CssDatatype{4, false, true};
    if (datatype == "i4") return CssDatatype{4, false, false};
    if (datatype == "i2") return CssDatatype{2, false, false};
    return std::nullopt;
}

void convert_css_samples(const CssDatatype& type, const unsigned char* bytes, std::size_t count, float* out) {
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char* p = bytes + type.size * i;
        if (type.size == 2) {
            out[i] = static_cast<float>(static_cast<std::int16_t>(load_u16(p, type.big_endian)));
        } else {
            const std::uint32_t raw = load_u32(p, type.big_endian);
            out[i] = type.is_float ? std::bit_cast<float>(raw) : static_cast<float>(static_cast<std::int32_t>(raw));
        }
    }
}

}  // namespace kro
