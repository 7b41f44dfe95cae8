// TBrowser and the lists: filling them for a tree node, sorting the table list, opening a table
// from its row, and the database kinds list ltvDatabase.
#include <QApplication>
#include <QCursor>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/browser.h"
#include "app/gui/browse/data_tree.h"
#include "app/gui/browse/report_view.h"
#include "app/gui/browse/wait_cursor.h"
#include "browse/list_columns.h"

namespace morvane {
namespace {

constexpr const char* kDisplayingText = "表示中";

}  // namespace

QTreeView* TBrowser::ChooseList() const {
  if (store_.currentListLevel == 1) return w_.ltvData;
  if (store_.currentDataKind == DataKind::Sql && w_.ltvSQL) return w_.ltvSQL;
  return w_.ltvColumn;
}

QAbstractItemView* TBrowser::ListInUse() const {
  if (store_.currentDataKind == DataKind::Sql) return w_.ltvSQL;
  if (store_.currentListLevel == 1) return w_.ltvData;
  if (store_.currentListLevel == 2) return w_.ltvColumn;
  return nullptr;
}

void TBrowser::SetList(QTreeWidgetItem* node) {
  if (!store_.listViewActive || !w_.ltvDatabase->isHidden()) return;
  const DataKind kind = store_.currentDataKind;
  w_.txtPath->setText(ShownText(ListPathText(kind)));
  QTreeView* list = ChooseList();
  if (kind == DataKind::None) {
    ListModelOf(list)->Clear();
    list->show();
    return;
  }
  WaitCursor wait;
  list->setUpdatesEnabled(false);
  if (store_.listRebuild) columnsCurrent_ = {};
  RebuildColumnsIfNeeded(list);
  if (node != filledNode_ || store_.listRebuild) {
    filledNode_ = node;
    store_.listRebuild = false;
    ListModelOf(list)->SetRows({});
    if (store_.currentListLevel == 1) {
      FillTableRows(list);
    } else {
      const TTableRec* record =
          kind == DataKind::Sql
              ? (store_.Records(kind).empty() ? nullptr : store_.Records(kind).front().get())
              : NodeRecord(node);
      FillColumnRows(list, record);
    }
  }
  list->setUpdatesEnabled(true);
  ShowListForLevel();
}

void TBrowser::RebuildColumnsIfNeeded(QTreeView* list) {
  const DataKind kind = store_.currentDataKind;
  const int item_level = store_.currentListLevel == 1 ? kItemLevelTable : kItemLevelColumn;
  if (kind == columnsKind_ && columnsCurrent_[item_level - 1]) return;
  if (columnsList_ && ListModelOf(columnsList_)->columnCount() > 0) {
    SaveColumnWidths(store_.Items(columnsKind_, columnsLevel_), ShownColumns(columnsList_));
  }
  const bool same_kind = kind == columnsKind_;
  columnsList_ = list;
  columnsKind_ = kind;
  columnsLevel_ = item_level;
  if (same_kind) {
    columnsCurrent_[item_level - 1] = true;
  } else {
    columnsCurrent_ = {};
  }
  SetReportColumns(list, BuildListColumns(store_.Items(kind, item_level)));
  list->header()->setSortIndicatorShown(false);
  filledNode_ = nullptr;  // new columns come without rows
}

void TBrowser::FillTableRows(QTreeView* list) {
  const DataKind kind = store_.currentDataKind;
  w_.txtPath->setText(
      ShownText(TableListPathText(kind, store_.selectedOwner, store_.selectedType)));
  const RecordList& records = store_.Records(kind);
  if (records.empty()) return;
  progress_.Begin(kDisplayingText, static_cast<int>(records.size()));
  std::vector<TListRow> rows;
  for (const TTableRec* record :
       TableListRecords(records, store_.selectedOwner, store_.selectedType)) {
    rows.push_back({&record->values, record});
  }
  ListModelOf(list)->SetRows(std::move(rows));
  progress_.Step(static_cast<int>(records.size()));
  sortTypeStale_ = true;
  SortDataList();
}

bool TBrowser::FillColumnRows(QTreeView* list, const TTableRec* record) {
  if (!record) return false;
  w_.txtPath->setText(ShownText(ColumnListPathText(store_.currentDataKind, *record)));
  if (record->columns.empty()) return true;
  progress_.Begin(kDisplayingText, static_cast<int>(record->columns.size()));
  std::vector<TListRow> rows;
  rows.reserve(record->columns.size());
  for (const TColumnRow& column : record->columns) rows.push_back({&column.values, record});
  ListModelOf(list)->SetRows(std::move(rows));
  progress_.Step(static_cast<int>(record->columns.size()));
  return true;
}

void TBrowser::ShowListForLevel() {
  const bool tables = store_.currentListLevel == 1;
  w_.ltvData->setVisible(tables);
  w_.ltvColumn->setVisible(!tables);
  progress_.End();
  SelCountShow();
}

void TBrowser::SortDataList() {
  const DataKind kind = store_.currentDataKind;
  if (kind < DataKind::Excel || kind > DataKind::TableIndex) return;
  const int column = store_.sortColumn[DataKindIndex(kind)];
  const int direction = store_.sortDirection[DataKindIndex(kind)];
  if (sortTypeStale_) {
    sortTypeStale_ = false;
    if (auto value_kind = SortColumnValueKind(store_.Items(kind, kItemLevelTable), column)) {
      sortType_ = *value_kind;
    }
  }
  ListModelOf(w_.ltvData)->SortRows(column, sortType_, direction);
  QHeaderView* header = w_.ltvData->header();
  header->setSortIndicatorShown(true);
  header->setSortIndicator(column, direction == 0 ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TBrowser::ltvDataColumnClick(int column) {
  const DataKind kind = store_.currentDataKind;
  if (store_.currentListLevel != 1 || kind < DataKind::Excel || kind > DataKind::TableIndex) return;
  int& sort_column = store_.sortColumn[DataKindIndex(kind)];
  int& direction = store_.sortDirection[DataKindIndex(kind)];
  if (column == sort_column) {
    direction = direction == 0 ? 1 : 0;
  } else {
    sort_column = column;
    direction = 0;
  }
  sortTypeStale_ = true;
  SortDataList();
}

void TBrowser::ltvDataDblClick() {
  if (store_.currentListLevel != 1) return;
  std::vector<int> rows = SelectedRows(w_.ltvData);
  if (rows.empty()) return;
  const TTableRec* record = ListModelOf(w_.ltvData)->RecordAt(rows.front());
  WaitCursor wait;
  // The row's own record finds its node, even among tables whose names differ only in case.
  QTreeWidgetItem* node =
      FindNodeUnder(DataKindNode(store_.currentDataKind),
                    [record](const QTreeWidgetItem* n) { return NodeRecord(n) == record; });
  store_.listViewActive = false;
  if (node) {
    SelectNode(node);
    w_.trvDataType->scrollToItem(node);
  }
  store_.listViewActive = true;
  if (node) SetList(node);
  w_.ltvColumn->setFocus();
}

void TBrowser::ltvDatabaseDblClick() {
  QList<QListWidgetItem*> selected = w_.ltvDatabase->selectedItems();
  if (selected.isEmpty()) return;
  QTreeWidgetItem* node =
      DataKindNode(CatalogueKindOfCaption(selected.front()->text().toStdString()));
  if (!node) return;
  SelectNode(node);
  node->setExpanded(true);  // an empty data kind asks whether to fetch it
  w_.ltvData->setFocus();
}

bool TBrowser::PreparePopDatabase() {
  if (store_.product == Product::None) return false;
  for (QAction* entry : {popDataType_Excel_Import, popDataType_Line1, popDataType_Excel_Delete,
                         popDataType_AllRefresh, popDataType_Refresh}) {
    entry->setVisible(false);
  }
  QList<QListWidgetItem*> selected = w_.ltvDatabase->selectedItems();
  if (selected.isEmpty()) {
    popDataType_AllRefresh->setVisible(true);
  } else {
    popupTarget_ = DataKindNode(CatalogueKindOfCaption(selected.front()->text().toStdString()));
    popDataType_Refresh->setVisible(true);
  }
  return true;
}

void TBrowser::ShowDatabasePopup(const QPoint&) {
  if (PreparePopDatabase()) popDataType->exec(QCursor::pos());
}

}  // namespace morvane
