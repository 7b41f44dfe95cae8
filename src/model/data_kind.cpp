#include "model/data_kind.h"

namespace morvane {

std::string_view ProductName(Product product) { return ProfileOf(product).name; }

std::string_view DataKindCaption(DataKind kind) {
  switch (kind) {
    case DataKind::Excel:
      return "Excelファイル";
    case DataKind::Table:
      return "テーブル情報";
    case DataKind::Index:
      return "インデックス情報";
    case DataKind::TableIndex:
      return "テーブル・インデックス情報";
    case DataKind::Sql:
      return "SQL入力";
    default:
      return {};
  }
}

}  // namespace morvane
