#include "sample_document.h"

#include "er/er_sheets.h"
#include "er/er_tables.h"
#include "project/new_project.h"
#include "text/codec.h"

namespace morvane::testing {

void BuildSampleDocument(TCatalogueStore& store) {
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  const std::string circle = ToCp932("○");

  TTableRec& emp = store.AddRecord(DataKind::Table);
  emp.owner = "SCOTT";
  emp.type = "TABLE";
  emp.name = "EMP";
  emp.values = TValueList{"SCOTT", "EMP", "TABLE", "120", "", ToCp932("社員")};
  emp.columns.push_back({TValueList{"1", "EMPNO", "NUMBER", "", "4", "0", "4", "", "", circle}});
  emp.columns.push_back({TValueList{"2", "ENAME", "VARCHAR2", "10", "", "", "10"}});
  emp.columns.push_back({TValueList{}});

  TTableRec& noValues = store.AddRecord(DataKind::Index);
  noValues.owner = "SCOTT";
  noValues.type = "NORMAL";
  noValues.name = "PK_EMP";
  noValues.columns.push_back({TValueList{"1", "EMPNO", "22"}});

  TTableRec& matrix = store.AddRecord(DataKind::TableIndex);
  matrix.values = TValueList{"SCOTT", "EMP", "TABLE", "1"};
  store.Items(DataKind::TableIndex, kItemLevelColumn) = {
      MakeDefaultItem("COLUMN NAME", kValueKindText, 0, kItemLevelColumn, EstimateTextWidth),
      MakeDefaultItem("1", kValueKindText, 1, kItemLevelColumn, EstimateTextWidth)};

  TTableRec& sheet = store.AddRecord(DataKind::Excel);
  sheet.name = ToCp932("顧客");
  sheet.values = TValueList{"1", ToCp932("顧客"), "64"};

  TTableRec& sql = store.AddRecord(DataKind::Sql);
  sql.columns.push_back({TValueList{"7", ""}});
  store.Items(DataKind::Sql, kItemLevelColumn) = {
      MakeDefaultItem("COUNT(*)", kValueKindText, 0, kItemLevelColumn, EstimateTextWidth)};

  store.relations.push_back({"EMP", {"DEPT", "BONUS"}});
  store.relations.push_back({"DEPT", {}});

  // Reordered, hidden and moved items.
  ItemList& items = store.Items(DataKind::Table, kItemLevelTable);
  std::swap(items[0], items[1]);
  items[3].output = 0;
  items[3].excelColumn = "Z";
  items[3].excelCell = "C3";

  TFormatSettings& s = store.formatSettings;
  s.tableNoOutput[1] = 1;
  s.tableOneSheet[2] = 1;
  s.tableStartRow[2] = -4;
  s.tableHeader[3] = 0;
  s.columnStartRow[0] = 12;
  s.columnHeader[1] = 0;
  s.erLeft = 10;
  s.erTop = -5;
  s.erType = 0;
  s.lineType = kLineTypeCurved;

  store.importLayout.tableNameCell = "B2";
  store.importLayout.firstItemRow = 7;
  store.importLayout.dataTypeColumn = "C";
  store.importLayout.comment3Column = "Q";

  TERSheetRec& first = *store.er.sheets[0];
  first.name = ToCp932("概要");
  TERTableRec& a = AddERTable(first, "Table1", "EMP", 10, 20, 0, 0);
  a.columns.push_back(
      MakeERColumn(emp.columns[0].values, ColumnValuePositionsFor(Product::Oracle8, false)));
  a.columns.push_back(
      MakeERColumn(emp.columns[1].values, ColumnValuePositionsFor(Product::Oracle8, false)));
  a.columns[1].checked = false;
  TERTableRec& b = AddERTable(first, "Table3", "DEPT", 300, 20, 160, 90);
  AddERLine(first, &a, &b);
  AddERLine(first, &b, &b);
  TERSheetRec& second = AddERSheet(store.er);
  TERTableRec& c = AddERTable(second, "Table2", "EMP", -30, 1000, 150, 150);
  AddERLine(second, &c, &c);
  store.er.currentIndex = 0;

  store.sqlText = {"SELECT COUNT(*)", "  FROM EMP", ""};
  store.sqlMaxRow = "250";
}

}  // namespace morvane::testing
