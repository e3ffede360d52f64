#pragma once
// "Selection of traces ": the channels of several stations and their time
// windows at once (the selection matrix and the stations' windows), and the
// mask dialog "Channels selection" it opens.

#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <optional>

#include "core/profile_file.hpp"
#include "core/settings_tree.hpp"
#include "data/file_list.hpp"
#include "data/station_table.hpp"
#include "display/ui/masked_edit.hpp"

namespace kro {

class Messenger;

// Opens the file list of a station; the chosen file's window, or nothing.
using FileChooser = std::function<std::optional<FileWindow>(int station)>;

// "Channels selection": one mask field, preset with `mask`.
class ChannelMaskDialog final : public QDialog {
public:
    ChannelMaskDialog(const QString& mask, QWidget* parent);
    QString mask() const { return field_->text(); }
    QLineEdit* field() const { return field_; }

private:
    QLineEdit* field_;
};

class SelectTracesDialog final : public QDialog {
public:
    // `current_station`: the station of the waveform window's current pane,
    // or -1 to take STATION NAME of section SELECT STATION.
    SelectTracesDialog(StationTable& table, SettingsTree& settings, ProfileFile& ini, Messenger& messenger,
                       int current_station, FileChooser files, QWidget* parent);

    int current_station() const { return current_; }
    QTreeWidget* tree() const { return tree_; }
    QTreeWidget* channels() const { return channels_; }
    QGroupBox* station_box() const { return box_; }
    MaskedEdit* date_field() const { return date_; }
    MaskedEdit* time_field() const { return time_; }
    MaskedEdit* length_field() const { return length_; }
    QPushButton* button(const QString& text) const;

    // Clicking a row's check box.
    void toggle_row(int row);
    // Opens "Channels selection" and ticks the matching channels.
    void select_by_mask();
    // The mask the mask dialog offers next ("bh?" at first).
    const QString& last_mask() const { return last_mask_; }
    // When set, the mask dialog is not shown: the mask is taken from here.
    std::function<std::optional<QString>(const QString& preset)> ask_mask;

    void accept() override;

private:
    void select_initial_item();
    void item_changed(QTreeWidgetItem* now, QTreeWidgetItem* before);
    void show_station(int station);
    void show_nothing();
    void fill_rows();
    void show_window(const CScreenFields& station);
    bool store_fields(int station);
    bool eventFilter(QObject* watched, QEvent* event) override;

    StationTable& table_;
    SettingsTree& settings_;
    ProfileFile& ini_;
    Messenger& messenger_;
    FileChooser files_;
    int current_ = -1;
    QString last_mask_ = "bh?";
    QTreeWidget* tree_;
    QTreeWidget* channels_;
    QGroupBox* box_;
    MaskedEdit* date_;
    MaskedEdit* time_;
    MaskedEdit* length_;
};

}  // namespace kro
