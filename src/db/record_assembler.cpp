#include "db/record_assembler.h"

#include <string>
#include <utility>

#include "db/column_size.h"
#include "db/value_replace.h"
#include "model/data_kind.h"

namespace morvane {

namespace {

// Entries of a column row of table information.
constexpr size_t kDataTypeEntry = 2;
constexpr size_t kLengthEntry = 6;  // length or precision
constexpr size_t kScaleEntry = 7;
constexpr size_t kSizeEntry = 8;

// Table-level values holding the totals.
constexpr size_t kTotalSizeValue = 3;
constexpr size_t kSmallColumnsValue = 4;
constexpr size_t kLargeColumnsValue = 5;
constexpr size_t kIndexCountValue = 3;

// Integer value of a decimal text; 0 for anything that is not a whole number.
int64_t IntegerValue(std::string_view text) {
  bool negative = !text.empty() && text.front() == '-';
  if (negative || (!text.empty() && text.front() == '+')) text.remove_prefix(1);
  if (text.empty() || text.size() > 18) return 0;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

std::string_view TextAt(const std::vector<std::string_view>& texts, size_t i) {
  return i < texts.size() ? texts[i] : std::string_view();
}

}  // namespace

bool RowBelongsTo(const TTableRec& record, const std::vector<std::string_view>& table_texts,
                  int key_columns) {
  for (size_t i = 0; i < static_cast<size_t>(key_columns); ++i) {
    if (record.values.ValueOr(i) != TextAt(table_texts, i)) return false;
  }
  return true;
}

void RecordAssembler::StartRecord(TTableRec& record,
                                  const std::vector<std::string_view>& table_texts) {
  record_ = &record;
  record.values.clear();
  record.values.Append(table_texts);
  record.owner = record.values.ValueOr(0);
  record.name = record.values.ValueOr(1);
  record.type = record.values.ValueOr(2);
  total_size_ = 0;
  small_columns_ = 0;
  large_columns_ = 0;
  if (data_kind_ == DataKind::TableIndex) matrix_.StartRecord();
}

void RecordAssembler::TakeRow(const std::vector<std::string_view>& column_texts) {
  if (data_kind_ == DataKind::TableIndex) {
    matrix_.TakeRow({TextAt(column_texts, 0), TextAt(column_texts, 1), TextAt(column_texts, 2),
                     TextAt(column_texts, 3), TextAt(column_texts, 4)});
  } else {
    TakeTableColumn(column_texts);
  }
}

void RecordAssembler::TakeTableColumn(const std::vector<std::string_view>& column_texts) {
  row_texts_.assign(column_texts.begin(), column_texts.end());
  std::string size;  // outlives row_texts_[kSizeEntry]
  const ColumnSizeSource source = ProfileOf(product_).columnSize;
  if (data_kind_ == DataKind::Table && source == ColumnSizeSource::kCatalogue) {
    total_size_ += IntegerValue(TextAt(row_texts_, kSizeEntry));
  } else if (data_kind_ == DataKind::Table && source == ColumnSizeSource::kTypeRules) {
    size = ColumnByteSize(product_, TextAt(row_texts_, kDataTypeEntry),
                          TextAt(row_texts_, kLengthEntry), TextAt(row_texts_, kScaleEntry));
    if (kSizeEntry < row_texts_.size()) row_texts_[kSizeEntry] = size;
    int64_t bytes_of_column = IntegerValue(size);
    total_size_ += bytes_of_column;
    if (bytes_of_column >= 1 && bytes_of_column <= 250) ++small_columns_;
    if (bytes_of_column >= 251) ++large_columns_;
  }
  record_->columns.emplace_back().values.Append(row_texts_);
}

void RecordAssembler::FinishRecord() {
  TValueList& values = record_->values;
  if (data_kind_ == DataKind::TableIndex) {
    int index_count = matrix_.FinishRecord(*record_);
    ReplaceValues(values, {{kIndexCountValue, std::to_string(index_count)}});
  } else if (data_kind_ == DataKind::Table) {
    std::string total = std::to_string(total_size_);
    const ProductProfile& profile = ProfileOf(product_);
    if (profile.columnCountsBySize) {
      std::string small = std::to_string(small_columns_);
      std::string large = std::to_string(large_columns_);
      ReplaceValues(
          values,
          {{kTotalSizeValue, total}, {kSmallColumnsValue, small}, {kLargeColumnsValue, large}});
    } else if (profile.columnSize != ColumnSizeSource::kNone) {
      ReplaceValues(values, {{kTotalSizeValue, total}});
    }
  }
  record_ = nullptr;
}

}  // namespace morvane
