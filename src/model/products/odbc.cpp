// The generic ODBC product: its profile and default item lists; the positions of its items
// are named in model/odbc_default_items.h.
#include "model/products/product_profiles.h"

namespace morvane {
namespace {

using namespace product_lists;

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

// Items whose values change between two fetches of the same schema.
constexpr const char* kOdbcStatistics[] = {"COUNT"};

}  // namespace

const ProductProfile& OdbcProfile() {
  static constexpr ProductProfile profile{
      .product = Product::Odbc,
      .name = "ODBC",
      .menuName = "汎用 ODBC",
      .commandWord = "odbc",
      .offersEveryDataSource = true,
      .readsCatalogueFunctions = true,
      .typeRules = TypeRules::kOdbc,
      .hasRelationships = true,
      .countPosition = 4,
      .columnPositions = {1, 2, 6, 7, 11},
      .lists = {kOdbcTableTable, kOdbcTableColumn, kOdbcIndexTable, kOdbcIndexColumn,
                kOdbcTableIndexTable, kOdbcStatistics},
  };
  return profile;
}

}  // namespace morvane
