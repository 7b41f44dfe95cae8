#include "model/odbc_default_items.h"

namespace morvane {

std::vector<DefaultItem> OdbcDefaultItemList(DataKind dataKind, int itemLevel) {
  return DefaultItemList(Product::Odbc, dataKind, itemLevel);
}

}  // namespace morvane
