#include "display/ui/file_list_dialog.hpp"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <cmath>

#include "core/config.hpp"
#include "core/messenger.hpp"
#include "db/database.hpp"

namespace kro {

bool FileListDialog::selected_channels_only = false;

std::vector<int> file_list_column_widths(const ProfileFile& ini) {
    std::vector<int> widths(5, 70);
    apply_column_widths(ini.get_text("FILESLIST", "HDRSIZE", "", 256), widths);
    return widths;
}

void apply_file_list_columns(QTreeWidget& list, const ProfileFile& ini) {
    list.setColumnCount(static_cast<int>(kFileListColumns.size()));
    list.setHeaderLabels(kFileListColumns);
    const auto widths = file_list_column_widths(ini);
    for (int i = 0; i < static_cast<int>(widths.size()); ++i)
        list.setColumnWidth(i, widths[static_cast<std::size_t>(i)]);
}

Status store_file_list_columns(const QTreeWidget& list, ProfileFile& ini) {
    std::vector<int> widths;
    for (int i = 0; i < list.columnCount(); ++i) widths.push_back(list.columnWidth(i));
    return ini.write("FILESLIST", "HDRSIZE", format_column_widths(widths));
}

FileListDialog::FileListDialog(Database& db, const AppSettings& settings, ProfileFile& ini, const StationTable& table,
                               int station, Messenger& messenger, QWidget* parent)
    : QDialog(parent),
      db_(db),
      settings_(settings),
      ini_(ini),
      table_(table),
      station_(station),
      messenger_(messenger) {
    setWindowTitle("List of waveform files");
    setObjectName("CLoadFileFromDB");
    auto* box = new QGroupBox(
        station >= 0 && station < table.count() ? QString::fromStdString(table.at(station).name) : QString(), this);
    list_ = new QTreeWidget(box);
    list_->setObjectName("files");
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    apply_file_list_columns(*list_, ini_);
    show_all_ = new QRadioButton("Show all files", box);
    show_between_ = new QRadioButton("Show files with", box);
    show_all_->setChecked(true);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    auto make_field = [box](const QDateTime& t) {
        auto* field = new QDateTimeEdit(t, box);
        field->setTimeSpec(Qt::UTC);
        field->setDisplayFormat("dd/MM/yyyy HH:mm:ss");
        field->setCalendarPopup(true);
        return field;
    };
    from_ = make_field(now.addSecs(-3600));
    to_ = make_field(now);
    selected_only_ = new QCheckBox("Show files pertaining to selected channels", box);
    selected_only_->setChecked(selected_channels_only);

    auto* grid = new QGridLayout(box);
    grid->addWidget(list_, 0, 0, 1, 5);
    grid->addWidget(show_all_, 1, 0);
    grid->addWidget(show_between_, 2, 0);
    grid->addWidget(from_, 2, 1);
    grid->addWidget(new QLabel("to", box), 2, 2);
    grid->addWidget(to_, 2, 3);
    grid->addWidget(selected_only_, 3, 0, 1, 4);
    grid->setColumnStretch(4, 1);

    ok_ = new QPushButton("Ok", this);
    ok_->setDefault(true);
    auto* exit = new QPushButton("Exit", this);
    exit->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);
    resize(640, 420);

    connect(show_all_, &QRadioButton::clicked, this, &FileListDialog::requery);
    connect(show_between_, &QRadioButton::clicked, this, &FileListDialog::requery);
    connect(selected_only_, &QCheckBox::clicked, this, [this](bool on) {
        selected_channels_only = on;
        requery();
    });
    connect(ok_, &QPushButton::clicked, this, &FileListDialog::accept);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &FileListDialog::accept);
    requery();
}

void FileListDialog::requery() {
    list_->clear();
    FileListQuery query;
    query.selected_channels_only = selected_only_->isChecked();
    if (show_between_->isChecked()) {
        // The fields' calendar values as UTC, whole seconds.
        query.starting_between = std::pair(static_cast<EpochTime>(from_->dateTime().toSecsSinceEpoch()),
                                           static_cast<EpochTime>(to_->dateTime().toSecsSinceEpoch()));
    }
    try {
        for (const StoredFile& f : query_file_list(db_, settings_, table_, station_, query))
            new QTreeWidgetItem(list_, QStringList{QString::fromStdString(file_start_text(f.start)),
                                                   QString::fromStdString(file_duration_text(f.duration)),
                                                   QString::fromStdString(file_rate_text(f.sps)),
                                                   QString::fromStdString(f.file), QString::fromStdString(f.comment)});
    } catch (const std::exception& e) {
        list_->clear();
        messenger_.message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
    }
}

void FileListDialog::accept() {
    QTreeWidgetItem* row = list_->currentItem();
    if (!row || !row->isSelected()) return;
    result_ = file_window_from_texts(row->text(0).toStdString(), row->text(1).toStdString());
    if (Status s = store_file_list_columns(*list_, ini_); !s) messenger_.error(s.message());
    QDialog::accept();
}

}  // namespace kro
