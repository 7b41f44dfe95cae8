#include "diff/change.h"

#include <algorithm>
#include <tuple>

namespace morvane::diff {

std::string JoinFullName(std::string_view owner, std::string_view name, std::string_view part) {
  std::string full;
  for (std::string_view piece : {owner, name, part}) {
    if (piece.empty()) continue;
    if (!full.empty()) full += '.';
    full += piece;
  }
  return full;
}

std::string RelationFullName(std::string_view fkTable, std::string_view pkTable) {
  return std::string(fkTable) + "->" + std::string(pkTable);
}

std::string_view ChangeWord(ChangeKind kind) {
  switch (kind) {
    case ChangeKind::kAdded:
      return "added";
    case ChangeKind::kRemoved:
      return "removed";
    case ChangeKind::kChanged:
      break;
  }
  return "changed";
}

std::string_view ObjectWord(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::kTable:
      return "table";
    case ObjectKind::kColumn:
      return "column";
    case ObjectKind::kIndex:
      return "index";
    case ObjectKind::kIndexColumn:
      return "index-column";
    case ObjectKind::kRelation:
      break;
  }
  return "relation";
}

std::string_view ChangeCaption(ChangeKind kind) {
  switch (kind) {
    case ChangeKind::kAdded:
      return "追加";
    case ChangeKind::kRemoved:
      return "削除";
    case ChangeKind::kChanged:
      break;
  }
  return "変更";
}

std::string_view ObjectCaption(ObjectKind kind) {
  switch (kind) {
    case ObjectKind::kTable:
      return "テーブル";
    case ObjectKind::kColumn:
      return "列";
    case ObjectKind::kIndex:
      return "インデックス";
    case ObjectKind::kIndexColumn:
      return "インデックス列";
    case ObjectKind::kRelation:
      break;
  }
  return "リレーション";
}

void SortChanges(ChangeList& changes) {
  std::stable_sort(changes.begin(), changes.end(), [](const TChange& a, const TChange& b) {
    return std::tie(a.fullName, a.change, a.object) < std::tie(b.fullName, b.change, b.object);
  });
}

}  // namespace morvane::diff
