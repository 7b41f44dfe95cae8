#include "model/data_kind.h"

namespace morvane {

std::string_view ProductName(int product) {
  switch (product) {
    case kProductRedBrick:
      return "Red Brick";
    case kProductOracle8:
      return "Oracle 8";
    case kProductOracle7:
      return "Oracle 7";
    case kProductBroadbase:
      return "Broadbase";
    default:
      return "未選択";
  }
}

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
