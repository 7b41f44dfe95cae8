// TBrowser and the data tree: selecting and expanding nodes with the fetch question, rebuilding
// a data kind's children, the up button, the tree's popup menu, refresh and Excel table removal.
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/browser.h"
#include "app/gui/browse/data_tree.h"
#include "app/gui/browse/report_view.h"
#include "text/codec.h"

namespace morvane {
namespace {

TreeFamily FamilyOf(const QTreeWidgetItem* node) {
  return FamilyOfRootText(GetNodeLevelText(node, 0).toStdString());
}

// The data kind a node belongs to: 1 in the Excel family, 2 to 4 below "データベース" (0 for the
// root itself), 5 for "SQL入力".
DataKind DataKindOfNode(const QTreeWidgetItem* node) {
  switch (FamilyOf(node)) {
    case TreeFamily::kExcel:
      return DataKind::Excel;
    case TreeFamily::kSql:
      return DataKind::Sql;
    case TreeFamily::kDatabase:
      return NodeLevel(node) == 0 ? DataKind::None
                                  : CatalogueKindOfCaption(GetNodeLevelText(node, 1).toStdString());
    default:
      return DataKind::None;
  }
}

// Outside the ER view, the list panel in place of the SQL panel, and the other way round.
void ShowListPanel(const TBrowseWidgets& w, const TCatalogueStore& store) {
  if (store.erViewActive) return;
  w.pnlList->show();
  w.pnlSQL->hide();
}

void ShowSqlPanel(const TBrowseWidgets& w, const TCatalogueStore& store) {
  if (store.erViewActive) return;
  w.pnlSQL->show();
  w.pnlList->hide();
  w.ltvDatabase->hide();
  if (w.memSQL) w.memSQL->moveCursor(QTextCursor::Start);
}

}  // namespace

void TBrowser::SelectNode(QTreeWidgetItem* node) { w_.trvDataType->setCurrentItem(node); }

void TBrowser::trvDataTypeChange(QTreeWidgetItem* node) {
  if (node) TreeNodeSelect(node, false, true);
}

void TBrowser::trvDataTypeExpanding(QTreeWidgetItem* node) {
  if (expandGuard_ || node == DatabaseRoot()) return;
  DataKind kind = DataKindOfNode(node);
  if (!IsDataKind(kind) || !store_.Records(kind).empty()) return;
  // Stay collapsed while asking; expand again only when the data kind got records.
  expandGuard_ = true;
  node->setExpanded(false);
  expandGuard_ = false;
  if (!TreeNodeSelect(node, true, true)) return;
  expandGuard_ = true;
  node->setExpanded(true);
  expandGuard_ = false;
}

bool TBrowser::TreeNodeSelect(QTreeWidgetItem* node, bool fetchIfEmpty, bool askFirst) {
  if (!node) return false;
  store_.currentDataKind = DataKind::None;
  store_.currentListLevel = 0;
  store_.selectedOwner.reset();
  store_.selectedType.reset();
  const int level = NodeLevel(node);
  auto is_selected = [&] { return w_.trvDataType->currentItem() == node; };

  if (level == 0) {
    w_.sbtUp->setEnabled(false);
  } else if (is_selected()) {
    w_.sbtUp->setEnabled(true);
  }

  const TreeFamily family = FamilyOf(node);
  switch (family) {
    case TreeFamily::kExcel:
      ShowListPanel(w_, store_);
      store_.erColumnPositions = ColumnValuePositionsFor(family, store_.product);
      store_.currentDataKind = DataKind::Excel;
      store_.currentListLevel = level > 0 ? 2 : 1;
      if (fetchIfEmpty && store_.Records(DataKind::Excel).empty()) {
        SelectNode(node);
        if (store_.fileVersion < kCurrentFileVersion || !host_.ImportExcel()) return false;
      }
      if (is_selected()) w_.ltvDatabase->hide();
      break;
    case TreeFamily::kDatabase:
      ShowListPanel(w_, store_);
      store_.erColumnPositions = ColumnValuePositionsFor(family, store_.product);
      if (level == 0) {
        if (is_selected()) ShowDatabaseKinds();
        store_.listRebuild = true;
        SelCountShow();
        return true;
      }
      if (!SelectDatabaseNode(node, level)) return false;
      if ((fetchIfEmpty && store_.Records(store_.currentDataKind).empty()) ||
          store_.refreshRequest) {
        if (!FetchAgain(node, askFirst)) return false;
      }
      break;
    case TreeFamily::kSql:
      store_.currentDataKind = DataKind::Sql;
      store_.currentListLevel = 2;
      ShowSqlPanel(w_, store_);
      break;
    case TreeFamily::kNone:
      return false;
  }

  if (!fetchIfEmpty || store_.listRebuild) SetList(node);
  return !store_.Records(store_.currentDataKind).empty();
}

bool TBrowser::SelectDatabaseNode(QTreeWidgetItem* node, int level) {
  if (w_.trvDataType->currentItem() == node) w_.ltvDatabase->hide();
  store_.currentDataKind = CatalogueKindOfCaption(GetNodeLevelText(node, 1).toStdString());
  if (!IsDataKind(store_.currentDataKind)) return false;
  store_.currentListLevel = level >= 4 ? 2 : 1;
  if (level == 2) {
    store_.selectedOwner = NodeKey(node);
  } else if (level == 3) {
    store_.selectedOwner = NodeKey(node->parent());
    store_.selectedType = NodeKey(node);
  }
  return true;
}

bool TBrowser::FetchAgain(QTreeWidgetItem* node, bool askFirst) {
  if (store_.fileVersion < kCurrentFileVersion) return false;
  store_.refreshRequest = false;
  if (askFirst) {
    SelectNode(node);
    std::string question =
        ToCp932(DataKindCaption(store_.currentDataKind)) + ToCp932("を取得しますか？");
    if (!prompt_.AskYesNo(question)) return false;
  }
  if (!host_.Connected()) {
    host_.ShowConnectDialog();
    if (!host_.Connected()) return false;
  }
  SelectNode(node);
  // The fetch destroys the data kind's records first, and may show an error box meanwhile: no
  // list row may point at them by then.
  ForgetListRows();
  const DataKind kind = store_.currentDataKind;
  if (!host_.FetchCurrentDataKind()) {
    // A failed fetch leaves the data kind empty; its old nodes would point at records that are
    // gone, so it shows its placeholder instead.
    if (store_.Records(kind).empty()) {
      RebuildDataKindChildren(DataKindNode(kind), store_, kind, images_);
      store_.listRebuild = true;
      SetList(w_.trvDataType->currentItem());
    }
    return false;
  }
  SetTreeNode(node);
  store_.listRebuild = true;
  return true;
}

void TBrowser::ForgetListRows() {
  for (QTreeView* list : {w_.ltvData, w_.ltvColumn}) ListModelOf(list)->SetRows({});
  filledNode_ = nullptr;
}

void TBrowser::ShowDatabaseKinds() {
  w_.txtPath->setText(Utf8Text(kDatabaseRootText));
  w_.ltvDatabase->setUpdatesEnabled(false);
  w_.ltvDatabase->clear();
  for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    auto* item = new QListWidgetItem(Utf8Text(DataKindCaption(kind)), w_.ltvDatabase);
    item->setIcon(images_.value(NodeImageIndex(DataKindNode(kind))));
  }
  w_.ltvDatabase->setUpdatesEnabled(true);
  w_.ltvDatabase->show();
  w_.ltvData->hide();
  w_.ltvColumn->hide();
}

