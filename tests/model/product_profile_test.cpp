// The product table: the positions each product declares must point at the items its own
// default lists put there, and the project-file numbers must survive a round trip.
#include "model/product_profile.h"

#include <gtest/gtest.h>

#include <string>

#include "model/data_kind.h"
#include "model/default_items.h"

namespace morvane {
namespace {

std::string NameAt(const std::vector<DefaultItem>& items, int position) {
  if (position < 0 || static_cast<size_t>(position) >= items.size()) return "<none>";
  return items[static_cast<size_t>(position)].nameUtf8;
}

TEST(ProductProfileTest, ColumnPositionsPointAtTheirItems) {
  struct Case {
    Product product;
    const char* name;
    const char* type;
    const char* length;
    const char* scale;
    const char* keyMark;
  };
  for (const Case& c : {Case{Product::RedBrick, "NAME", "TYPE", "LENGTH2", "SCALE2", "PRIMARY KEY"},
                        Case{Product::Oracle8, "NAME", "TYPE", "LENGTH2", "SCALE2", "PRIMARY KEY"},
                        Case{Product::Oracle7, "NAME", "TYPE", "LENGTH2", "SCALE2", "PRIMARY KEY"},
                        Case{Product::Broadbase, "COLUMN NAME", "DATA TYPE", "PRECISION", "SCALE",
                             "PRIMARY KEY"},
                        Case{Product::Odbc, "NAME", "TYPE", "LENGTH2", "SCALE2", "PRIMARY KEY"}}) {
    SCOPED_TRACE(ProductName(c.product));
    const TColumnValuePositions& at = ProfileOf(c.product).columnPositions;
    const auto columns = DefaultItemList(c.product, DataKind::Table, kItemLevelColumn);
    EXPECT_EQ(NameAt(columns, at.name), c.name);
    EXPECT_EQ(NameAt(columns, at.type), c.type);
    EXPECT_EQ(NameAt(columns, at.length), c.length);
    EXPECT_EQ(NameAt(columns, at.scale), c.scale);
    EXPECT_EQ(NameAt(columns, at.keyMark), c.keyMark);
  }
  const auto excel = DefaultItemList(Product::Oracle8, DataKind::Excel, kItemLevelColumn);
  EXPECT_EQ(NameAt(excel, kExcelColumnPositions.name), "NAME");
  EXPECT_EQ(NameAt(excel, kExcelColumnPositions.length), "LENGTH2");
  EXPECT_EQ(NameAt(excel, kExcelColumnPositions.keyMark), "PRIMARY KEY");
}

TEST(ProductProfileTest, TableListsCarryWhatTheProfileSays) {
  for (Product product : MenuProducts()) {
    SCOPED_TRACE(ProductName(product));
    const ProductProfile& profile = ProfileOf(product);
    EXPECT_EQ(profile.product, product);
    const auto tables = DefaultItemList(product, DataKind::Table, kItemLevelTable);
    ASSERT_TRUE(profile.countPosition.has_value());
    EXPECT_EQ(NameAt(tables, static_cast<int>(*profile.countPosition)), "COUNT");
    // Counts of columns by size appear in the fetched and the imported table lists alike.
    const auto excel = DefaultItemList(product, DataKind::Excel, kItemLevelTable);
    EXPECT_EQ(NameAt(tables, 4) == "250byte以下の列数", profile.columnCountsBySize);
    EXPECT_EQ(excel.size() == 5, profile.columnCountsBySize);
    EXPECT_EQ(ProductFromCommandWord(profile.commandWord), product);
  }
  EXPECT_FALSE(ProfileOf(Product::None).countPosition.has_value());
  EXPECT_EQ(ProfileOf(Product::None).name, "未選択");
}

TEST(ProductProfileTest, FileNumbersRoundTrip) {
  for (int code = -1; code <= 7; ++code) {
    const std::optional<Product> product = ProductFromCode(code);
    EXPECT_EQ(product.has_value(), code >= 0 && code <= 5) << code;
    if (product) {
      EXPECT_EQ(ProductCode(*product), code);
    }
  }
}

}  // namespace
}  // namespace morvane
