#include "app/gui/tree_images.h"

#include <QTreeWidgetItem>

// Resources of a static library must be registered by hand.
static void InitMorvaneResources() { Q_INIT_RESOURCE(morvane); }

namespace morvane {

void InitGuiResources() {
  static const bool done = (InitMorvaneResources(), true);
  (void)done;
}

const QList<QIcon>& TreeImages() {
  static const QList<QIcon> images = [] {
    InitGuiResources();
    QList<QIcon> list;
    for (const char* name : {"tree_excel", "tree_database", "tree_kind_empty", "tree_kind_filled",
                             "tree_owner", "tree_type", "tree_table", "tree_sql"}) {
      list << QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
    }
    return list;
  }();
  return images;
}

void SetNodeImage(QTreeWidgetItem* node, int image_index) {
  node->setIcon(0, TreeImages().value(image_index));
  node->setData(0, kImageIndexRole, image_index);
}

int NodeImage(const QTreeWidgetItem* node) {
  QVariant index = node->data(0, kImageIndexRole);
  return index.isValid() ? index.toInt() : -1;
}

}  // namespace morvane
