#include "display/ui/disk_loop_dialog.hpp"

#include <QGridLayout>
#include <QHBoxLayout>
#include <cmath>
#include <cstdio>

#include "core/masked_fields.hpp"
#include "core/messenger.hpp"
#include "core/time_format.hpp"
#include "data/disk_loop.hpp"
#include "db/filelist.hpp"
#include "display/ui/file_list_dialog.hpp"
#include "display/ui/station_tree.hpp"

namespace kro {

// Status texts go to the dialog's status line; everything else to the program.
class DiskLoopDialog::StatusLine final : public Messenger {
public:
    StatusLine(Messenger& base, QLabel& line) : base_(base), line_(line) {}
    MessageAnswer message_box(std::string_view text, std::string_view caption, MessageIcon icon,
                              MessageButtons buttons) override {
        return base_.message_box(text, caption, icon, buttons);
    }
    void beep() override { base_.beep(); }
    void status_text(std::string_view text) override {
        line_.setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        line_.repaint();
    }
    void progress_begin(std::string_view caption, int range) override { base_.progress_begin(caption, range); }
    void progress_step(int position) override { base_.progress_step(position); }
    void progress_end() override { base_.progress_end(); }

private:
    Messenger& base_;
    QLabel& line_;
};

namespace {

QString interval_field_text(EpochTime t) {
    CalendarTime c;
    time_to_calendar(t, c);
    return QString::fromStdString(format_date_time_edit(c));
}

QStringList file_row(const FileListRow& row) {
    char start[64] = "", duration[64] = "", rate[32] = "";
    if (row.tbegin) {
        CalendarTime c;
        time_to_calendar(*row.tbegin, c);
        std::snprintf(start, sizeof start, "%02d/%02d/%04d %02d:%02d:%02.0f", c.day, c.month, c.year, c.hour, c.minute,
                      std::floor(c.seconds));
    }
    if (row.tqty) {
        const double q = *row.tqty;
        const auto whole = static_cast<long long>(std::floor(q));
        std::snprintf(duration, sizeof duration, "%02d:%02d:%02.3f", static_cast<int>(whole / 3600),
                      static_cast<int>((whole % 3600) / 60), static_cast<double>(whole % 60) + (q - std::floor(q)));
    }
    if (row.sps) std::snprintf(rate, sizeof rate, "%3.3f", *row.sps);
    return {start, duration, rate, QString::fromStdString(row.cpath.value_or("")), QString()};
}

}  // namespace

DiskLoopDialog::DiskLoopDialog(Connection& main, const std::string& data_folder, const StationTable& table,
                               ProfileFile& ini, Messenger& messenger, QWidget* parent)
    : QDialog(parent), main_(main), data_folder_(data_folder), table_(table), messenger_(messenger) {
    setWindowTitle("Remove files from disk loop");
    setObjectName("DiskLoopDialog");
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("stations");
    fill_station_tree(*tree_, table_, {});
    tree_->expandAll();
    files_ = new QTreeWidget(this);
    files_->setObjectName("files");
    files_->setRootIsDecorated(false);
    files_->setAllColumnsShowFocus(true);
    files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    apply_file_list_columns(*files_, ini);
    interval_ = new QCheckBox("Remove files in interval s", this);
    from_ = make_date_time_edit(this);
    to_ = make_date_time_edit(this);
    const EpochTime now = current_time();
    from_->set_field_text(interval_field_text(now - 604800.0));
    to_->set_field_text(interval_field_text(now));
    status_ = new QLabel(this);
    status_->setObjectName("status");
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setMinimumHeight(status_->fontMetrics().height() + 6);
    status_messenger_ = std::make_unique<StatusLine>(messenger_, *status_);

    auto add_button = [this](const QString& text) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(text);
        b->setAutoDefault(false);
        return b;
    };
    QPushButton* select_all = add_button("Select all files");
    QPushButton* cancel_selection = add_button("Cancel selection");
    QPushButton* remove = add_button("Remove");
    QPushButton* exit = add_button("Exit");

