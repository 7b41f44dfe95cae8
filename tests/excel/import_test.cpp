#include "excel/import_excel.h"

#include <gtest/gtest.h>

#include "excel/application.h"
#include "excel/import_layout_check.h"
#include "excel/import_values.h"
#include "import_fixture.h"
#include "model/data_kind.h"
#include "temp_dir.h"
#include "text/codec.h"

namespace morvane::excel {
namespace {

using testing::AddBook;
using testing::CountingProgress;
using testing::SheetContent;

// Sizes as the test's own rule: "type/length/scale", so a test sees what was passed.
std::string FakeSize(Product, std::string_view type, std::string_view length,
                     std::string_view scale) {
  return std::string(type) + "/" + std::string(length) + "/" + std::string(scale);
}

TImportLayout FullLayout() {
  TImportLayout layout;  // table name in A1, items from row 5, names in column A
  layout.dataTypeColumn = "B";
  layout.lengthColumn = "C";
  layout.precisionColumn = "D";
  layout.scaleColumn = "E";
  layout.sizeColumn = "F";
  layout.notNullColumn = "G";
  layout.uniqueColumn = "H";
  layout.primaryKeyColumn = "I";
  layout.comment1Column = "J";
  layout.comment2Column = "K";
  layout.comment3Column = "L";
  return layout;
}

class ImportTest : public ::testing::Test {
 protected:
  ImportOutcome Import(Workbook& book, const std::vector<std::string>& sheets) {
    std::vector<std::string> names;
    for (const std::string& sheet : sheets) names.push_back(ToCp932(sheet));
    return ImportSheets(store, book, names, {prompt, progress, FakeSize});
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& record : store.Records(DataKind::Excel)) names.push_back(ToUtf8(record->name));
    return names;
  }
  std::string Column(int record, int row, int value) const {
    return std::string(store.Records(DataKind::Excel).at(record)->columns.at(row).values[value]);
  }
  std::string Value(int record, int value) const {
    return std::string(store.Records(DataKind::Excel).at(record)->values.ValueOr(value));
  }

