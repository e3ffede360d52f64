#pragma once
// The station tree of the selection dialogs: a root "Seismic stations" with
// every station of the table, then one root per station group with its
// members in list order. Items carry their station index (-1 for a group
// member that is not in the table) and, with channels, their slot.

#include <QTreeWidget>

#include "data/station_table.hpp"

namespace kro {

inline constexpr const char* kAllStationsRoot = "Seismic stations";

enum class StationTreeLevel { Root, Station, Channel };

struct StationTreeOptions {
    bool with_channels = false;  // stations get their channel names as children
    bool images = true;          // roots image 0, stations image 1, channels image 2
};

void fill_station_tree(QTreeWidget& tree, const StationTable& table, const StationTreeOptions& options);

StationTreeLevel tree_level(const QTreeWidgetItem& item);
// The station index of a station or channel item; -1 for roots and unknown names.
int tree_station(const QTreeWidgetItem& item);
// The slot of a channel item; -1 otherwise.
int tree_slot(const QTreeWidgetItem& item);

// The root with exactly this text (or ignoring case), or null.
QTreeWidgetItem* find_root(QTreeWidget& tree, const QString& text, Qt::CaseSensitivity cs);
// The child of `parent` with exactly this text, or null.
QTreeWidgetItem* find_child(QTreeWidgetItem& parent, const QString& text, Qt::CaseSensitivity cs);
// The child of `parent` standing for this station index (or slot), or null.
QTreeWidgetItem* find_station_item(QTreeWidgetItem& root, int station);
QTreeWidgetItem* find_channel_item(QTreeWidgetItem& station_item, int slot);

}  // namespace kro
