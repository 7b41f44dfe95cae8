// The Excel output against the bundled template, a LibreOffice-made and a hand-made one:
// sheet naming, both table modes, the format check, data kind 5, ER diagrams, the confirmation
// loop with scripted answers, and the clean-up after failures.
#include <gtest/gtest.h>

#include <map>
#include <pugixml.hpp>

#include "er/er_tables.h"
#include "excel/excel_error.h"
#include "excel/output_er.h"
#include "excel/output_excel.h"
#include "excel/output_sheet_name.h"
#include "excel/shapes.h"
#include "handmade_template.h"
#include "output_fixture.h"
#include "temp_dir.h"
#include "text/codec.h"
#include "xlsx/drawing.h"
#include "xlsx/workbook.h"
#include "xlsx/worksheet.h"

namespace morvane::excel {
namespace {

using testing::AddTable;
using testing::RecordingProgress;
using testing::ShownTexts;
using xlsx::testing::TempDir;

const std::string kFinished = "終了しました。";
const std::string kFailed = "出力に失敗しました。";
const std::string kInvalid = "フォーマットが不正です。";
const std::string kOpenSheet =
    "新規のExcelシートか、フォーマットにするExcelシートを開いてください。\r\nよろしいですか？";
const std::string kNotRunning = "Excelが起動されていないか、ExcelのOLEが取得できません。";

std::string Question(const std::string& sheet) {
  return "「" + sheet +
         "」シートをフォーマットにして、新規のファイルに出力します。\r\nよろしいですか？";
}

TEST(OutputSheetNameTest, NamesAreCutCleanedAndNumberedByCharacters) {
  struct Case {
    std::string wanted, expected;
  } cases[] = {
      {"EMPLOYEE", "EMPLOYEE"},
      {std::string(40, 'X'), std::string(31, 'X')},
      {"A:B\\C/D?E*F[G]H", "A_B_C_D_E_F_G_H"},
      {"'QUOTED'", "_QUOTED_"},
      {"IT'S", "IT'S"},
      {std::string(30, 'Y') + "'Z", std::string(30, 'Y') + "_"},  // cut, then the end mended
      {"受注明細受注明細受注明細受注明細受注明細受注明細受注明細受注明細",
       "受注明細受注明細受注明細受注明細受注明細受注明細受注明細受注明"},  // 32 -> 31
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToUtf8(OutputSheetName(ToCp932(c.wanted))), c.expected) << c.wanted;
  }
  EXPECT_EQ(OutputSheetName(std::string("A\x81", 2)), "A_");  // a lone lead byte
  EXPECT_EQ(ToUtf8(NumberedSheetName("EMPLOYEE", 2)), "EMPL (2)");
  EXPECT_EQ(ToUtf8(NumberedSheetName("EMPL (2)", 3)), "EMPL (3)");
  EXPECT_EQ(ToUtf8(NumberedSheetName("EMPLOYEE", 10)), "EMP (10)");
  EXPECT_EQ(ToUtf8(NumberedSheetName("AB", 2)), " (2)");
  EXPECT_EQ(ToUtf8(NumberedSheetName(ToCp932("受注明細テーブル"), 2)), "受注明細 (2)");
}

TEST(OutputSheetNameTest, TakenAndRefusedNamesGetNumberedOnce) {
  ExcelApplication app;
  app.SetSheetsInNewWorkbook(6);
  Workbook& book = app.Workbooks().Add();
  const std::string long_bad = "A[" + std::string(45, 'B');
  std::vector<std::string> wanted = {"EMPLOYEE", "EMPLOYEE", "EMPLOYEE",
                                     long_bad,   long_bad,   "History"};
  for (size_t i = 0; i < wanted.size(); ++i) {
    NameOutputSheet(book.Worksheets().Item(static_cast<int>(i) + 1), wanted[i]);
  }
  std::vector<std::string> names;
  for (int i = 1; i <= book.Worksheets().Count(); ++i)
    names.push_back(book.Worksheets().Item(i).Name());
  std::string cleaned = "A_" + std::string(29, 'B');
  EXPECT_EQ(names, (std::vector<std::string>{"EMPLOYEE", "EMPL (2)", "EMPL (3)", cleaned,
                                             cleaned.substr(0, 27) + " (2)", "His (2)"}));
}

// Runs a table output of data kind 2 with the answers given; the template is the active sheet.
struct TableRun {
  ExcelApplication app;
  TCatalogueStore store;
  ScriptedPrompt prompt;
  RecordingProgress progress;
  int format_shown = 0;

