#include "db/column_size.h"

#include <gtest/gtest.h>

#include <string>

#include "model/data_kind.h"

namespace morvane {
namespace {

struct SizeCase {
  const char* type;
  const char* length;
  const char* scale;
  const char* bytes;
};

void ExpectSizes(Product product, std::initializer_list<SizeCase> cases) {
  for (const SizeCase& c : cases) {
    EXPECT_EQ(ColumnByteSize(product, c.type, c.length, c.scale), c.bytes)
        << c.type << "(" << c.length << "," << c.scale << ")";
  }
}

TEST(ColumnByteSizeTest, RedBrick) {
  ExpectSizes(Product::RedBrick,
              {
                  {"VARCHAR", "40", "", "40"},
                  {"CHARACTER", "8", "", "8"},
                  {"char", "1", "", "1"},
                  {"CHAR", "abc", "", "0"},  // a length that is no number counts as 0
                  {"CHAR", "", "", "0"},
                  {"CHAR", "1.5", "", "0"},
                  {"DATE", "", "", "3"},
                  {"TIME", "", "", "3"},
                  {"TIME", "", "0", "3"},
                  {"TIME", "", "2", "5"},
                  {"TIMESTAMP", "", "", "6"},
                  {"TIMESTAMP", "", "3", "8"},
                  {"TIMESTAMP", "", "x", "6"},
                  {"INTEGER", "", "", "4"},
                  {"INT", "", "", "4"},
                  {"SMALLINT", "", "", "2"},
                  {"TINYINT", "", "", "1"},
                  {"REAL", "", "", "4"},
                  {"DOUBLE", "", "", "8"},
                  {"DOUBLE PRECISION", "", "", "8"},
                  {"FLOAT", "", "", "8"},
                  {"SERIAL", "4", "", "0"},
                  {"VARCHAR(10)", "10", "", "0"},
                  // Decimal sizes at each step of the precision table.
                  {"DECIMAL", "", "", "0"},
                  {"DECIMAL", "0", "", "0"},
                  {"DECIMAL", "-3", "", "0"},
                  {"DECIMAL", "1", "", "1"},
                  {"DEC", "2", "", "1"},
                  {"NUMERIC", "3", "", "2"},
                  {"NUM", "4", "", "2"},
                  {"DECIMAL", "5", "", "4"},
                  {"DECIMAL", "9", "", "4"},
                  {"DECIMAL", "10", "2", "5"},
                  {"DECIMAL", "11", "", "5"},
                  {"DECIMAL", "12", "", "6"},
                  {"DECIMAL", "14", "", "6"},
                  {"DECIMAL", "15", "", "7"},
                  {"DECIMAL", "16", "", "7"},
                  {"DECIMAL", "17", "", "8"},
                  {"DECIMAL", "18", "", "8"},
                  {"DECIMAL", "19", "", "9"},
                  {"DECIMAL", "21", "", "9"},
                  {"DECIMAL", "22", "", "10"},
                  {"DECIMAL", "23", "", "10"},
                  {"DECIMAL", "24", "", "11"},
                  {"DECIMAL", "26", "", "11"},
                  {"DECIMAL", "27", "", "12"},
                  {"DECIMAL", "28", "", "12"},
                  {"DECIMAL", "29", "", "13"},
                  {"DECIMAL", "31", "", "13"},
                  {"DECIMAL", "32", "", "14"},
                  {"DECIMAL", "33", "", "14"},
                  {"DECIMAL", "34", "", "15"},
                  {"DECIMAL", "35", "", "15"},
                  {"DECIMAL", "36", "", "16"},
                  {"DECIMAL", "38", "", "16"},
                  {"DECIMAL", "39", "", "0"},
                  {"DECIMAL", "99999999999999999999999", "", "0"},
              });
}

TEST(ColumnByteSizeTest, Oracle) {
  for (Product product : {Product::Oracle8, Product::Oracle7}) {
    SCOPED_TRACE(ProductName(product));
    ExpectSizes(product, {
                             {"CHAR", "8", "", "8"},         {"NCHAR", "2", "", "2"},
                             {"VARCHAR2", "300", "", "300"}, {"varchar2", "30", "", "30"},
                             {"NVARCHAR2", "10", "", "10"},  {"VARCHAR2", "", "", "0"},
                             {"CHAR", "ten", "", "0"},       {"VARCHAR2(10)", "10", "", "0"},
                             {"NUMBER", "", "", "22"},       {"NUMBER", "0", "", "22"},
                             {"NUMBER", "x", "", "22"},      {"NUMBER", "1", "", "2"},
                             {"NUMBER", "2", "", "2"},       {"NUMBER", "3", "", "3"},
                             {"NUMBER", "5", "", "4"},       {"NUMBER", "10", "2", "6"},
                             {"NUMBER", "38", "", "20"},     {"DATE", "", "", "7"},
                             {"DATE", "7", "", "7"},         {"ROW", "18", "", "18"},
                             {"LONG", "", "", "0"},          {"RAW", "16", "", "0"},
                             {"ROWID", "", "", "0"},         {"CLOB", "4000", "", "0"},
                             {"FLOAT", "126", "", "0"},      {"INTEGER", "", "", "0"},
                         });
  }
}

// Columns imported into a generic ODBC project are sized as the catalogue reader sizes fetched
// ones: ODBC transfer sizes, decimals as text, characters by their length.
TEST(ColumnByteSizeTest, OdbcSizesByTheStandardTypes) {
  ExpectSizes(Product::Odbc, {
                                 {"varchar", "40", "", "40"},  {"CHAR", "3", "", "3"},
                                 {"INTEGER", "", "", "4"},     {"int", "10", "0", "4"},
                                 {"SMALLINT", "", "", "2"},    {"BIGINT", "", "", "8"},
                                 {"DOUBLE", "", "", "8"},      {"REAL", "", "", "4"},
                                 {"NUMERIC", "12", "2", "14"}, {"DECIMAL", "", "", "0"},
                                 {"DATE", "", "", "6"},        {"TIMESTAMP", "", "", "16"},
                                 {"TEXT", "", "", "0"},        {"VARCHAR2", "10", "", "0"},
                                 {"int4", "10", "0", "4"},     {"bpchar", "3", "", "3"},
                             });
}

TEST(ColumnByteSizeTest, BroadbaseAndNoProductHaveNoSizes) {
  for (Product product : {Product::Broadbase, Product::None}) {
    SCOPED_TRACE(ProductName(product));
    ExpectSizes(product, {
                             {"CHAR", "8", "", "0"},
                             {"VARCHAR", "40", "", "0"},
                             {"INTEGER", "", "", "0"},
                             {"DECIMAL", "10", "2", "0"},
                             {"NUMBER", "", "", "0"},
                             {"DATE", "", "", "0"},
                         });
  }
}

}  // namespace
}  // namespace morvane
