#include "data/disk_loop.hpp"

#include <cmath>
#include <filesystem>

#include "core/messenger.hpp"
#include "data/waveform_reader.hpp"
#include "db/filelist.hpp"
#include "db/odbc.hpp"

namespace kro {

namespace {

enum class FileGone { Yes, No };

// Deletes the file when it exists; "Yes" when it is gone afterwards.
FileGone delete_file(const std::string& path, Messenger& messenger) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec) && !ec) return FileGone::Yes;
    if (std::filesystem::remove(path, ec) && !ec) return FileGone::Yes;
    messenger.beep();
    messenger.message_box("Error deleting file  " + path, kStandardCaption, MessageIcon::Warning, MessageButtons::Ok);
    return FileGone::No;
}

}  // namespace

bool remove_stored_file(Connection& main, const std::string& data_folder, const std::string& cpath,
                        Messenger& messenger) {
    const std::string path = join_stored_path(data_folder, cpath);
    bool removed = false;
    try {
        Transaction transaction(main);
        messenger.status_text("Remove files : " + path);
        if (delete_file(path, messenger) == FileGone::Yes) {
            delete_filelist_by_path(main, cpath);
            removed = true;
        }
        transaction.commit();
    } catch (const DbError& e) {
        messenger.message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
        removed = false;
    }
    messenger.status_text("");
    return removed;
}

int remove_station_files(Connection& main, const std::string& data_folder, const std::string& sta, EpochTime t1,
                         EpochTime t2, Messenger& messenger) {
    int removed = 0;
    try {
        const auto rows = read_filelist(main, filelist_station_interval(std::trunc(t1), std::trunc(t2), sta));
        for (const FileListRow& row : rows) {
            if (!row.cpath) continue;
            const std::string path = join_stored_path(data_folder, *row.cpath);
            messenger.status_text("Remove files : " + path);
            if (delete_file(path, messenger) == FileGone::Yes) {
                delete_filelist_by_path(main, *row.cpath);
                ++removed;
            }
        }
    } catch (const DbError& e) {
        messenger.message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
    }
    messenger.status_text("");
    return removed;
}

}  // namespace kro