void TBrowser::SetTreeNode(QTreeWidgetItem* node) {
  store_.SetModified();
  host_.DocumentChanged();
  const DataKind kind = store_.currentDataKind;
  if (kind < DataKind::Excel || kind > DataKind::TableIndex || !node) return;
  // The children are rebuilt under the data kind's own node (the Excel root for Excel tables).
  QTreeWidgetItem* kind_node = DataKindNode(kind);
  // A selected descendant is about to go: select the data kind's node first, so the lists
  // follow a node that stays.
  QTreeWidgetItem* current = w_.trvDataType->currentItem();
  if (current && current != kind_node && NodeAtLevel(current, NodeLevel(kind_node)) == kind_node) {
    SelectNode(kind_node);
  }
  filledNode_ = nullptr;
  RebuildDataKindChildren(kind_node, store_, kind, images_);
}

void TBrowser::sbtUpClick() {
  QTreeWidgetItem* node = w_.trvDataType->currentItem();
  if (!node || !node->parent()) return;
  const bool tree_focused = QApplication::focusWidget() == w_.trvDataType;
  SelectNode(node->parent());
  if (!tree_focused) {
    if (w_.ltvDatabase->isVisible()) w_.ltvDatabase->setFocus();
    if (w_.ltvData->isVisible()) w_.ltvData->setFocus();
  }
  if (!w_.trvDataType->currentItem() || !w_.trvDataType->currentItem()->parent()) {
    w_.sbtUp->setEnabled(false);
  }
}

bool TBrowser::BackspaceGoesUp() const {
  // In the filter box Backspace deletes the text.
  QWidget* focus = QApplication::focusWidget();
  return w_.sbtUp->isEnabled() && focus != w_.trvDataType &&
         (!w_.edtFilter || focus != w_.edtFilter) && store_.currentDataKind != DataKind::Sql;
}

