// One difference between two catalogues, and the words and order every output of a comparison
// uses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/data_kind.h"

namespace morvane::diff {

// In output order.
enum class ChangeKind { kAdded, kRemoved, kChanged };
enum class ObjectKind { kTable, kColumn, kIndex, kIndexColumn, kRelation };

// Every text is CP932, as the document holds it.
struct TChange {
  ChangeKind change = ChangeKind::kChanged;
  ObjectKind object = ObjectKind::kTable;
  DataKind dataKind = DataKind::Table;  // the records compared (for relations: table info)
  std::string owner;                    // owner of the table or index; empty for relations
  std::string table;                    // table or index name; for relations the referring table
  std::string part;      // column name, index column position, or the referred-to table
  std::string fullName;  // OWNER.TABLE, OWNER.TABLE.COLUMN, OWNER.INDEX, OWNER.INDEX.1, A->B
  std::string item;      // for a change: the item's name
  std::string oldValue;
  std::string newValue;

  bool operator==(const TChange&) const = default;
};

using ChangeList = std::vector<TChange>;

// The full name of an object: the non-empty parts joined by ".".
std::string JoinFullName(std::string_view owner, std::string_view name, std::string_view part);
std::string RelationFullName(std::string_view fkTable, std::string_view pkTable);

// Machine words: "added", "removed", "changed"; "table", "column", "index", "index-column",
// "relation".
std::string_view ChangeWord(ChangeKind kind);
std::string_view ObjectWord(ObjectKind kind);

// Japanese captions (UTF-8): 追加 / 削除 / 変更; テーブル / 列 / インデックス / インデックス列 /
// リレーション.
std::string_view ChangeCaption(ChangeKind kind);
std::string_view ObjectCaption(ObjectKind kind);

// Sorts by full name (bytes), then change kind, then object kind; changes that tie keep the
// order in which the comparison found them (the item list order).
void SortChanges(ChangeList& changes);

}  // namespace morvane::diff
