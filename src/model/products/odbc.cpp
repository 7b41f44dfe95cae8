// The generic ODBC product: its profile, default item lists, type rules and standard layout;
// it reads the driver's catalogue functions, so it has no statements. The positions of its items
// are named in model/odbc_default_items.h.
#include <cstdint>
#include <string>

#include "model/products/product_profiles.h"
#include "model/products/standard_layout_parts.h"

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

// Column types: sizes and imported length and scale.
// Sizes as ODBC transfers values of the standard SQL types: the sizes the catalogue reader gives
// fetched columns. PostgreSQL's own names (int4, bpchar, ...) as its driver reports them are
// known too.
std::string ByteSize(const std::string& type, const std::string& length,
                     const std::string& /*scale*/) {
  if (type == "CHAR" || type == "CHARACTER" || type == "VARCHAR" || type == "CHARACTER VARYING" ||
      type == "BPCHAR" || type == "BINARY" || type == "VARBINARY") {
    return length;
  }
  if (type == "BIT" || type == "TINYINT" || type == "BOOLEAN" || type == "BOOL") return "1";
  if (type == "SMALLINT" || type == "INT2") return "2";
  if (type == "INTEGER" || type == "INT" || type == "INT4" || type == "REAL" || type == "FLOAT4") {
    return "4";
  }
  if (type == "BIGINT" || type == "INT8" || type == "FLOAT" || type == "FLOAT8" ||
      type == "DOUBLE" || type == "DOUBLE PRECISION") {
    return "8";
  }
  if (type == "DECIMAL" || type == "DEC" || type == "NUMERIC") {
    // Digits, sign and decimal point as text.
    const int64_t precision = WholeNumberValue(length);
    return precision > 0 ? std::to_string(precision + 2) : "0";
  }
  if (type == "DATE" || type == "TIME") return "6";
  if (type == "TIMESTAMP" || type == "DATETIME") return "16";
  return "0";
}

NormalisedLengthScale LengthScale(std::string_view type, const std::string& length,
                                  const std::string& precision, const std::string& scale) {
  if (IsOneOf(type, {"CHAR", "CHARACTER", "VARCHAR", "CHARACTER VARYING", "BPCHAR", "BINARY",
                     "VARBINARY"})) {
    return {length, ""};
  }
  if (IsOneOf(type, {"DECIMAL", "DEC", "NUMERIC"})) {
    return {FirstNotEmpty(length, precision), scale};
  }
  return {};
}

// The standard layout: where the items go on the bundled template's sheets.
namespace layout {

using namespace standard_layouts;

constexpr P kOdbcTable[] = {{"TABLE NAME", "C2", "C"},
                            {"REMARKS", "C3", "B"},
                            {"OWNER", "E2", "F"},
                            {"TABLE TYPE", "H2", "D"},
                            {"COUNT", "K2", "E"}};
constexpr P kOdbcColumn[] = {
    {"NO", "", "A"},          {"REMARKS", "", "B"},   {"NAME", "", "C"},  {"TYPE", "", "D"},
    {"LENGTH", "", "E"},      {"PRECISION", "", "F"}, {"SCALE", "", "G"}, {"NOT NULL", "", "H"},
    {"PRIMARY KEY", "", "I"}, {"DEFAULT", "", "J"},
};
constexpr P kOdbcIndex[] = {{"INDEX NAME", "C2", "A"},
                            {"TABLE NAME", "C3", "B"},
                            {"OWNER", "C4", "C"},
                            {"INDEX TYPE", "E4", "D"},
                            {"UNIQUENESS", "C5", "E"}};
constexpr P kOdbcIndexColumn[] = {{"POSITION", "", "A"}, {"NAME", "", "B"}, {"ORDER", "", "D"}};
constexpr K kKinds[] = {Excel(), Table(kOdbcTable, kOdbcColumn),
                        Index(kOdbcIndex, kOdbcIndexColumn), TableIndex(kOwnerTableIndex)};

const StandardLayout& Of() {
  static constexpr StandardLayout kLayout{kKinds};
  return kLayout;
}

}  // namespace layout

}  // namespace

const ProductProfile& OdbcProfile() {
  static constexpr ProductProfile profile{
      .product = Product::Odbc,
      .name = "ODBC",
      .menuName = "汎用 ODBC",
      .commandWord = "odbc",
      .offersEveryDataSource = true,
      .readsCatalogueFunctions = true,
      .typeRules = {ByteSize, LengthScale},
      .hasRelationships = true,
      .countPosition = 4,
      .columnPositions = {1, 2, 6, 7, 11},
      .lists = {kOdbcTableTable, kOdbcTableColumn, kOdbcIndexTable, kOdbcIndexColumn,
                kOdbcTableIndexTable, kOdbcStatistics},
      .standardLayout = &layout::Of,
  };
  return profile;
}

}  // namespace morvane
