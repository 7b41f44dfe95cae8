// Changed schemas and the change lists the comparison gives for them, in the tab-separated form.
#include "diff/catalogue_diff.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "diff/change_format.h"
#include "project/new_project.h"
#include "text/codec.h"

namespace morvane::diff {
namespace {

using Values = std::initializer_list<std::pair<const char*, const char*>>;

// A value list for an item list with the named items set (names and values UTF-8).
TValueList Row(const ItemList& items, Values values) {
  TValueList row;
  row.resize(items.size());
  for (const auto& [name, value] : values) {
    for (const TItemDef& item : items) {
      if (item.name == name) row.Set(item.index, ToCp932(value));
    }
  }
  return row;
}

TTableRec& AddTable(TCatalogueStore& store, DataKind kind, const char* owner, const char* name,
                    Values values) {
  TTableRec& record = store.AddRecord(kind);
  record.owner = owner;
  record.name = name;
  record.type = kind == DataKind::Excel ? "" : "TABLE";
  record.values = Row(store.Items(kind, kItemLevelTable), values);
  return record;
}

void AddColumn(TCatalogueStore& store, DataKind kind, TTableRec& table, Values values) {
  table.columns.push_back({Row(store.Items(kind, kItemLevelColumn), values)});
}

TTableRec& Find(TCatalogueStore& store, DataKind kind, const std::string& name) {
  for (auto& record : store.Records(kind)) {
    if (record->name == name) return *record;
  }
  throw std::runtime_error("no record " + name);
}

// Red Brick: SALES.DEPT and SALES.EMP (EMP refers to DEPT), an index on EMP, and the design of
// both tables as imported from a workbook.
void BuildBase(TCatalogueStore& store) {
  NewProject(store, Product::RedBrick, EstimateTextWidth);
  const DataKind t = DataKind::Table;
  TTableRec& dept = AddTable(store, t, "SALES", "DEPT",
                             {{"CREATOR", "SALES"},
                              {"NAME", "DEPT"},
                              {"TYPE", "TABLE"},
                              {"COUNT", "4"},
                              {"COMMENT", "部署"}});
  AddColumn(store, t, dept,
            {{"SEQ", "1"},
             {"NAME", "DEPT_ID"},
             {"TYPE", "INTEGER"},
             {"NOT NULL", "○"},
             {"PRIMARY KEY", "○"}});
  AddColumn(store, t, dept,
            {{"SEQ", "2"},
             {"NAME", "DEPT_NAME"},
             {"TYPE", "CHAR"},
             {"LENGTH", "20"},
             {"COMMENT", "部署名"}});
  TTableRec& emp = AddTable(store, t, "SALES", "EMP",
                            {{"CREATOR", "SALES"}, {"NAME", "EMP"}, {"TYPE", "TABLE"}});
  AddColumn(store, t, emp, {{"SEQ", "1"}, {"NAME", "EMP_ID"}, {"TYPE", "INTEGER"}});
  AddColumn(store, t, emp, {{"SEQ", "2"}, {"NAME", "DEPT_ID"}, {"TYPE", "INTEGER"}});
  store.relations.push_back({"EMP", {"DEPT"}});
  const DataKind i = DataKind::Index;
  TTableRec& index = AddTable(store, i, "SALES", "EMP_IX",
                              {{"CREATOR", "SALES"}, {"NAME", "EMP_IX"}, {"TNAME", "EMP"}});
  AddColumn(store, i, index, {{"SEQ", "1"}, {"CNAME", "DEPT_ID"}});
  const DataKind x = DataKind::Excel;
  TTableRec& design = AddTable(store, x, "", "DEPT", {{"NAME", "DEPT"}});
  AddColumn(store, x, design,
            {{"NAME", "DEPT_ID"}, {"TYPE", "INTEGER"}, {"NOT NULL", "○"}, {"PRIMARY KEY", "○"}});
  AddColumn(store, x, design,
            {{"NAME", "DEPT_NAME"}, {"TYPE", "CHAR"}, {"LENGTH", "20"}, {"COMMENT1", "部署名"}});
  TTableRec& empDesign = AddTable(store, x, "", "EMP", {{"NAME", "EMP"}});
  AddColumn(store, x, empDesign, {{"NAME", "EMP_ID"}, {"TYPE", "INTEGER"}});
  AddColumn(store, x, empDesign, {{"NAME", "DEPT_ID"}, {"TYPE", "INTEGER"}});
}

enum class Mode { kCatalogues, kCataloguesAllItems, kTableAndTableIndex, kDesign };

struct Case {
  const char* what;
  Mode mode;
  std::function<void(TCatalogueStore&)> change;
  const char* tsv;
};

const std::vector<Case>& Cases() {
  const DataKind t = DataKind::Table;
  const DataKind i = DataKind::Index;
  const DataKind x = DataKind::Excel;
  static const std::vector<Case> cases = {
      {"nothing changed", Mode::kCatalogues, [](TCatalogueStore&) {}, ""},
      {"table added", Mode::kCatalogues,
       [=](TCatalogueStore& s) {
         AddColumn(s, t, AddTable(s, t, "SALES", "BONUS", {{"NAME", "BONUS"}}), {{"NAME", "A"}});
       },
       "added\ttable\tSALES.BONUS\t\t\t\n"},
      {"table dropped with its foreign key", Mode::kCatalogues,
       [=](TCatalogueStore& s) {
         s.Records(t).pop_back();
         s.relations.clear();
       },
       "removed\trelation\tEMP->DEPT\t\t\t\n"
       "removed\ttable\tSALES.EMP\t\t\t\n"},
      {"column added, column removed, column widened, comment changed", Mode::kCatalogues,
       [=](TCatalogueStore& s) {
         TTableRec& dept = Find(s, t, "DEPT");
         dept.columns[1].values.Set(3, "40");
         dept.columns[1].values.Set(16, ToCp932("部署の名前"));
         dept.values.Set(13, ToCp932("部門"));
         AddColumn(s, t, dept, {{"SEQ", "3"}, {"NAME", "BUDGET"}, {"TYPE", "INTEGER"}});
         Find(s, t, "EMP").columns.pop_back();
       },
       "changed\ttable\tSALES.DEPT\tCOMMENT\t部署\t部門\n"
       "added\tcolumn\tSALES.DEPT.BUDGET\t\t\t\n"
       "changed\tcolumn\tSALES.DEPT.DEPT_NAME\tLENGTH\t20\t40\n"
       "changed\tcolumn\tSALES.DEPT.DEPT_NAME\tCOMMENT\t部署名\t部署の名前\n"
       "removed\tcolumn\tSALES.EMP.DEPT_ID\t\t\t\n"},
      {"statistics left out", Mode::kCatalogues,
       [=](TCatalogueStore& s) { Find(s, t, "DEPT").values.Set(4, "5"); }, ""},
      {"statistics included", Mode::kCataloguesAllItems,
       [=](TCatalogueStore& s) { Find(s, t, "DEPT").values.Set(4, "5"); },
       "changed\ttable\tSALES.DEPT\tCOUNT\t4\t5\n"},
      {"index added, index column changed and added", Mode::kCatalogues,
       [=](TCatalogueStore& s) {
         TTableRec& index = Find(s, i, "EMP_IX");
         index.columns[0].values.Set(1, "EMP_ID");
         AddColumn(s, i, index, {{"SEQ", "2"}, {"CNAME", "DEPT_ID"}});
         AddTable(s, i, "SALES", "DEPT_IX", {{"NAME", "DEPT_IX"}});
       },
       "added\tindex\tSALES.DEPT_IX\t\t\t\n"
       "changed\tindex-column\tSALES.EMP_IX.1\tCNAME\tDEPT_ID\tEMP_ID\n"
       "added\tindex-column\tSALES.EMP_IX.2\t\t\t\n"},
      {"index removed, relation added, item lists reordered", Mode::kCatalogues,
       [=](TCatalogueStore& s) {
         s.Records(i).clear();
         s.relations.push_back({"DEPT", {"DEPT", "EMP"}});
         ItemList& items = s.Items(t, kItemLevelColumn);
         std::swap(items[2], items[9]);
       },
       "added\trelation\tDEPT->DEPT\t\t\t\n"
       "added\trelation\tDEPT->EMP\t\t\t\n"
       "removed\tindex\tSALES.EMP_IX\t\t\t\n"},
      {"a table seen by two data kinds is listed once", Mode::kTableAndTableIndex,
       [=](TCatalogueStore& s) {
         AddTable(s, t, "SALES", "BONUS", {{"NAME", "BONUS"}});
         AddTable(s, DataKind::TableIndex, "SALES", "BONUS", {{"TABLE NAME", "BONUS"}});
       },
       "added\ttable\tSALES.BONUS\t\t\t\n"},
      {"design matches the database", Mode::kDesign, [](TCatalogueStore&) {}, ""},
      {"design differs from the database", Mode::kDesign,
       [=](TCatalogueStore& s) {
         TTableRec& dept = Find(s, x, "DEPT");
         dept.columns[0].values.Set(2, "SMALLINT");
         dept.columns[1].values.Set(9, ToCp932("○"));
         dept.columns[1].values.Set(12, "");
         AddColumn(s, x, dept, {{"NAME", "NOTE"}});
         AddTable(s, x, "", "PLAN", {{"NAME", "PLAN"}});
       },
       "removed\ttable\tPLAN\t\t\t\n"
       "changed\tcolumn\tSALES.DEPT.DEPT_ID\tTYPE\tSMALLINT\tINTEGER\n"
       "changed\tcolumn\tSALES.DEPT.DEPT_NAME\tNOT NULL\t○\t\n"
       "changed\tcolumn\tSALES.DEPT.DEPT_NAME\tCOMMENT\t\t部署名\n"
       "removed\tcolumn\tSALES.DEPT.NOTE\t\t\t\n"},
  };
  return cases;
}

ChangeList Compare(const Case& c) {
  TCatalogueStore before, after;
  BuildBase(before);
  BuildBase(after);
  if (c.mode == Mode::kDesign) {
    c.change(before);
    return CompareDesignWithDatabase(before);
  }
  c.change(after);
  CompareOptions options;
  options.allItems = c.mode == Mode::kCataloguesAllItems;
  if (c.mode == Mode::kTableAndTableIndex) options.kinds = {DataKind::Table, DataKind::TableIndex};
  return CompareCatalogues(before, after, options);
}

TEST(CatalogueDiffTest, ChangedSchemasGiveTheirChangeLists) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.what);
    const ChangeList changes = Compare(c);
    EXPECT_EQ(FormatChanges(changes, ChangeFormat::kTsv), c.tsv);
  }
}

}  // namespace
}  // namespace morvane::diff
