#include "display/ui/networks_dialog.hpp"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "core/messenger.hpp"
#include "db/odbc.hpp"
#include "db/stations.hpp"
#include "display/ui/tree_images.hpp"

namespace kro {

NetworksDialog::NetworksDialog(StationTable& table, Connection& main, Messenger& messenger, QWidget* parent)
    : QDialog(parent), table_(table), main_(main), messenger_(messenger), editor_(table.groups()) {
    setWindowTitle("List of networks");
    setObjectName("NetworksDialog");
    stations_ = new QListWidget(this);
    stations_->setObjectName("Stations");
    for (const CScreenFields& s : table_.stations()) {
        auto* item = new QListWidgetItem(tree_image(TreeImage::Station), QString::fromStdString(s.name), stations_);
        item->setSizeHint(QSize(0, kTreeImageSize + 2));
    }
    groups_ = new QTreeWidget(this);
    groups_->setObjectName("List of stations");
    groups_->setHeaderHidden(true);
    groups_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    use_tree_images(*groups_);

    auto* buttons = new QVBoxLayout;
    for (const char* text : {">>", "<<", "Create new group", "Rename group", "Remove group"}) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(text);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    for (const char* text : {"Save", "Cancel"}) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(text);
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel("Stations", this), 0, 0);
    layout->addWidget(new QLabel("List of stations", this), 0, 2);
    layout->addWidget(stations_, 1, 0);
    layout->addLayout(buttons, 1, 1);
    layout->addWidget(groups_, 1, 2);
    resize(600, 420);

    connect(button(">>"), &QPushButton::clicked, this, &NetworksDialog::add_station);
    connect(button("<<"), &QPushButton::clicked, this, &NetworksDialog::remove_member);
    connect(button("Create new group"), &QPushButton::clicked, this, &NetworksDialog::create_group);
    connect(button("Rename group"), &QPushButton::clicked, this, &NetworksDialog::rename_group);
    connect(button("Remove group"), &QPushButton::clicked, this, &NetworksDialog::remove_group);
    connect(button("Save"), &QPushButton::clicked, this, &NetworksDialog::save);
    connect(button("Cancel"), &QPushButton::clicked, this, &QDialog::reject);
    connect(groups_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { label_edited(item); });
    fill_tree();
}

QPushButton* NetworksDialog::button(const QString& text) const { return findChild<QPushButton*>(text); }

void NetworksDialog::fill_tree() {
    filling_ = true;
    groups_->clear();
    for (const StationGroup& g : editor_.groups()) {
        auto* root = new QTreeWidgetItem(groups_, QStringList{QString::fromStdString(g.name)});
        root->setIcon(0, tree_image(TreeImage::Group));
        root->setFlags(root->flags() | Qt::ItemIsEditable);
        for (const std::string& m : g.members) new QTreeWidgetItem(root, QStringList{QString::fromStdString(m)});
        for (int i = 0; i < root->childCount(); ++i) root->child(i)->setIcon(0, tree_image(TreeImage::Station));
        root->setExpanded(true);
    }
    filling_ = false;
}

int NetworksDialog::group_of(const QTreeWidgetItem* item) const {
    if (!item) return -1;
    const QTreeWidgetItem* root = item->parent() ? item->parent() : item;
    return groups_->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(root));
}

void NetworksDialog::add_station() {
    QListWidgetItem* station = stations_->currentItem();
    const int group = group_of(groups_->currentItem());
    if (!station || group < 0) {
        messenger_.beep();
        return;
    }
    if (!editor_.add_member(static_cast<std::size_t>(group), station->text().toStdString())) return;
    filling_ = true;
    auto* child = new QTreeWidgetItem(groups_->topLevelItem(group), QStringList{station->text()});
    child->setIcon(0, tree_image(TreeImage::Station));
    groups_->topLevelItem(group)->setExpanded(true);
    filling_ = false;
}

void NetworksDialog::remove_member() {
    QTreeWidgetItem* item = groups_->currentItem();
    if (!item || !item->parent()) {
        messenger_.beep();
        return;
    }
    const int group = group_of(item);
    editor_.remove_member(static_cast<std::size_t>(group),
                          static_cast<std::size_t>(item->parent()->indexOfChild(item)));
    delete item;
}

void NetworksDialog::create_group() {
    const std::size_t index = editor_.create_group();
    filling_ = true;
    auto* root = new QTreeWidgetItem(groups_, QStringList{QString::fromStdString(editor_.groups()[index].name)});
    root->setIcon(0, tree_image(TreeImage::Group));
    root->setFlags(root->flags() | Qt::ItemIsEditable);
    filling_ = false;
    groups_->setCurrentItem(root);
    groups_->editItem(root);
}

void NetworksDialog::rename_group() {
    QTreeWidgetItem* item = groups_->currentItem();
    if (!item || item->parent()) {
        messenger_.beep();
        return;
    }
    groups_->editItem(item);
}

void NetworksDialog::label_edited(QTreeWidgetItem* item) {
    if (filling_ || !item) return;
    const int group = group_of(item);
    if (group < 0) return;
    const std::string old_name = editor_.groups()[static_cast<std::size_t>(group)].name;
    // Members keep their names; a group takes a new name only when it is
    // not empty and no other group has it.
    const bool member = item->parent() != nullptr;
    if (member || !editor_.rename_group(static_cast<std::size_t>(group), item->text(0).toStdString())) {
        filling_ = true;
        if (member) {
            const auto& members = editor_.groups()[static_cast<std::size_t>(group)].members;
            item->setText(
                0, QString::fromStdString(members[static_cast<std::size_t>(item->parent()->indexOfChild(item))]));
        } else {
            item->setText(0, QString::fromStdString(old_name));
        }
        filling_ = false;
    }
}

void NetworksDialog::remove_group() {
    QTreeWidgetItem* item = groups_->currentItem();
    if (!item || item->parent()) {
        messenger_.beep();
        return;
    }
    editor_.remove_group(static_cast<std::size_t>(groups_->indexOfTopLevelItem(item)));
    delete item;
}

void NetworksDialog::save() {
    table_.groups() = editor_.groups();
    std::vector<NetworkList> lists;
    for (const StationGroup& g : editor_.groups()) lists.push_back({g.name, join_member_list(g.members)});
    try {
        write_network_lists(main_, lists);
    } catch (const DbError& e) {
        messenger_.message_box(e.what(), kStandardCaption, MessageIcon::Error, MessageButtons::Ok);
    }
    accept();
}

}  // namespace kro
