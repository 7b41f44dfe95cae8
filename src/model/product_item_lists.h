// The default item lists of each database product's catalogue data kinds, in list order (the
// position is the item's index). Only the product profiles read them.
#pragma once

#include "model/item_def.h"
#include "model/product_profile.h"

namespace morvane::product_lists {

constexpr int T = kValueKindText;
constexpr int N = kValueKindNumber;

inline constexpr DefaultItem kRedBrickTableTable[] = {
    {"CREATOR", T},         {"NAME", T},         {"TYPE", T},       {"SIZE(byte)", N},
    {"COUNT", N},           {"ID", N},           {"DATETIME", T},   {"MAXSEGMENTS", N},
    {"MAXROWS PER SEG", N}, {"MAXSIZE ROWS", N}, {"SEGMENT BY", T}, {"INTACT", T},
    {"PARTIAL", T},         {"COMMENT", T},
};

inline constexpr DefaultItem kRedBrickTableColumn[] = {
    {"SEQ", N},    {"NAME", T},        {"TYPE", T},       {"LENGTH", N},     {"PRECISION", N},
    {"SCALE", N},  {"LENGTH2", N},     {"SCALE2", N},     {"SIZE(byte)", N}, {"NOT NULL", T},
    {"UNIQUE", T}, {"PRIMARY KEY", T}, {"PRIMARY NO", N}, {"TID", N},        {"DEFAULTVALUE", T},
    {"SEGSEQ", N}, {"COMMENT", T},     {"USAGE", T},
};

inline constexpr DefaultItem kRedBrickIndexTable[] = {
    {"CREATOR", T},    {"NAME", T},   {"TYPE", T},    {"TNAME", T}, {"CNAME", T},   {"DATETIME", T},
    {"FILLFACTOR", N}, {"INTACT", T}, {"PARTIAL", T}, {"STATE", T}, {"COMMENT", T},
};

inline constexpr DefaultItem kRedBrickIndexColumn[] = {
    {"SEQ", N},
    {"CNAME", T},
    {"FKNAME", T},
};

inline constexpr DefaultItem kRedBrickTableIndexTable[] = {
    {"CREATOR", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"INDEX COUNT", N},
};

inline constexpr DefaultItem kOracle8TableTable[] = {
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

inline constexpr DefaultItem kOracle8TableColumn[] = {
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

inline constexpr DefaultItem kOracle8IndexTable[] = {
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

inline constexpr DefaultItem kOracle8IndexColumn[] = {
    {"POSITION", N},
    {"NAME", T},
    {"LENGTH", N},
};

inline constexpr DefaultItem kOracle8TableIndexTable[] = {
    {"OWNER", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"INDEX COUNT", N},
};

inline constexpr DefaultItem kOracle7TableTable[] = {
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

inline constexpr DefaultItem kOracle7TableColumn[] = {
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

inline constexpr DefaultItem kOracle7IndexTable[] = {
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

inline constexpr DefaultItem kOracle7IndexColumn[] = {
    {"POSITION", N},
    {"NAME", T},
    {"LENGTH", N},
};

inline constexpr DefaultItem kOracle7TableIndexTable[] = {
    {"OWNER", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"INDEX COUNT", N},
};

inline constexpr DefaultItem kBroadbaseTableTable[] = {
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

inline constexpr DefaultItem kBroadbaseTableColumn[] = {
    {"ORDINAL", N},       {"COLUMN NAME", T},     {"DATA TYPE", T},
    {"PRECISION", N},     {"SCALE", N},           {"PRIMARY KEY", T},
    {"PRIMARY SEQ", N},   {"UNIQUE", T},          {"NOT NULL", T},
    {"SESSION ID", N},    {"OBJECT ID", N},       {"CREATOR NAME", T},
    {"CREATION TIME", T}, {"LAST ALTERED", T},    {"SOURCE COLUMN NAME", T},
    {"CLUSTER ID", N},    {"CLUSTER ORDINAL", N}, {"DOMAIN ID", N},
    {"FLAG", T},          {"REMARKS", T},
};

inline constexpr DefaultItem kBroadbaseIndexTable[] = {
    {"SCHEMA NAME", T},   {"INDEX NAME", T}, {"INDEX TYPE", T},      {"TABLE NAME", T},
    {"INDEX ID", N},      {"OBJECT ID", N},  {"CREATOR NAME", T},    {"CREATION TIME", T},
    {"LAST ALTERED", T},  {"NEXT ROWID", N}, {"NUM COLUMNS", N},     {"FILE ID", N},
    {"COLUMNS", T},       {"STATUS", T},     {"TABLESPACE NAME", T}, {"FILE NAME", T},
    {"NUM BLOCKS VI", N}, {"ROOT BLOCK", N}, {"REMARKS", T},
};

inline constexpr DefaultItem kBroadbaseIndexColumn[] = {
    {"ORDINAL", N},
    {"COLUMN NAME", T},
};

inline constexpr DefaultItem kBroadbaseTableIndexTable[] = {
    {"SCHEMA NAME", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"INDEX COUNT", N},
};

// The generic ODBC product: the positions are named in model/odbc_default_items.h.
inline constexpr DefaultItem kOdbcTableTable[] = {
    {"OWNER", T}, {"TABLE NAME", T}, {"TABLE TYPE", T}, {"SIZE(byte)", N},
    {"COUNT", N}, {"CATALOG", T},    {"REMARKS", T},
};

inline constexpr DefaultItem kOdbcTableColumn[] = {
    {"NO", N},     {"NAME", T},        {"TYPE", T},       {"LENGTH", N},     {"PRECISION", N},
    {"SCALE", N},  {"LENGTH2", N},     {"SCALE2", N},     {"SIZE(byte)", N}, {"NOT NULL", T},
    {"UNIQUE", T}, {"PRIMARY KEY", T}, {"PRIMARY NO", N}, {"DEFAULT", T},    {"REMARKS", T},
};

inline constexpr DefaultItem kOdbcIndexTable[] = {
    {"OWNER", T},      {"INDEX NAME", T}, {"INDEX TYPE", T},
    {"TABLE NAME", T}, {"UNIQUENESS", T}, {"CATALOG", T},
};

inline constexpr DefaultItem kOdbcIndexColumn[] = {
    {"POSITION", N},
    {"NAME", T},
    {"ORDER", T},
};

inline constexpr DefaultItem kOdbcTableIndexTable[] = {
    {"OWNER", T},
    {"TABLE NAME", T},
    {"TABLE TYPE", T},
    {"INDEX COUNT", N},
};

// Items whose values change between two fetches of the same schema (ProductItemLists::statistics).
inline constexpr const char* kRedBrickStatistics[] = {"COUNT"};

inline constexpr const char* kOracleStatistics[] = {
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

inline constexpr const char* kBroadbaseStatistics[] = {
    "COUNT",         "SESSION ID",       "NUM ROWS",      "NEXT ROWID", "DELETED BLOCKS",
    "LAST DML TIME", "NUM ROWS DELETED", "NUM BLOCKS VI", "ROOT BLOCK", "RI NODE BLOCK",
    "VI NODE BLOCK", "MAX FILE BLOCKS",  "LOCK",
};

inline constexpr const char* kOdbcStatistics[] = {"COUNT"};

}  // namespace morvane::product_lists
