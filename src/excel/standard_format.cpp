#include "excel/standard_format.h"

#include "model/standard_layout.h"

namespace morvane {

std::string StandardLayoutQuestion(Product product) {
  return "「" + std::string(ProductName(product)) +
         "」の標準レイアウトで、出力する項目とそのセル・列、開始行とヘッダ、ER図の余白、"
         "Excel インポートのレイアウトを置き換えます。\r\nよろしいですか？";
}

TFormatDialogState StandardFormatState(const TCatalogueStore& store, DataKind dataKind) {
  TCatalogueStore scratch;
  scratch.product = store.product;
  scratch.formatSettings = store.formatSettings;
  for (DataKind kind : kDataKinds) {
    for (int level : {kItemLevelTable, kItemLevelColumn}) {
      scratch.Items(kind, level) = store.Items(kind, level);
    }
  }
  ApplyStandardLayout(scratch);
  return LoadFormatState(scratch, dataKind);
}

void ApplyStandardFormatState(TFormatDialogState& state, TCatalogueStore& store,
                              DataKind dataKind) {
  ApplyStandardLayout(store);
  ApplyFormatState(state, store, dataKind);
}

}  // namespace morvane
