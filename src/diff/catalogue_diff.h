// What changed between two catalogues, and between a project's design workbook and its
// database definitions.
#pragma once

#include <vector>

#include "diff/change.h"
#include "model/catalogue_store.h"

namespace morvane::diff {

struct CompareOptions {
  // The data kinds compared; relations go with table information.
  std::vector<DataKind> kinds = {DataKind::Table, DataKind::Index};
  // Also compare the items that change without any change of the schema (row counts and
  // statistics; the product's statistics items).
  bool allItems = false;
};

// The changes from `before` to `after`, sorted (SortChanges). Records match by owner and name,
// column rows by name, index column rows by position, items by name; relations as pairs of
// referring and referred-to table. A change found by two data kinds is listed once.
ChangeList CompareCatalogues(const TCatalogueStore& before, const TCatalogueStore& after,
                             const CompareOptions& options = {});

// The changes from the project's design definitions (Excelファイル) to its database definitions
// (テーブル情報): tables matched by name, columns by name, and of each column the type, length,
// precision, scale, NOT NULL, primary key and comment. Sorted.
ChangeList CompareDesignWithDatabase(const TCatalogueStore& store);

}  // namespace morvane::diff
