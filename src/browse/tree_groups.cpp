#include "browse/tree_groups.h"

namespace morvane {

TreeFamily FamilyOfRootText(std::string_view rootText) {
  if (rootText == kExcelRootText) return TreeFamily::kExcel;
  if (rootText == kDatabaseRootText) return TreeFamily::kDatabase;
  if (rootText == kSqlRootText) return TreeFamily::kSql;
  return TreeFamily::kNone;
}

DataKind CatalogueKindOfCaption(std::string_view caption) {
  for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    if (caption == DataKindCaption(kind)) return kind;
  }
  return DataKind::None;
}

std::string TreeLeafText(const TTableRec& record, DataKind dataKind) {
  if (dataKind != DataKind::TableIndex) return record.name;
  std::string text = record.name;
  text += " (";
  text += record.values.ValueOr(3);
  text += ")";
  return text;
}

std::vector<TOwnerGroup> GroupCatalogueRecords(const RecordList& records, DataKind dataKind) {
  std::vector<TOwnerGroup> owners;
  for (const auto& record : records) {
    if (owners.empty() || owners.back().owner != record->owner) {
      owners.push_back({record->owner, {}});
    }
    TOwnerGroup& owner = owners.back();
    // A new owner group has no type group yet, whatever the type text.
    if (owner.types.empty() || owner.types.back().type != record->type) {
      owner.types.push_back({record->type, {}});
    }
    owner.types.back().leaves.push_back({record.get(), TreeLeafText(*record, dataKind)});
  }
  return owners;
}

std::vector<TTreeLeaf> ExcelTreeLeaves(const RecordList& records) {
  std::vector<TTreeLeaf> leaves;
  leaves.reserve(records.size());
  for (const auto& record : records) {
    leaves.push_back({record.get(), TreeLeafText(*record, DataKind::Excel)});
  }
  return leaves;
}

}  // namespace morvane
