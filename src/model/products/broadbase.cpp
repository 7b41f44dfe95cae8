// Broadbase: its profile, default item lists, standard layout and catalogue statements.
#include "model/product_catalogue.h"
#include "model/products/product_profiles.h"
#include "model/products/standard_layout_parts.h"

namespace morvane {
namespace {

using namespace product_lists;

constexpr DefaultItem kBroadbaseTableTable[] = {
    {"SCHEMA NAME", T},          {"TABLE NAME", T},
    {"TABLE TYPE", T},           {"COUNT", N},
    {"SESSION ID", N},           {"OBJECT ID", N},
    {"CREATOR NAME", T},         {"CREATION TIME", T},
    {"LAST ALTERED", T},         {"NUM COLUMNS", N},
    {"NUM COMPUTED COLUMNS", N}, {"NUM ROWS", N},
    {"TABLESPACE NAME", T},      {"INDEX TABLESPACE NAME", T},
    {"DEFAULT SCHEMA NAME", T},  {"ID", N},
    {"LAST INDEX ID", N},        {"STATUS", N},
    {"ROOT BLOCK", N},           {"RI NODE BLOCK", N},
    {"VI NODE BLOCK", N},        {"LOCK", T},
    {"MAX FILE BLOCKS", N},      {"NEXT ROWID", N},
    {"CLUSTER MASK", T},         {"FLAG", T},
    {"DELETED BLOCKS", N},       {"LAST DML TIME", T},
    {"NUM ROWS DELETED", N},     {"REMARKS", T},
};

constexpr DefaultItem kBroadbaseTableColumn[] = {
    {"ORDINAL", N},       {"COLUMN NAME", T},     {"DATA TYPE", T},
    {"PRECISION", N},     {"SCALE", N},           {"PRIMARY KEY", T},
    {"PRIMARY SEQ", N},   {"UNIQUE", T},          {"NOT NULL", T},
    {"SESSION ID", N},    {"OBJECT ID", N},       {"CREATOR NAME", T},
    {"CREATION TIME", T}, {"LAST ALTERED", T},    {"SOURCE COLUMN NAME", T},
    {"CLUSTER ID", N},    {"CLUSTER ORDINAL", N}, {"DOMAIN ID", N},
    {"FLAG", T},          {"REMARKS", T},
};

constexpr DefaultItem kBroadbaseIndexTable[] = {
    {"SCHEMA NAME", T},   {"INDEX NAME", T}, {"INDEX TYPE", T},      {"TABLE NAME", T},
    {"INDEX ID", N},      {"OBJECT ID", N},  {"CREATOR NAME", T},    {"CREATION TIME", T},
    {"LAST ALTERED", T},  {"NEXT ROWID", N}, {"NUM COLUMNS", N},     {"FILE ID", N},
    {"COLUMNS", T},       {"STATUS", T},     {"TABLESPACE NAME", T}, {"FILE NAME", T},
    {"NUM BLOCKS VI", N}, {"ROOT BLOCK", N}, {"REMARKS", T},
};

constexpr DefaultItem kBroadbaseIndexColumn[] = {
    {"ORDINAL", N},
    {"COLUMN NAME", T},
};

constexpr DefaultItem kBroadbaseTableIndexTable[] = {
    {"SCHEMA NAME", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"INDEX COUNT", N},
};

// Items whose values change between two fetches of the same schema.
constexpr const char* kBroadbaseStatistics[] = {
    "COUNT",         "SESSION ID",       "NUM ROWS",      "NEXT ROWID", "DELETED BLOCKS",
    "LAST DML TIME", "NUM ROWS DELETED", "NUM BLOCKS VI", "ROOT BLOCK", "RI NODE BLOCK",
    "VI NODE BLOCK", "MAX FILE BLOCKS",  "LOCK",
};

// The standard layout: where the items go on the bundled template's sheets.
// Broadbase: no length or default among its column items.
namespace layout {

using namespace standard_layouts;

constexpr P kBroadbaseTable[] = {{"TABLE NAME", "C2", "C"},
                                 {"REMARKS", "C3", "B"},
                                 {"SCHEMA NAME", "E2", "F"},
                                 {"TABLE TYPE", "H2", "D"},
                                 {"COUNT", "K2", "E"}};
constexpr P kBroadbaseColumn[] = {
    {"ORDINAL", "", "A"},   {"REMARKS", "", "B"},     {"COLUMN NAME", "", "C"},
    {"DATA TYPE", "", "D"}, {"PRECISION", "", "F"},   {"SCALE", "", "G"},
    {"NOT NULL", "", "H"},  {"PRIMARY KEY", "", "I"},
};
constexpr P kBroadbaseIndex[] = {{"INDEX NAME", "C2", "A"},
                                 {"TABLE NAME", "C3", "B"},
                                 {"SCHEMA NAME", "C4", "C"},
                                 {"INDEX TYPE", "E4", "D"},
                                 {"REMARKS", "E5", "F"}};
constexpr P kBroadbaseIndexColumn[] = {{"ORDINAL", "", "A"}, {"COLUMN NAME", "", "B"}};
constexpr P kBroadbaseTableIndex[] = {{"TABLE NAME", "C2", "A"},
                                      {"SCHEMA NAME", "E2", "B"},
                                      {"TABLE TYPE", "G2", "C"},
                                      {"INDEX COUNT", "I2", "D"}};
constexpr K kKinds[] = {Excel(), Table(kBroadbaseTable, kBroadbaseColumn),
                        Index(kBroadbaseIndex, kBroadbaseIndexColumn),
                        TableIndex(kBroadbaseTableIndex)};

const StandardLayout& Of() {
  static constexpr StandardLayout kLayout{kKinds};
  return kLayout;
}

}  // namespace layout

// Its catalogue statements and the key marks set after the tables.
namespace statements {
const char kTablesCount[] = "SELECT COUNT(*) FROM SYSTEM.TABLES";

const char kTables[] =
    "SELECT SYSTEM.TABLES.SCHEMA_NAME,SYSTEM.TABLES.TABLE_NAME,CASE SYSTEM.TABLES.TYPE WHEN 0 "
    "THEN 'TABLE' WHEN 1 THEN 'SYSTEM TABLE' WHEN 2 THEN 'VIEW' WHEN 3 THEN 'SOURCE' WHEN 4 THEN "
    "'TABLE' WHEN 5 THEN 'INSTANCE' ELSE NULL END TABLE_TYPE,0,SYSTEM.TABLES.SESSION_ID,"
    "SYSTEM.TABLES.OBJECT_ID,SYSTEM.TABLES.CREATOR_NAME,SYSTEM.TABLES.CREATION_TIME,"
    "SYSTEM.TABLES.LAST_ALTERED,SYSTEM.TABLES.NUM_COLUMNS,SYSTEM.TABLES.NUM_COMPUTED_COLUMNS,"
    "SYSTEM.TABLES.NUM_ROWS,SYSTEM.TABLES.TABLESPACE_NAME,SYSTEM.TABLES.INDEX_TABLESPACE_NAME,"
    "SYSTEM.TABLES.DEFAULT_SCHEMA_NAME,SYSTEM.TABLES.ID,SYSTEM.TABLES.LAST_INDEX_ID,"
    "SYSTEM.TABLES.STATUS,SYSTEM.TABLES.ROOT_BLOCK,SYSTEM.TABLES.RI_NODE_BLOCK,"
    "SYSTEM.TABLES.VI_NODE_BLOCK,SYSTEM.TABLES.LOCK,SYSTEM.TABLES.MAX_FILE_BLOCKS,"
    "SYSTEM.TABLES.NEXT_ROWID,SYSTEM.TABLES.CLUSTER_MASK,SYSTEM.TABLES.FLAG,"
    "SYSTEM.TABLES.DELETED_BLOCKS,SYSTEM.TABLES.LAST_DML_TIME,SYSTEM.TABLES.NUM_ROWS_DELETED,"
    "SYSTEM.TABLES.REMARKS,SYSTEM.COLUMNS.ORDINAL,SYSTEM.COLUMNS.COLUMN_NAME,CASE "
    "SYSTEM.COLUMNS.SQL_TYPE WHEN -7 THEN 'BIT' WHEN -6 THEN 'TINYINT' WHEN 5 THEN 'SMALLINT' "
    "WHEN 4 THEN 'INTEGER' WHEN -5 THEN 'BIGINT' WHEN 6 THEN 'FLOAT' WHEN 7 THEN 'REAL' WHEN 8 "
    "THEN 'DOUBLE' WHEN 2 THEN 'NUMERIC' WHEN 3 THEN 'DECIMAL' WHEN 1 THEN 'CHAR' WHEN 12 THEN "
    "'VARCHAR' WHEN -1 THEN 'LONG VARCHAR' WHEN 9 THEN 'DATE' WHEN 10 THEN 'TIME' WHEN 11 THEN "
    "'TIMESTAMP' WHEN -2 THEN 'BINARY' WHEN -3 THEN 'VARBINARY' WHEN -4 THEN 'LONG VARBINARY' "
    "ELSE  'UNKNOWN' END,CASE SYSTEM.COLUMNS.SQL_TYPE WHEN 9 THEN NULL WHEN 10 THEN NULL WHEN 11 "
    "THEN NULL ELSE CASE WHEN SYSTEM.COLUMNS.SQL_Q1 = 0 THEN NULL ELSE SYSTEM.COLUMNS.SQL_Q1 END "
    "END,CASE SYSTEM.COLUMNS.SQL_TYPE WHEN 9 THEN NULL WHEN 10 THEN NULL WHEN 11 THEN NULL ELSE "
    "CASE WHEN SYSTEM.COLUMNS.SQL_Q2 = 0 THEN NULL ELSE SYSTEM.COLUMNS.SQL_Q2 END END,NULL,NULL,"
    "NULL,CASE WHEN BBCOLUMNS.NULL_ALLOWED = 'N' THEN '\x81\x9B' ELSE NULL END,"
    "SYSTEM.COLUMNS.SESSION_ID,SYSTEM.COLUMNS.OBJECT_ID,SYSTEM.COLUMNS.CREATOR_NAME,"
    "SYSTEM.COLUMNS.CREATION_TIME,SYSTEM.COLUMNS.LAST_ALTERED,SYSTEM.COLUMNS.SOURCE_COLUMN_NAME,"
    "SYSTEM.COLUMNS.CLUSTER_ID,SYSTEM.COLUMNS.CLUSTER_ORDINAL,SYSTEM.COLUMNS.DOMAIN_ID,"
    "SYSTEM.COLUMNS.FLAG,SYSTEM.COLUMNS.REMARKS FROM  SYSTEM.TABLES,SYSTEM.COLUMNS,"
    "SYSTEM.BBCOLUMNS() BBCOLUMNS WHERE SYSTEM.TABLES.SCHEMA_NAME = SYSTEM.COLUMNS.SCHEMA_NAME  "
    "AND  SYSTEM.TABLES.TABLE_NAME = SYSTEM.COLUMNS.TABLE_NAME  AND  SYSTEM.COLUMNS.SCHEMA_NAME "
    "= SYSTEM.BBCOLUMNS.SCHEMA_NAME  AND  SYSTEM.COLUMNS.TABLE_NAME = "
    "SYSTEM.BBCOLUMNS.TABLE_NAME  AND  SYSTEM.COLUMNS.COLUMN_NAME = SYSTEM.BBCOLUMNS.COLUMN_NAME "
    "ORDER BY SYSTEM.TABLES.SCHEMA_NAME,TABLE_TYPE,SYSTEM.TABLES.TABLE_NAME,"
    "SYSTEM.COLUMNS.ORDINAL";

const char kIndexesCount[] = "SELECT COUNT(*) FROM SYSTEM.INDEXES";

const char kIndexes[] =
    "SELECT SYSTEM.INDEXES.SCHEMA_NAME,SYSTEM.INDEXES.INDEX_NAME,CASE SYSTEM.INDEXES.INDEX_TYPE "
    "WHEN 0 THEN 'NORMAL' WHEN 1 THEN 'PRIMARY' WHEN 2 THEN 'UNIQUE' ELSE NULL END,"
    "SYSTEM.INDEXES.TABLE_NAME,SYSTEM.INDEXES.INDEX_ID,SYSTEM.INDEXES.OBJECT_ID,"
    "SYSTEM.INDEXES.CREATOR_NAME,SYSTEM.INDEXES.CREATION_TIME,SYSTEM.INDEXES.LAST_ALTERED,"
    "SYSTEM.INDEXES.NEXT_ROWID,SYSTEM.INDEXES.NUM_COLUMNS,SYSTEM.INDEXES.FILE_ID,"
    "SYSTEM.INDEXES.COLUMNS,CASE SYSTEM.INDEXES.STATUS WHEN 0 THEN 'EMPTY' WHEN 1 THEN 'VALID' "
    "WHEN 2 THEN 'UNRECOVERABLE' WHEN 3 THEN 'RECOVERABLE INSERT' WHEN 4 THEN 'RECOVERABLE "
    "DELETE' ELSE NULL END,BBTABLESPACEFILES.TABLESPACE_NAME,BBTABLESPACEFILES.FILE_NAME,"
    "SYSTEM.INDEXES.NUM_BLOCKS_VI,SYSTEM.INDEXES.ROOT_BLOCK,SYSTEM.INDEXES.REMARKS,"
    "SYSTEM.DBA_INDEX_COLUMNS.ORDINAL,SYSTEM.DBA_INDEX_COLUMNS.COLUMN_NAME FROM  SYSTEM.INDEXES,"
    "SYSTEM.FILES,SYSTEM.BBTABLESPACEFILES() BBTABLESPACEFILES,SYSTEM.DBA_INDEX_COLUMNS WHERE "
    "SYSTEM.INDEXES.FILE_ID = SYSTEM.FILES.FILE_ID  AND  SYSTEM.FILES.PATH = "
    "BBTABLESPACEFILES.FILE_NAME  AND  SYSTEM.INDEXES.SCHEMA_NAME = "
    "SYSTEM.DBA_INDEX_COLUMNS.SCHEMA_NAME  AND  SYSTEM.INDEXES.INDEX_NAME = "
    "SYSTEM.DBA_INDEX_COLUMNS.INDEX_NAME ORDER BY SYSTEM.INDEXES.SCHEMA_NAME,"
    "SYSTEM.INDEXES.INDEX_NAME,SYSTEM.DBA_INDEX_COLUMNS.ORDINAL";

const char kTableIndexesCount[] = "SELECT COUNT(*) FROM SYSTEM.TABLES";

const char kTableIndexes[] =
    "SELECT TABLES.SCHEMA_NAME,TABLES.TABLE_NAME,TABLES.TABLE_TYPE,0,TABLES.COLUMN_NAME,"
    "TABLES.DATA_TYPE,INDEXES.INDEX_NAME,INDEXES.INDEX_TYPE,CASE WHEN INDEXES.COLUMN_NAME IS "
    "NULL THEN NULL ELSE INDEXES.ORDINAL END FROM  ((SELECT SYSTEM.TABLES.SCHEMA_NAME,"
    "SYSTEM.TABLES.TABLE_NAME,CASE SYSTEM.TABLES.TYPE WHEN 0 THEN 'TABLE' WHEN 1 THEN 'SYSTEM "
    "TABLE' WHEN 2 THEN 'VIEW' WHEN 3 THEN 'SOURCE' WHEN 4 THEN 'TABLE' WHEN 5 THEN 'INSTANCE' "
    "ELSE NULL END TABLE_TYPE,SYSTEM.COLUMNS.COLUMN_NAME, CASE SYSTEM.COLUMNS.SQL_TYPE WHEN -7 "
    "THEN 'BIT' WHEN -6 THEN 'TINYINT' WHEN 5 THEN 'SMALLINT' WHEN 4 THEN 'INTEGER' WHEN -5 THEN "
    "'BIGINT' WHEN 6 THEN 'FLOAT' WHEN 7 THEN 'REAL' WHEN 8 THEN 'DOUBLE' WHEN 2 THEN 'NUMERIC' "
    "WHEN 3 THEN 'DECIMAL' WHEN 1 THEN 'CHAR' WHEN 12 THEN 'VARCHAR' WHEN -1 THEN 'LONG VARCHAR' "
    "WHEN 9 THEN 'DATE' WHEN 10 THEN 'TIME' WHEN 11 THEN 'TIMESTAMP' WHEN -2 THEN 'BINARY' WHEN "
    "-3 THEN 'VARBINARY' WHEN -4 THEN 'LONG VARBINARY' ELSE 'UNKNOWN' END DATA_TYPE,"
    "SYSTEM.COLUMNS.ORDINAL FROM  SYSTEM.TABLES,SYSTEM.COLUMNS WHERE SYSTEM.TABLES.SCHEMA_NAME = "
    "SYSTEM.COLUMNS.SCHEMA_NAME  AND  SYSTEM.TABLES.TABLE_NAME = SYSTEM.COLUMNS.TABLE_NAME) "
    "TABLES LEFT OUTER JOIN(SELECT SYSTEM.INDEXES.SCHEMA_NAME,SYSTEM.INDEXES.TABLE_NAME,"
    "SYSTEM.INDEXES.INDEX_NAME,CASE SYSTEM.INDEXES.INDEX_TYPE WHEN 0 THEN 'NORMAL' WHEN 1 THEN "
    "'PRIMARY' WHEN 2 THEN 'UNIQUE' ELSE NULL END INDEX_TYPE,"
    "SYSTEM.DBA_INDEX_COLUMNS.COLUMN_NAME,SYSTEM.DBA_INDEX_COLUMNS.ORDINAL FROM  SYSTEM.INDEXES,"
    "SYSTEM.DBA_INDEX_COLUMNS WHERE SYSTEM.INDEXES.SCHEMA_NAME = "
    "SYSTEM.DBA_INDEX_COLUMNS.SCHEMA_NAME  AND  SYSTEM.INDEXES.INDEX_NAME = "
    "SYSTEM.DBA_INDEX_COLUMNS.INDEX_NAME) INDEXES ON   TABLES.SCHEMA_NAME = INDEXES.SCHEMA_NAME  "
    "AND TABLES.TABLE_NAME = INDEXES.TABLE_NAME  AND TABLES.COLUMN_NAME = INDEXES.COLUMN_NAME) "
    "ORDER BY TABLES.SCHEMA_NAME,TABLES.TABLE_TYPE,TABLES.TABLE_NAME,TABLES.ORDINAL";

const char kBroadbasePrimaryKeySql[] =
    "SELECT BBINDEXCOLUMNS.SCHEMA_NAME,BBINDEXCOLUMNS.TABLE_NAME,BBINDEXCOLUMNS.COLUMN_ID,"
    "BBINDEXCOLUMNS.POSITION FROM  SYSTEM.BBINDEXCOLUMNS() BBINDEXCOLUMNS,SYSTEM.INDEXES WHERE "
    "BBINDEXCOLUMNS.SCHEMA_NAME = SYSTEM.INDEXES.SCHEMA_NAME  AND  BBINDEXCOLUMNS.INDEX_NAME = "
    "SYSTEM.INDEXES.INDEX_NAME  AND  SYSTEM.INDEXES.INDEX_TYPE = 1";

const char kBroadbaseUniqueSql[] =
    "SELECT BBINDEXCOLUMNS.SCHEMA_NAME,BBINDEXCOLUMNS.TABLE_NAME,BBINDEXCOLUMNS.COLUMN_ID FROM  "
    "SYSTEM.BBINDEXCOLUMNS() BBINDEXCOLUMNS,SYSTEM.INDEXES WHERE BBINDEXCOLUMNS.SCHEMA_NAME = "
    "SYSTEM.INDEXES.SCHEMA_NAME  AND  BBINDEXCOLUMNS.INDEX_NAME = SYSTEM.INDEXES.INDEX_NAME  "
    "AND  SYSTEM.INDEXES.INDEX_TYPE = 2";

const ProductCatalogue& Catalogue() {
  static const ProductCatalogue catalogue{
      .tables = {kTables, kTablesCount},
      .indexes = {kIndexes, kIndexesCount},
      .tableIndexes = {kTableIndexes, kTableIndexesCount},
      // Rows (schema, table, column number[, key position]); the column is found by its number
      // (entry 0).
      .keyMarks = KeyMarkPass{.primaryKeySql = kBroadbasePrimaryKeySql,
                              .uniqueSql = kBroadbaseUniqueSql,
                              .tableByOwner = true,
                              .columnEntry = 0,
                              .primaryKeyEntry = 5,
                              .keyPositionEntry = 6,
                              .uniqueEntry = 7},
  };
  return catalogue;
}

}  // namespace statements

}  // namespace

const ProductProfile& BroadbaseProfile() {
  static constexpr ProductProfile profile{
      .product = Product::Broadbase,
      .name = "Broadbase",
      .commandWord = "broadbase",
      .dataSourceWord = "Broadbase",
      .countPosition = 3,
      .columnPositions = {1, 2, 3, 4, 5},
      .lists = {kBroadbaseTableTable, kBroadbaseTableColumn, kBroadbaseIndexTable,
                kBroadbaseIndexColumn, kBroadbaseTableIndexTable, kBroadbaseStatistics},
      .standardLayout = &layout::Of,
      .catalogue = &statements::Catalogue,
  };
  return profile;
}

}  // namespace morvane
