#pragma once
// "Remove files from disk loop": stored waveform files of a station are
// deleted with their FILELIST rows, file by file or by station (or station
// group) and time interval.

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <string>

#include "core/profile_file.hpp"
#include "data/station_table.hpp"
#include "display/ui/masked_edit.hpp"

namespace kro {

class Connection;
class Messenger;

class DiskLoopDialog final : public QDialog {
public:
    DiskLoopDialog(Connection& main, const std::string& data_folder, const StationTable& table, ProfileFile& ini,
                   Messenger& messenger, QWidget* parent);

    QTreeWidget* tree() const { return tree_; }
    QTreeWidget* files() const { return files_; }
    QCheckBox* interval_box() const { return interval_; }
    MaskedEdit* from_field() const { return from_; }
    MaskedEdit* to_field() const { return to_; }
    QLabel* status_line() const { return status_; }
    QPushButton* button(const QString& text) const;
    int current_station() const { return current_; }

    // Fills the list with the files of the current station.
    void fill_files();
    // "Remove".
    void remove();

private:
    class StatusLine;
    void item_changed(QTreeWidgetItem* item);
    void set_interval_mode(bool on);
    void remove_interval_files(const std::string& station, EpochTime t1, EpochTime t2);

    Connection& main_;
    std::string data_folder_;
    const StationTable& table_;
    Messenger& messenger_;
    std::unique_ptr<Messenger> status_messenger_;  // the dialog's status line, else `messenger_`
    int current_ = -1;
    QTreeWidget* tree_;
    QTreeWidget* files_;
    QCheckBox* interval_;
    MaskedEdit* from_;
    MaskedEdit* to_;
    QLabel* status_;
};

}  // namespace kro
