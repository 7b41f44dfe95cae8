#include "model/odbc_default_items.h"

namespace morvane {

std::vector<DefaultItem> OdbcDefaultItemList(int dataKind, int itemLevel) {
  return DefaultItemList(Product::Odbc, dataKind, itemLevel);
}

}  // namespace morvane