  ExcelApplication app;
  TCatalogueStore store;
  ScriptedPrompt prompt;
  CountingProgress progress;
};

TEST(NormaliseLengthScaleTest, EveryRowOfEveryProduct) {
  struct Case {
    Product product;
    const char* type;
    const char* length2;
    const char* scale2;
  };
  // Cells: length "L", precision "P", scale "S".
  const Case cases[] = {
      {Product::RedBrick, "VARCHAR", "L", ""},   {Product::RedBrick, "CHARACTER", "L", ""},
      {Product::RedBrick, "CHAR", "L", ""},      {Product::RedBrick, "TIME", "", "P"},
      {Product::RedBrick, "TIMESTAMP", "", "P"}, {Product::RedBrick, "DECIMAL", "L", "S"},
      {Product::RedBrick, "DEC", "L", "S"},      {Product::RedBrick, "NUMERIC", "L", "S"},
      {Product::RedBrick, "NUM", "L", "S"},      {Product::RedBrick, "INTEGER", "", ""},
      {Product::RedBrick, "VARCHAR2", "", ""},   {Product::RedBrick, "CHAR(10)", "", ""},
      {Product::Oracle8, "CHAR", "L", ""},       {Product::Oracle8, "NCHAR", "L", ""},
      {Product::Oracle8, "VARCHAR2", "L", ""},   {Product::Oracle8, "NVARCHAR2", "L", ""},
      {Product::Oracle8, "NUMBER", "L", "S"},    {Product::Oracle8, "ROW", "L", ""},
      {Product::Oracle8, "DATE", "", ""},        {Product::Oracle8, "VARCHAR", "", ""},
      {Product::Oracle7, "VARCHAR2", "L", ""},   {Product::Oracle7, "NUMBER", "L", "S"},
      {Product::Oracle7, "ROW", "L", ""},        {Product::Broadbase, "VARCHAR", "", ""},
      {Product::Broadbase, "NUMBER", "", ""},    {Product::None, "CHAR", "", ""},
  };
  for (const Case& c : cases) {
    NormalisedLengthScale n = NormaliseLengthScale(c.product, c.type, "L", "P", "S");
    EXPECT_EQ(n.length2, c.length2) << ProductName(c.product) << " " << c.type;
    EXPECT_EQ(n.scale2, c.scale2) << ProductName(c.product) << " " << c.type;
  }
  // The fall-backs when the first choice is empty.
  EXPECT_EQ(NormaliseLengthScale(Product::RedBrick, "TIME", "", "", "3").scale2, "3");
  EXPECT_EQ(NormaliseLengthScale(Product::RedBrick, "DEC", "", "10", "2").length2, "10");
  EXPECT_EQ(NormaliseLengthScale(Product::Oracle8, "NUMBER", "", "7", "").length2, "7");
  EXPECT_EQ(NormaliseLengthScale(Product::Oracle7, "ROW", "", "9", "").length2, "9");
}

TEST(ParseSizeTest, OnlyWholeIntegersCount) {
  EXPECT_EQ(ParseSize("250"), 250);
  EXPECT_EQ(ParseSize("-3"), -3);
  EXPECT_EQ(ParseSize("+4"), 4);
  for (const char* text : {"", "+", "+-1", "abc", "12a", "1.5", " 7", "99999999999999999999"}) {
    EXPECT_FALSE(ParseSize(text)) << text;
  }
}

TEST_F(ImportTest, BuildsTheRecordAndItsFifteenColumnValues) {
  store.product = Product::RedBrick;
  store.importLayout = FullLayout();
  store.importLayout.sizeColumn.clear();
  Workbook& book = AddBook(app, {{"定義",
                                  {{"A1", "  顧客  "},
                                   {"A5", "ID"},
                                   {"B5", "decimal"},
                                   {"D5", "10"},
                                   {"E5", "2"},
                                   {"G5", "○"},
                                   {"H5", "○"},
                                   {"I5", "○"},
                                   {"J5", "識別子"},
                                   {"K5", "k"},
                                   {"L5", "l"},
                                   {"A7", "名前"},
                                   {"B7", " varchar "},
                                   {"C7", "40"},
                                   {"A9", "\t"},
                                   {"B9", "ignored"},
                                   {"A10", "作成日"},
                                   {"B10", "varchar(8)"}}}});
  ImportOutcome outcome = Import(book, {"定義"});
  ASSERT_TRUE(outcome.completed);
  EXPECT_EQ(outcome.appended, 1);
  const TTableRec& record = *store.Records(DataKind::Excel).at(0);
  EXPECT_EQ(ToUtf8(record.name), "顧客");
  EXPECT_EQ(record.owner, "");
  EXPECT_EQ(record.type, "");
  ASSERT_EQ(record.values.size(), 3u);  // no small and large counts outside Oracle
  EXPECT_EQ(Value(0, 0), "1");
  EXPECT_EQ(ToUtf8(Value(0, 1)), "顧客");
  EXPECT_EQ(Value(0, 2), "0");  // the fake sizes are not integers
  ASSERT_EQ(record.columns.size(), 3u);
  const std::vector<std::string> first = record.columns[0].values.ToVector();
  const std::vector<std::string> expected = {"1",
                                             "ID",
                                             "DECIMAL",
                                             "",
                                             "10",
                                             "2",
                                             "10",
                                             "2",
                                             "DECIMAL/10/2",
                                             ToCp932("○"),
                                             ToCp932("○"),
                                             ToCp932("○"),
                                             ToCp932("識別子"),
                                             "k",
                                             "l"};
  EXPECT_EQ(first, expected);
  // Rows without a name are skipped and not counted.
  EXPECT_EQ(Column(0, 1, 0), "2");
  EXPECT_EQ(Column(0, 1, 2), "VARCHAR");
  EXPECT_EQ(Column(0, 1, 6), "40");
  EXPECT_EQ(Column(0, 2, 0), "3");
  EXPECT_EQ(Column(0, 2, 2), "VARCHAR(8)");
  EXPECT_EQ(Column(0, 2, 6), "");  // a type with its length matches no rule
  EXPECT_EQ(prompt.shown.back().text, ToCp932("Excelファイルをインポートしました。"));
  EXPECT_TRUE(app.ScreenUpdating());
}

TEST_F(ImportTest, WithoutAScaleColumnNothingIsNormalised) {
  store.product = Product::RedBrick;
  store.importLayout = FullLayout();
  store.importLayout.scaleColumn.clear();
  Workbook& book =
      AddBook(app, {{"S", {{"A1", "T"}, {"A5", "C"}, {"B5", "decimal"}, {"D5", "10"}}}});
  ASSERT_TRUE(Import(book, {"S"}).completed);
  EXPECT_EQ(Column(0, 0, 6), "");
  EXPECT_EQ(Column(0, 0, 7), "");
  EXPECT_EQ(Column(0, 0, 5), "");
}

TEST_F(ImportTest, OracleCountsSizesUpTo250AndFrom251) {
  store.product = Product::Oracle8;
  store.importLayout = FullLayout();
  Workbook& book = AddBook(app, {{"S",
                                  {{"A1", "T"},
                                   {"A5", "a"},
                                   {"F5", "250"},
                                   {"A6", "b"},
                                   {"F6", "251"},
                                   {"A7", "c"},
                                   {"F7", "0"},
                                   {"A8", "d"},
                                   {"F8", "可変"},
                                   {"A9", "e"},
                                   {"F9", "1"}}}});
  ASSERT_TRUE(Import(book, {"S"}).completed);
  EXPECT_EQ(Value(0, 2), "502");
  EXPECT_EQ(Value(0, 3), "2");
  EXPECT_EQ(Value(0, 4), "1");
  EXPECT_EQ(ToUtf8(Column(0, 3, 8)), "可変");
}

TEST_F(ImportTest, BlankTableNamesAreSkippedWithoutProgress) {
  store.product = Product::Oracle7;
  Workbook& book = AddBook(app, {{"one", {{"A1", "T1"}, {"A5", "x"}}},
                                 {"blank", {{"A1", "   "}, {"A5", "y"}}},
                                 {"empty", {{"A5", "z"}}},
                                 {"two", {{"A1", "T2"}}}});
  ImportOutcome outcome = Import(book, {"one", "blank", "empty", "two"});
  ASSERT_TRUE(outcome.completed);
  EXPECT_EQ(Names(), (std::vector<std::string>{"T1", "T2"}));
  EXPECT_EQ(progress.total, 4);
  EXPECT_EQ(progress.steps, 2);
  EXPECT_TRUE(progress.ended);
  EXPECT_EQ(Value(1, 0), "2");
  EXPECT_TRUE(store.Records(DataKind::Excel)[1]->columns.empty());
  EXPECT_EQ(Value(1, 3), "0");
}

class OverwriteTest : public ImportTest {
 protected:
  void SetUp() override {
    store.product = Product::RedBrick;
    Workbook& first = AddBook(app, {{"a", {{"A1", "A"}, {"A5", "old"}}},
                                    {"b", {{"A1", "B"}, {"A5", "old"}}},
                                    {"c", {{"A1", "C"}, {"A5", "old"}}}});
    ASSERT_TRUE(Import(first, {"a", "b", "c"}).completed);
    book = &AddBook(app, {{"a", {{"A1", "A"}, {"A5", "new"}}},
                          {"c", {{"A1", "C"}, {"A5", "new"}}},
                          {"d", {{"A1", "D"}, {"A5", "new"}}}});
    prompt.shown.clear();
    progress = CountingProgress();
  }
  int Questions() const {
    int count = 0;
    for (const auto& shown : prompt.shown) count += shown.kind == PromptKind::kConfirm;
    return count;
  }
  Workbook* book = nullptr;
};

TEST_F(OverwriteTest, YesReplacesKeepingTheNumberAndMovesTheRecordToTheEnd) {
  prompt.answers = {PromptButton::kYes, PromptButton::kNo};
  ImportOutcome outcome = Import(*book, {"a", "c", "d"});
  ASSERT_TRUE(outcome.completed);
  EXPECT_EQ(Names(), (std::vector<std::string>{"B", "C", "A", "D"}));
  EXPECT_EQ(Value(2, 0), "1");
  EXPECT_EQ(Column(2, 0, 1), "new");
  EXPECT_EQ(Column(1, 0, 1), "old");  // No keeps the old record
  EXPECT_EQ(Value(3, 0), "4");
  ASSERT_EQ(outcome.replaced.size(), 1u);
  EXPECT_EQ(outcome.replaced[0]->name, "A");
  EXPECT_EQ(prompt.shown[0].text, "A\r\n" + ToCp932("既に同名のテーブルが存在します。") + "\r\n" +
                                      ToCp932("上書きしますか？"));
  EXPECT_EQ(progress.steps, 2);
}

TEST_F(OverwriteTest, AllReplacesEveryLaterDuplicateWithoutAsking) {
  prompt.answers = {PromptButton::kAll};
  ASSERT_TRUE(Import(*book, {"a", "c", "d"}).completed);
  EXPECT_EQ(Questions(), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"B", "A", "C", "D"}));
  EXPECT_EQ(Value(2, 0), "3");
  EXPECT_EQ(Column(2, 0, 1), "new");
}

