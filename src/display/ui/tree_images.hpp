#pragma once
// The two shared image lists of the selection dialogs, drawn once: the tree
// images ("TREEIMAGES": a group of stations, a station, a channel) and the
// check-box state images ("CHECKUNCHECK": unchecked, checked), each 16 x 16
// pixels with a transparent background.

#include <QIcon>
#include <QTreeWidget>

namespace kro {

inline constexpr int kTreeImageSize = 16;

enum class TreeImage { Group = 0, Station = 1, Channel = 2 };

const QIcon& tree_image(TreeImage image);
const QIcon& check_image(bool checked);

// Tree and list views of the dialogs show their images at 16 x 16.
void use_tree_images(QTreeWidget& view);

}  // namespace kro
