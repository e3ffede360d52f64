#pragma once
// Binary sample encodings of waveform files and their decoding to floats.
// Every value is converted to a 32-bit float without scaling.

#include <cstddef>
#include <optional>
#include <string_view>

namespace kro {

// Encoding codes of the FILELIST DATATYPE column (and of wfdisc rows as the
// reader maps them).
enum SampleCode : int {
    kInt8 = 0,        // signed 8-bit
    kInt16LE = 1,     // signed 16-bit, little-endian
    kInt32LE = 2,     // signed 32-bit, little-endian (wfdisc "i4")
    kFloat32LE = 3,   // IEEE float, little-endian (the file store, wfdisc "f4")
    kUInt16LE = 5,    // unsigned 16-bit, little-endian
    kInt32BE = 6,     // signed 32-bit, big-endian (wfdisc "s4")
    kInt24BE = 7,     // signed 24-bit two's complement, big-endian (wfdisc "s3")
};

// Bytes per sample of a code; codes outside the table take 4 bytes.
std::size_t bytes_per_sample(int code);
// True when the code is one the reader decodes; other codes leave zeros.
bool is_decoded_code(int code);
// Decodes `count` samples of `code` from `bytes` into `out`. Unknown codes
// write nothing.
void decode_samples(int code, const unsigned char* bytes, std::size_t count, float* out);

// The code the waveform reader uses for a wfdisc datatype: "s4" 6, "i4" 2,
// "s3" 7, "f4" 3 (the float samples this system's own wfdisc writer puts
// out); nothing for the others.
std::optional<int> reader_code_for_datatype(std::string_view datatype);

// The six wfdisc datatypes the CSS 3.0 import converts: "t4" (float,
// big-endian), "s4", "s2" (big-endian integers), "f4" (float,
// little-endian), "i4", "i2" (little-endian integers).
struct CssDatatype {
    std::size_t size;  // bytes per sample
    bool big_endian;
    bool is_float;
};
std::optional<CssDatatype> css_datatype(std::string_view datatype);
void convert_css_samples(const CssDatatype& type, const unsigned char* bytes, std::size_t count, float* out);

}  // namespace kro
