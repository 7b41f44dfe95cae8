// Turns the rows of a catalogue statement into table records.
//
// The statement returns one flat result set: on every row the table-level texts of a table (or
// index) followed by the column-level texts of one of its columns. The rows of one record arrive
// together; the assembler takes them one by one into the record being built, computing the
// per-table totals on the way.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "db/table_index_matrix.h"
#include "model/product_profile.h"
#include "model/records.h"

namespace morvane {

class RecordAssembler {
 public:
  RecordAssembler(Product product, DataKind data_kind) : product_(product), data_kind_(data_kind) {}

  // Starts `record` with the table-level texts of its first row as values; owner, name and type
  // are copies of values 0, 1 and 2.
  void StartRecord(TTableRec& record, const std::vector<std::string_view>& table_texts);
  // Takes the column-level texts of one row into the record being built.
  void TakeRow(const std::vector<std::string_view>& column_texts);
  // Writes the record's totals (table information) or its matrix (table-index information).
  void FinishRecord();

  // Table-index information: the largest index count of any record so far.
  int largest_index_count() const { return matrix_.largest_index_count(); }

 private:
  void TakeTableColumn(const std::vector<std::string_view>& column_texts);

  Product product_;
  DataKind data_kind_;
  TTableRec* record_ = nullptr;
  int64_t total_size_ = 0;
  int small_columns_ = 0;  // 1 to 250 bytes
  int large_columns_ = 0;  // 251 bytes or more
  TableIndexMatrixBuilder matrix_;
  std::vector<std::string_view> row_texts_;  // the texts of the column row being taken
};

// Whether the first `key_columns` table-level texts of a row name `record`, byte for byte.
bool RowBelongsTo(const TTableRec& record, const std::vector<std::string_view>& table_texts,
                  int key_columns);

}  // namespace morvane
