// Oracle 7: Oracle 8 with its own name, word and default item lists.
#include "model/products/product_profiles.h"

namespace morvane {
namespace {

using namespace product_lists;

constexpr DefaultItem kOracle7TableTable[] = {
    {"OWNER", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"SIZE(byte)", N},
    {"250byte以下の列数", N},
    {"251byte以上の列数", N},
    {"COUNT", N},
    {"TABLESPACE NAME", T},
    {"CLUSTER NAME", T},
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
    {"BACKED UP", T},
    {"NUM ROWS", N},
    {"BLOCKS", N},
    {"EMPTY BLOCKS", N},
    {"AVG SPACE", N},
    {"CHAIN CNT", N},
    {"AVG ROW LEN", N},
    {"DEGREE", T},
    {"INSTANCES", T},
    {"CACHE", T},
    {"TABLE LOCK", T},
    {"COMMENTS", T},
};

constexpr DefaultItem kOracle7TableColumn[] = {
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
    {"COMMENTS", T},
};

constexpr DefaultItem kOracle7IndexTable[] = {
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
    {"FREELISTS", N},
    {"FREELIST GROUPS", N},
    {"PCT FREE", N},
    {"BLEVEL", N},
    {"LEAF BLOCKS", N},
    {"DISTINCT KEYS", N},
    {"AVG LEAF BLOCKS PER KEY", N},
    {"AVG DATA BLOCKS PER KEY", N},
    {"CLUSTERING FACTOR", N},
    {"STATUS", T},
};

constexpr DefaultItem kOracle7IndexColumn[] = {
    {"POSITION", N},
    {"NAME", T},
    {"LENGTH", N},
};

constexpr DefaultItem kOracle7TableIndexTable[] = {
    {"OWNER", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"INDEX COUNT", N},
};

}  // namespace

const ProductProfile& Oracle7Profile() {
  static const ProductProfile profile = [] {
    ProductProfile oracle7 = Oracle8Profile();
    oracle7.product = Product::Oracle7;
    oracle7.name = "Oracle 7";
    oracle7.commandWord = "oracle7";
    // Oracle 8's statistics items and standard layout stay.
    oracle7.lists = {kOracle7TableTable,  kOracle7TableColumn,     kOracle7IndexTable,
                     kOracle7IndexColumn, kOracle7TableIndexTable, oracle7.lists.statistics};
    return oracle7;
  }();
  return profile;
}

}  // namespace morvane
