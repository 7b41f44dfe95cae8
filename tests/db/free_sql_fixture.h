// A small database of each product for the free query and row count tests: table ITEMS with
// five rows (one NULL, one value longer than a value buffer), tables DEPT and EMP, and data
// sources that fail a statement or lose the connection in the middle of the rows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fetch_fixture.h"

namespace morvane::db_test {

struct ProductDatabase {
  Product product;
  const char* name;    // for test names
  const char* driver;  // the emulator's driver
  const char* uid;
  const char* pwd;
  const char* text_type;  // the product's variable character type
};

// Red Brick, Oracle 8, Oracle 7 and Broadbase.
const std::vector<ProductDatabase>& AllProductDatabases();

// 'A' followed by 150 times "あ" (UTF-8): 301 bytes in CP932.
std::string LongValue();

// Each test builds its database anew. The driver manager keeps data sources it has read by
// name, so every database gets data source names of its own.
class ProductDatabaseTest : public testing::TestWithParam<ProductDatabase> {
 protected:
  void SetUp() override;
  // A connected program of the product, on `dsn` (the plain data source by default).
  std::unique_ptr<ProgramSide> Connected(const std::string& dsn = {});

  std::unique_ptr<EmulatorDatabase> db_;
  std::string dsn_;           // the plain data source
  std::string failing_dsn_;   // statements on ITEMS fail
  std::string breaking_dsn_;  // results from ITEMS break after 2 rows
};

void PrintTo(const ProductDatabase& product, std::ostream* os);

std::string ProductTestName(const testing::TestParamInfo<ProductDatabase>& info);

}  // namespace morvane::db_test
