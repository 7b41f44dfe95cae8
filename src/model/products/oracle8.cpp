// Oracle 8: its profile, default item lists, type rules, standard layout and catalogue
// statements.
#include <cstdint>
#include <string>

#include "model/product_catalogue.h"
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

// Its catalogue statements and the key marks set after the tables. Each catalogue
// text follows "SELECT '" and the owner name, so it begins with the quote that closes the
// owner literal.
namespace statements {
const char kTablesCount[] = "SELECT COUNT(*) FROM USER_TAB_COMMENTS";

const char kTables[] =
    "',USER_TAB_COMMENTS.TABLE_NAME,USER_TAB_COMMENTS.TABLE_TYPE,'0','0','0','0',"
    "USER_TABLES.TABLESPACE_NAME,USER_TABLES.CLUSTER_NAME,USER_TABLES.IOT_NAME,"
    "TO_CHAR(USER_TABLES.PCT_FREE),TO_CHAR(USER_TABLES.PCT_USED),TO_CHAR(USER_TABLES.INI_TRANS),"
    "TO_CHAR(USER_TABLES.MAX_TRANS),TO_CHAR(USER_TABLES.INITIAL_EXTENT),"
    "TO_CHAR(USER_TABLES.NEXT_EXTENT),TO_CHAR(USER_TABLES.MIN_EXTENTS),"
    "TO_CHAR(USER_TABLES.MAX_EXTENTS),TO_CHAR(USER_TABLES.PCT_INCREASE),"
    "TO_CHAR(USER_TABLES.FREELISTS),TO_CHAR(USER_TABLES.FREELIST_GROUPS),USER_TABLES.LOGGING,"
    "USER_TABLES.BACKED_UP,TO_CHAR(USER_TABLES.NUM_ROWS),TO_CHAR(USER_TABLES.BLOCKS),"
    "TO_CHAR(USER_TABLES.EMPTY_BLOCKS),TO_CHAR(USER_TABLES.AVG_SPACE),"
    "TO_CHAR(USER_TABLES.CHAIN_CNT),TO_CHAR(USER_TABLES.AVG_ROW_LEN),"
    "TO_CHAR(USER_TABLES.AVG_SPACE_FREELIST_BLOCKS),TO_CHAR(USER_TABLES.NUM_FREELIST_BLOCKS),"
    "USER_TABLES.DEGREE,USER_TABLES.INSTANCES,USER_TABLES.CACHE,USER_TABLES.TABLE_LOCK,"
    "TO_CHAR(USER_TABLES.SAMPLE_SIZE),TO_CHAR(USER_TABLES.LAST_ANALYZED, 'YYYY-MM-DD "
    "HH24:MI:SS'),USER_TABLES.PARTITIONED,USER_TABLES.IOT_TYPE,USER_TABLES.TEMPORARY,"
    "USER_TABLES.NESTED,USER_TABLES.BUFFER_POOL,USER_TAB_COMMENTS.COMMENTS,"
    "TO_CHAR(USER_TAB_COLUMNS.COLUMN_ID),USER_TAB_COLUMNS.COLUMN_NAME,USER_TAB_COLUMNS.DATA_TYPE,"
    "DECODE(USER_TAB_COLUMNS.DATA_LENGTH, 0, NULL, DECODE(USER_TAB_COLUMNS.DATA_TYPE, 'DATE', "
    "NULL,  DECODE(USER_TAB_COLUMNS.DATA_TYPE, 'NUMBER', NULL, USER_TAB_COLUMNS.DATA_LENGTH))),"
    "DECODE(USER_TAB_COLUMNS.DATA_PRECISION, 0, NULL, USER_TAB_COLUMNS.DATA_PRECISION),"
    "DECODE(USER_TAB_COLUMNS.DATA_SCALE, 0, NULL, USER_TAB_COLUMNS.DATA_SCALE),"
    "DECODE(USER_TAB_COLUMNS.DATA_TYPE, 'DATE', NULL, DECODE(USER_TAB_COLUMNS.DATA_TYPE, "
    "'NUMBER',  DECODE(USER_TAB_COLUMNS.DATA_PRECISION, 0, NULL, "
    "USER_TAB_COLUMNS.DATA_PRECISION),  DECODE(USER_TAB_COLUMNS.DATA_LENGTH, 0, NULL, "
    "USER_TAB_COLUMNS.DATA_LENGTH))),DECODE(USER_TAB_COLUMNS.DATA_SCALE, 0, NULL, "
    "USER_TAB_COLUMNS.DATA_SCALE),'0',NULL,NULL,DECODE(USER_TAB_COLUMNS.NULLABLE, 'N', "
    "'\x81\x9B', NULL),USER_TAB_COLUMNS.DATA_TYPE_MOD,USER_TAB_COLUMNS.DATA_TYPE_OWNER,"
    "TO_CHAR(USER_TAB_COLUMNS.DEFAULT_LENGTH),USER_TAB_COLUMNS.DATA_DEFAULT,"
    "TO_CHAR(USER_TAB_COLUMNS.NUM_DISTINCT),USER_TAB_COLUMNS.LOW_VALUE,"
    "USER_TAB_COLUMNS.HIGH_VALUE,TO_CHAR(USER_TAB_COLUMNS.DENSITY),"
    "TO_CHAR(USER_TAB_COLUMNS.NUM_NULLS),TO_CHAR(USER_TAB_COLUMNS.NUM_BUCKETS),"
    "TO_CHAR(USER_TAB_COLUMNS.LAST_ANALYZED, 'YYYY-MM-DD HH24:MI:SS'),"
    "TO_CHAR(USER_TAB_COLUMNS.SAMPLE_SIZE),USER_TAB_COLUMNS.CHARACTER_SET_NAME,"
    "TO_CHAR(USER_TAB_COLUMNS.CHAR_COL_DECL_LENGTH),USER_COL_COMMENTS.COMMENTS FROM  "
    "USER_TAB_COMMENTS,USER_TABLES,USER_TAB_COLUMNS,USER_COL_COMMENTS WHERE "
    "USER_TAB_COMMENTS.TABLE_NAME = USER_TABLES.TABLE_NAME  AND  USER_TAB_COMMENTS.TABLE_NAME = "
    "USER_TAB_COLUMNS.TABLE_NAME  AND  USER_TAB_COLUMNS.TABLE_NAME = "
    "USER_COL_COMMENTS.TABLE_NAME  AND  USER_TAB_COLUMNS.COLUMN_NAME = "
    "USER_COL_COMMENTS.COLUMN_NAME ORDER BY USER_TAB_COMMENTS.TABLE_TYPE,"
    "USER_TAB_COMMENTS.TABLE_NAME,USER_TAB_COLUMNS.COLUMN_ID";

const char kIndexesCount[] = "SELECT COUNT(*) FROM USER_INDEXES";

const char kIndexes[] =
    "',USER_INDEXES.INDEX_NAME,USER_INDEXES.INDEX_TYPE,USER_INDEXES.TABLE_OWNER,"
    "USER_INDEXES.TABLE_NAME,USER_INDEXES.TABLE_TYPE,USER_INDEXES.UNIQUENESS,"
    "USER_INDEXES.TABLESPACE_NAME,TO_CHAR(USER_INDEXES.INI_TRANS),"
    "TO_CHAR(USER_INDEXES.MAX_TRANS),TO_CHAR(USER_INDEXES.INITIAL_EXTENT),"
    "TO_CHAR(USER_INDEXES.NEXT_EXTENT),TO_CHAR(USER_INDEXES.MIN_EXTENTS),"
    "TO_CHAR(USER_INDEXES.MAX_EXTENTS),TO_CHAR(USER_INDEXES.PCT_INCREASE),"
    "TO_CHAR(USER_INDEXES.PCT_THRESHOLD),TO_CHAR(USER_INDEXES.INCLUDE_COLUMN),"
    "TO_CHAR(USER_INDEXES.FREELISTS),TO_CHAR(USER_INDEXES.FREELIST_GROUPS),"
    "TO_CHAR(USER_INDEXES.PCT_FREE),USER_INDEXES.LOGGING,TO_CHAR(USER_INDEXES.BLEVEL),"
    "TO_CHAR(USER_INDEXES.LEAF_BLOCKS),TO_CHAR(USER_INDEXES.DISTINCT_KEYS),"
    "TO_CHAR(USER_INDEXES.AVG_LEAF_BLOCKS_PER_KEY),TO_CHAR(USER_INDEXES.AVG_DATA_BLOCKS_PER_KEY),"
    "TO_CHAR(USER_INDEXES.CLUSTERING_FACTOR),USER_INDEXES.STATUS,TO_CHAR(USER_INDEXES.NUM_ROWS),"
    "TO_CHAR(USER_INDEXES.SAMPLE_SIZE),TO_CHAR(USER_INDEXES.LAST_ANALYZED, 'YYYY-MM-DD "
    "HH24:MI:SS'),USER_INDEXES.DEGREE,USER_INDEXES.INSTANCES,USER_INDEXES.PARTITIONED,"
    "USER_INDEXES.TEMPORARY,USER_INDEXES.GENERATED,USER_INDEXES.BUFFER_POOL,"
    "TO_CHAR(USER_IND_COLUMNS.COLUMN_POSITION),USER_IND_COLUMNS.COLUMN_NAME,"
    "TO_CHAR(USER_IND_COLUMNS.COLUMN_LENGTH) FROM  USER_INDEXES,USER_IND_COLUMNS WHERE "
    "USER_INDEXES.INDEX_NAME = USER_IND_COLUMNS.INDEX_NAME ORDER BY USER_INDEXES.INDEX_TYPE,"
    "USER_INDEXES.INDEX_NAME,USER_IND_COLUMNS.COLUMN_POSITION";

const char kTableIndexesCount[] = "SELECT COUNT(*) FROM USER_TAB_COMMENTS";

const char kTableIndexes[] =
    "',TABLES.TABLE_NAME,TABLES.TABLE_TYPE,'0',TABLES.COLUMN_NAME,TABLES.DATA_TYPE,"
    "INDEXES.INDEX_NAME,INDEXES.INDEX_TYPE,DECODE(INDEXES.COLUMN_NAME, NULL, NULL, "
    "INDEXES.COLUMN_POSITION) FROM  (SELECT USER_TAB_COMMENTS.TABLE_NAME,"
    "USER_TAB_COMMENTS.TABLE_TYPE,USER_TAB_COLUMNS.COLUMN_NAME,USER_TAB_COLUMNS.DATA_TYPE,"
    "USER_TAB_COLUMNS.COLUMN_ID FROM  USER_TAB_COMMENTS,USER_TAB_COLUMNS WHERE "
    "USER_TAB_COMMENTS.TABLE_NAME = USER_TAB_COLUMNS.TABLE_NAME) TABLES,(SELECT "
    "USER_INDEXES.TABLE_NAME,USER_INDEXES.INDEX_NAME,USER_INDEXES.INDEX_TYPE,"
    "USER_IND_COLUMNS.COLUMN_NAME,USER_IND_COLUMNS.COLUMN_POSITION FROM  USER_INDEXES,"
    "USER_IND_COLUMNS WHERE\tUSER_INDEXES.INDEX_NAME = USER_IND_COLUMNS.INDEX_NAME) INDEXES "
    "WHERE TABLES.TABLE_NAME = INDEXES.TABLE_NAME (+)  AND  TABLES.COLUMN_NAME = "
    "INDEXES.COLUMN_NAME (+) ORDER BY TABLES.TABLE_TYPE,TABLES.TABLE_NAME,TABLES.COLUMN_ID";

const char kOraclePrimaryKeySql[] =
    "SELECT USER_CONS_COLUMNS.TABLE_NAME,USER_CONS_COLUMNS.COLUMN_NAME FROM  USER_CONS_COLUMNS,"
    "USER_CONSTRAINTS WHERE USER_CONS_COLUMNS.OWNER = USER_CONSTRAINTS.OWNER  AND  "
    "USER_CONS_COLUMNS.CONSTRAINT_NAME = USER_CONSTRAINTS.CONSTRAINT_NAME  AND  "
    "USER_CONSTRAINTS.CONSTRAINT_TYPE = 'P'";

const char kOracleUniqueSql[] =
    "SELECT USER_IND_COLUMNS.TABLE_NAME,USER_IND_COLUMNS.COLUMN_NAME FROM  USER_IND_COLUMNS,"
    "USER_INDEXES WHERE USER_IND_COLUMNS.INDEX_NAME = USER_INDEXES.INDEX_NAME  AND  "
    "USER_INDEXES.UNIQUENESS = 'UNIQUE'";

const ProductCatalogue& Catalogue() {
  static const ProductCatalogue catalogue{
      .tables = {kTables, kTablesCount},
      .indexes = {kIndexes, kIndexesCount},
      .tableIndexes = {kTableIndexes, kTableIndexesCount},
      // Rows (table, column); the column is found by its name (entry 1).
      .keyMarks = KeyMarkPass{.primaryKeySql = kOraclePrimaryKeySql,
                              .uniqueSql = kOracleUniqueSql,
                              .columnEntry = 1,
                              .primaryKeyEntry = 9,
                              .uniqueEntry = 10},
  };
  return catalogue;
}

}  // namespace statements

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
      .catalogue = &statements::Catalogue,
  };
  return profile;
}

}  // namespace morvane
