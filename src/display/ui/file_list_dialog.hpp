#pragma once
// "List of waveform files": the stored recordings of one station, from
// which the analyst takes a time window.

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <optional>

#include "core/profile_file.hpp"
#include "data/file_list.hpp"
#include "data/file_list_query.hpp"

namespace kro {

class Database;
class Messenger;
struct AppSettings;

class FileListDialog final : public QDialog {
public:
    FileListDialog(Database& db, const AppSettings& settings, ProfileFile& ini, const StationTable& table, int station,
                   Messenger& messenger, QWidget* parent);

    // The start and whole-second duration of the chosen row after "Ok".
    const std::optional<FileWindow>& result() const { return result_; }
    QTreeWidget* list() const { return list_; }
    QRadioButton* show_all() const { return show_all_; }
    QRadioButton* show_between() const { return show_between_; }
    QDateTimeEdit* from_field() const { return from_; }
    QDateTimeEdit* to_field() const { return to_; }
    QCheckBox* selected_only() const { return selected_only_; }
    QPushButton* ok_button() const { return ok_; }

    // Runs the query of the radio buttons and the check box again.
    void requery();
    void accept() override;

    // "Show files pertaining to selected channels": one flag for the whole
    // run, kept for the next opening.
    static bool selected_channels_only;

private:
    Database& db_;
    const AppSettings& settings_;
    ProfileFile& ini_;
    const StationTable& table_;
    int station_;
    Messenger& messenger_;
    std::optional<FileWindow> result_;
    QTreeWidget* list_;
    QRadioButton* show_all_;
    QRadioButton* show_between_;
    QDateTimeEdit* from_;
    QDateTimeEdit* to_;
    QCheckBox* selected_only_;
    QPushButton* ok_;
};

// The widths of the five file-list columns from section FILESLIST key
// HDRSIZE (70 pixels where nothing is stored), and writing them back.
std::vector<int> file_list_column_widths(const ProfileFile& ini);
void apply_file_list_columns(QTreeWidget& list, const ProfileFile& ini);
Status store_file_list_columns(const QTreeWidget& list, ProfileFile& ini);
inline const QStringList kFileListColumns = {"Recording start time", "Duration", "Counts/s", "File", "Comment"};

}  // namespace kro
