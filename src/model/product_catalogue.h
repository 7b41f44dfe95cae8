// The statements that read a product's catalogue, as data, and what a table fetch reads after
// the tables. Each product keeps its own in its file under products/; the generic ODBC product
// reads the driver's catalogue functions instead and has none. Texts are CP932 bytes, sent
// exactly as they stand.
#pragma once

#include <cstddef>
#include <optional>

#include "model/data_kind.h"

namespace morvane {

// The catalogue statement and the count statement of one data kind; both null when the data
// kind has none.
struct StatementTexts {
  const char* catalogue = nullptr;
  const char* count = nullptr;
};

// The key marks a table fetch sets after the tables. The rows of both statements name the
// table, by (owner, name) or by name alone, then the column, which is matched against the
// column-level entry columnEntry; the primary-key rows may go on with the column's key position.
struct KeyMarkPass {
  const char* primaryKeySql = nullptr;
  const char* uniqueSql = nullptr;
  bool tableByOwner = false;
  size_t columnEntry = 0;
  size_t primaryKeyEntry = 0;
  std::optional<size_t> keyPositionEntry{};
  size_t uniqueEntry = 0;
};

struct ProductCatalogue {
  StatementTexts tables, indexes, tableIndexes;
  // Rows (foreign-key table, referenced table), ordered by both, read after the tables.
  const char* relationshipSql = nullptr;
  std::optional<KeyMarkPass> keyMarks{};

  // The statements of a data kind (2 table, 3 index, 4 table-index information).
  StatementTexts For(DataKind data_kind) const {
    switch (data_kind) {
      case DataKind::Table:
        return tables;
      case DataKind::Index:
        return indexes;
      case DataKind::TableIndex:
        return tableIndexes;
      default:
        return {};
    }
  }
};

}  // namespace morvane
