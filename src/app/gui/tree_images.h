// The images of the data tree (imgTree), shared with the database list. Index meanings are
// fixed: the project file and every tree builder refer to them by number.
#pragma once

#include <QIcon>
#include <QList>

class QTreeWidgetItem;

namespace morvane {

enum TreeImage {
  kImgExcelRoot = 0,
  kImgDatabaseRoot = 1,
  kImgKindEmpty = 2,   // a data kind that holds no record
  kImgKindFilled = 3,  // a data kind with at least one record
  kImgOwner = 4,
  kImgType = 5,
  kImgTable = 6,
  kImgSqlInput = 7,
};

// The item data role where a tree node keeps its image index.
constexpr int kImageIndexRole = Qt::UserRole + 1;

// imgTree: the eight images in index order.
const QList<QIcon>& TreeImages();

// Sets a node's image and remembers its index.
void SetNodeImage(QTreeWidgetItem* node, int image_index);
int NodeImage(const QTreeWidgetItem* node);

// Makes the bundled icons available; safe to call more than once.
void InitGuiResources();

}  // namespace morvane
