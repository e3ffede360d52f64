#pragma once
// "List of networks": the editor of station groups. "Save" replaces the
// groups in memory and in NETWORKS (one transaction).

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>

#include "data/file_list.hpp"

namespace kro {

class Connection;
class Messenger;

class NetworksDialog final : public QDialog {
public:
    NetworksDialog(StationTable& table, Connection& main, Messenger& messenger, QWidget* parent);

    QListWidget* stations() const { return stations_; }
    QTreeWidget* groups() const { return groups_; }
    const GroupEditor& editor() const { return editor_; }
    QPushButton* button(const QString& text) const;

    void add_station();    // ">>"
    void remove_member();  // "<<"
    void create_group();   // "Create new group"
    void rename_group();   // "Rename group"
    void remove_group();   // "Remove group"
    void save();           // "Save"

private:
    void fill_tree();
    // The group of a root or member item; -1 for none.
    int group_of(const QTreeWidgetItem* item) const;
    void label_edited(QTreeWidgetItem* item);

    StationTable& table_;
    Connection& main_;
    Messenger& messenger_;
    GroupEditor editor_;
    QListWidget* stations_;
    QTreeWidget* groups_;
    bool filling_ = false;
};

}  // namespace kro
