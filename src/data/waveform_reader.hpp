#pragma once
// Reading the samples of one station channel over a time window from the
// files the catalogue rows point to. Each stored segment that reaches into
// the window is cut to it and delivered as a KRODataBlock. Missing or short
// files give zeros; nothing here shows a message.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/data_block.hpp"

namespace kro {

// Where a segment's file is and how it is encoded.
struct SegmentSource {
    std::string path;          // as stored; backslashes and slashes both separate folders
    long long offset = 0;      // byte offset of the segment's first sample
    EpochTime tbegin = 0.0;    // time of the first stored sample
    double duration = 0.0;     // seconds
    double sps = 0.0;          // samples per second
    int code = 0;              // sample encoding (data/sample_encoding.hpp)
};

// Cuts one segment to [t1, t2] and reads it into `block`:
// - a segment starting inside the window starts the block; it ends at the
//   segment's end or t2, whichever is first;
// - a segment that began before t1 and runs past it starts at its own
//   sample at or before t1;
// - otherwise, or when the cut holds no whole sample, no block results
//   (false, count 0).
// With `data_folder` set the path is taken relative to it. Samples the file
// cannot give stay 0.
bool read_segment(KRODataBlock& block, const SegmentSource& segment, EpochTime t1, EpochTime t2,
                  const std::optional<std::string>& data_folder);

// The file path of a stored path joined to a folder the way stored paths
// are joined (a backslash between them unless the folder ends with one),
// as a path of this system.
std::string join_stored_path(const std::string& folder, const std::string& stored);

// One FILELIST row as the reader fetches it (NULL columns are empty).
struct FileListSegmentRow {
    std::optional<double> tbegin;
    std::optional<double> sps;
    std::optional<double> tqty;
    std::optional<int> datatype;
    std::optional<int> foff;
    std::optional<std::string> cpath;
    std::optional<double> calib;
    std::optional<double> calper;
};

// Fills `array` from FILELIST rows fetched in TBEGIN order for [t1, t2]:
// rows without TBEGIN or CPATH are skipped, a missing FOFF means 512, and a
// missing CALIB or CALPER gives calib = calper = -1.
void read_filelist_segments(const std::vector<FileListSegmentRow>& rows, const std::string& sta,
                            const std::string& chan, EpochTime t1, EpochTime t2, const std::string& data_folder,
                            KRODataBlockArray& array);

// One wfdisc row as the reader fetches it.
struct WfdiscSegmentRow {
    std::optional<double> time;
    std::optional<double> samprate;
    std::optional<int> nsamp;
    std::optional<int> foff;  // a missing foff reads from byte 0
    std::string datatype;
    std::string dir;
    std::string dfile;
    std::optional<double> calib;
    std::optional<double> calper;
};

struct WfdiscLine;
// The row a wfdisc flat-file line stands for.
WfdiscSegmentRow wfdisc_segment_row(const WfdiscLine& line);

using FolderMapping = std::vector<std::pair<std::string, std::string>>;  // wfdisc dir -> local folder

// Fills `array` from wfdisc rows: the file is the mapped folder + dfile
// when the mapping has the row's dir, else data folder + dir + dfile. Only
// "s4", "i4", "s3" and "f4" are read; other datatypes are skipped. A missing
// calib or calper gives calib = calper = 1.
void read_wfdisc_segments(const std::vector<WfdiscSegmentRow>& rows, const std::string& sta, const std::string& chan,
                          EpochTime t1, EpochTime t2, const std::string& data_folder, const FolderMapping& mapping,
                          KRODataBlockArray& array);

}  // namespace kro
