// Oracle 8: its profile and default item lists.
#include <cstdint>
#include <string>

#include "model/products/product_profiles.h"
#include "model/products/standard_layout_parts.h"

namespace morvane {
namespace {

using namespace product_lists;

constexpr DefaultItem kOracle8TableTable[] = {
    {"OWNER", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"SIZE(byte)", N},
    {"250byte以下の列数", N},
    {"251byte以上の列数", N},
    {"COUNT", N},
    {"TABLESPACE NAME", T},
    {"CLUSTER NAME", T},
    {"IOT NAME", T},
    {"PCT FREE", N},
    {"PCT USED", N},
    {"INI TRANS", N},
    {"MAX TRANS", N},
    {"INITIAL EXTENT", N},
    {"NEXT EXTENT", N},
    {"MIN EXTENTS", N},
    {"MAX EXTENTS", N},
    {"PCT INCREASE", N},
    {"FREELISTS", N},
    {"FREELIST GROUPS", N},
    {"LOGGING", T},
    {"BACKED UP", T},
    {"NUM ROWS", N},
    {"BLOCKS", N},
    {"EMPTY BLOCKS", N},
    {"AVG SPACE", N},
    {"CHAIN CNT", N},
    {"AVG ROW LEN", N},
    {"AVG SPACE FREELIST BLOCKS", N},
    {"NUM FREELIST BLOCKS", N},
    {"DEGREE", T},
    {"INSTANCES", T},
    {"CACHE", T},
    {"TABLE LOCK", T},
    {"SAMPLE SIZE", N},
    {"LAST ANALYZED", T},
    {"PARTITIONED", T},
    {"IOT TYPE", T},
    {"TEMPORARY", T},
    {"NESTED", T},
    {"BUFFER POOL", T},
    {"COMMENTS", T},
};

constexpr DefaultItem kOracle8TableColumn[] = {
    {"ID", N},
    {"NAME", T},
    {"TYPE", T},
    {"LENGTH", N},
    {"PRECISION", N},
    {"SCALE", N},
    {"LENGTH2", N},
    {"SCALE2", N},
    {"SIZE(byte)", N},
    {"PRIMARY KEY", T},
    {"UNIQUE KEY", T},
    {"NOT NULL", T},
    {"TYPE MOD", T},
    {"TYPE OWNER", T},
    {"DEFAULT LENGTH", N},
    {"DATA DEFAULT", T},
    {"NUM DISTINCT", N},
    {"LOW VALUE", T},
    {"HIGH VALUE", T},
    {"DENSITY", N},
    {"NUM NULLS", N},
    {"NUM BUCKETS", N},
    {"LAST ANALYZED", T},
    {"SAMPLE SIZE", N},
    {"CHARACTER SET NAME", T},
    {"CHAR COL DECL LENGTH", N},
    {"COMMENTS", T},
};

constexpr DefaultItem kOracle8IndexTable[] = {
    {"OWNER", T},
    {"INDEX NAME", T},
    {"INDEX TYPE", T},
    {"TABLE OWNER", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"UNIQUENESS", T},
    {"TABLESPACE NAME", T},
    {"INI TRANS", N},
    {"MAX TRANS", N},
    {"INITIAL EXTENT", N},
    {"NEXT EXTENT", N},
    {"MIN EXTENTS", N},
    {"MAX EXTENTS", N},
    {"PCT INCREASE", N},
    {"PCT THRESHOLD", N},
    {"INCLUDE COLUMN", N},
    {"FREELISTS", N},
    {"FREELIST GROUPS", N},
    {"PCT FREE", N},
    {"LOGGING", T},
    {"BLEVEL", N},
    {"LEAF BLOCKS", N},
    {"DISTINCT KEYS", N},
    {"AVG LEAF BLOCKS PER KEY", N},
    {"AVG DATA BLOCKS PER KEY", N},
    {"CLUSTERING FACTOR", N},
    {"STATUS", T},
    {"NUM ROWS", N},
    {"SAMPLE SIZE", N},
    {"LAST ANALYZED", T},
    {"DEGREE", T},
    {"INSTANCES", T},
    {"PARTITIONED", T},
    {"TEMPORARY", T},
    {"GENERATED", T},
    {"BUFFER POOL", T},
};

constexpr DefaultItem kOracle8IndexColumn[] = {
    {"POSITION", N},
    {"NAME", T},
    {"LENGTH", N},
};

constexpr DefaultItem kOracle8TableIndexTable[] = {
    {"OWNER", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"INDEX COUNT", N},
};

// Items whose values change between two fetches of the same schema.
constexpr const char* kOracleStatistics[] = {
    "COUNT",
    "NUM ROWS",
    "BLOCKS",
    "EMPTY BLOCKS",
    "AVG SPACE",
    "CHAIN CNT",
    "AVG ROW LEN",
    "AVG SPACE FREELIST BLOCKS",
    "NUM FREELIST BLOCKS",
    "SAMPLE SIZE",
    "LAST ANALYZED",
    "NUM DISTINCT",
    "LOW VALUE",
    "HIGH VALUE",
    "DENSITY",
    "NUM NULLS",
    "NUM BUCKETS",
    "BLEVEL",
    "LEAF BLOCKS",
    "DISTINCT KEYS",
    "AVG LEAF BLOCKS PER KEY",
    "AVG DATA BLOCKS PER KEY",
    "CLUSTERING FACTOR",
};

// Column types: sizes and imported length and scale.
std::string ByteSize(const std::string& type, const std::string& length,
                     const std::string& /*scale*/) {
  if (type == "CHAR" || type == "NCHAR" || type == "VARCHAR2" || type == "NVARCHAR2") {
    return length;
  }
  if (type == "NUMBER") {
    if (length == "0") return "22";
    // Two digits per byte, rounded up, plus one byte of exponent.
    int64_t precision = WholeNumberValue(length);
    int64_t half_up = precision >= 0 ? (precision + 1) / 2 : -(-precision / 2);
    return std::to_string(half_up + 1);
  }
  if (type == "DATE") return "7";
  if (type == "ROW") return length;
  return "0";
}

NormalisedLengthScale LengthScale(std::string_view type, const std::string& length,
                                  const std::string& precision, const std::string& scale) {
  if (IsOneOf(type, {"CHAR", "NCHAR", "VARCHAR2", "NVARCHAR2"})) return {length, ""};
  if (type == "NUMBER") return {FirstNotEmpty(length, precision), scale};
  if (type == "ROW") return {FirstNotEmpty(length, precision), ""};
  return {};
}

// The standard layout: where the items go on the bundled template's sheets.
// Oracle 8 and Oracle 7 share their layout: their lists differ only in items it leaves out.
namespace layout {

using namespace standard_layouts;

constexpr P kOracleTable[] = {{"TABLE NAME", "C2", "C"},
                              {"COMMENTS", "C3", "B"},
                              {"OWNER", "E2", "F"},
                              {"TABLE TYPE", "H2", "D"},
                              {"COUNT", "K2", "E"}};
constexpr P kOracleColumn[] = {
    {"ID", "", "A"},          {"COMMENTS", "", "B"},     {"NAME", "", "C"},  {"TYPE", "", "D"},
    {"LENGTH", "", "E"},      {"PRECISION", "", "F"},    {"SCALE", "", "G"}, {"NOT NULL", "", "H"},
    {"PRIMARY KEY", "", "I"}, {"DATA DEFAULT", "", "J"},
};
constexpr P kOracleIndex[] = {{"INDEX NAME", "C2", "A"},
                              {"TABLE NAME", "C3", "B"},
                              {"OWNER", "C4", "C"},
                              {"INDEX TYPE", "E4", "D"},
                              {"UNIQUENESS", "C5", "E"}};
constexpr P kOracleIndexColumn[] = {{"POSITION", "", "A"}, {"NAME", "", "B"}, {"LENGTH", "", "C"}};
constexpr K kKinds[] = {Excel(), Table(kOracleTable, kOracleColumn),
                        Index(kOracleIndex, kOracleIndexColumn), TableIndex(kOwnerTableIndex)};

const StandardLayout& Of() {
  static constexpr StandardLayout kLayout{kKinds};
  return kLayout;
}

}  // namespace layout

}  // namespace

const ProductProfile& Oracle8Profile() {
  static constexpr ProductProfile profile{
      .product = Product::Oracle8,
      .name = "Oracle 8",
      .commandWord = "oracle8",
      .dataSourceWord = "Oracle",
      .ownerIsLogin = true,
      .columnCountsBySize = true,
      .typeRules = {ByteSize, LengthScale},
      .columnSize = ColumnSizeSource::kTypeRules,
      .countPosition = 6,
      .columnPositions = {1, 2, 6, 7, 9},
      .lists = {kOracle8TableTable, kOracle8TableColumn, kOracle8IndexTable, kOracle8IndexColumn,
                kOracle8TableIndexTable, kOracleStatistics},
      .standardLayout = &layout::Of,
  };
  return profile;
}

}  // namespace morvane
