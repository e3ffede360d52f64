#include "data/waveform_reader.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <memory>

#include "core/config.hpp"
#include "data/sample_encoding.hpp"
#include "data/wfdisc_line.hpp"

namespace kro {

namespace {
// In samples: far above the rounding error of epoch times, far below any
// real offset.
constexpr double kSampleCountTolerance = 1e-4;
}  // namespace

std::string join_stored_path(const std::string& folder, const std::string& stored) {
    std::string path = folder;
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) path += '\\';
    path += stored;
    return native_path(path);
}

bool read_segment(KRODataBlock& block, const SegmentSource& segment, EpochTime t1, EpochTime t2,
                  const std::optional<std::string>& data_folder) {
    block.samples.clear();
    const double sps = segment.sps;
    const double tbegin = segment.tbegin;
    const double segment_end = tbegin + segment.duration;
    if (!(sps > 0.0) || !std::isfinite(sps) || !std::isfinite(tbegin) || !std::isfinite(segment_end)) return false;

    long long skip = 0;
    EpochTime start = 0.0;
    double samples = 0.0;
    if (tbegin >= t1 && tbegin <= t2) {
        // 1. The segment starts inside the window.
        start = tbegin;
        samples = (std::min(segment_end, t2) - start) * sps;
    } else if (t1 > tbegin && t1 < segment_end) {
        // 2. The window starts inside the segment: start on the file's own grid.
        skip = static_cast<long long>(std::trunc((t1 - tbegin) * sps));
        start = tbegin + static_cast<double>(skip) / sps;
        samples = (std::min(segment_end, t2) - start) * sps;
    }
    // 3./4. No whole sample: no block. Counts are 32-bit. Times near 1e9 s
    // carry rounding errors of about 1e-7 s, which must not cost a sample
    // that lies inside (a segment of 1001 samples at 100 sps keeps 1001).
    samples += kSampleCountTolerance;
    if (!(samples >= 1.0)) return false;
    const auto n = static_cast<std::int64_t>(std::min(std::trunc(samples), double{std::numeric_limits<std::int32_t>::max()}));

    // 5. n zeros at the computed start.
    block.samples.assign(static_cast<std::size_t>(n), 0.0f);
    block.start = start;
    block.sps = sps;

    // 6. Read what the file gives; the rest stays 0.
    const std::string path = data_folder ? join_stored_path(*data_folder, segment.path) : native_path(segment.path);
    if (!is_decoded_code(segment.code)) return true;
    std::ifstream file(path, std::ios::binary);
    if (!file) return true;
    const auto size = static_cast<long long>(bytes_per_sample(segment.code));
    const long long position = segment.offset + skip * size;
    if (position < 0) return true;
    file.seekg(position);
    if (!file) return true;
    if (segment.code == kFloat32LE && std::endian::native == std::endian::little) {
        // The file's floats are the block's: read them in place, and put
        // back the zeros behind the last whole sample the file gave.
        file.read(reinterpret_cast<char*>(block.samples.data()), static_cast<std::streamsize>(n * size));
        const auto whole_samples = static_cast<std::size_t>(file.gcount() / size);
        std::fill(block.samples.begin() + static_cast<std::ptrdiff_t>(whole_samples), block.samples.end(), 0.0f);
        return true;
    }
    const auto byte_count = static_cast<std::size_t>(n * size);
    const auto bytes = std::make_unique_for_overwrite<unsigned char[]>(byte_count);
    file.read(reinterpret_cast<char*>(bytes.get()), static_cast<std::streamsize>(byte_count));
    const auto whole_samples = static_cast<std::size_t>(file.gcount() / size);
    decode_samples(segment.code, bytes.get(), whole_samples, block.samples.data());
    return true;
}

void read_filelist_segments(const std::vector<FileListSegmentRow>& rows, const std::string& sta,
                            const std::string& chan, EpochTime t1, EpochTime t2, const std::string& data_folder,
                            KRODataBlockArray& array) {
    array.clear();
    array.set_names(sta, chan);
    for (const FileListSegmentRow& row : rows) {
        if (!row.tbegin || !row.cpath) continue;
        SegmentSource segment;
        segment.path = *row.cpath;
        segment.offset = row.foff.value_or(512);
        segment.tbegin = *row.tbegin;
        segment.duration = row.tqty.value_or(0.0);
        segment.sps = row.sps.value_or(0.0);
        segment.code = row.datatype.value_or(-1);
        KRODataBlock block;
        if (!read_segment(block, segment, t1, t2, data_folder)) continue;
        if (row.calib && row.calper) {
            block.calib = *row.calib;
            block.calper = *row.calper;
        } else {
            block.calib = -1.0;
            block.calper = -1.0;
        }
        array.append(std::move(block));
    }
}

WfdiscSegmentRow wfdisc_segment_row(const WfdiscLine& line) {
    WfdiscSegmentRow row;
    row.time = line.time;
    row.samprate = line.samprate;
    row.nsamp = static_cast<int>(line.nsamp);
    row.foff = static_cast<int>(line.foff);
    row.datatype = line.datatype;
    row.dir = line.dir;
    row.dfile = line.dfile;
    row.calib = line.calib;
    row.calper = line.calper;
    return row;
}

void read_wfdisc_segments(const std::vector<WfdiscSegmentRow>& rows, const std::string& sta, const std::string& chan,
                          EpochTime t1, EpochTime t2, const std::string& data_folder, const FolderMapping& mapping,
                          KRODataBlockArray& array) {
    array.clear();
    for (const WfdiscSegmentRow& row : rows) {
        if (!row.time || !row.nsamp) continue;
        const auto code = reader_code_for_datatype(row.datatype);
        if (!code) continue;
        const auto mapped = std::find_if(mapping.begin(), mapping.end(), [&](const auto& m) { return m.first == row.dir; });
        SegmentSource segment;
        segment.path = mapped != mapping.end() ? mapped->second + "\\" + row.dfile
                                               : data_folder + "\\" + row.dir + "\\" + row.dfile;
        segment.offset = row.foff.value_or(0);
        segment.tbegin = *row.time;
        segment.sps = row.samprate.value_or(0.0);
        segment.duration = segment.sps > 0.0 ? *row.nsamp / segment.sps : 0.0;
        segment.code = *code;
        KRODataBlock block;
        if (!read_segment(block, segment, t1, t2, std::nullopt)) continue;
        if (row.calib && row.calper) {
            block.calib = *row.calib;
            block.calper = *row.calper;
        } else {
            block.calib = 1.0;
            block.calper = 1.0;
        }
        array.append(std::move(block));
    }
    array.set_names(sta, chan);
}

}  // namespace kro
