// Red Brick: its profile and default item lists.
#include <cstdint>
#include <string>

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
  };
  return profile;
}

}  // namespace morvane
