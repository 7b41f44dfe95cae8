#include "model/product_profile.h"

#include "model/product_item_lists.h"

namespace morvane {
namespace {

using namespace product_lists;

const ProductProfile kNoProduct{.name = "未選択"};

const ProductProfile kProfiles[] = {
    {
        .product = Product::RedBrick,
        .name = "Red Brick",
        .commandWord = "redbrick",
        .dataSourceWord = "Red Brick",
        .typeRules = TypeRules::kRedBrick,
        .columnSize = ColumnSizeSource::kCatalogue,
        .tableFinish = TableFinish::kRelationships,
        .acceptsExplain = true,
        .hasRelationships = true,
        .countPosition = 4,
        .columnPositions = {1, 2, 6, 7, 11},
        .lists = {kRedBrickTableTable, kRedBrickTableColumn, kRedBrickIndexTable,
                  kRedBrickIndexColumn, kRedBrickTableIndexTable, kRedBrickStatistics},
    },
    {
        .product = Product::Oracle8,
        .name = "Oracle 8",
        .commandWord = "oracle8",
        .dataSourceWord = "Oracle",
        .ownerIsLogin = true,
        .columnCountsBySize = true,
        .typeRules = TypeRules::kOracle,
        .columnSize = ColumnSizeSource::kTypeRules,
        .tableFinish = TableFinish::kOracleKeys,
        .countPosition = 6,
        .columnPositions = {1, 2, 6, 7, 9},
        .lists = {kOracle8TableTable, kOracle8TableColumn, kOracle8IndexTable, kOracle8IndexColumn,
                  kOracle8TableIndexTable, kOracleStatistics},
    },
    {
        .product = Product::Broadbase,
        .name = "Broadbase",
        .commandWord = "broadbase",
        .dataSourceWord = "Broadbase",
        .tableFinish = TableFinish::kBroadbaseKeys,
        .countPosition = 3,
        .columnPositions = {1, 2, 3, 4, 5},
        .lists = {kBroadbaseTableTable, kBroadbaseTableColumn, kBroadbaseIndexTable,
                  kBroadbaseIndexColumn, kBroadbaseTableIndexTable, kBroadbaseStatistics},
    },
    {
        .product = Product::Oracle7,
        .name = "Oracle 7",
        .commandWord = "oracle7",
        .dataSourceWord = "Oracle",
        .ownerIsLogin = true,
        .columnCountsBySize = true,
        .typeRules = TypeRules::kOracle,
        .columnSize = ColumnSizeSource::kTypeRules,
        .tableFinish = TableFinish::kOracleKeys,
        .countPosition = 6,
        .columnPositions = {1, 2, 6, 7, 9},
        .lists = {kOracle7TableTable, kOracle7TableColumn, kOracle7IndexTable, kOracle7IndexColumn,
                  kOracle7TableIndexTable, kOracleStatistics},
    },
    {
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
    },
};

}  // namespace

std::optional<Product> ProductFromCode(int code) {
  if (code == ProductCode(Product::None)) return Product::None;
  for (const ProductProfile& profile : kProfiles) {
    if (ProductCode(profile.product) == code) return profile.product;
  }
  return std::nullopt;
}

std::string_view MenuName(Product product) {
  const ProductProfile& profile = ProfileOf(product);
  return profile.menuName.empty() ? profile.name : profile.menuName;
}

const ProductProfile& ProfileOf(Product product) {
  for (const ProductProfile& profile : kProfiles) {
    if (profile.product == product) return profile;
  }
  return kNoProduct;
}

bool IsStatisticsItem(const ProductProfile& profile, std::string_view name) {
  for (const char* statistic : profile.lists.statistics) {
    if (name == statistic) return true;
  }
  return false;
}

std::optional<Product> ProductFromCommandWord(std::string_view word) {
  for (const ProductProfile& profile : kProfiles) {
    if (profile.commandWord == word) return profile.product;
  }
  return std::nullopt;
}

}  // namespace morvane
