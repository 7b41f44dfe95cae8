// The live schema of one emulated database: tables and views with their columns, constraints
// and indexes, as the DDL sent through the driver created them. The vendor catalogues are
// derived from this model.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/family.h"
#include "engine/vendor_types.h"

namespace morvane::emulator {

struct ColumnDef {
  std::string name;
  ColumnType type;
  bool nullable = true;
  std::optional<std::string> default_text;  // as written in the DDL
  std::optional<std::string> remarks;       // COMMENT ON COLUMN
  std::optional<int64_t> num_distinct;      // statistics, set by ANALYZE
  std::optional<int64_t> num_nulls;
};

enum class ConstraintKind : char { kPrimary = 'P', kUnique = 'U', kForeign = 'R', kCheck = 'C' };

struct ConstraintDef {
  std::string name;
  ConstraintKind kind = ConstraintKind::kCheck;
  bool generated = false;  // the name was made up by the database
  std::vector<std::string> columns;
  std::string ref_table;                 // foreign keys
  std::vector<std::string> ref_columns;  // foreign keys (empty: the referenced primary key)
  std::string check_text;
  std::string index_name;  // primary and unique keys: the index that enforces them
};

struct IndexDef {
  std::string name;
  std::string kind;  // NORMAL, BITMAP (Oracle); BTREE, STAR, TARGET (Red Brick)
  bool unique = false;
  bool generated = false;
  std::string constraint_name;  // set when the index enforces a constraint
  std::vector<std::string> columns;
  std::string created;
};

struct ObjectDef {
  int64_t id = 0;
  std::string name;
  bool is_view = false;
  std::string created;  // "YYYY-MM-DD HH:MM:SS"
  std::optional<std::string> remarks;
  std::vector<ColumnDef> columns;
  std::vector<ConstraintDef> constraints;
  std::vector<IndexDef> indexes;
  std::optional<int64_t> num_rows;  // statistics, set by ANALYZE
  std::optional<std::string> analyzed;

  const ColumnDef* FindColumn(const std::string& column) const;
  ColumnDef* FindColumn(const std::string& column);
  const ConstraintDef* PrimaryKey() const;
};

struct SchemaModel {
  Family family = Family::kOracle;
  std::string owner;
  std::vector<ObjectDef> objects;  // in creation order

  const ObjectDef* Find(const std::string& name) const;
};

}  // namespace morvane::emulator
