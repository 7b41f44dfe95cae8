#include "app/gui/browse/data_tree.h"

#include <QTreeWidget>
#include <QTreeWidgetItem>

#include "text/cp932_text.h"

namespace morvane {
namespace {

QTreeWidgetItem* MakeNode(const QString& text, int image, const QList<QIcon>& images) {
  auto* node = new QTreeWidgetItem(QStringList{text});
  SetNodeImageIndex(node, image, images);
  return node;
}

QTreeWidgetItem* MakeKeyNode(const std::string& key, int image, const QList<QIcon>& images) {
  QTreeWidgetItem* node = MakeNode(ShownText(key), image, images);
  node->setData(0, kTreeKeyRole, QByteArray(key.data(), static_cast<qsizetype>(key.size())));
  return node;
}

QTreeWidgetItem* MakeLeaf(const TTreeLeaf& leaf, const QList<QIcon>& images) {
  QTreeWidgetItem* node = MakeNode(ShownText(leaf.text), kTreeImgTable, images);
  SetNodeRecord(node, leaf.record);
  return node;
}

}  // namespace

QString ShownText(std::string_view cp932) { return QString::fromStdString(Cp932ForDisplay(cp932)); }

QString Utf8Text(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

int NodeLevel(const QTreeWidgetItem* node) {
  int level = 0;
  for (const QTreeWidgetItem* p = node ? node->parent() : nullptr; p; p = p->parent()) ++level;
  return level;
}

QTreeWidgetItem* NodeAtLevel(QTreeWidgetItem* node, int level) {
  if (!node) return nullptr;
  for (int own = NodeLevel(node); own > level; --own) node = node->parent();
  return node;
}

QString GetNodeLevelText(const QTreeWidgetItem* node, int level) {
  const QTreeWidgetItem* at = NodeAtLevel(const_cast<QTreeWidgetItem*>(node), level);
  return at ? at->text(0) : QString();
}

const TTableRec* NodeRecord(const QTreeWidgetItem* node) {
  if (!node) return nullptr;
  return reinterpret_cast<const TTableRec*>(node->data(0, kTreeRecordRole).value<quintptr>());
}

void SetNodeRecord(QTreeWidgetItem* node, const TTableRec* record) {
  node->setData(0, kTreeRecordRole, QVariant::fromValue(reinterpret_cast<quintptr>(record)));
}

std::string NodeKey(const QTreeWidgetItem* node) {
  QByteArray key = node->data(0, kTreeKeyRole).toByteArray();
  return std::string(key.constData(), static_cast<size_t>(key.size()));
}

void SetNodeImageIndex(QTreeWidgetItem* node, int image, const QList<QIcon>& images) {
  node->setIcon(0, images.value(image));
  node->setData(0, kTreeImageRole, image);
}

int NodeImageIndex(const QTreeWidgetItem* node) {
  QVariant image = node->data(0, kTreeImageRole);
  return image.isValid() ? image.toInt() : -1;
}

QTreeWidgetItem* AddTreeNode(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& text,
                             int image, const QList<QIcon>& images) {
  QTreeWidgetItem* node = MakeNode(text, image, images);
  if (parent) {
    parent->addChild(node);
  } else {
    tree->addTopLevelItem(node);
  }
  return node;
}

void RebuildDataKindChildren(QTreeWidgetItem* node, const TCatalogueStore& store, DataKind kind,
                             const QList<QIcon>& images) {
  qDeleteAll(node->takeChildren());
  const RecordList& records = store.Records(kind);
  const bool excel = kind == DataKind::Excel;
  if (records.empty()) {
    if (!excel) SetNodeImageIndex(node, kTreeImgKindEmpty, images);
    node->addChild(
        MakeNode(Utf8Text(kPlaceholderText), excel ? kTreeImgOwner : kTreeImgTable, images));
    return;
  }
  QList<QTreeWidgetItem*> children;
  if (excel) {
    for (const TTreeLeaf& leaf : ExcelTreeLeaves(records)) children << MakeLeaf(leaf, images);
    node->addChildren(children);
    return;
  }
  SetNodeImageIndex(node, kTreeImgKindFilled, images);
  for (const TOwnerGroup& owner : GroupCatalogueRecords(records, kind)) {
    QTreeWidgetItem* owner_node = MakeKeyNode(owner.owner, kTreeImgOwner, images);
    for (const TTypeGroup& type : owner.types) {
      QTreeWidgetItem* type_node = MakeKeyNode(type.type, kTreeImgType, images);
      QList<QTreeWidgetItem*> leaves;
      leaves.reserve(static_cast<qsizetype>(type.leaves.size()));
      for (const TTreeLeaf& leaf : type.leaves) leaves << MakeLeaf(leaf, images);
      type_node->addChildren(leaves);
      owner_node->addChild(type_node);
    }
    children << owner_node;
  }
  node->addChildren(children);
}

QTreeWidgetItem* FindNodeUnder(QTreeWidgetItem* top,
                               const std::function<bool(const QTreeWidgetItem*)>& match) {
  if (!top) return nullptr;
  for (int i = 0; i < top->childCount(); ++i) {
    QTreeWidgetItem* child = top->child(i);
    if (match(child)) return child;
    if (QTreeWidgetItem* found = FindNodeUnder(child, match)) return found;
  }
  return nullptr;
}

}  // namespace morvane
