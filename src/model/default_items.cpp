#include "model/default_items.h"

#include <iterator>

#include "model/codec.h"

namespace morvane {
namespace {

constexpr int T = kValueKindText;
constexpr int N = kValueKindNumber;

// Data kind 1 (Excel file), the same for every product except the two Oracle-only items.
constexpr DefaultItem kExcelTable[] = {
    {"NO", N},
    {"NAME", T},
    {"SIZE(byte)", T},
};
constexpr DefaultItem kExcelTableOracleExtra[] = {
    {"250byte以下の列数", N},
    {"251byte以上の列数", N},
};
constexpr DefaultItem kExcelColumn[] = {
    {"NO", N},     {"NAME", T},        {"TYPE", T},     {"LENGTH", N},     {"PRECISION", N},
    {"SCALE", N},  {"LENGTH2", N},     {"SCALE2", N},   {"SIZE(byte)", N}, {"NOT NULL", T},
    {"UNIQUE", T}, {"PRIMARY KEY", T}, {"COMMENT1", T}, {"COMMENT2", T},   {"COMMENT3", T},
};

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

// The five catalogue lists of one product: (2,1), (2,2), (3,1), (3,2), (4,1).
struct ProductLists {
  std::vector<DefaultItem> tableTable, tableColumn, indexTable, indexColumn, tableIndexTable;
};

template <size_t Size>
std::vector<DefaultItem> ListOf(const DefaultItem (&items)[Size]) {
  return std::vector<DefaultItem>(std::begin(items), std::end(items));
}

ProductLists ListsOf(int product) {
  switch (product) {
    case kProductRedBrick:
      return {ListOf(kRedBrickTableTable), ListOf(kRedBrickTableColumn),
              ListOf(kRedBrickIndexTable), ListOf(kRedBrickIndexColumn),
              ListOf(kRedBrickTableIndexTable)};
    case kProductOracle8:
      return {ListOf(kOracle8TableTable), ListOf(kOracle8TableColumn), ListOf(kOracle8IndexTable),
              ListOf(kOracle8IndexColumn), ListOf(kOracle8TableIndexTable)};
    case kProductOracle7:
      return {ListOf(kOracle7TableTable), ListOf(kOracle7TableColumn), ListOf(kOracle7IndexTable),
              ListOf(kOracle7IndexColumn), ListOf(kOracle7TableIndexTable)};
    case kProductBroadbase:
      return {ListOf(kBroadbaseTableTable), ListOf(kBroadbaseTableColumn),
              ListOf(kBroadbaseIndexTable), ListOf(kBroadbaseIndexColumn),
              ListOf(kBroadbaseTableIndexTable)};
    default:
      return {};
  }
}

}  // namespace

std::vector<DefaultItem> DefaultItemList(int product, int dataKind, int itemLevel) {
  if (dataKind == kDataKindExcel) {
    if (itemLevel == kItemLevelColumn) return ListOf(kExcelColumn);
    std::vector<DefaultItem> items = ListOf(kExcelTable);
    if (IsOracleProduct(product)) {
      items.insert(items.end(), std::begin(kExcelTableOracleExtra),
                   std::end(kExcelTableOracleExtra));
    }
    return items;
  }
  ProductLists lists = ListsOf(product);
  if (dataKind == kDataKindTable) {
    return itemLevel == kItemLevelTable ? lists.tableTable : lists.tableColumn;
  }
  if (dataKind == kDataKindIndex) {
    return itemLevel == kItemLevelTable ? lists.indexTable : lists.indexColumn;
  }
  if (dataKind == kDataKindTableIndex && itemLevel == kItemLevelTable) {
    return lists.tableIndexTable;
  }
  return {};
}

void BuildDefaultItems(TCatalogueStore& store, int product, const TextMeasurer& measure) {
  for (int kind = 1; kind <= kDataKindCount; ++kind) {
    for (int level = kItemLevelTable; level <= kItemLevelColumn; ++level) {
      ItemList& list = store.Items(kind, level);
      std::vector<DefaultItem> defaults = DefaultItemList(product, kind, level);
      for (const DefaultItem& item : defaults) {
        const int index = static_cast<int>(list.size());
        list.push_back(
            MakeDefaultItem(ToCp932(item.nameUtf8), item.valueKind, index, level, measure));
      }
    }
  }
  const int lineType = store.formatSettings.lineType;
  store.formatSettings = DefaultFormatSettings();
  store.formatSettings.lineType = lineType;
}

}  // namespace morvane
