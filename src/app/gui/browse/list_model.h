// TListModel: the rows of a report list (ltvData, ltvColumn, ltvSQL) as a Qt table model over the
// document. A row refers to a record's or a column row's values in the store; nothing is copied,
// and cells are converted from CP932 only when the view paints them. So a list of tens of
// thousands of tables fills and sorts in a fraction of a second.
//
// The row references stay valid until the records' data kind is cleared: whoever clears a data
// kind refills or clears the list afterwards.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string_view>
#include <vector>

#include "browse/list_columns.h"
#include "model/records.h"

namespace morvane {

// One row: the values its cells come from, and the record they belong to (the table itself in a
// table list, the table of the column rows in a column list, none for SQL results).
struct TListRow {
  const TValueList* values = nullptr;
  const TTableRec* record = nullptr;
};

class TListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Replaces the columns; the rows go with them.
  void SetColumns(std::vector<TListColumn> columns);
  // Replaces the rows, in fill order.
  void SetRows(std::vector<TListRow> rows);
  // No columns, no rows.
  void Clear();
  // Removes one row.
  void RemoveListRow(int row);
  // Removes every row that belongs to `record` (before the record is destroyed).
  void RemoveRecordRows(const TTableRec* record);

  // Which rows the list shows; the others stay in the model, in their place of the order, and
  // come back when the filter lets them through again. The filter holds across SetRows and
  // SortRows; an empty filter shows every row. Rows and their numbers (Cell, RecordAt,
  // rowCount) are the shown rows only. Views lose their selection, as on SetRows.
  using RowFilter = std::function<bool(const TListRow&)>;
  void SetRowFilter(RowFilter filter);
  bool Filtered() const { return static_cast<bool>(filter_); }
  // The rows filled, shown or not.
  int FilledRowCount() const { return static_cast<int>(rows_.size()); }

  // Orders the rows by a column's cells (see browse/list_order.h); rows with equal cells keep
  // their fill order. Selections and current rows of the views move with their rows.
  void SortRows(int column, int valueKind, int direction);

  const std::vector<TListColumn>& Columns() const { return columns_; }
  // The CP932 text of a cell in display order; empty outside the list.
  std::string_view Cell(int row, int column) const;
  // The record of a row in display order, or nullptr.
  const TTableRec* RecordAt(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

 private:
  std::vector<TListColumn> columns_;
  std::vector<TListRow> rows_;  // in fill order
  std::vector<int> order_;      // every row in display order, as positions in rows_
  std::vector<int> display_;    // display row -> position in rows_: order_ less filtered rows
  RowFilter filter_;

  // display_ from order_ and the filter.
  void ApplyFilter();
};

}  // namespace morvane
