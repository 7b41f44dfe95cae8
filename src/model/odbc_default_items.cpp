#include "model/odbc_default_items.h"

#include <iterator>

#include "model/data_kind.h"

namespace morvane {
namespace {

constexpr int T = kValueKindText;
constexpr int N = kValueKindNumber;

// In the order of the positions in odbc_default_items.h.
constexpr DefaultItem kOdbcTableTable[] = {
    {"OWNER", T}, {"TABLE NAME", T}, {"TABLE TYPE", T}, {"SIZE(byte)", N},
    {"COUNT", N}, {"CATALOG", T},    {"REMARKS", T},
};

constexpr DefaultItem kOdbcTableColumn[] = {
    {"NO", N},     {"NAME", T},        {"TYPE", T},       {"LENGTH", N},     {"PRECISION", N},
    {"SCALE", N},  {"LENGTH2", N},     {"SCALE2", N},     {"SIZE(byte)", N}, {"NOT NULL", T},
    {"UNIQUE", T}, {"PRIMARY KEY", T}, {"PRIMARY NO", N}, {"DEFAULT", T},    {"REMARKS", T},
};

constexpr DefaultItem kOdbcIndexTable[] = {
    {"OWNER", T},      {"INDEX NAME", T}, {"INDEX TYPE", T},
    {"TABLE NAME", T}, {"UNIQUENESS", T}, {"CATALOG", T},
};

constexpr DefaultItem kOdbcIndexColumn[] = {
    {"POSITION", N},
    {"NAME", T},
    {"ORDER", T},
};

constexpr DefaultItem kOdbcTableIndexTable[] = {
    {"OWNER", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"INDEX COUNT", N},
};

template <size_t Size>
std::vector<DefaultItem> ListOf(const DefaultItem (&items)[Size]) {
  return std::vector<DefaultItem>(std::begin(items), std::end(items));
}

}  // namespace

std::vector<DefaultItem> OdbcDefaultItemList(DataKind dataKind, int itemLevel) {
  const bool table_level = itemLevel == kItemLevelTable;
  switch (dataKind) {
    case DataKind::Table:
      return table_level ? ListOf(kOdbcTableTable) : ListOf(kOdbcTableColumn);
    case DataKind::Index:
      return table_level ? ListOf(kOdbcIndexTable) : ListOf(kOdbcIndexColumn);
    case DataKind::TableIndex:
      return table_level ? ListOf(kOdbcTableIndexTable) : std::vector<DefaultItem>{};
    default:
      // Excel file and SQL input lists are the same for every product.
      return DefaultItemList(Product::None, dataKind, itemLevel);
  }
}

}  // namespace morvane
