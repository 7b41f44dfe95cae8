#include "model/data_kind.h"

namespace morvane {

std::string_view ProductName(Product product) { return ProfileOf(product).name; }

std::string_view DataKindCaption(int kind) {
  switch (kind) {
    case kDataKindExcel:
      return "Excelファイル";
    case kDataKindTable:
      return "テーブル情報";
    case kDataKindIndex:
      return "インデックス情報";
    case kDataKindTableIndex:
      return "テーブル・インデックス情報";
    case kDataKindSql:
      return "SQL入力";
    default:
      return {};
  }
}

}  // namespace morvane
