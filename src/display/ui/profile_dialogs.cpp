#include "display/ui/profile_dialogs.hpp"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "core/messenger.hpp"
#include "data/file_list.hpp"

namespace kro {

ProfileList::ProfileList(const SettingsTree& settings, QWidget* parent) : QTreeWidget(parent), settings_(settings) {
    setObjectName("profiles");
    setColumnCount(2);
    setHeaderLabels({"List name", "List"});
    setRootIsDecorated(false);
    setAllColumnsShowFocus(true);
    fill();
}

void ProfileList::fill() {
    clear();
    for (const std::string& name : profile_names(settings_))
        new QTreeWidgetItem(
            this, QStringList{QString::fromStdString(name),
                              QString::fromStdString(profile_summary(read_profile(settings_, profile_key(name))))});
}

void ProfileList::remove_selected(SettingsTree& settings, Messenger& messenger) {
    QTreeWidgetItem* row = currentItem();
    if (!row || !row->isSelected()) {
        messenger.beep();
        return;
    }
    if (Status s = remove_profile(settings, row->text(0).toStdString()); !s) {
        messenger.error(s.message());
        return;
    }
    delete row;
}

void ProfileList::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    const int width = viewport()->width();
    setColumnWidth(0, width * 7 / 10);
    setColumnWidth(1, width - width * 7 / 10);
}

namespace {

QPushButton* add_button(QHBoxLayout* row, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(text);
    b->setAutoDefault(false);
    row->addWidget(b);
    return b;
}

}  // namespace

LoadProfilesDialog::LoadProfilesDialog(SettingsTree& settings, Messenger& messenger, QWidget* parent)
    : QDialog(parent), messenger_(messenger) {
    setWindowTitle("Load list of stations");
    setObjectName("CLoadStationsListDlg");
    list_ = new ProfileList(settings, this);
    auto* row = new QHBoxLayout;
    QPushButton* select = add_button(row, "Select", this);
    select->setDefault(true);
    QPushButton* exit = add_button(row, "Exit", this);
    QPushButton* remove = add_button(row, "Remove", this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addLayout(row);
    resize(480, 320);
    connect(select, &QPushButton::clicked, this, &LoadProfilesDialog::accept);
    connect(exit, &QPushButton::clicked, this, &QDialog::reject);
    connect(remove, &QPushButton::clicked, this, [this, &settings] { list_->remove_selected(settings, messenger_); });
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &LoadProfilesDialog::accept);
}

void LoadProfilesDialog::accept() {
    QTreeWidgetItem* row = list_->currentItem();
    if (!row || !row->isSelected()) {
        messenger_.beep();
        return;
    }
    key_ = profile_key(row->text(0).toStdString());
    QDialog::accept();
}

SaveProfilesDialog::SaveProfilesDialog(SettingsTree& settings, Messenger& messenger, QWidget* parent)
    : QDialog(parent), messenger_(messenger) {
    setWindowTitle("Save list of selected channels and stations");
    setObjectName("CSaveProfilesDlg");
    name_ = new QLineEdit(this);
    name_->setObjectName("name");
    list_ = new ProfileList(settings, this);
    auto* row = new QHBoxLayout;
    QPushButton* ok = add_button(row, "OK", this);
    ok->setDefault(true);
    QPushButton* cancel = add_button(row, "Cancel", this);
    QPushButton* remove = add_button(row, "Remove", this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(name_);
    layout->addWidget(list_);
    layout->addLayout(row);
    resize(480, 340);
    connect(ok, &QPushButton::clicked, this, &SaveProfilesDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(remove, &QPushButton::clicked, this, [this, &settings] { list_->remove_selected(settings, messenger_); });
    // Typing selects the row of exactly that name; a double-click takes a row's name.
    connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
        list_->clearSelection();
        for (int i = 0; i < list_->topLevelItemCount(); ++i)
            if (list_->topLevelItem(i)->text(0) == text) {
                list_->setCurrentItem(list_->topLevelItem(i));
                break;
            }
    });
    connect(list_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { name_->setText(item->text(0)); });
}

void SaveProfilesDialog::accept() {
    if (name_->text().isEmpty()) {
        messenger_.beep();
        name_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace kro
