#include "display/ui/select_traces_dialog.hpp"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <cstdio>

#include "core/masked_fields.hpp"
#include "core/messenger.hpp"
#include "core/time_format.hpp"
#include "display/ui/station_tree.hpp"
#include "display/ui/tree_images.hpp"

namespace kro {

namespace {

constexpr int kSlotRole = Qt::UserRole;

QString printf_text(const char* format, int a, int b, int c, int d = 0) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, a, b, c, d);
    return QString::fromLatin1(buf);
}

}  // namespace

ChannelMaskDialog::ChannelMaskDialog(const QString& mask, QWidget* parent) : QDialog(parent) {
    setWindowTitle("Channels selection");
    setObjectName("ChannelMaskDialog");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Type the mask (*,?, [a-z])", this));
    field_ = new QLineEdit(mask, this);
    field_->selectAll();
    layout->addWidget(field_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

SelectTracesDialog::SelectTracesDialog(StationTable& table, SettingsTree& settings, ProfileFile& ini,
                                       Messenger& messenger, int current_station, FileChooser files, QWidget* parent)
    : QDialog(parent), table_(table), settings_(settings), ini_(ini), messenger_(messenger), files_(std::move(files)) {
    setWindowTitle("Selection of traces ");
    setObjectName("SelectTracesDialog");

    box_ = new QGroupBox(this);
    channels_ = new QTreeWidget(box_);
    channels_->setObjectName("channels");
    channels_->setColumnCount(2);
    channels_->setHeaderLabels({"Channels", "Samp./sec."});
    channels_->setRootIsDecorated(false);
    channels_->setAllColumnsShowFocus(true);
    use_tree_images(*channels_);
    channels_->header()->setSectionResizeMode(QHeaderView::Stretch);
    channels_->viewport()->installEventFilter(this);
    channels_->installEventFilter(this);

    date_ = make_date_edit(box_);
    time_ = make_time_ms_edit(box_);
    length_ = make_time_edit(box_);
    auto add_button = [this](const QString& text, QWidget* parent_widget) {
        auto* b = new QPushButton(text, parent_widget);
        b->setObjectName(text);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* all_times = add_button("Set this time for all stations", box_);
    QPushButton* clear_station = add_button("Remove channel marks for current station", box_);
    QPushButton* clear_all = add_button("Remove all marks", box_);
    QPushButton* by_mask = add_button("Select chennels by the sample", box_);
    QPushButton* segment = add_button("Select segment from database", box_);

    auto* grid = new QGridLayout(box_);
    grid->addWidget(channels_, 0, 0, 1, 3);
    grid->addWidget(new QLabel("Start of recording", box_), 1, 0);
    grid->addWidget(date_, 1, 1);
    grid->addWidget(time_, 1, 2);
    grid->addWidget(new QLabel("Duration", box_), 2, 0);
    grid->addWidget(length_, 2, 2);
    grid->addWidget(all_times, 3, 0, 1, 3);
    grid->addWidget(clear_station, 4, 0, 1, 3);
    grid->addWidget(clear_all, 5, 0, 1, 3);
    grid->addWidget(by_mask, 6, 0, 1, 3);
    grid->addWidget(segment, 7, 0, 1, 3);

    tree_ = new QTreeWidget(this);
    tree_->setObjectName("stations");
    fill_station_tree(*tree_, table_, {});
    tree_->expandAll();

    auto* ok = add_button("Ok", this);
    ok->setDefault(true);
    ok->setToolTip("End of channels selection");
    auto* cancel = add_button("Cancel", this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(box_, 0, 0, 2, 1);
    layout->addWidget(tree_, 0, 1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row, 1, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    resize(640, 460);

    connect(all_times, &QPushButton::clicked, this, [this] {
        if (current_ < 0 || !store_fields(current_)) return;
        table_.set_window_for_all(current_);
    });
    connect(clear_station, &QPushButton::clicked, this, [this] {
        if (current_ < 0) return;
        table_.clear_station_selection(current_);
        fill_rows();
    });
    connect(clear_all, &QPushButton::clicked, this, [this] {
        table_.clear_selection();
        fill_rows();
    });
    connect(by_mask, &QPushButton::clicked, this, [this] { select_by_mask(); });
    connect(segment, &QPushButton::clicked, this, [this] {
        if (current_ < 0 || !files_) return;
        if (const auto file = files_(current_)) {
            time_->set_field_text(QString::fromStdString(format_start_time_field(file->start)));
            date_->set_field_text(QString::fromStdString(format_date_field(file->start)));
            length_->set_field_text(QString::fromStdString(format_duration_field(file->duration)));
        }
    });
    connect(ok, &QPushButton::clicked, this, &SelectTracesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(tree_, &QTreeWidget::currentItemChanged, this, &SelectTracesDialog::item_changed);

    current_ = current_station;
    if (current_ < 0) {
        const std::string name = ini_.get_text("SELECT STATION", "STATION NAME", "", 10);
        for (int s = 0; s < table_.count() && !name.empty(); ++s)
            if (table_.at(s).name == name) {
                current_ = s;
                break;
            }
    }
    select_initial_item();
}

QPushButton* SelectTracesDialog::button(const QString& text) const { return findChild<QPushButton*>(text); }

void SelectTracesDialog::select_initial_item() {
    const QString group = QString::fromStdString(ini_.get_text("SELECT STATION", "GROUP NAME", "", 128));
    QTreeWidgetItem* root = group.isEmpty() ? nullptr : find_root(*tree_, group, Qt::CaseSensitive);
    QTreeWidgetItem* item = nullptr;
    if (root && current_ >= 0)
        item = find_child(*root, QString::fromStdString(table_.at(current_).name), Qt::CaseSensitive);
    if (!root && current_ >= 0 && tree_->topLevelItemCount() > 0)
        item = find_station_item(*tree_->topLevelItem(0), current_);
    const int station = current_;
    if (item) {
        QSignalBlocker block(tree_);
        tree_->setCurrentItem(item);
    }
    if (station >= 0)
        show_station(station);
    else
        show_nothing();
}

void SelectTracesDialog::item_changed(QTreeWidgetItem* now, QTreeWidgetItem*) {
    if (current_ >= 0) store_fields(current_);
    if (now && tree_level(*now) == StationTreeLevel::Station) {
        show_station(tree_station(*now));
        if (current_ < 0) box_->setTitle(now->text(0));
    } else {
        show_nothing();
    }
}

void SelectTracesDialog::show_nothing() {
    current_ = -1;
    box_->setTitle("");
    channels_->clear();
}

void SelectTracesDialog::show_station(int station) {
    current_ = station;
    channels_->clear();
    if (station < 0 || station >= table_.count()) {
        current_ = -1;
        return;
    }
    CScreenFields& s = table_.at(station);
    box_->setTitle(QString::fromStdString(s.name));
    fill_rows();
    restore_window(s, settings_);
    show_window(s);
}

void SelectTracesDialog::fill_rows() {
    channels_->clear();
    if (current_ < 0) return;
    const CScreenFields& s = table_.at(current_);
    for (int slot = 0; slot < kChannelSlots; ++slot) {
        const ChannelSlot& c = s.slots[static_cast<std::size_t>(slot)];
        if (c.name.empty()) continue;
        char rate[32];
        std::snprintf(rate, sizeof rate, "%0.3f", c.sps);
        auto* row = new QTreeWidgetItem(channels_, QStringList{QString::fromStdString(c.name), rate});
        row->setData(0, kSlotRole, slot);
        row->setIcon(0, check_image(table_.selected(current_, slot)));
    }
}

void SelectTracesDialog::show_window(const CScreenFields& station) {
    const StationWindow& w = station.window;
    time_->set_field_text(printf_text("%02d:%02d:%02d.%03d", w.hour, w.minute, w.second, w.millisecond));
    length_->set_field_text(printf_text("%02d:%02d:%02d", w.hours, w.minutes, w.seconds));
    date_->set_field_text(printf_text("%02d/%02d/%04d", w.day, w.month, w.year));
}

bool SelectTracesDialog::store_fields(int station) {
    if (station < 0 || station >= table_.count()) return false;
    return store_window_fields(table_.at(station), time_->text().toStdString(), length_->text().toStdString(),
                               date_->text().toStdString(), messenger_);
}

void SelectTracesDialog::toggle_row(int row) {
    QTreeWidgetItem* item = channels_->topLevelItem(row);
    if (!item || current_ < 0) return;
    const int slot = item->data(0, kSlotRole).toInt();
    const bool on = !table_.selected(current_, slot);
    table_.set_selected_by_name(current_, item->text(0).toStdString(), on);
    for (int i = 0; i < channels_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* r = channels_->topLevelItem(i);
        r->setIcon(0, check_image(table_.selected(current_, r->data(0, kSlotRole).toInt())));
    }
}

void SelectTracesDialog::select_by_mask() {
    if (current_ < 0) return;
    std::optional<QString> mask;
    if (ask_mask) {
        mask = ask_mask(last_mask_);
    } else {
        ChannelMaskDialog dialog(last_mask_, this);
        if (dialog.exec() == QDialog::Accepted) mask = dialog.mask();
    }
    if (!mask) return;
    last_mask_ = *mask;
    table_.select_by_mask(current_, mask->toLower().toStdString());
    fill_rows();
}

void SelectTracesDialog::accept() {
    store_fields(current_);
    QTreeWidgetItem* item = tree_->currentItem();
    const bool station = item && tree_level(*item) == StationTreeLevel::Station;
    Status s = ini_.write("SELECT STATION", "GROUP NAME", station ? item->parent()->text(0).toStdString() : "");
    if (s) s = ini_.write("SELECT STATION", "STATION NAME", item ? item->text(0).toStdString() : "");
    if (!s) messenger_.error(s.message());
    if (!time_ms_field_is_valid(time_->text().toStdString())) return;
    QDialog::accept();
}

bool SelectTracesDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == channels_->viewport() && event->type() == QEvent::MouseButtonPress) {
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        const QModelIndex index = channels_->indexAt(pos);
        if (index.isValid() && index.column() == 0 &&
            pos.x() < channels_->visualRect(index).left() + kTreeImageSize + 4) {
            toggle_row(index.row());
            return true;
        }
    }
    if (watched == channels_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space && channels_->currentIndex().isValid()) {
        toggle_row(channels_->currentIndex().row());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace kro
