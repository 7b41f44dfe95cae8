// The records of the catalogue: tables or indexes with their column rows, and the relations
// between tables. Every value is a CP932 string stored exactly as the database, the Excel sheet
// or the project file gave it.
#pragma once

#include <string>
#include <vector>

#include "model/value_list.h"

namespace morvane {

// One column row; value j belongs to the column-level item whose `index` is j.
struct TColumnRow {
  TValueList values;

  bool operator==(const TColumnRow&) const = default;
};

// One table or index record.
//  - data kinds 2 and 3: owner, name and type are copies of values 0, 1 and 2;
//  - data kind 4: values are owner, table name, table type and index count;
//  - data kind 1: one record per imported sheet, owner and type empty;
//  - data kind 5: one record with empty keys, no values and one column row per result row.
struct TTableRec {
  std::string owner;  // owner, creator or schema; the tree level under the data kind
  std::string type;   // table or index type; the tree level under the owner
  std::string name;   // table or index name; the tree leaf
  TValueList values;  // value i belongs to the table-level item whose `index` is i
  std::vector<TColumnRow> columns;

  bool operator==(const TTableRec&) const = default;
};

// One relation: the table holding a foreign key and the tables it refers to.
struct TRelationRec {
  std::string fkTable;
  std::vector<std::string> pkTables;

  bool operator==(const TRelationRec&) const = default;
};

}  // namespace morvane
