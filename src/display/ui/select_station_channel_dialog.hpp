#pragma once
// "Select channel and station": one channel of one station and a time
// window, for one trace pane.

#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>
#include <optional>

#include "core/profile_file.hpp"
#include "display/ui/masked_edit.hpp"
#include "display/ui/select_traces_dialog.hpp"

namespace kro {

struct StationChannelChoice {
    int station = -1;
    int slot = -1;
    EpochTime start = 0.0;  // epoch time
    double length = 0.0;    // s
};

class SelectStationChannelDialog final : public QDialog {
public:
    // `station` and `slot` preselect a channel (-1: none).
    SelectStationChannelDialog(const StationTable& table, ProfileFile& ini, Messenger& messenger, int station, int slot,
                               EpochTime start, double length, FileChooser files, QWidget* parent);

    const std::optional<StationChannelChoice>& choice() const { return choice_; }
    QTreeWidget* tree() const { return tree_; }
    MaskedEdit* date_field() const { return date_; }
    MaskedEdit* time_field() const { return time_; }
    MaskedEdit* length_field() const { return length_; }
    QPushButton* ok_button() const { return ok_; }
    QPushButton* segment_button() const { return segment_; }

    void accept() override;

private:
    void show_window(EpochTime start, double length);
    void choose_segment();

    const StationTable& table_;
    ProfileFile& ini_;
    Messenger& messenger_;
    FileChooser files_;
    std::optional<StationChannelChoice> choice_;
    QTreeWidget* tree_;
    MaskedEdit* date_;
    MaskedEdit* time_;
    MaskedEdit* length_;
    QPushButton* segment_;
    QPushButton* ok_;
};

}  // namespace kro
