#include "diff/catalogue_diff.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "diff/record_compare.h"

namespace morvane::diff {
namespace {

// Where a column row of a data kind keeps its name; -1: rows are matched by position.
int RowNamePosition(const TCatalogueStore& store, DataKind kind) {
  switch (kind) {
    case DataKind::Excel:
      return kExcelColumnPositions.name;
    case DataKind::Table:
      return ProfileOf(store.product).columnPositions.name;
    case DataKind::TableIndex:
      return 0;  // the matrix rows begin with the column name
    default:
      return -1;
  }
}

ItemFilter StatisticsFilter(const TCatalogueStore& before, const TCatalogueStore& after,
                            bool allItems) {
  if (allItems) return {};
  const ProductProfile& old = ProfileOf(before.product);
  const ProductProfile& now = ProfileOf(after.product);
  return [&old, &now](std::string_view name) {
    return IsStatisticsItem(old, name) || IsStatisticsItem(now, name);
  };
}

void CompareDataKind(const TCatalogueStore& before, const TCatalogueStore& after, DataKind kind,
                     const ItemFilter& leaveOut, ChangeList& changes) {
  const bool indexes = kind == DataKind::Index;
  RecordComparison comparison{
      .dataKind = kind,
      .recordObject = indexes ? ObjectKind::kIndex : ObjectKind::kTable,
      .rowObject = indexes ? ObjectKind::kIndexColumn : ObjectKind::kColumn,
      .recordItems = PairItemsByName(before.Items(kind, kItemLevelTable),
                                     after.Items(kind, kItemLevelTable), leaveOut),
      .rowItems = PairItemsByName(before.Items(kind, kItemLevelColumn),
                                  after.Items(kind, kItemLevelColumn), leaveOut),
      .before = {&before.Records(kind), RowNamePosition(before, kind), kind != DataKind::Excel},
      .after = {&after.Records(kind), RowNamePosition(after, kind), kind != DataKind::Excel},
  };
  CompareRecords(comparison, changes);
}

using RelationPair = std::pair<std::string_view, std::string_view>;

std::vector<RelationPair> RelationPairs(const std::vector<TRelationRec>& relations) {
  std::vector<RelationPair> pairs;
  for (const TRelationRec& relation : relations) {
    for (const std::string& pk : relation.pkTables) pairs.emplace_back(relation.fkTable, pk);
  }
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

void AddRelation(ChangeKind kind, const RelationPair& pair, ChangeList& changes) {
  TChange& change = changes.emplace_back();
  change.change = kind;
  change.object = ObjectKind::kRelation;
  change.table = pair.first;
  change.part = pair.second;
  change.fullName = RelationFullName(pair.first, pair.second);
}

void CompareRelations(const TCatalogueStore& before, const TCatalogueStore& after,
                      ChangeList& changes) {
  const std::vector<RelationPair> old = RelationPairs(before.relations);
  const std::vector<RelationPair> now = RelationPairs(after.relations);
  std::vector<RelationPair> removed, added;
  std::set_difference(old.begin(), old.end(), now.begin(), now.end(), std::back_inserter(removed));
  std::set_difference(now.begin(), now.end(), old.begin(), old.end(), std::back_inserter(added));
  for (const RelationPair& pair : removed) AddRelation(ChangeKind::kRemoved, pair, changes);
  for (const RelationPair& pair : added) AddRelation(ChangeKind::kAdded, pair, changes);
}

bool SameReport(const TChange& a, const TChange& b) {
  return a.change == b.change && a.object == b.object && a.fullName == b.fullName &&
         a.item == b.item && a.oldValue == b.oldValue && a.newValue == b.newValue;
}

// Sorts and drops the changes a second data kind reported again (table info and table-index
// info both see a table come and go).
void SortUnique(ChangeList& changes) {
  SortChanges(changes);
  ChangeList unique;
  unique.reserve(changes.size());
  size_t runStart = 0;
  for (TChange& change : changes) {
    if (!unique.empty() &&
        (unique.back().fullName != change.fullName || unique.back().change != change.change ||
         unique.back().object != change.object)) {
      runStart = unique.size();
    }
    const bool seen = std::any_of(unique.begin() + runStart, unique.end(),
                                  [&](const TChange& kept) { return SameReport(kept, change); });
    if (!seen) unique.push_back(std::move(change));
  }
  changes = std::move(unique);
}

}  // namespace

ChangeList CompareCatalogues(const TCatalogueStore& before, const TCatalogueStore& after,
                             const CompareOptions& options) {
  ChangeList changes;
  const ItemFilter leaveOut = StatisticsFilter(before, after, options.allItems);
  for (DataKind kind : options.kinds) CompareDataKind(before, after, kind, leaveOut, changes);
  if (std::find(options.kinds.begin(), options.kinds.end(), DataKind::Table) !=
      options.kinds.end()) {
    CompareRelations(before, after, changes);
  }
  SortUnique(changes);
  return changes;
}

ChangeList CompareDesignWithDatabase(const TCatalogueStore& store) {
  const DataKind design = DataKind::Excel;
  const DataKind database = DataKind::Table;
  RecordComparison comparison{
      .dataKind = database,
      .recordObject = ObjectKind::kTable,
      .rowObject = ObjectKind::kColumn,
      .recordItems = {},
      .rowItems = PairDesignItems(store.Items(design, kItemLevelColumn),
                                  store.Items(database, kItemLevelColumn)),
      .before = {&store.Records(design), RowNamePosition(store, design), false},
      .after = {&store.Records(database), RowNamePosition(store, database), false},
  };
  ChangeList changes;
  CompareRecords(comparison, changes);
  SortChanges(changes);
  return changes;
}

}  // namespace morvane::diff
