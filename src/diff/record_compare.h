// Compares two lists of records: records matched by key, their values item by item, their
// column rows matched by name or by position.
#pragma once

#include <vector>

#include "diff/change.h"
#include "diff/item_pairs.h"
#include "model/catalogue_store.h"

namespace morvane::diff {

// One side of a comparison.
struct RecordSide {
  const RecordList* records = nullptr;
  int rowNamePosition = -1;  // value holding a column row's name; -1: rows match by position
  bool ownerInKey = true;    // records match by owner and name; false: by name alone
};

struct RecordComparison {
  DataKind dataKind = DataKind::Table;
  ObjectKind recordObject = ObjectKind::kTable;
  ObjectKind rowObject = ObjectKind::kColumn;
  std::vector<ItemPair> recordItems;
  std::vector<ItemPair> rowItems;
  RecordSide before;
  RecordSide after;
};

// Appends the differences, unsorted.
void CompareRecords(const RecordComparison& comparison, ChangeList& changes);

}  // namespace morvane::diff