    auto* layout = new QGridLayout(this);
    layout->addWidget(tree_, 0, 0, 4, 1);
    layout->addWidget(files_, 0, 1, 1, 4);
    layout->addWidget(select_all, 1, 1);
    layout->addWidget(cancel_selection, 1, 2);
    layout->addWidget(interval_, 2, 1);
    auto* interval_row = new QHBoxLayout;
    interval_row->addWidget(from_);
    interval_row->addWidget(new QLabel("to", this));
    interval_row->addWidget(to_);
    interval_row->addStretch();
    layout->addLayout(interval_row, 2, 2, 1, 3);
    layout->addWidget(status_, 3, 1, 1, 2);
    layout->addWidget(remove, 3, 3);
    layout->addWidget(exit, 3, 4);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 1);
    layout->setColumnStretch(3, 0);
    resize(860, 460);

    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* now, QTreeWidgetItem*) { item_changed(now); });
    connect(select_all, &QPushButton::clicked, files_, &QTreeWidget::selectAll);
    connect(cancel_selection, &QPushButton::clicked, files_, &QTreeWidget::clearSelection);
    connect(interval_, &QCheckBox::toggled, this, &DiskLoopDialog::set_interval_mode);
    connect(remove, &QPushButton::clicked, this, &DiskLoopDialog::remove);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    set_interval_mode(false);
}

QPushButton* DiskLoopDialog::button(const QString& text) const { return findChild<QPushButton*>(text); }

void DiskLoopDialog::set_interval_mode(bool on) {
    files_->setEnabled(!on);
    button("Select all files")->setEnabled(!on);
    button("Cancel selection")->setEnabled(!on);
    from_->setEnabled(on);
    to_->setEnabled(on);
    files_->clearSelection();
}

void DiskLoopDialog::item_changed(QTreeWidgetItem* item) {
    files_->clear();
    if (!item || tree_level(*item) == StationTreeLevel::Root) {
        current_ = -1;
        return;
    }
    // Exact, case-sensitive name.
    const std::string name = item->text(0).toStdString();
    for (int s = 0; s < table_.count(); ++s)
        if (table_.at(s).name == name) {
            current_ = s;
            fill_files();
            return;
        }
}

void DiskLoopDialog::fill_files() {
    files_->clear();
    if (current_ < 0) return;
    try {
        for (const FileListRow& row :
             read_filelist(main_, filelist_of_station(table_.at(current_).name), FileListOrder::TimeDescChannelDesc))
            new QTreeWidgetItem(files_, file_row(row));
    } catch (const DbError& e) {
        messenger_.message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
    }
}

void DiskLoopDialog::remove_interval_files(const std::string& station, EpochTime t1, EpochTime t2) {
    remove_station_files(main_, data_folder_, station, t1, t2, *status_messenger_);
}

void DiskLoopDialog::remove() {
    if (!interval_->isChecked()) {
        for (int i = files_->topLevelItemCount() - 1; i >= 0; --i) {
            QTreeWidgetItem* row = files_->topLevelItem(i);
            if (row->isSelected())
                remove_stored_file(main_, data_folder_, row->text(3).toStdString(), *status_messenger_);
        }
        fill_files();
        return;
    }
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item) {
        messenger_.beep();
        return;
    }
    const auto from = check_date_time_field(from_->text().toStdString(), messenger_);
    if (!from) return;
    const auto to = check_date_time_field(to_->text().toStdString(), messenger_);
    if (!to) return;
    const EpochTime t1 =
        std::trunc(calendar_to_time(from->year, from->month, from->day, from->hour, from->minute, from->seconds));
    const EpochTime t2 = std::trunc(calendar_to_time(to->year, to->month, to->day, to->hour, to->minute, to->seconds));
    const std::string a = from_->text().toStdString(), b = to_->text().toStdString();
    char question[512];
    if (tree_level(*item) == StationTreeLevel::Root) {
        std::snprintf(question, sizeof question, "Remove files with data from group of stations %s in interval %s - %s",
                      item->text(0).toStdString().c_str(), a.c_str(), b.c_str());
        if (messenger_.message_box(question, "???", MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes)
            for (int i = 0; i < item->childCount(); ++i)
                remove_interval_files(item->child(i)->text(0).toStdString(), t1, t2);
    } else {
        std::snprintf(question, sizeof question, "Remove file with data from station %s in interval %s - %s",
                      item->text(0).toStdString().c_str(), a.c_str(), b.c_str());
        if (messenger_.message_box(question, "???", MessageIcon::Question, MessageButtons::YesNo) == MessageAnswer::Yes)
            remove_interval_files(item->text(0).toStdString(), t1, t2);
    }
    fill_files();
}

}  // namespace kro
