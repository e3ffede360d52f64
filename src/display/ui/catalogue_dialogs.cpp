#include "display/ui/catalogue_dialogs.hpp"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>

#include "core/config.hpp"
#include "core/messenger.hpp"

namespace kro {

CatalogueEntryDialog::CatalogueEntryDialog(const std::vector<std::string>& names,
                                           const std::pair<std::string, std::string>* existing, Messenger& messenger,
                                           QWidget* parent)
    : QDialog(parent), messenger_(messenger) {
    setWindowTitle("Editing representation of catalogues");
    setObjectName("CatalogueEntryDialog");
    name_ = new QComboBox(this);
    name_->setObjectName("Name of virtual catalogue");
    name_->setEditable(true);
    for (const std::string& n : names) name_->addItem(QString::fromStdString(n));
    name_->setCurrentText(existing ? QString::fromStdString(existing->first) : QString());
    name_->setEnabled(existing == nullptr);
    folder_ = new QLineEdit(existing ? QString::fromStdString(existing->second) : QString(), this);
    folder_->setObjectName("Name of local catalogue");
    auto* browse = new QPushButton("...", this);
    browse->setAutoDefault(false);
    browse->setFixedWidth(32);
    auto* ok = new QPushButton("Ok", this);
    ok->setDefault(true);
    auto* exit = new QPushButton("Exit", this);
    exit->setAutoDefault(false);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Name of virtual catalogue", this), 0, 0, 1, 2);
    layout->addWidget(name_, 1, 0, 1, 2);
    layout->addWidget(new QLabel("Name of local catalogue", this), 2, 0, 1, 2);
    layout->addWidget(folder_, 3, 0);
    layout->addWidget(browse, 3, 1);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(exit);
    layout->addLayout(row, 4, 0, 1, 2);
    resize(460, 170);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString dir =
            QFileDialog::getExistingDirectory(this, "View catalogues", folder_->text(), QFileDialog::ShowDirsOnly);
        if (!dir.isEmpty()) folder_->setText(dir);
    });
    connect(ok, &QPushButton::clicked, this, &CatalogueEntryDialog::accept);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
}

std::pair<std::string, std::string> CatalogueEntryDialog::entry() const {
    return {name_->currentText().toStdString(), folder_->text().toStdString()};
}

void CatalogueEntryDialog::accept() {
    if (name_->currentText().isEmpty()) {
        messenger_.beep();
        name_->setFocus();
        return;
    }
    QDialog::accept();
}

CataloguesDialog::CataloguesDialog(FolderMap& mapping, ProfileFile& ini, Messenger& messenger,
                                   std::function<std::vector<std::string>()> wfdisc_dirs, QWidget* parent)
    : QDialog(parent), mapping_(mapping), ini_(ini), messenger_(messenger), wfdisc_dirs_(std::move(wfdisc_dirs)) {
    setWindowTitle("List of catalogues");
    setObjectName("CataloguesDialog");
    list_ = new QTreeWidget(this);
    list_->setObjectName("catalogues");
    list_->setColumnCount(2);
    list_->setHeaderLabels({"Catalogue name in database", "Local catalogue"});
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->header()->setSectionResizeMode(QHeaderView::Stretch);
    auto* row = new QHBoxLayout;
    for (const char* text : {"Add", "Change", "Remove", "Exit"}) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(text);
        b->setAutoDefault(false);
        row->addWidget(b);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(row);
    resize(560, 320);
    connect(findChild<QPushButton*>("Add"), &QPushButton::clicked, this, [this] { edit(false); });
    connect(findChild<QPushButton*>("Change"), &QPushButton::clicked, this, [this] { edit(true); });
    connect(findChild<QPushButton*>("Remove"), &QPushButton::clicked, this, &CataloguesDialog::remove_selected);
    connect(findChild<QPushButton*>("Exit"), &QPushButton::clicked, this, &CataloguesDialog::exit);
    fill();
}

void CataloguesDialog::fill() {
    list_->clear();
    for (const auto& [name, dir] : mapping_)
        new QTreeWidgetItem(list_, QStringList{QString::fromStdString(name), QString::fromStdString(dir)});
}

void CataloguesDialog::put(const std::pair<std::string, std::string>& entry) {
    map_folder(mapping_, entry.first, entry.second);
    changed_ = true;
    fill();
}

void CataloguesDialog::remove_selected() {
    const int row = list_->currentItem() && list_->currentItem()->isSelected()
                        ? list_->indexOfTopLevelItem(list_->currentItem())
                        : -1;
    if (row < 0) {
        messenger_.beep();
        return;
    }
    mapping_.erase(mapping_.begin() + row);
    changed_ = true;
    fill();
}

void CataloguesDialog::edit(bool change) {
    const int row = list_->currentItem() ? list_->indexOfTopLevelItem(list_->currentItem()) : -1;
    if (change && row < 0) {
        messenger_.beep();
        return;
    }
    const std::pair<std::string, std::string>* existing = change ? &mapping_[static_cast<std::size_t>(row)] : nullptr;
    std::optional<std::pair<std::string, std::string>> entry;
    if (ask_entry) {
        entry = ask_entry(existing);
    } else {
        CatalogueEntryDialog dialog(wfdisc_dirs_ ? wfdisc_dirs_() : std::vector<std::string>{}, existing, messenger_,
                                    this);
        if (dialog.exec() == QDialog::Accepted) entry = dialog.entry();
    }
    if (entry) put(*entry);
}

void CataloguesDialog::exit() {
    if (changed_)
        if (Status s = write_dirs_map(ini_, mapping_); !s) messenger_.error(s.message());
    changed_ = false;
    QDialog::reject();
}

}  // namespace kro
