// Red Brick: its profile, default item lists, type rules, standard layout and catalogue
// statements.
#include <cstdint>
#include <string>

#include "model/product_catalogue.h"
#include "model/products/product_profiles.h"
#include "model/products/standard_layout_parts.h"

namespace morvane {
namespace {

using namespace product_lists;

constexpr DefaultItem kRedBrickTableTable[] = {
    {"CREATOR", T},         {"NAME", T},         {"TYPE", T},       {"SIZE(byte)", N},
    {"COUNT", N},           {"ID", N},           {"DATETIME", T},   {"MAXSEGMENTS", N},
    {"MAXROWS PER SEG", N}, {"MAXSIZE ROWS", N}, {"SEGMENT BY", T}, {"INTACT", T},
    {"PARTIAL", T},         {"COMMENT", T},
};

constexpr DefaultItem kRedBrickTableColumn[] = {
    {"SEQ", N},    {"NAME", T},        {"TYPE", T},       {"LENGTH", N},     {"PRECISION", N},
    {"SCALE", N},  {"LENGTH2", N},     {"SCALE2", N},     {"SIZE(byte)", N}, {"NOT NULL", T},
    {"UNIQUE", T}, {"PRIMARY KEY", T}, {"PRIMARY NO", N}, {"TID", N},        {"DEFAULTVALUE", T},
    {"SEGSEQ", N}, {"COMMENT", T},     {"USAGE", T},
};

constexpr DefaultItem kRedBrickIndexTable[] = {
    {"CREATOR", T},    {"NAME", T},   {"TYPE", T},    {"TNAME", T}, {"CNAME", T},   {"DATETIME", T},
    {"FILLFACTOR", N}, {"INTACT", T}, {"PARTIAL", T}, {"STATE", T}, {"COMMENT", T},
};

constexpr DefaultItem kRedBrickIndexColumn[] = {
    {"SEQ", N},
    {"CNAME", T},
    {"FKNAME", T},
};

constexpr DefaultItem kRedBrickTableIndexTable[] = {
    {"CREATOR", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"INDEX COUNT", N},
};

// Items whose values change between two fetches of the same schema.
constexpr const char* kRedBrickStatistics[] = {"COUNT"};

// Column types: sizes and imported length and scale.
// Bytes of a DECIMAL or NUMERIC of the given precision.
int DecimalBytes(int64_t precision) {
  struct Step {
    int max_precision;
    int bytes;
  };
  static constexpr Step kSteps[] = {{2, 1},   {4, 2},   {9, 4},   {11, 5},  {14, 6},
                                    {16, 7},  {18, 8},  {21, 9},  {23, 10}, {26, 11},
                                    {28, 12}, {31, 13}, {33, 14}, {35, 15}, {38, 16}};
  if (precision < 1) return 0;
  for (const Step& step : kSteps) {
    if (precision <= step.max_precision) return step.bytes;
  }
  return 0;
}

std::string ByteSize(const std::string& type, const std::string& length, const std::string& scale) {
  if (type == "VARCHAR" || type == "CHARACTER" || type == "CHAR") return length;
  if (type == "DATE") return "3";
  if (type == "TIME") return scale == "0" ? "3" : "5";
  if (type == "TIMESTAMP") return scale == "0" ? "6" : "8";
  if (type == "INTEGER" || type == "INT") return "4";
  if (type == "SMALLINT") return "2";
  if (type == "TINYINT") return "1";
  if (type == "DECIMAL" || type == "DEC" || type == "NUMERIC" || type == "NUM") {
    return std::to_string(DecimalBytes(WholeNumberValue(length)));
  }
  if (type == "REAL") return "4";
  if (type == "DOUBLE" || type == "DOUBLE PRECISION" || type == "FLOAT") return "8";
  return "0";
}

NormalisedLengthScale LengthScale(std::string_view type, const std::string& length,
                                  const std::string& precision, const std::string& scale) {
  if (IsOneOf(type, {"VARCHAR", "CHARACTER", "CHAR"})) return {length, ""};
  if (IsOneOf(type, {"TIME", "TIMESTAMP"})) return {"", FirstNotEmpty(precision, scale)};
  if (IsOneOf(type, {"DECIMAL", "DEC", "NUMERIC", "NUM"})) {
    return {FirstNotEmpty(length, precision), scale};
  }
  return {};
}

// The standard layout: where the items go on the bundled template's sheets.
namespace layout {

using namespace standard_layouts;

constexpr P kRedBrickTable[] = {{"NAME", "C2", "C"},
                                {"COMMENT", "C3", "B"},
                                {"CREATOR", "E2", "F"},
                                {"TYPE", "H2", "D"},
                                {"COUNT", "K2", "E"}};
constexpr P kRedBrickColumn[] = {
    {"SEQ", "", "A"},         {"COMMENT", "", "B"},      {"NAME", "", "C"},  {"TYPE", "", "D"},
    {"LENGTH", "", "E"},      {"PRECISION", "", "F"},    {"SCALE", "", "G"}, {"NOT NULL", "", "H"},
    {"PRIMARY KEY", "", "I"}, {"DEFAULTVALUE", "", "J"},
};
constexpr P kRedBrickIndex[] = {{"NAME", "C2", "A"},
                                {"TNAME", "C3", "B"},
                                {"CREATOR", "C4", "C"},
                                {"TYPE", "E4", "D"},
                                {"COMMENT", "E5", "F"}};
constexpr P kRedBrickIndexColumn[] = {{"SEQ", "", "A"}, {"CNAME", "", "B"}, {"FKNAME", "", "E"}};
constexpr P kRedBrickTableIndex[] = {{"TABLE NAME", "C2", "A"},
                                     {"CREATOR", "E2", "B"},
                                     {"TABLE TYPE", "G2", "C"},
                                     {"INDEX COUNT", "I2", "D"}};
constexpr K kKinds[] = {Excel(), Table(kRedBrickTable, kRedBrickColumn),
                        Index(kRedBrickIndex, kRedBrickIndexColumn),
                        TableIndex(kRedBrickTableIndex)};

const StandardLayout& Of() {
  static constexpr StandardLayout kLayout{kKinds};
  return kLayout;
}

}  // namespace layout

// Its catalogue statements and the relationships read after the tables.
namespace statements {
const char kTablesCount[] = "SELECT COUNT(*) FROM RBW_TABLES";

const char kTables[] =
    "SELECT RBW_TABLES.CREATOR,RBW_TABLES.NAME,RBW_TABLES.TYPE,0,0,RBW_TABLES.ID,"
    "STRING(RBW_TABLES.DATETIME),RBW_TABLES.MAXSEGMENTS,RBW_TABLES.MAXROWS_PER_SEG,"
    "RBW_TABLES.MAXSIZE_ROWS,RBW_TABLES.SEGMENT_BY,RBW_TABLES.INTACT,RBW_TABLES.PARTIAL,"
    "RBW_TABLES.COMMENT,RBW_COLUMNS.SEQ,RBW_COLUMNS.NAME,RBW_COLUMNS.TYPE,CASE RBW_COLUMNS.TYPE "
    "WHEN 'CHAR' THEN DECODE(RBW_COLUMNS.LENGTH, 0, NULL, RBW_COLUMNS.LENGTH) WHEN 'VARCHAR' "
    "THEN DECODE(RBW_COLUMNS.LENGTH, 0, NULL, RBW_COLUMNS.LENGTH) ELSE NULL END,CASE "
    "RBW_COLUMNS.TYPE WHEN 'TIME' THEN DECODE(RBW_COLUMNS.PRECISION, 0, NULL, "
    "RBW_COLUMNS.PRECISION) WHEN 'TIMESTAMP' THEN DECODE(RBW_COLUMNS.PRECISION, 0, NULL, "
    "RBW_COLUMNS.PRECISION) WHEN 'DECIMAL' THEN DECODE(RBW_COLUMNS.PRECISION, 0, NULL, "
    "RBW_COLUMNS.PRECISION) WHEN 'NUMERIC' THEN DECODE(RBW_COLUMNS.PRECISION, 0, NULL, "
    "RBW_COLUMNS.PRECISION) ELSE NULL END,CASE RBW_COLUMNS.TYPE WHEN 'DECIMAL' THEN "
    "DECODE(RBW_COLUMNS.SCALE, 0, NULL, RBW_COLUMNS.SCALE) WHEN 'NUMERIC' THEN "
    "DECODE(RBW_COLUMNS.SCALE, 0, NULL, RBW_COLUMNS.SCALE) ELSE NULL END,CASE RBW_COLUMNS.TYPE "
    "WHEN 'CHAR' THEN DECODE(RBW_COLUMNS.LENGTH, 0, NULL, RBW_COLUMNS.LENGTH) WHEN 'VARCHAR' "
    "THEN DECODE(RBW_COLUMNS.LENGTH, 0, NULL, RBW_COLUMNS.LENGTH) WHEN 'DECIMAL' THEN "
    "DECODE(RBW_COLUMNS.PRECISION, 0, NULL, RBW_COLUMNS.PRECISION) WHEN 'NUMERIC' THEN "
    "DECODE(RBW_COLUMNS.PRECISION, 0, NULL, RBW_COLUMNS.PRECISION) ELSE NULL END,CASE "
    "RBW_COLUMNS.TYPE WHEN 'TIME' THEN DECODE(RBW_COLUMNS.PRECISION, 0, NULL, "
    "RBW_COLUMNS.PRECISION) WHEN 'TIMESTAMP' THEN DECODE(RBW_COLUMNS.PRECISION, 0, NULL, "
    "RBW_COLUMNS.PRECISION) WHEN 'DECIMAL' THEN DECODE(RBW_COLUMNS.SCALE, 0, NULL, "
    "RBW_COLUMNS.SCALE) WHEN 'NUMERIC' THEN DECODE(RBW_COLUMNS.SCALE, 0, NULL, "
    "RBW_COLUMNS.SCALE) ELSE NULL END,RBW_COLUMNS.LENGTH,DECODE(RBW_COLUMNS.NULLS, 'N', "
    "'\x81\x9B', NULL),DECODE(RBW_COLUMNS.UNIQ, 'Y', '\x81\x9B', NULL),CASE WHEN "
    "RBW_COLUMNS.PKSEQ > 0 THEN '\x81\x9B' ELSE NULL END,DECODE(RBW_COLUMNS.PKSEQ, 0, NULL, "
    "RBW_COLUMNS.PKSEQ),RBW_COLUMNS.TID,RBW_COLUMNS.DEFAULTVALUE,RBW_COLUMNS.SEGSEQ,"
    "RBW_COLUMNS.COMMENT,RBW_COLUMNS.USAGE FROM  RBW_TABLES,RBW_COLUMNS WHERE RBW_TABLES.ID = "
    "RBW_COLUMNS.TID ORDER BY RBW_TABLES.CREATOR,RBW_TABLES.TYPE,RBW_TABLES.NAME,RBW_COLUMNS.SEQ";

const char kIndexesCount[] = "SELECT COUNT(*) FROM RBW_INDEXES";

const char kIndexes[] =
    "SELECT RBW_INDEXES.CREATOR,RBW_INDEXES.NAME,RBW_INDEXES.TYPE,RBW_INDEXES.TNAME,"
    "RBW_INDEXES.CNAME,STRING(RBW_INDEXES.DATETIME),RBW_INDEXES.FILLFACTOR,RBW_INDEXES.INTACT,"
    "RBW_INDEXES.PARTIAL,RBW_INDEXES.STATE,RBW_INDEXES.COMMENT,RBW_INDEXCOLUMNS.SEQ,"
    "RBW_INDEXCOLUMNS.CNAME,RBW_INDEXCOLUMNS.FKNAME FROM  RBW_INDEXES,RBW_INDEXCOLUMNS WHERE "
    "RBW_INDEXES.NAME = RBW_INDEXCOLUMNS.INAME ORDER BY RBW_INDEXES.CREATOR,RBW_INDEXES.TYPE,"
    "RBW_INDEXES.NAME,RBW_INDEXCOLUMNS.SEQ";

const char kTableIndexesCount[] = "SELECT COUNT(*) FROM RBW_TABLES";

const char kTableIndexes[] =
    "SELECT RBW_TABLES.CREATOR,RBW_TABLES.NAME,RBW_TABLES.TYPE,0,RBW_COLUMNS.NAME,"
    "RBW_COLUMNS.TYPE,RBW_INDEXES.NAME,RBW_INDEXES.TYPE,DECODE(RBW_INDEXCOLUMNS.CNAME, NULL, "
    "NULL, RBW_INDEXCOLUMNS.SEQ) FROM  RBW_TABLES,RBW_COLUMNS,RBW_INDEXES,RBW_INDEXCOLUMNS WHERE "
    "RBW_TABLES.ID = RBW_COLUMNS.TID (+)  AND  RBW_INDEXES.NAME = RBW_INDEXCOLUMNS.INAME (+)  "
    "AND  RBW_TABLES.CREATOR = RBW_INDEXES.CREATOR (+)  AND  RBW_TABLES.NAME = RBW_INDEXES.TNAME "
    "(+)  AND  RBW_COLUMNS.NAME = RBW_INDEXCOLUMNS.CNAME (+) ORDER BY RBW_TABLES.CREATOR,"
    "RBW_TABLES.TYPE,RBW_TABLES.NAME,RBW_COLUMNS.SEQ";

const char kRedBrickRelationshipSql[] =
    "SELECT DISTINCT FKTABLE, PKTABLE FROM  RBW_RELATIONSHIPS ORDER BY FKTABLE, PKTABLE";

const ProductCatalogue& Catalogue() {
  static const ProductCatalogue catalogue{
      .tables = {kTables, kTablesCount},
      .indexes = {kIndexes, kIndexesCount},
      .tableIndexes = {kTableIndexes, kTableIndexesCount},
      .relationshipSql = kRedBrickRelationshipSql,
  };
  return catalogue;
}

}  // namespace statements

}  // namespace

const ProductProfile& RedBrickProfile() {
  static constexpr ProductProfile profile{
      .product = Product::RedBrick,
      .name = "Red Brick",
      .commandWord = "redbrick",
      .dataSourceWord = "Red Brick",
      .typeRules = {ByteSize, LengthScale},
      .columnSize = ColumnSizeSource::kCatalogue,
      .acceptsExplain = true,
      .hasRelationships = true,
      .countPosition = 4,
      .columnPositions = {1, 2, 6, 7, 11},
      .lists = {kRedBrickTableTable, kRedBrickTableColumn, kRedBrickIndexTable,
                kRedBrickIndexColumn, kRedBrickTableIndexTable, kRedBrickStatistics},
      .standardLayout = &layout::Of,
      .catalogue = &statements::Catalogue,
  };
  return profile;
}

}  // namespace morvane
