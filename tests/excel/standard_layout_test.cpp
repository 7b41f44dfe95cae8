// The standard layout against the item lists of every product and the bundled template, and a
// workbook written with it: read back by the import with no layout typed, and its print
// settings as openpyxl reads them.
#include "model/standard_layout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "excel/application.h"
#include "excel/import_excel.h"
#include "excel/output_excel.h"
#include "excel/standard_sheet.h"
#include "project/new_project.h"
#include "temp_dir.h"
#include "text/codec.h"

namespace morvane::excel {
namespace {

const TItemDef* FindItem(const ItemList& items, const char* utf8) {
  for (const TItemDef& item : items) {
    if (item.name == ToCp932(utf8)) return &item;
  }
  return nullptr;
}

// The cell left of `cell` ("C2" gives "B2"): where the template labels a header value.
std::string LabelOf(const std::string& cell) {
  return std::string(1, static_cast<char>(cell[0] - 1)) + cell.substr(1);
}

// Every placed item exists in its list, is written and comes first in placement order; every
// other item is not written; the template labels each header cell and heads each grid column.
TEST(StandardLayoutTest, EveryPlacementIsAnItemUnderATemplateHeading) {
  ExcelApplication app;
  Workbook& book = app.Workbooks().OpenDefaultTemplate();
  for (Product product : MenuProducts()) {
    SCOPED_TRACE(ProductName(product));
    TCatalogueStore store;
    NewProject(store, product, EstimateTextWidth);
    ApplyStandardLayout(store);
    ASSERT_FALSE(StandardLayoutOf(product).kinds.empty());
    for (const StandardKindLayout& kind : StandardLayoutOf(product).kinds) {
      SCOPED_TRACE(DataKindCode(kind.kind));
      Worksheet sheet = book.Worksheets().Item(ToCp932(StandardSheetFor(kind.kind, false, false)));
      const ItemList& table = store.Items(kind.kind, kItemLevelTable);
      for (size_t i = 0; i < kind.table.size(); ++i) {
        const TItemDef* item = FindItem(table, kind.table[i].itemUtf8);
        ASSERT_NE(item, nullptr) << kind.table[i].itemUtf8;
        EXPECT_EQ(item, &table[i]);
        EXPECT_EQ(item->output, 1);
        EXPECT_NE(sheet.Range(LabelOf(item->excelCell)).Value(), "") << item->excelCell;
      }
      for (size_t i = kind.table.size(); i < table.size(); ++i) EXPECT_EQ(table[i].output, 0);
      if (!kind.placesColumns) continue;
      const ItemList& columns = store.Items(kind.kind, kItemLevelColumn);
      const std::string heading_row = std::to_string(kind.columnStartRow - 1);
      for (size_t i = 0; i < kind.column.size(); ++i) {
        const TItemDef* item = FindItem(columns, kind.column[i].itemUtf8);
        ASSERT_NE(item, nullptr) << kind.column[i].itemUtf8;
        EXPECT_EQ(item, &columns[i]);
        EXPECT_NE(sheet.Range(item->excelColumn + heading_row).Value(), "") << item->name;
      }
      for (size_t i = kind.column.size(); i < columns.size(); ++i) {
        EXPECT_EQ(columns[i].output, 0);
      }
    }
  }
}

// A table with many columns, long Japanese comments, keys, NOT NULL marks, lengths, precision
// and scale; values at the positions of the product's default lists.
void AddWideTable(TCatalogueStore& store, const std::string& name, int columns) {
  const ItemList& table_items = store.Items(DataKind::Table, kItemLevelTable);
  const ItemList& column_items = store.Items(DataKind::Table, kItemLevelColumn);
  auto at = [](const ItemList& items, const char* utf8) { return FindItem(items, utf8)->index; };
  const bool odbc = store.product == Product::Odbc;
  const char* comment = odbc ? "REMARKS" : "COMMENTS";
  TTableRec& record = store.AddRecord(DataKind::Table);
  record.owner = "SCOTT";
  record.type = "TABLE";
  record.name = name;
  std::vector<std::string> values(table_items.size());
  values[0] = "SCOTT";
  values[1] = name;
  values[2] = "TABLE";
  values[at(table_items, comment)] = ToCp932("受注明細");
  record.values = TValueList(values);
  std::string long_comment;
  for (int i = 0; i < 100; ++i) long_comment += ToCp932("顧");
  for (int i = 1; i <= columns; ++i) {
    std::vector<std::string> row(column_items.size());
    row[0] = std::to_string(i);
    row[at(column_items, "NAME")] = "COL_" + std::to_string(i);
    row[at(column_items, "TYPE")] = i % 2 ? "NUMBER" : "VARCHAR2";
    row[at(column_items, "LENGTH")] = i % 2 ? "" : std::to_string(10 * i);
    row[at(column_items, "PRECISION")] = i % 2 ? std::to_string(i % 30 + 1) : "";
    row[at(column_items, "SCALE")] = i % 2 ? std::to_string(i % 3) : "";
    row[at(column_items, "NOT NULL")] = i % 3 ? "" : ToCp932("○");
    row[at(column_items, "PRIMARY KEY")] = i == 1 ? ToCp932("○") : "";
    row[at(column_items, comment)] = i == 2 ? long_comment : ToCp932("列") + std::to_string(i);
    record.columns.push_back({TValueList(row)});
  }
}

std::string RunCommand(const std::string& command) {
  std::string out = ::testing::TempDir() + "/standard_layout_cmd.txt";
  const int status = std::system((command + " > '" + out + "' 2>&1").c_str());
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(status, 0) << text.str();
  return text.str();
}

class StandardRoundTripTest : public ::testing::TestWithParam<Product> {};

TEST_P(StandardRoundTripTest, OutputImportsBackAndPrintsOnePageWide) {
  xlsx::testing::TempDir dir;
  TCatalogueStore store;
  NewProject(store, GetParam(), EstimateTextWidth);
  ApplyStandardLayout(store);
  AddWideTable(store, "ORDERS", 45);
  AddWideTable(store, ToCp932("顧客"), 3);
  std::vector<const TTableRec*> records;
  for (const auto& record : store.Records(DataKind::Table)) records.push_back(record.get());

  const std::string file = dir.File("standard.xlsx");
  {
    ExcelApplication app;
    app.Workbooks().OpenDefaultTemplate();
    ScriptedPrompt prompt;
    NullProgress progress;
    OutputResult result =
        ExcelOutput(app, prompt, progress, {}).WriteTables(store, DataKind::Table, records);
    ASSERT_EQ(result.end, OutputEnd::kFinished);
    result.book->SaveAs(file);
  }
  // MORVANE_KEEP_LO_OUTPUT names a directory to keep the workbook in for a look.
  if (const char* keep = std::getenv("MORVANE_KEEP_LO_OUTPUT")) {
    std::filesystem::copy_file(
        file, std::string(keep) + "/standard-" + std::string(ProductName(GetParam())) + ".xlsx",
        std::filesystem::copy_options::overwrite_existing);
  }

  ExcelApplication app;
  Workbook& book = app.Workbooks().Open(file);
  ScriptedPrompt prompt;
  NullProgress progress;
  ImportContext context{prompt, progress, [](auto...) { return std::string(); }};
  ImportOutcome outcome = ImportSheets(store, book, {"ORDERS", ToCp932("顧客")}, context);
  ASSERT_TRUE(outcome.completed) << outcome.error;
  const RecordList& imported = store.Records(DataKind::Excel);
  ASSERT_EQ(imported.size(), 2u);
  const ItemList& items = store.Items(DataKind::Table, kItemLevelColumn);
  const char* comment = GetParam() == Product::Odbc ? "REMARKS" : "COMMENTS";
  const std::pair<const char*, int> compared[] = {
      {"NAME", 1},  {"TYPE", 2},     {"LENGTH", 3},       {"PRECISION", 4},
      {"SCALE", 5}, {"NOT NULL", 9}, {"PRIMARY KEY", 11}, {comment, 12}};
  for (size_t t = 0; t < 2; ++t) {
    const TTableRec& original = *store.Records(DataKind::Table)[t];
    const TTableRec& back = *imported[t];
    EXPECT_EQ(back.name, original.name);
    ASSERT_EQ(back.columns.size(), original.columns.size());
    for (size_t c = 0; c < back.columns.size(); ++c) {
      for (const auto& [item, position] : compared) {
        EXPECT_EQ(back.columns[c].values.ValueOr(position),
                  original.columns[c].values.ValueOr(FindItem(items, item)->index))
            << item << " of column " << c + 1;
      }
    }
  }

  // The print settings, as another reader sees them.
  const std::string script = dir.File("print.py");
  std::ofstream(script)
      << "import sys, openpyxl\n"
         "ws = openpyxl.load_workbook(sys.argv[1])['ORDERS']\n"
         "s = ws.page_setup\n"
         "print(ws.print_area, ws.print_title_rows, s.orientation, s.paperSize,"
         " s.fitToWidth, s.fitToHeight, ws.sheet_properties.pageSetUpPr.fitToPage,"
         " ws.oddFooter.left.text, ws.oddFooter.right.text)\n";
  EXPECT_EQ(RunCommand("/usr/bin/python3 '" + script + "' '" + file + "'"),
            "['$A$1:$K$50'] $5:$5 landscape 9 1 0 True &A &P / &N\n");
}

INSTANTIATE_TEST_SUITE_P(Products, StandardRoundTripTest,
                         ::testing::Values(Product::Oracle8, Product::Odbc));

}  // namespace
}  // namespace morvane::excel