bool TBrowser::PreparePopDataType(QTreeWidgetItem* node) {
  if (!node) return false;
  popupTarget_ = node;
  SelectNode(node);
  const bool database_work = store_.fileVersion >= kCurrentFileVersion;
  popDataType_Excel_Import->setEnabled(database_work);
  popDataType_AllRefresh->setEnabled(database_work);
  popDataType_Refresh->setEnabled(database_work);
  for (QAction* entry : {popDataType_Excel_Import, popDataType_Line1, popDataType_Excel_Delete,
                         popDataType_AllRefresh, popDataType_Refresh}) {
    entry->setVisible(false);
  }
  if (FamilyOf(node) == TreeFamily::kExcel) {
    popDataType_Excel_Import->setVisible(true);
    if (NodeLevel(node) == 1) {
      popDataType_Line1->setVisible(true);
      popDataType_Excel_Delete->setVisible(true);
    }
  } else {
    const DataKind kind = store_.currentDataKind;
    if (kind >= DataKind::Table && kind <= DataKind::TableIndex) popupTarget_ = DataKindNode(kind);
    (popupTarget_->parent() ? popDataType_Refresh : popDataType_AllRefresh)->setVisible(true);
  }
  return store_.currentDataKind != DataKind::Sql;
}

void TBrowser::ShowTreePopup(const QPoint& pos) {
  QTreeWidgetItem* node = w_.trvDataType->itemAt(pos);
  if (node && PreparePopDataType(node)) popDataType->exec(QCursor::pos());
}

void TBrowser::popDataType_Excel_ImportClick() {
  if (store_.fileVersion < kCurrentFileVersion) return;
  host_.ImportExcel();
}

void TBrowser::popDataType_RefreshClick() {
  QTreeWidgetItem* target = popupTarget_;
  if (!target || store_.fileVersion < kCurrentFileVersion) return;
  SelectNode(target);
  store_.refreshRequest = true;
  TreeNodeSelect(target, true, true);
  store_.refreshRequest = false;
}

void TBrowser::RefreshCurrentDataKind() {
  const DataKind kind = store_.currentDataKind;
  if (kind >= DataKind::Table && kind <= DataKind::TableIndex) {
    popupTarget_ = DataKindNode(kind);
    popDataType_RefreshClick();
  } else {
    popDataType_AllRefreshClick();
  }
}

void TBrowser::popDataType_AllRefreshClick() {
  if (store_.fileVersion < kCurrentFileVersion) return;
  if (!prompt_.AskYesNo(ToCp932("すべての情報を更新しますか？"))) return;
  if (!host_.Connected()) host_.ShowConnectDialog();
  if (host_.Connected()) {
    for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
      store_.refreshRequest = true;
      if (!TreeNodeSelect(DataKindNode(kind), true, false)) break;
    }
  }
  store_.refreshRequest = false;
  SelectNode(DatabaseRoot());
  host_.DocumentChanged();
}

void TBrowser::popDataType_Excel_DeleteClick() {
  if (store_.currentListLevel == 1) {
    popList_ExcelDeleteClick();
    host_.DocumentChanged();
    return;
  }
  QTreeWidgetItem* node = popupTarget_;
  if (!node || FamilyOf(node) != TreeFamily::kExcel || NodeLevel(node) != 1) return;
  const TTableRec* record = NodeRecord(node);
  if (!record) return;
  if (!prompt_.AskYesNo(ToCp932("「") + record->name + ToCp932("」を削除しますか？"))) {
    return;
  }
  popupTarget_ = nullptr;
  delete node;  // the selection moves on, and the lists follow it
  RemoveExcelRecord(record);
  CollapseEmptyExcelRoot();
  store_.SetModified();
  host_.DocumentChanged();
}

void TBrowser::RemoveExcelRecord(const TTableRec* record) {
  // No list may keep a row of the record once it is gone.
  for (QTreeView* list : {w_.ltvData, w_.ltvColumn}) {
    if (TListModel* model = ListModelOf(list)) model->RemoveRecordRows(record);
  }
  std::erase_if(store_.Records(DataKind::Excel),
                [record](const auto& owned) { return owned.get() == record; });
}

void TBrowser::CollapseEmptyExcelRoot() {
  if (!store_.Records(DataKind::Excel).empty()) return;
  QTreeWidgetItem* root = ExcelRoot();
  if (!root) return;
  filledNode_ = nullptr;
  RebuildDataKindChildren(root, store_, DataKind::Excel, images_);
  expandGuard_ = true;
  w_.trvDataType->collapseItem(root);
  expandGuard_ = false;
  store_.listRebuild = true;
  SetList(w_.trvDataType->currentItem());
}

}  // namespace morvane