  TableRun() { testing::SetUpTableItems(store); }

  OutputResult Write(const std::vector<const TTableRec*>& records,
                     DataKind kind = DataKind::Table) {
    ExcelOutput output(app, prompt, progress, {{}, [this] { ++format_shown; }});
    return output.WriteTables(store, kind, records);
  }
  std::vector<const TTableRec*> All(DataKind kind = DataKind::Table) {
    std::vector<const TTableRec*> records;
    for (const auto& r : store.Records(kind)) records.push_back(r.get());
    return records;
  }
  TFormatSettings& settings() { return store.formatSettings; }
};

std::string Value(Workbook& book, int sheet, const char* address) {
  return ToUtf8(book.Worksheets().Item(sheet).Range(address).Value());
}

// The layout each copy must keep: merged ranges, print titles and areas, and cell styles.
struct Layout {
  std::vector<std::string> merges;
  size_t local_names = 0;
  std::map<std::string, std::string> styles;  // of the template's cells among a few addresses
};

Layout LayoutOf(const Workbook& book, const Worksheet& sheet, const Layout* format = nullptr) {
  Layout layout;
  std::shared_ptr<xlsx::Worksheet> engine = sheet.Lock();
  for (pugi::xml_node merge :
       engine->doc.document_element().child("mergeCells").children("mergeCell")) {
    layout.merges.push_back(merge.attribute("ref").value());
  }
  layout.local_names = engine->local_names.size();
  for (const char* address : {"A1", "B1", "C1", "A3", "A5", "B5", "B6", "C8", "C20"}) {
    if (format && !format->styles.count(address)) continue;
    const xlsx::Cell* cell = engine->data.Find(*xlsx::ParseCellRef(address));
    if (cell) layout.styles[address] = book.engine().styles().Describe(cell->style);
  }
  return layout;
}

class TemplateKindsTest : public ::testing::TestWithParam<const char*> {};

TEST_P(TemplateKindsTest, OwnSheetCopiesKeepTheTemplateLayoutAndTakeTheValues) {
  TempDir dir;
  TableRun run;
  std::string kind = GetParam();
  if (kind == "bundled") {
    run.app.Workbooks().OpenDefaultTemplate();
  } else if (kind == "calc") {
    run.app.Workbooks().Open(MORVANE_FIXTURES "/calc_template.xlsx");
  } else {
    xlsx::testing::WriteHandmadeTemplate(dir.File("hand.xlsx"));
    run.app.Workbooks().Open(dir.File("hand.xlsx"));
  }
  Worksheet format = run.app.ActiveSheet();
  Workbook& format_book = format.Parent();
  AddTable(run.store, "SCOTT", "EMPLOYEE", 3);
  AddTable(run.store, "HR", "EMPLOYEE", 1);
  AddTable(run.store, "SCOTT", std::string(40, 'X'), 0);
  AddTable(run.store, "SALES", ToCp932("受注明細"), 12);
  run.app.SetSheetsInNewWorkbook(3);

  OutputResult result = run.Write(run.All());
  ASSERT_EQ(result.end, OutputEnd::kFinished);
  EXPECT_EQ(ShownTexts(run.prompt),
            (std::vector<std::string>{Question(ToUtf8(format.Name())), kFinished}));
  EXPECT_EQ(run.app.SheetsInNewWorkbook(), 3);  // restored
  EXPECT_TRUE(run.app.ScreenUpdating());
  EXPECT_TRUE(run.app.DisplayAlerts());
  EXPECT_EQ(run.progress.total, 4);
  EXPECT_EQ(run.progress.last, 4);
  EXPECT_EQ(run.progress.ends, 1);
  EXPECT_EQ(run.progress.activity, "Excel出力");

  Workbook& out = *result.book;
  out.SaveAs(dir.File("out.xlsx"));
  ExcelApplication reader;
  Workbook& reread = reader.Workbooks().Open(dir.File("out.xlsx"));
  ASSERT_EQ(reread.Worksheets().Count(), 4);  // the blank sheet is gone
  EXPECT_EQ(reread.Worksheets().Item(1).Name(), "EMPLOYEE");
  EXPECT_EQ(reread.Worksheets().Item(2).Name(), "EMPL (2)");
  EXPECT_EQ(reread.Worksheets().Item(3).Name(), std::string(31, 'X'));
  EXPECT_EQ(Value(reread, 1, "A1"), "SCOTT");
  EXPECT_EQ(Value(reread, 2, "A1"), "HR");
  EXPECT_EQ(Value(reread, 1, "B1"), "EMPLOYEE");
  EXPECT_EQ(Value(reread, 1, "A5"), "NO");
  EXPECT_EQ(Value(reread, 1, "B5"), "COLUMN");
  EXPECT_EQ(Value(reread, 1, "B6"), "COL_1");
  EXPECT_EQ(Value(reread, 1, "C8"), "NUMBER");
  EXPECT_EQ(Value(reread, 4, "B17"), "COL_12");
  EXPECT_EQ(Value(reread, 4, "B1"), "受注明細");
  Layout expected = LayoutOf(format_book, format);
  EXPECT_GT(expected.local_names, 0u);  // print titles or area
  EXPECT_FALSE(expected.styles.empty());
  if (kind != "bundled") {
    EXPECT_FALSE(expected.merges.empty());
  }
  for (int i = 1; i <= 4; ++i) {
    Layout copy = LayoutOf(reread, reread.Worksheets().Item(i), &expected);
    EXPECT_EQ(copy.merges, expected.merges) << i;
    EXPECT_EQ(copy.local_names, expected.local_names) << i;
    EXPECT_EQ(copy.styles, expected.styles) << i;
  }
  // The item not marked for output is not written, and the template is untouched.
  EXPECT_NE(Value(reread, 1, "D1"), "comment");
  EXPECT_NE(ToUtf8(format.Range("B1").Value()), "EMPLOYEE");
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateKindsTest,
                         ::testing::Values("bundled", "calc", "handmade"));

TEST(TableOutputModesTest, HeadersAndStartRowsPlaceTheRows) {
  struct Case {
    const char* label;
    bool one_sheet, header;
    int start_row;
    std::vector<std::pair<const char*, const char*>> cells;  // address, value
  } cases[] = {
      {"own sheet without column header",
       false,
       false,
       7,
       {{"A7", "1"}, {"B7", "COL_1"}, {"B8", "COL_2"}, {"A6", ""}}},
      {"one sheet with header",
       true,
       true,
       3,
       {{"A3", "OWNER"},
        {"B3", "NAME"},
        {"A4", "SCOTT"},
        {"B4", "EMP"},
        {"B5", "DEPT"},
        {"D3", ""}}},
      {"one sheet without header",
       true,
       false,
       3,
       {{"A3", "SCOTT"}, {"B3", "EMP"}, {"B4", "DEPT"}, {"C4", "TABLE"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TableRun run;
    run.app.Workbooks().OpenDefaultTemplate();
    AddTable(run.store, "SCOTT", "EMP", 2);
    AddTable(run.store, "SCOTT", "DEPT", 2);
    const size_t k = DataKindIndex(DataKind::Table);
    run.settings().tableOneSheet[k] = c.one_sheet;
    run.settings().tableHeader[k] = c.header;
    run.settings().tableStartRow[k] = c.start_row;
    run.settings().columnHeader[k] = c.header;
    run.settings().columnStartRow[k] = c.start_row;
    OutputResult result = run.Write(run.All());
    ASSERT_EQ(result.end, OutputEnd::kFinished);
    ASSERT_EQ(result.book->Worksheets().Count(), c.one_sheet ? 1 : 2);
    for (const auto& [address, value] : c.cells)
      EXPECT_EQ(Value(*result.book, 1, address), value) << address;
    if (c.one_sheet) {
      EXPECT_EQ(result.book->Worksheets().Item(1).Name(), ToCp932("テーブル定義"));
    }
  }
}

TEST(TableOutputModesTest, TheTemplateRejectsBadAddressesBeforeAnyWorkbookIsMade) {
  struct Case {
    const char* label;
    void (*spoil)(TCatalogueStore&);
  } cases[] = {
      {"column start row 0", [](TCatalogueStore& s) { s.formatSettings.columnStartRow[1] = 0; }},
      {"empty cell",
       [](TCatalogueStore& s) { s.Items(DataKind::Table, kItemLevelTable)[1].excelCell = ""; }},
      {"one-sheet start row 0",
       [](TCatalogueStore& s) {
         s.formatSettings.tableOneSheet[1] = 1;
         s.formatSettings.tableStartRow[1] = 0;
       }},
      {"bad column letters",
       [](TCatalogueStore& s) {
         s.Items(DataKind::Table, kItemLevelColumn)[0].excelColumn = "A1B";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TableRun run;
    run.app.Workbooks().OpenDefaultTemplate();
    AddTable(run.store, "SCOTT", "EMP", 2);
    c.spoil(run.store);
    run.app.SetSheetsInNewWorkbook(2);
    OutputResult result = run.Write(run.All());
    EXPECT_EQ(result.end, OutputEnd::kFailed);
    EXPECT_EQ(result.book, nullptr);
    EXPECT_EQ(run.app.Workbooks().Count(), 1);
    EXPECT_EQ(run.format_shown, 1);
    EXPECT_EQ(ShownTexts(run.prompt),
              (std::vector<std::string>{Question("テーブル定義"), kInvalid, kFailed}));
    EXPECT_EQ(run.prompt.shown[1].kind, PromptKind::kWarning);
    EXPECT_EQ(run.prompt.shown[2].kind, PromptKind::kError);
    EXPECT_EQ(run.app.SheetsInNewWorkbook(), 2);
    EXPECT_EQ(run.progress.ends, 1);
  }
  // An item not marked for output is not checked.
  TableRun run;
  run.app.Workbooks().OpenDefaultTemplate();
  AddTable(run.store, "SCOTT", "EMP", 1);
  run.store.Items(DataKind::Table, kItemLevelTable)[3].excelCell = "";
  EXPECT_EQ(run.Write(run.All()).end, OutputEnd::kFinished);
}

TEST(TableOutputModesTest, TheQueryResultGoesDownTheColumnsOfOneUnnamedSheet) {
  TableRun run;
  run.app.Workbooks().OpenDefaultTemplate();
  TTableRec& result_record = run.store.AddRecord(DataKind::Sql);
  for (int i = 1; i <= 3; ++i) {
    TColumnRow row;
    row.values = TValueList{"R" + std::to_string(i), std::to_string(i * 10)};
    result_record.columns.push_back(row);
  }
  auto item = [](const char* name, int index, const char* column) {
    TItemDef def;
    def.name = name;
    def.index = index;
    def.excelColumn = column;
    return def;
  };
  run.store.Items(DataKind::Sql, kItemLevelColumn) = {item("NAME", 0, "A"), item("QTY", 1, "B")};
  run.settings().tableNoOutput[DataKindIndex(DataKind::Sql)] = 1;
  run.settings().columnStartRow[DataKindIndex(DataKind::Sql)] = 5;
  run.settings().columnHeader[DataKindIndex(DataKind::Sql)] = 1;
  OutputResult result = run.Write(run.All(DataKind::Sql), DataKind::Sql);
  ASSERT_EQ(result.end, OutputEnd::kFinished);
  ASSERT_EQ(result.book->Worksheets().Count(), 1);
  EXPECT_EQ(result.book->Worksheets().Item(1).Name(), ToCp932("テーブル定義"));
  EXPECT_EQ(Value(*result.book, 1, "A5"), "NAME");
  EXPECT_EQ(Value(*result.book, 1, "B5"), "QTY");
  EXPECT_EQ(Value(*result.book, 1, "A8"), "R3");
  EXPECT_EQ(Value(*result.book, 1, "B8"), "30");
  EXPECT_EQ(Value(*result.book, 1, "B1"), "");  // no table-level data
  EXPECT_EQ(run.progress.total, 6);
  EXPECT_EQ(run.progress.last, 6);
}

// The confirmation loop, answer by answer.
TEST(ConfirmationTest, EachAnswerLeadsWhereItShould) {
  struct Case {
    const char* label;
    bool open_at_start;
    std::vector<PromptButton> answers;
    int sheet_opened_by_hook;  // 0 none, otherwise the hook opens a template
    OutputEnd end;
    std::vector<std::string> shown;
  } cases[] = {
      {"yes",
       true,
       {PromptButton::kYes},
       0,
       OutputEnd::kFinished,
       {Question("テーブル定義"), kFinished}},
      {"cancel",
       true,
       {PromptButton::kCancel},
       0,
       OutputEnd::kCancelled,
       {Question("テーブル定義")}},
      {"no, then open another sheet and yes",
       true,
       {PromptButton::kNo, PromptButton::kOk, PromptButton::kYes},
       1,
       OutputEnd::kFinished,
       {Question("テーブル定義"), kOpenSheet, Question("Template"), kFinished}},
      {"no, then cancel",
       true,
       {PromptButton::kNo, PromptButton::kCancel},
       0,
       OutputEnd::kCancelled,
       {Question("テーブル定義"), kOpenSheet}},
      {"nothing open, open one",
       false,
       {PromptButton::kOk, PromptButton::kYes},
       1,
       OutputEnd::kFinished,
       {kOpenSheet, Question("Template"), kFinished}},
      {"nothing open, nothing opened, give up",
       false,
       {PromptButton::kOk, PromptButton::kOk},
       0,
       OutputEnd::kCancelled,
       {kOpenSheet, kNotRunning}},
      {"nothing open, cancel",
       false,
       {PromptButton::kCancel},
       0,
       OutputEnd::kCancelled,
       {kOpenSheet}},
      {"no, open nothing, yes for the same sheet",
       true,
       {PromptButton::kNo, PromptButton::kOk, PromptButton::kYes},
       0,
       OutputEnd::kFinished,
       {Question("テーブル定義"), kOpenSheet, Question("テーブル定義"), kFinished}},
  };
  TempDir dir;
  xlsx::testing::WriteHandmadeTemplate(dir.File("hand.xlsx"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TableRun run;
    if (c.open_at_start) run.app.Workbooks().OpenDefaultTemplate();
    AddTable(run.store, "SCOTT", "EMP", 1);
    run.prompt.answers = c.answers;
    int opened = 0;
    OutputHooks hooks;
    hooks.openSheet = [&] {
      ++opened;
      if (c.sheet_opened_by_hook) run.app.Workbooks().Open(dir.File("hand.xlsx"));
    };
    ExcelOutput output(run.app, run.prompt, run.progress, hooks);
    int books_before = c.open_at_start ? 1 : 0;
    OutputResult result = output.WriteTables(run.store, DataKind::Table, run.All());
    EXPECT_EQ(result.end, c.end);
    EXPECT_EQ(ShownTexts(run.prompt), c.shown);
    if (c.end == OutputEnd::kCancelled) {
      EXPECT_EQ(run.app.Workbooks().Count(), books_before + opened * c.sheet_opened_by_hook);
      EXPECT_EQ(run.progress.total, -1);  // nothing started
    }
  }
}

TEST(ConfirmationTest, RetryAfterTheWarningAsksAgainOnceASheetIsOpen) {
  TableRun run;
  AddTable(run.store, "SCOTT", "EMP", 1);
  run.prompt.answers = {PromptButton::kOk, PromptButton::kRetry, PromptButton::kYes};
  int calls = 0;
  OutputHooks hooks;
  hooks.openSheet = [&] {
    if (++calls == 2) run.app.Workbooks().OpenDefaultTemplate();
  };
  ExcelOutput output(run.app, run.prompt, run.progress, hooks);
  OutputResult result = output.WriteTables(run.store, DataKind::Table, run.All());
  EXPECT_EQ(result.end, OutputEnd::kFinished);
  EXPECT_EQ(
      ShownTexts(run.prompt),
      (std::vector<std::string>{kOpenSheet, kNotRunning, Question("テーブル定義"), kFinished}));
}

// ER sheets: ORDERS left of CUSTOMERS, ITEMS below ORDERS; a fourth, empty sheet.
struct ErRun : TableRun {
  TERTableRec* orders;
  TERTableRec* customers;
  TERTableRec* items;

  ErRun() {
    auto sheet = std::make_unique<TERSheetRec>();
    sheet->name = ToCp932("受注");
    orders = &AddERTable(*sheet, "Table1", "ORDERS", 30, 60, 150, 120);
    customers = &AddERTable(*sheet, "Table2", "CUSTOMERS", 300, 40, 180, 100);
    items = &AddERTable(*sheet, "Table3", "ORDER_ITEMS", 40, 300, 150, 90);
    orders->columns = {{"*", "ORDER_ID", "NUMBER(10)", true, ""},
                       {" ", "CUSTOMER_ID", "NUMBER(8)", true, ""},
                       {" ", "REMARKS", "VARCHAR2(400)", false, ""}};
    AddERLine(*sheet, orders, customers);
    TTargetLine& recorded = AddERLine(*sheet, items, orders);
    recorded.fromSide = LineSide::Right;  // as painted, whatever the geometry says now
    recorded.toSide = LineSide::Left;
    store.er.sheets.push_back(std::move(sheet));
    auto empty = std::make_unique<TERSheetRec>();
    empty->name = "EMPTY";
    store.er.sheets.push_back(std::move(empty));
    app.Workbooks().OpenDefaultTemplate();
  }
  OutputResult WriteER(const std::vector<std::string>& chosen) {
    ExcelOutput output(app, prompt, progress, {});
    return output.WriteERSheets(store, chosen);
  }
};

TEST(ErOutputTest, BoxesFollowTheWindowsAndConnectorsGlueAtTheLineEdges) {
  for (int er_type : {1, 0}) {
    SCOPED_TRACE(er_type);
    ErRun run;
    run.settings().erType = static_cast<uint8_t>(er_type);
    run.settings().erLeft = 10;
    run.settings().erTop = 20;
    run.settings().lineType = kLineTypeElbow;
    OutputResult result = run.WriteER({"EMPTY", ToCp932("受注")});  // diagram order wins
    ASSERT_EQ(result.end, OutputEnd::kFinished);
    ASSERT_EQ(result.book->Worksheets().Count(), 2);
    Worksheet sheet = result.book->Worksheets().Item(1);
    EXPECT_EQ(ToUtf8(sheet.Name()), "受注");
    EXPECT_EQ(result.book->Worksheets().Item(2).Name(), "EMPTY");
    EXPECT_EQ(result.book->Worksheets().Item(2).Shapes().Count(), 0);
    ASSERT_EQ(sheet.Shapes().Count(), 5);
    Shape orders = sheet.Shapes().Item(1);
    if (er_type == 1) {
      EXPECT_EQ(orders.Left(), 40);
      EXPECT_EQ(orders.Width(), 150);
      EXPECT_EQ(orders.TextFrame().Characters().Text(),
                "ORDERS\n *ORDER_ID NUMBER(10)\n  CUSTOMER_ID NUMBER(8)");
    } else {
      EXPECT_EQ(orders.Left(), 30);  // 30 * 2 / 3 + 10
      EXPECT_EQ(orders.Width(), 100);
      EXPECT_EQ(orders.TextFrame().Characters().Text(), "ORDERS\n *ORDER_ID\n  CUSTOMER_ID");
      EXPECT_EQ(sheet.Shapes().Item(2).Left(), 210);  // 300 * 2 / 3 + 10
    }
    EXPECT_EQ(orders.Top(), 80);
    EXPECT_EQ(orders.Height(), 120);
    EXPECT_EQ(orders.Shadow().Type(), 6);

    // ORDERS -> CUSTOMERS was never painted: its sides come from the geometry (right, left).
    const xlsx::DrawnShape& first = sheet.Shapes().Item(4).Record();
    EXPECT_EQ(first.connector_type, xlsx::ConnectorType::kElbow);
    EXPECT_EQ(first.begin.shape_id, orders.id());
    EXPECT_EQ(first.begin.site, LineSideCode(LineSide::Right));
    EXPECT_EQ(first.end.shape_id, sheet.Shapes().Item(2).id());
    EXPECT_EQ(first.end.site, LineSideCode(LineSide::Left));
    const xlsx::DrawnShape& second = sheet.Shapes().Item(5).Record();
    EXPECT_EQ(second.begin.shape_id, sheet.Shapes().Item(3).id());
    EXPECT_EQ(second.begin.site, LineSideCode(LineSide::Right));
    EXPECT_EQ(second.end.site, LineSideCode(LineSide::Left));
    EXPECT_EQ(run.progress.total, 2);
    EXPECT_EQ(run.progress.last, 2);
  }
}

TEST(ErOutputTest, LongWindowTextsGoInWholeAndNothingChosenEndsSilently) {
  ErRun run;
  for (int i = 0; i < 30; ++i) {
    run.customers->columns.push_back(
        {" ", ToCp932("顧客項目") + std::to_string(i), "CHAR(8)", true, ""});
  }
  std::string expected = ERBoxText(*run.customers, true);
  ASSERT_GT(ToUtf8(expected).size() / 2, 200u);
  OutputResult result = run.WriteER({ToCp932("受注")});
  ASSERT_EQ(result.end, OutputEnd::kFinished);
  EXPECT_EQ(result.book->Worksheets().Item(1).Shapes().Item(2).TextFrame().Characters().Text(),
            expected);

  ErRun none;
  EXPECT_EQ(none.WriteER({}).end, OutputEnd::kCancelled);
  EXPECT_TRUE(none.prompt.shown.empty());
}

TEST(ErOutputTest, AFailureMidwayCleansUpReportsAndIsPassedOn) {
  ErRun run;
  run.settings().lineType = 0;  // refused by AddConnector
  run.app.SetSheetsInNewWorkbook(4);
  ExcelOutput output(run.app, run.prompt, run.progress, {});
  EXPECT_THROW(output.WriteERSheets(run.store, {ToCp932("受注")}), ExcelError);
  EXPECT_EQ(ShownTexts(run.prompt), (std::vector<std::string>{Question("テーブル定義"), kFailed}));
  EXPECT_EQ(run.app.SheetsInNewWorkbook(), 4);
  EXPECT_TRUE(run.app.ScreenUpdating());
  EXPECT_TRUE(run.app.DisplayAlerts());
  EXPECT_EQ(run.progress.ends, 1);
  // The sheet written so far stays in the new workbook.
  Workbook& book = run.app.ActiveWorkbook();
  ASSERT_EQ(book.Worksheets().Count(), 1);
  EXPECT_EQ(book.Worksheets().Item(1).Shapes().Count(), 3);
}

}  // namespace
}  // namespace morvane::excel
