#include "display/ui/station_tree.hpp"

#include "display/ui/tree_images.hpp"

namespace kro {

namespace {

constexpr int kLevelRole = Qt::UserRole;
constexpr int kStationRole = Qt::UserRole + 1;
constexpr int kSlotRole = Qt::UserRole + 2;

QTreeWidgetItem* make_item(QTreeWidgetItem* parent, const QString& text, StationTreeLevel level, int station, int slot,
                           bool images) {
    auto* item = new QTreeWidgetItem(parent, QStringList{text});
    item->setData(0, kLevelRole, static_cast<int>(level));
    item->setData(0, kStationRole, station);
    item->setData(0, kSlotRole, slot);
    if (images)
        item->setIcon(0, tree_image(level == StationTreeLevel::Root      ? TreeImage::Group
                                    : level == StationTreeLevel::Station ? TreeImage::Station
                                                                         : TreeImage::Channel));
    return item;
}

void add_station(QTreeWidgetItem* root, const StationTable& table, const QString& name, int station,
                 const StationTreeOptions& options) {
    QTreeWidgetItem* item = make_item(root, name, StationTreeLevel::Station, station, -1, options.images);
    if (!options.with_channels || station < 0) return;
    for (int slot = 0; slot < kChannelSlots; ++slot) {
        const std::string& chan = table.at(station).slots[static_cast<std::size_t>(slot)].name;
        if (!chan.empty())
            make_item(item, QString::fromStdString(chan), StationTreeLevel::Channel, station, slot, options.images);
    }
}

}  // namespace

void fill_station_tree(QTreeWidget& tree, const StationTable& table, const StationTreeOptions& options) {
    tree.clear();
    tree.setHeaderHidden(true);
    use_tree_images(tree);
    auto* all = make_item(nullptr, kAllStationsRoot, StationTreeLevel::Root, -1, -1, options.images);
    tree.addTopLevelItem(all);
    for (int s = 0; s < table.count(); ++s)
        add_station(all, table, QString::fromStdString(table.at(s).name), s, options);
    for (const StationGroup& group : table.groups()) {
        auto* root =
            make_item(nullptr, QString::fromStdString(group.name), StationTreeLevel::Root, -1, -1, options.images);
        tree.addTopLevelItem(root);
        for (const std::string& member : group.members)
            add_station(root, table, QString::fromStdString(member), table.station_index(member), options);
    }
}

StationTreeLevel tree_level(const QTreeWidgetItem& item) {
    return static_cast<StationTreeLevel>(item.data(0, kLevelRole).toInt());
}

int tree_station(const QTreeWidgetItem& item) {
    return tree_level(item) == StationTreeLevel::Root ? -1 : item.data(0, kStationRole).toInt();
}

int tree_slot(const QTreeWidgetItem& item) {
    return tree_level(item) == StationTreeLevel::Channel ? item.data(0, kSlotRole).toInt() : -1;
}

QTreeWidgetItem* find_root(QTreeWidget& tree, const QString& text, Qt::CaseSensitivity cs) {
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        if (tree.topLevelItem(i)->text(0).compare(text, cs) == 0) return tree.topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* find_child(QTreeWidgetItem& parent, const QString& text, Qt::CaseSensitivity cs) {
    for (int i = 0; i < parent.childCount(); ++i)
        if (parent.child(i)->text(0).compare(text, cs) == 0) return parent.child(i);
    return nullptr;
}

QTreeWidgetItem* find_station_item(QTreeWidgetItem& root, int station) {
    for (int i = 0; i < root.childCount(); ++i)
        if (station >= 0 && tree_station(*root.child(i)) == station) return root.child(i);
    return nullptr;
}

QTreeWidgetItem* find_channel_item(QTreeWidgetItem& station_item, int slot) {
    for (int i = 0; i < station_item.childCount(); ++i)
        if (slot >= 0 && tree_slot(*station_item.child(i)) == slot) return station_item.child(i);
    return nullptr;
}

}  // namespace kro
