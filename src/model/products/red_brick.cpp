// Red Brick: its profile and default item lists.
#include "model/products/product_profiles.h"

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

}  // namespace

const ProductProfile& RedBrickProfile() {
  static constexpr ProductProfile profile{
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
  };
  return profile;
}

}  // namespace morvane
