// The nodes of the data tree trvDataType: levels, the texts of ancestors, the records that table
// nodes stand for, their images, and building the children of a data-kind node.
#pragma once

#include <QIcon>
#include <QList>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

#include "browse/tree_groups.h"
#include "model/catalogue_store.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace morvane {

// The eight images of the tree (imgTree), by index.
enum TreeImageIndex {
  kTreeImgExcelRoot = 0,
  kTreeImgDatabaseRoot = 1,
  kTreeImgKindEmpty = 2,
  kTreeImgKindFilled = 3,
  kTreeImgOwner = 4,
  kTreeImgType = 5,
  kTreeImgTable = 6,
  kTreeImgSqlInput = 7,
};

// The data roles where a node keeps its image index and its record.
constexpr int kTreeImageRole = Qt::UserRole + 1;
constexpr int kTreeRecordRole = Qt::UserRole + 2;
constexpr int kTreeKeyRole = Qt::UserRole + 3;

// CP932 document text as shown in the widgets, and a UTF-8 literal as a QString.
QString ShownText(std::string_view cp932);
QString Utf8Text(std::string_view utf8);

// 0 for a root, one more per generation.
int NodeLevel(const QTreeWidgetItem* node);
// The text of the node's ancestor at `level`, or of the node itself when its own level is not
// above `level`.
QString GetNodeLevelText(const QTreeWidgetItem* node, int level);
// The ancestor at `level` (or the node itself when it is not deeper).
QTreeWidgetItem* NodeAtLevel(QTreeWidgetItem* node, int level);

// The record a table node (or the SQL input node) stands for; nullptr for other nodes.
const TTableRec* NodeRecord(const QTreeWidgetItem* node);
void SetNodeRecord(QTreeWidgetItem* node, const TTableRec* record);

// The owner or type an owner or type node stands for, exactly as the records hold it (CP932).
std::string NodeKey(const QTreeWidgetItem* node);

// Images of the nodes: the icon from `images` and the index, readable with NodeImageIndex.
void SetNodeImageIndex(QTreeWidgetItem* node, int image, const QList<QIcon>& images);
int NodeImageIndex(const QTreeWidgetItem* node);

// A new child (or, with a null parent, a new root of `tree`) with text and image.
QTreeWidgetItem* AddTreeNode(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& text,
                             int image, const QList<QIcon>& images);

// Replaces the children of a data-kind node (or of the Excel root) by the records of `kind`:
// a "Dummy" placeholder when there is none, otherwise owner, type and table nodes (catalogue
// kinds) or table nodes (Excel). The node's image follows (catalogue kinds only).
void RebuildDataKindChildren(QTreeWidgetItem* node, const TCatalogueStore& store, DataKind kind,
                             const QList<QIcon>& images);

// The first node in tree order under `top` (excluded) for which `match` holds, or nullptr.
QTreeWidgetItem* FindNodeUnder(QTreeWidgetItem* top,
                               const std::function<bool(const QTreeWidgetItem*)>& match);

}  // namespace morvane
