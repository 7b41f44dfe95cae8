#include "app/gui/browse/list_model.h"

#include <algorithm>
#include <numeric>

#include "browse/list_order.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

QString Display(std::string_view cp932) { return QString::fromStdString(Cp932ForDisplay(cp932)); }

}  // namespace

void TListModel::SetColumns(std::vector<TListColumn> columns) {
  beginResetModel();
  columns_ = std::move(columns);
  rows_.clear();
  order_.clear();
  display_.clear();
  endResetModel();
}

void TListModel::SetRows(std::vector<TListRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  order_.resize(rows_.size());
  std::iota(order_.begin(), order_.end(), 0);
  ApplyFilter();
  endResetModel();
}

void TListModel::Clear() {
  beginResetModel();
  columns_.clear();
  rows_.clear();
  order_.clear();
  display_.clear();
  endResetModel();
}

void TListModel::SetRowFilter(RowFilter filter) {
  beginResetModel();
  filter_ = std::move(filter);
  ApplyFilter();
  endResetModel();
}

void TListModel::ApplyFilter() {
  if (!filter_) {
    display_ = order_;
    return;
  }
  display_.clear();
  for (int position : order_) {
    if (filter_(rows_[position])) display_.push_back(position);
  }
}

void TListModel::RemoveListRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  beginRemoveRows(QModelIndex(), row, row);
  const int removed = display_[row];
  rows_.erase(rows_.begin() + removed);
  display_.erase(display_.begin() + row);
  order_.erase(std::find(order_.begin(), order_.end(), removed));
  for (std::vector<int>* positions : {&order_, &display_}) {
    for (int& position : *positions) {
      if (position > removed) --position;
    }
  }
  endRemoveRows();
}

void TListModel::RemoveRecordRows(const TTableRec* record) {
  auto belongs = [record](const TListRow& row) { return row.record == record; };
  if (std::none_of(rows_.begin(), rows_.end(), belongs)) return;
  beginResetModel();
  std::vector<int> fill_to_kept(rows_.size(), -1);
  std::vector<TListRow> kept;
  for (size_t i = 0; i < rows_.size(); ++i) {
    if (belongs(rows_[i])) continue;
    fill_to_kept[i] = static_cast<int>(kept.size());
    kept.push_back(rows_[i]);
  }
  auto keep = [&fill_to_kept](std::vector<int>& positions) {
    std::vector<int> kept_positions;
    for (int position : positions) {
      if (fill_to_kept[position] >= 0) kept_positions.push_back(fill_to_kept[position]);
    }
    positions = std::move(kept_positions);
  };
  keep(order_);
  keep(display_);
  rows_ = std::move(kept);
  endResetModel();
}

void TListModel::SortRows(int column, int valueKind, int direction) {
  if (column < 0 || column >= columnCount() || rows_.empty()) return;
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  // The keys in fill order, so that equal keys keep their fill order whatever was shown before.
  std::vector<std::string_view> keys;
  keys.reserve(rows_.size());
  const int value_index = columns_[column].index;
  for (const TListRow& row : rows_) {
    keys.push_back(row.values ? row.values->ValueOr(value_index) : std::string_view());
  }
  std::vector<int> order = SortedRowOrder(keys, valueKind, direction);

  order_ = std::move(order);
  std::vector<int> old_display = std::move(display_);
  ApplyFilter();  // the same rows as before, in the new order
  std::vector<int> display_of_fill(rows_.size());
  for (size_t i = 0; i < display_.size(); ++i) display_of_fill[display_[i]] = static_cast<int>(i);
  QModelIndexList from = persistentIndexList();
  QModelIndexList to;
  to.reserve(from.size());
  for (const QModelIndex& index : from) {
    to << createIndex(display_of_fill[old_display[index.row()]], index.column());
  }
  changePersistentIndexList(from, to);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

std::string_view TListModel::Cell(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return {};
  const TValueList* values = rows_[display_[row]].values;
  return values ? values->ValueOr(columns_[column].index) : std::string_view();
}

const TTableRec* TListModel::RecordAt(int row) const {
  return row >= 0 && row < rowCount() ? rows_[display_[row]].record : nullptr;
}

int TListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(display_.size());
}

int TListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant TListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) {
    return Display(Cell(index.row(), index.column()));
  }
  if (role == Qt::TextAlignmentRole) {
    bool number = columns_[index.column()].valueKind == kValueKindNumber;
    return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
  }
  return {};
}

QVariant TListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  // The tooltip gives the whole caption when the column is too narrow for it.
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
    return Display(columns_[section].caption);
  }
  if (role == Qt::TextAlignmentRole) {
    bool number = columns_[section].valueKind == kValueKindNumber;
    return QVariant::fromValue(Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft));
  }
  return {};
}

}  // namespace morvane
