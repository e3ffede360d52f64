#pragma once
// The system's own waveform file store: one file per segment, a 512-byte
// text header beginning "[KRO4.0]" followed by little-endian 32-bit float
// samples. FILELIST rows point to these files with DATATYPE 3 and FOFF 512.

#include <string>
#include <vector>

#include "core/status.hpp"
#include "core/time.hpp"

namespace kro {

inline constexpr std::size_t kStoreHeaderSize = 512;

// The relative path "%s\%02d%02d%02d-%02d%02d%04d.%s": station, hour,
// minute, whole second, day, month, year of the first sample, channel
// (ABC\112456-15052004.BHZ).
std::string store_relative_path(const std::string& sta, const std::string& chan, EpochTime first_sample);

// The 512-byte header: lines ended by CR LF, the rest zero. The duration is
// shown as a time of day (whole days are dropped), the rate truncated.
std::string store_header(const std::string& sta, const std::string& chan, EpochTime first_sample, double duration,
                         double sps);

// Writes header and samples to `path` (creating its folder), through a
// temporary file renamed into place so a failed write leaves no half file.
Status write_store_file(const std::string& path, const std::string& header, const std::vector<float>& samples);

}  // namespace kro
