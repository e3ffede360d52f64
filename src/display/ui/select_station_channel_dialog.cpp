#include "display/ui/select_station_channel_dialog.hpp"

#include <QGridLayout>
#include <QLabel>

#include "core/masked_fields.hpp"
#include "core/messenger.hpp"
#include "core/time_format.hpp"
#include "display/ui/station_tree.hpp"

namespace kro {

SelectStationChannelDialog::SelectStationChannelDialog(const StationTable& table, ProfileFile& ini,
                                                       Messenger& messenger, int station, int slot, EpochTime start,
                                                       double length, FileChooser files, QWidget* parent)
    : QDialog(parent), table_(table), ini_(ini), messenger_(messenger), files_(std::move(files)) {
    setWindowTitle("Select channel and station");
    setObjectName("SelectStationChannelDialog");
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("stations");
    fill_station_tree(*tree_, table_, {.with_channels = true});
    date_ = make_date_edit(this);
    time_ = make_time_ms_edit(this);
    length_ = make_time_edit(this);
    segment_ = new QPushButton("Select segment from database", this);
    segment_->setAutoDefault(false);
    ok_ = new QPushButton("OK", this);
    ok_->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(tree_, 0, 0, 1, 4);
    layout->addWidget(new QLabel("Start recording", this), 1, 0);
    layout->addWidget(date_, 1, 1);
    layout->addWidget(time_, 1, 2);
    layout->addWidget(new QLabel("Duration", this), 2, 0);
    layout->addWidget(length_, 2, 2);
    layout->addWidget(segment_, 3, 0, 1, 2);
    layout->addWidget(ok_, 3, 2);
    layout->addWidget(cancel, 3, 3);
    resize(420, 480);

    connect(ok_, &QPushButton::clicked, this, &SelectStationChannelDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(segment_, &QPushButton::clicked, this, &SelectStationChannelDialog::choose_segment);

    show_window(start, length);
    const QString group = QString::fromStdString(ini_.get_text("SELECT STATION", "GROUP NAME", "", 128));
    QTreeWidgetItem* root = group.isEmpty() ? nullptr : find_root(*tree_, group, Qt::CaseInsensitive);
    if (!root) root = tree_->topLevelItem(0);
    if (root) {
        root->setExpanded(true);
        if (QTreeWidgetItem* item = find_station_item(*root, station)) {
            item->setExpanded(true);
            QTreeWidgetItem* channel = find_channel_item(*item, slot);
            tree_->setCurrentItem(channel ? channel : item);
        }
    }
    // Choosing a station or channel shows that station's stored window.
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now, QTreeWidgetItem*) {
        if (!now) return;
        const int s = tree_station(*now);
        if (s >= 0 && s < table_.count()) show_window(window_start(table_.at(s)), window_length(table_.at(s)));
    });
}

void SelectStationChannelDialog::show_window(EpochTime start, double length) {
    CScreenFields split;
    set_window(split, start, length);
    const StationWindow& w = split.window;
    char text[64];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", w.hour, w.minute, w.second, w.millisecond);
    time_->set_field_text(text);
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", w.hours, w.minutes, w.seconds);
    length_->set_field_text(text);
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", w.day, w.month, w.year);
    date_->set_field_text(text);
}

void SelectStationChannelDialog::choose_segment() {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item || tree_level(*item) != StationTreeLevel::Channel || tree_station(*item) < 0 || !files_) {
        messenger_.beep();
        return;
    }
    if (const auto file = files_(tree_station(*item))) show_window(file->start, file->duration);
}

void SelectStationChannelDialog::accept() {
    if (!check_time_ms_field(time_->text().toStdString(), messenger_)) return;
    CScreenFields fields;
    if (!store_window_fields(fields, time_->text().toStdString(), length_->text().toStdString(),
                             date_->text().toStdString(), messenger_))
        return;
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item || tree_level(*item) != StationTreeLevel::Channel || !item->parent() || !item->parent()->parent()) {
        messenger_.beep();
        return;
    }
    const std::string station_name = item->parent()->text(0).toStdString();
    StationChannelChoice choice;
    choice.station = table_.station_index(station_name);
    choice.slot = table_.channel_slot(choice.station, item->text(0).toStdString());
    if (choice.station < 0 || choice.slot < 0) {
        messenger_.beep();
        return;
    }
    choice.start = window_start(fields);
    choice.length = window_length(fields);
    Status s = ini_.write("SELECT STATION", "GROUP NAME", item->parent()->parent()->text(0).toStdString());
    if (s) s = ini_.write("SELECT STATION", "STATION NAME", station_name);
    if (!s) messenger_.error(s.message());
    choice_ = choice;
    QDialog::accept();
}

}  // namespace kro
