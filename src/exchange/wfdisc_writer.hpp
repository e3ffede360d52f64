#pragma once
// Writing waveform segments as CSS 3.0 flat files: a wfdisc file with one
// 283-character line (284 bytes with its line feed) per segment, and one
// sample file per segment in the wfdisc file's folder, named in the line's
// dfile column with dir "." and foff 0.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/status.hpp"
#include "core/time.hpp"
#include "data/data_block.hpp"

namespace kro {

// How the samples are stored (the FORMAT setting of section CSS30DATAOUTPUT).
enum class WfdiscSampleFormat : int {
    I4 = 0,  // float truncated toward zero to a 32-bit integer, little-endian
    F4 = 1,  // the 32-bit IEEE float as held, little-endian
    S4 = 2,  // float truncated toward zero to a 32-bit integer, big-endian
};

// The format of a FORMAT setting; nothing outside 0-2.
std::optional<WfdiscSampleFormat> wfdisc_sample_format(int setting);
// "i4", "f4" or "s4".
std::string_view wfdisc_datatype(WfdiscSampleFormat format);

// "%d-%02d%02d%02d%02d%02d%04d-%s-%s.w": segment index, hour, minute, whole
// second, day, month, year of `start`, station, lower-cased channel.
std::string wfdisc_sample_file_name(int index, std::string_view sta, std::string_view chan, EpochTime start);

// The wfdisc line of one segment, without its line feed: station (6) and
// lower-cased channel (8) cut to their columns, time, wfid -1, chanid -1,
// jdate of the start, endtime = start + count / sps, nsamp, samprate,
// calib, calper, instype "-", segtype "-", the datatype, clip "-", dir ".",
// dfile, foff 0, commid -1, lddate "yyyy:ddd-hh:mm:ss" of the start.
// Nothing when a value overflows its column (a rate of 10000 or more, a
// count beyond eight digits), since the line would no longer be 283
// characters.
std::optional<std::string> format_wfdisc_line(std::string_view sta, std::string_view chan, const KRODataBlock& block,
                                              WfdiscSampleFormat format, std::string_view dfile);

// The bytes of a sample file. Integer formats saturate values beyond the
// 32-bit range and write NaN as 0.
std::string encode_wfdisc_samples(std::span<const float> samples, WfdiscSampleFormat format);

inline constexpr std::string_view kWfdiscWriteError = "wfdisc file(s) write error";

struct WfdiscWriteResult {
    // A failure reads kWfdiscWriteError, ": ", the file or segment and why.
    Status status;
    int segments = 0;  // sample files written
};

// Writes every block of every array, in list order, as one wfdisc line and
// one sample file; segment indices count from 0 across all arrays. The
// arrays are neither owned nor changed. Each sample file and then the
// wfdisc file go through a temporary file renamed into place, so after a
// failure the wfdisc file is either the old one or the complete new one,
// and it never names a sample file that was not written.
WfdiscWriteResult write_wfdisc(const std::string& wfdisc_path, const XKRODataBlockArrays& arrays,
                               WfdiscSampleFormat format);

}  // namespace kro