TEST_F(OverwriteTest, CancelEndsTheImportAsASuccessKeepingWhatCameBefore) {
  prompt.answers = {PromptButton::kYes, PromptButton::kCancel};
  ImportOutcome outcome = Import(*book, {"a", "c", "d"});
  EXPECT_TRUE(outcome.completed);
  EXPECT_EQ(outcome.appended, 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(prompt.shown.back().text, ToCp932("Excelファイルをインポートしました。"));
}

TEST_F(ImportTest, AFailureKeepsWhatWasAppendedAndLosesNothing) {
  store.product = Product::RedBrick;
  Workbook& first = AddBook(app, {{"a", {{"A1", "A"}, {"A5", "old"}}}});
  ASSERT_TRUE(Import(first, {"a"}).completed);
  Workbook& book = AddBook(app, {{"x", {{"A1", "X"}}}, {"a", {{"A1", "A"}, {"A5", "new"}}}});
  // A layout column that is no column fails while the replacing sheet is read.
  store.importLayout.comment3Column = "1";
  prompt.shown.clear();
  prompt.answers = {PromptButton::kYes};
  ImportOutcome outcome = Import(book, {"x", "a"});
  EXPECT_FALSE(outcome.completed);
  EXPECT_EQ(outcome.appended, 1);
  EXPECT_FALSE(outcome.error.empty());
  EXPECT_EQ(Names(), (std::vector<std::string>{"A", "X"}));
  EXPECT_EQ(Column(0, 0, 1), "old");
  EXPECT_TRUE(app.ScreenUpdating());
  EXPECT_TRUE(progress.ended);
  EXPECT_EQ(prompt.shown.size(), 1u);  // only the question: the caller reports the failure
  EXPECT_EQ(
      ImportFailureText(outcome).rfind(ToCp932("Excelファイルのインポートに失敗しました。"), 0),
      0u);
}

TEST(LayoutCheckTest, TheFirstBadFieldIsReported) {
  ExcelApplication app;
  Workbook& book = AddBook(app, {{"S", {}}});
  Worksheet sheet = book.Worksheets().Item(1);
  struct Case {
    int field;
    const char* text;
    std::optional<int> failing;
  };
  const Case cases[] = {
      {0, " B2 ", std::nullopt},
      {0, "", 0},
      {0, "B", 0},
      {0, "A1:B2", 0},
      {1, "0", 1},
      {1, "x", 1},
      {1, "", 1},
      {1, "-1", 1},
      {1, " 12 ", std::nullopt},
      {2, "", 2},
      {2, "1", 2},
      {2, "AB", std::nullopt},
      {3, "", std::nullopt},
      {3, "B2", std::nullopt},
      {3, "?", 3},
      {8, "ZZZZ", 8},
      {13, "!", 13},
      {13, "l", std::nullopt},
  };
  for (const Case& c : cases) {
    ImportLayoutTexts texts = LayoutTexts(TImportLayout{});
    texts[c.field] = c.text;
    EXPECT_EQ(FirstInvalidLayoutField(texts, sheet), c.failing) << c.field << " '" << c.text << "'";
  }
  // Earlier fields are checked first, and trimmed before their check.
  ImportLayoutTexts texts = LayoutTexts(TImportLayout{});
  texts[0] = " C3 ";
  texts[1] = " 7 ";
  texts[2] = "";
  texts[5] = "?";
  EXPECT_EQ(FirstInvalidLayoutField(texts, sheet), 2);
  EXPECT_EQ(texts[0], "C3");
  EXPECT_EQ(texts[1], "7");
  EXPECT_EQ(texts[5], "?");
  texts[2] = "B";
  texts[5] = "";
  ASSERT_EQ(FirstInvalidLayoutField(texts, sheet), std::nullopt);
  TImportLayout layout = LayoutFromTexts(texts);
  EXPECT_EQ(layout.tableNameCell, "C3");
  EXPECT_EQ(layout.firstItemRow, 7);
  EXPECT_EQ(layout.itemNameColumn, "B");
}

TEST(AttachTest, AsksToOpenAWorkbookUntilOneIsConfirmed) {
  ExcelApplication app;
  ScriptedPrompt prompt;
  int opened = 0;
  auto open = [&] {
    if (++opened == 1) AddBook(app, {{"S", {}}});
  };
  // No workbook: asked to open one (OK); then "Book1" is offered: No, open another (OK, the
  // user opens nothing), Book1 again: Yes.
  prompt.answers = {PromptButton::kOk, PromptButton::kNo, PromptButton::kOk, PromptButton::kYes};
  Workbook* source = AttachImportSource(app, prompt, open);
  EXPECT_EQ(source, &app.ActiveWorkbook());
  EXPECT_EQ(opened, 2);
  EXPECT_EQ(prompt.shown[1].text, ToCp932("「Book1」からインポートします。\r\nよろしいですか？"));
  EXPECT_EQ(prompt.shown[0].text,
            ToCp932("インポートするExcelファイルを開いてください。\r\nよろしいですか？"));

  prompt.answers = {PromptButton::kNo, PromptButton::kCancel};
  EXPECT_EQ(AttachImportSource(app, prompt, open), nullptr);
  prompt.answers = {PromptButton::kCancel};
  EXPECT_EQ(AttachImportSource(app, prompt, open), nullptr);
}

TEST(AttachTest, WarnsThatExcelIsMissingWhenStillNoWorkbookCanBeRead) {
  ExcelApplication app;
  ScriptedPrompt prompt;
  int opened = 0;
  auto open = [&] { ++opened; };  // the user opens nothing
  // Asked to open a workbook (OK); still none: the warning, Retry; still none: OK ends.
  prompt.answers = {PromptButton::kOk, PromptButton::kRetry, PromptButton::kOk};
  EXPECT_EQ(AttachImportSource(app, prompt, open), nullptr);
  ASSERT_EQ(prompt.shown.size(), 3u);
  EXPECT_EQ(prompt.shown[1].kind, PromptKind::kWarning);
  EXPECT_EQ(prompt.shown[1].text,
            ToCp932("Excelが起動されていないか、ExcelのOLEが取得できません。"));
  EXPECT_EQ(prompt.shown[2].text, prompt.shown[1].text);
  EXPECT_EQ(opened, 2);
}

TEST_F(ImportTest, ReadsAWorkbookSavedToAFile) {
  xlsx::testing::TempDir dir;
  {
    ExcelApplication writer;
    Workbook& book = AddBook(
        writer,
        {{"表1",
          {{"A1", "T"}, {"A5", "C1"}, {"B5", "NUMBER"}, {"C5", ""}, {"D5", "10"}, {"E5", "0"}}}});
    book.SaveAs(dir.File("book.xlsx"));
  }
  store.product = Product::Oracle8;
  store.importLayout = FullLayout();
  store.importLayout.sizeColumn.clear();
  Workbook& book = app.Workbooks().Open(dir.File("book.xlsx"));
  ImportOutcome outcome = ImportSheets(store, book, {ToCp932("表1")}, {prompt, progress, FakeSize});
  ASSERT_TRUE(outcome.completed) << outcome.error;
  EXPECT_EQ(Column(0, 0, 8), "NUMBER/10/0");
}

}  // namespace
}  // namespace morvane::excel
