// The column-by-index matrix of table-index information.
//
// A table-index record has one row of index names, one row of index types, then one row per
// table column: column name, data type, and for the k-th index of the table the position of
// the column in it (empty when the column is not in that index). The indexes of a table are
// ordered by name in byte order, and every row of every record of one fetch has as many
// entries as the table with the most indexes needs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue_store.h"

namespace morvane {

// Column-level texts of one table-index row.
struct TableIndexRowTexts {
  std::string_view column_name;
  std::string_view data_type;
  std::string_view index_name;
  std::string_view index_type;
  std::string_view position;  // of the column in that index; empty when in no index
};

// Builds the matrices of the records of one fetch, one record at a time.
class TableIndexMatrixBuilder {
 public:
  // Starts the matrix of a record with no column rows yet.
  void StartRecord();
  // Takes one row of the catalogue statement into the record being built. A column in several
  // indexes arrives on consecutive rows and fills one column row.
  void TakeRow(const TableIndexRowTexts& row);
  // Sorts the record's indexes by name, pads its rows, writes them into `record.columns` and
  // returns the record's index count.
  int FinishRecord(TTableRec& record);

  // The largest index count of any record so far.
  int largest_index_count() const { return largest_index_count_; }

 private:
  void SortIndexesByName();

  // The rows of the record being built: index names, index types, then the column rows.
  std::vector<std::vector<std::string>> rows_;
  size_t current_column_row_ = 0;  // 0: no column row yet
  std::string last_column_name_;
  int index_count_ = 0;
  int largest_index_count_ = 0;
};

// Pads every row of every record with empty entries to `largest_index_count` + 2 entries.
void PadTableIndexRows(RecordList& records, int largest_index_count);

// The column-level items of table-index information for `largest_index_count` indexes:
// "COLUMN NAME", "COLUMN TYPE", then "1", "2", ... one per index position.
std::vector<TItemDef> TableIndexColumnItems(int largest_index_count);

}  // namespace morvane
