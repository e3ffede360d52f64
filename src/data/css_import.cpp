#include "data/css_import.hpp"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <new>

#include "core/config.hpp"
#include "core/messenger.hpp"
#include "core/profile_file.hpp"
#include "data/file_store.hpp"
#include "data/sample_encoding.hpp"
#include "data/waveform_reader.hpp"
#include "data/wfdisc_line.hpp"
#include "db/filelist.hpp"
#include "db/odbc.hpp"

namespace kro {

namespace {

namespace fs = std::filesystem;

// Stops the import with a message already worded for the user.
struct ImportError {
    std::string text;
};

std::vector<std::string> wfdisc_files(const std::string& folder) {
    std::vector<std::string> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(native_path(folder), ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 7 && iequals(name.substr(name.size() - 7), ".wfdisc") && entry.is_regular_file(ec))
            files.push_back(entry.path().string());
    }
    return files;
}

// wfdisc folder + dir (unless it is ".") + dfile, as a path of this system.
std::string data_path(const std::string& wfdisc_file, const WfdiscLine& line) {
    std::string folder = wfdisc_file.substr(0, wfdisc_file.find_last_of('/') + 1);
    std::string dir = line.dir;
    std::erase_if(dir, [](char c) { return c == ' '; });
    std::string path = folder;
    if (dir != ".") path += dir + "\\";
    return native_path(path + line.dfile);
}

std::vector<float> read_css_samples(const std::string& path, const WfdiscLine& line) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw ImportError{"File opening error " + path};
    const auto type = css_datatype(line.datatype);
    if (!type) throw ImportError{"Can't convert data of type " + line.datatype};
    const auto count = static_cast<std::size_t>(line.nsamp);
    std::vector<unsigned char> bytes(count * type->size);
    file.seekg(std::max<long long>(line.foff, 0));
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (static_cast<std::size_t>(file.gcount()) != bytes.size())
        throw ImportError{"File reading error " + path + ": it holds fewer than " + std::to_string(line.nsamp) +
                          " samples"};
    std::vector<float> samples(count);
    convert_css_samples(*type, bytes.data(), count, samples.data());
    return samples;
}

std::string upper(std::string s) { return to_upper(s); }

void import_line(const std::string& wfdisc_file, const WfdiscLine& line, const std::string& data_folder,
                 Connection& main, CssImportResult& result) {
    const std::string source = data_path(wfdisc_file, line);
    result.inventory.add_span(line.sta, line.chan, line.time, line.endtime);
    const std::vector<float> samples = read_css_samples(source, line);

    const std::string relative = store_relative_path(line.sta, line.chan, line.time);
    const std::string target = join_stored_path(data_folder, relative);
    const double duration = line.nsamp / static_cast<double>(line.samprate);
    const Status written =
        write_store_file(target, store_header(line.sta, line.chan, line.time, duration, line.samprate), samples);
    if (!written) throw ImportError{"Can't open file '" + target + "'"};
    ++result.files_written;

    // The row is stored with upper-case names; the old row of a re-import is
    // found by the same names, so a second import replaces it.
    FileListRow row;
    row.sta = upper(line.sta);
    row.ch = upper(line.chan);
    row.cpath = relative;
    row.tbegin = line.time;
    row.tqty = duration;
    row.sps = static_cast<double>(line.samprate);
    row.calib = line.calib;
    row.calper = line.calper;
    row.gain = 1;
    row.datatype = kFloat32LE;
    row.foff = static_cast<int>(kStoreHeaderSize);
    row.creater = "CSS2KRO";
    row.lddate = local_now();
    Transaction transaction(main);
    delete_filelist(main, filelist_file(*row.sta, *row.ch, relative, line.time));
    insert_filelist(main, row);
    transaction.commit();
}

}  // namespace

CssImportResult import_css_folder(const std::string& folder, const StationTable& stations,
                                  const std::string& data_folder, Connection& main, Messenger& messenger) {
    CssImportResult result;
    try {
        for (const std::string& file_path : wfdisc_files(folder)) {
            std::ifstream file(file_path, std::ios::binary);
            if (!file) continue;
            std::string text;
            while (std::getline(file, text)) {
                if (!text.empty() && text.back() == '\r') text.pop_back();
                const auto line = parse_wfdisc_line(text);
                if (!line) continue;
                const int station = stations.station_index(line->sta);
                if (station < 0 || stations.channel_slot(station, line->chan) < 0) continue;
                if (line->nsamp <= 0 || !(line->samprate > 0.0f)) continue;  // no samples to store
                import_line(file_path, *line, data_folder, main, result);
            }
        }
    } catch (const ImportError& e) {
        result.stopped_by_error = true;
        messenger.message_box(e.text, kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
    } catch (const DbError& e) {
        result.stopped_by_error = true;
        messenger.message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
    } catch (const std::bad_alloc&) {
        result.stopped_by_error = true;
        messenger.message_box("Not enough memory to import the data", kStandardCaption, MessageIcon::Error,
                              MessageButtons::Ok);
    }
    return result;
}

}  // namespace kro
