#include "db/table_index_matrix.h"

#include <algorithm>
#include <utility>

namespace morvane {

namespace {

constexpr size_t kIndexNameRow = 0;
constexpr size_t kIndexTypeRow = 1;
constexpr size_t kFirstIndexEntry = 2;  // entries 0 and 1 hold column name and data type

void PadTo(std::vector<std::string>& row, size_t size) {
  if (row.size() < size) row.resize(size);
}

}  // namespace

void TableIndexMatrixBuilder::StartRecord() {
  rows_.clear();
  current_column_row_ = 0;
  last_column_name_.clear();
  index_count_ = 0;
}

void TableIndexMatrixBuilder::TakeRow(const TableIndexRowTexts& row) {
  if (rows_.empty()) {
    rows_.push_back({"", ""});  // index names
    rows_.push_back({"", ""});  // index types
  }
  if (current_column_row_ == 0 || row.column_name != last_column_name_) {
    last_column_name_ = row.column_name;
    rows_.push_back({std::string(row.column_name), std::string(row.data_type)});
    current_column_row_ = rows_.size() - 1;
  }
  if (row.index_name.empty()) return;

  std::vector<std::string>& names = rows_[kIndexNameRow];
  auto found = std::find(names.begin() + kFirstIndexEntry, names.end(), row.index_name);
  size_t entry = static_cast<size_t>(found - names.begin());
  if (found == names.end()) {
    names.emplace_back(row.index_name);
    rows_[kIndexTypeRow].emplace_back(row.index_type);
    ++index_count_;
    largest_index_count_ = std::max(largest_index_count_, index_count_);
    entry = static_cast<size_t>(index_count_) + 1;
  }
  std::vector<std::string>& column_row = rows_[current_column_row_];
  PadTo(column_row, static_cast<size_t>(largest_index_count_) + kFirstIndexEntry);
  column_row[entry] = row.position;
}

int TableIndexMatrixBuilder::FinishRecord(TTableRec& record) {
  for (auto& row : rows_) PadTo(row, static_cast<size_t>(index_count_) + kFirstIndexEntry);
  SortIndexesByName();
  record.columns.clear();
  record.columns.reserve(rows_.size());
  for (const auto& row : rows_) record.columns.push_back(TColumnRow{TValueList(row)});
  return index_count_;
}

// An exchange sort, so every row (names, types and positions alike) moves with its index.
// Names compare byte by byte as unsigned values, a proper prefix being smaller.
void TableIndexMatrixBuilder::SortIndexesByName() {
  if (rows_.empty()) return;
  const std::vector<std::string>& names = rows_[kIndexNameRow];
  size_t last = static_cast<size_t>(index_count_) + 1;
  for (size_t i = kFirstIndexEntry; i < last; ++i) {
    for (size_t j = i + 1; j <= last; ++j) {
      if (std::string_view(names[i]).compare(names[j]) > 0) {
        for (auto& row : rows_) std::swap(row[i], row[j]);
      }
    }
  }
}

void PadTableIndexRows(RecordList& records, int largest_index_count) {
  size_t size = static_cast<size_t>(largest_index_count) + kFirstIndexEntry;
  for (auto& record : records) {
    for (TColumnRow& row : record->columns) {
      if (row.values.size() < size) row.values.resize(size);
    }
  }
}

std::vector<TItemDef> TableIndexColumnItems(int largest_index_count) {
  std::vector<TItemDef> items;
  int count = largest_index_count + static_cast<int>(kFirstIndexEntry);
  for (int i = 0; i < count; ++i) {
    TItemDef item;
    item.index = i;
    item.valueKind = kValueKindText;
    item.output = 1;
    item.excelColumn = ColumnLetters(i);
    if (i == 0) {
      item.name = "COLUMN NAME";
      item.width = 100;
    } else if (i == 1) {
      item.name = "COLUMN TYPE";
      item.width = 100;
    } else {
      item.name = std::to_string(i - 1);
      item.width = 150;
    }
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace morvane
