// Broadbase: its profile and default item lists.
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
  };
  return profile;
}

}  // namespace morvane
