#include <gtest/gtest.h>

#include "er/er_tables.h"
#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "sample_document.h"
#include "text/codec.h"

namespace morvane {
namespace {

ProjectReadResult Read(TCatalogueStore& store, const std::string& bytes) {
  return ReadProjectBytes(store, bytes, EstimateTextWidth);
}

// The smallest file that reads: a header and one ER sheet.
std::string Minimal(const std::string& body = "") {
  return "\x01Velnorak\x02"
         "280\x02\r\n" +
         body +
         "\x01"
         "ER\x02\r\nS\x02\r\n";
}

TEST(ProjectReaderTest, NewProjectsOfEveryProductResaveByteForByte) {
  for (Product product :
       {Product::RedBrick, Product::Oracle8, Product::Oracle7, Product::Broadbase}) {
    TCatalogueStore store;
    NewProject(store, product, EstimateTextWidth);
    const std::string first = ProjectFileBytes(store);
    TCatalogueStore reopened;
    ProjectReadResult result = Read(reopened, first);
    ASSERT_TRUE(result.ok) << ProductName(product);
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(ProjectFileBytes(reopened), first) << ProductName(product);
  }
}

void ExpectSameItems(const TCatalogueStore& a, const TCatalogueStore& b) {
  for (DataKind kind : kDataKinds) {
    for (int level = 1; level <= 2; ++level) {
      const ItemList& x = a.Items(kind, level);
      const ItemList& y = b.Items(kind, level);
      ASSERT_EQ(x.size(), y.size());
      for (size_t i = 0; i < x.size(); ++i) {
        TItemDef expected = x[i];
        // Widths are not stored: kind 4 comes back 100, the others at their default width.
        expected.width = kind == DataKind::TableIndex
                             ? 100
                             : DefaultItemWidth(x[i].name, x[i].valueKind, EstimateTextWidth);
        EXPECT_EQ(y[i], expected) << DataKindCode(kind) << "/" << level << "/" << i;
      }
    }
  }
}

// An empty value list comes back as one empty value.
TValueList AsRead(const TValueList& values) { return values.empty() ? TValueList{""} : values; }

TEST(ProjectReaderTest, RoundTripKeepsEveryFieldButTheThreeNamedDifferences) {
  TCatalogueStore original;
  testing::BuildSampleDocument(original);
  TCatalogueStore store;
  ASSERT_TRUE(Read(store, ProjectFileBytes(original)).ok);

  EXPECT_EQ(store.product, original.product);
  EXPECT_EQ(store.fileVersion, 280);
  ExpectSameItems(original, store);
  for (DataKind kind : kDataKinds) {
    const RecordList& x = original.Records(kind);
    const RecordList& y = store.Records(kind);
    ASSERT_EQ(x.size(), y.size()) << DataKindCode(kind);
    for (size_t i = 0; i < x.size(); ++i) {
      EXPECT_EQ(y[i]->owner, x[i]->owner);
      EXPECT_EQ(y[i]->type, x[i]->type);
      EXPECT_EQ(y[i]->name, x[i]->name);
      EXPECT_EQ(y[i]->values, AsRead(x[i]->values));
      ASSERT_EQ(y[i]->columns.size(), x[i]->columns.size());
      for (size_t c = 0; c < x[i]->columns.size(); ++c) {
        EXPECT_EQ(y[i]->columns[c].values, AsRead(x[i]->columns[c].values));
      }
    }
  }
  ASSERT_EQ(store.relations.size(), 2u);
  EXPECT_EQ(store.relations[0], original.relations[0]);
  EXPECT_EQ(store.relations[1].pkTables, std::vector<std::string>{""});
  EXPECT_EQ(store.formatSettings, original.formatSettings);
  EXPECT_EQ(store.importLayout, original.importLayout);
  EXPECT_EQ(store.sqlText, original.sqlText);
  EXPECT_EQ(store.sqlMaxRow, "250");

  ASSERT_EQ(store.er.sheets.size(), 2u);
  EXPECT_EQ(store.er.currentIndex, 0);
  for (size_t s = 0; s < 2; ++s) {
    const TERSheetRec& x = *original.er.sheets[s];
    const TERSheetRec& y = *store.er.sheets[s];
    EXPECT_EQ(y.name, x.name);
    ASSERT_EQ(y.tables.size(), x.tables.size());
    for (size_t t = 0; t < x.tables.size(); ++t) {
      const TERTableRec& wx = *x.tables[t];
      const TERTableRec& wy = *y.tables[t];
      EXPECT_EQ(wy.name, wx.name);
      EXPECT_EQ(wy.caption, wx.caption);
      EXPECT_EQ(std::tie(wy.left, wy.top, wy.width, wy.height),
                std::tie(wx.left, wx.top, wx.width, wx.height));
      ASSERT_EQ(wy.columns.size(), wx.columns.size());
      for (size_t c = 0; c < wx.columns.size(); ++c) {
        TERColumnRec expected = wx.columns[c];
        expected.listText = ERColumnListText(expected, 1);  // one blank once reloaded
        EXPECT_EQ(wy.columns[c], expected);
      }
    }
    ASSERT_EQ(y.lines.size(), x.lines.size());
    for (size_t l = 0; l < x.lines.size(); ++l) {
      EXPECT_EQ(y.lines[l]->fromWindow->name, x.lines[l]->fromWindow->name);
      EXPECT_EQ(y.lines[l]->toWindow->name, x.lines[l]->toWindow->name);
    }
  }
  EXPECT_FALSE(store.modified);
  EXPECT_TRUE(store.listRebuild);
  EXPECT_EQ(store.currentDataKind, DataKind::None);
}

TEST(ProjectReaderTest, ValuesWithControlCharactersSurviveASaveAndOpen) {
  TCatalogueStore original;
  NewProject(original, Product::RedBrick, EstimateTextWidth);
  TTableRec& rec = original.AddRecord(DataKind::Table);
  rec.name = "\x01T";
  rec.values = TValueList{"line1\r\nline2", "\x02", "\n"};
  original.sqlText = {"a\x01",
                      "\x02"
                      "b"};
  original.er.sheets[0]->name = "\r\nname";
  const std::string bytes = ProjectFileBytes(original);
  TCatalogueStore store;
  ASSERT_TRUE(Read(store, bytes).ok);
  EXPECT_EQ(store.Records(DataKind::Table)[0]->name, "\x01T");
  EXPECT_EQ(store.Records(DataKind::Table)[0]->values, rec.values);
  EXPECT_EQ(store.sqlText, original.sqlText);
  EXPECT_EQ(store.er.sheets[0]->name, "\r\nname");
  EXPECT_EQ(ProjectFileBytes(store), bytes);
}

TEST(ProjectReaderTest, FileWithoutVersionIsAnEarlierVersionAndKeepsIt) {
  TCatalogueStore store;
  std::string bytes =
      "\x01Velnorak\x02\r\n\x01"
      "DATABASE_TYPE\x02\r\n4\x02\r\n" +
      std::string(
          "\x01"
          "ER\x02\r\nS\x02\r\n");
  ProjectReadResult result = Read(store, bytes);
  ASSERT_TRUE(result.ok);
  ASSERT_EQ(result.warnings.size(), 1u);
  EXPECT_EQ(result.warnings[0], kMsgEarlierVersion);
  EXPECT_EQ(store.fileVersion, 200);
  EXPECT_EQ(store.product, Product::Oracle7);
  EXPECT_EQ(ProjectFileBytes(store).substr(0, 16),
            "\x01Velnorak\x02"
            "200\x02\r\n");
}

TEST(ProjectReaderTest, RowLimitIsRewrittenAsAnIntegerOr1000) {
  const std::pair<std::string, std::string> cases[] = {
      {"0050\x02", "50"}, {"abc\x02", "1000"}, {"\x02", "1000"},
      {"", "1000"},       {"-3\x02", "-3"},    {"99999999999\x02", "1000"}};
  for (const auto& [line, expected] : cases) {
    TCatalogueStore store;
    ASSERT_TRUE(Read(store, Minimal("\x01SQL_MAXROW\x02\r\n" + line + "\r\n")).ok);
    EXPECT_EQ(store.sqlMaxRow, expected) << line;
  }
  TCatalogueStore store;
  store.sqlMaxRow = "";
  ASSERT_TRUE(Read(store, Minimal()).ok);
  EXPECT_EQ(store.sqlMaxRow, "1000");
}

TEST(ProjectReaderTest, CheckStateIsTrueOnlyForExactlyTrueOrAMissingField) {
  TCatalogueStore store;
  const std::string body =
      "\x01"
      "ER\x02\r\nS\x02\r\n\x01"
      "ER_TABLE\x02\r\nTable1\x02T\x02"
      "0\x02"
      "0\x02"
      "0\x02"
      "0\x02\r\n\x01"
      "ER_TABLE_COLUMN\x02\r\n*\x02"
      "A\x02INT\x02\r\n \x02"
      "B\x02INT\x02true\x02"
      "\r\n \x02"
      "C\x02INT\x02TRUE\x02\r\n";
  ASSERT_TRUE(Read(store,
                   "\x01Velnorak\x02"
                   "280\x02\r\n" +
                       body)
                  .ok);
  const TERTableRec& window = *store.er.sheets[0]->tables[0];
  EXPECT_EQ(window.width, 150);
  ASSERT_EQ(window.columns.size(), 3u);
  EXPECT_TRUE(window.columns[0].checked);
  EXPECT_FALSE(window.columns[1].checked);
  EXPECT_TRUE(window.columns[2].checked);
  EXPECT_EQ(window.columns[0].listText, "*A INT");
}

TEST(ProjectReaderTest, TolerantOfLfEndingsUnknownTagsAndLeadingData) {
  TCatalogueStore store;
  std::string bytes =
      "\x01Velnorak\x02"
      "280\x02\n"
      "ignored\x02\n"
      "\x01"
      "DATABASE_TYPE\x02\n"
      "\x01UNKNOWN\x02\n"
      "3\x02\n"
      "\x01"
      "ER\x02\nS\x02";
  ProjectReadResult result = Read(store, bytes);
  ASSERT_TRUE(result.ok) << (result.errors.empty() ? "" : result.errors.back());
  EXPECT_EQ(store.product, Product::Broadbase);
}

TEST(ProjectReaderTest, WidthsAreRecomputedOnReading) {
  TCatalogueStore original;
  NewProject(original, Product::Oracle8, EstimateTextWidth);
  original.Items(DataKind::TableIndex, kItemLevelTable)[0].width = 333;
  original.Items(DataKind::Table, kItemLevelTable)[0].width = 333;
  TCatalogueStore store;
  auto wide = [](std::string_view text) { return static_cast<int>(text.size()) * 50; };
  ASSERT_TRUE(ReadProjectBytes(store, ProjectFileBytes(original), wide).ok);
  for (const TItemDef& item : store.Items(DataKind::TableIndex, kItemLevelTable)) {
    EXPECT_EQ(item.width, 100);
  }
  EXPECT_EQ(store.Items(DataKind::Table, kItemLevelTable)[0].width, 5 * 50 + 20);  // OWNER
}

struct BadFile {
  std::string body;  // between header and the final ER section
  std::string message;
};

TEST(ProjectReaderTest, MalformedFilesFailWithAClearMessageAndLeaveTheStoreReset) {
  const std::string tail =
      "\x01"
      "ER\x02\r\nS\x02\r\n";
  const BadFile cases[] = {
      {"\x01"
       "DATABASE_TYPE\x02\r\nx1\x02\r\n",
       "3行目: 「x1」は整数ではありません。"},
      {"\x01"
       "DATABASE_TYPE\x02\r\n7\x02\r\n",
       "3行目: データベース種別「7」は不正です。"},
      {"\x01"
       "FORMAT\x02"
       "6\x02"
       "1\x02\r\nN\x02"
       "1\x02"
       "0\x02"
       "1\x02"
       "A\x02\x02\r\n",
       "3行目: データ種別「6」は不正です。"},
      {"\x01"
       "FORMAT_TABLE\x02"
       "0\x02\r\n0\x02"
       "0\x02"
       "1\x02"
       "1\x02\r\n",
       "3行目: データ種別「0」は不正です。"},
      {"\x01"
       "FORMAT\x02"
       "1\x02"
       "3\x02\r\nN\x02"
       "1\x02"
       "0\x02"
       "1\x02"
       "A\x02\x02\r\n",
       "3行目: 項目レベル「3」は不正です。"},
      {"\x01"
       "FORMAT\x02"
       "1\x02"
       "1\x02\r\nN\x02"
       "1\x02"
       "0\x02"
       "1\x02\r\n",
       "3行目: FORMAT の項目の数が足りません。"},
      {"\x01"
       "FORMAT\x02"
       "1\x02"
       "1\x02\r\nN\x02"
       "1\x02-1\x02"
       "1\x02"
       "A\x02\x02\r\n",
       "3行目: 値「-1」が範囲外です。"},
      {"\x01"
       "FORMAT_ER\x02\r\n0\x02"
       "0\x02"
       "2\x02"
       "1\x02\r\n",
       "3行目: 値「2」が範囲外です。"},
      {"\x01TABLE_VALUE\x02\r\na\x02\r\n", "3行目: TABLE_VALUE の前に TABLE がありません。"},
      {"\x01TABLE_COLUMN\x02\r\na\x02\r\n", "3行目: TABLE_COLUMN の前に TABLE がありません。"},
      {"\x01"
       "ER_TABLE\x02\r\nTable1\x02T\x02"
       "0\x02"
       "0\x02"
       "0\x02"
       "0\x02\r\n",
       "3行目: ER_TABLE の前に ER がありません。"},
      {"\x01"
       "ER\x02\r\nS\x02\r\n\x01"
       "ER_TABLE_COLUMN\x02\r\n*\x02"
       "A\x02"
       "B\x02\r\n",
       "5行目: ER_TABLE_COLUMN の前に ER_TABLE がありません。"},
      {"\x01"
       "ER_PKTABLE\x02\r\nA\x02\r\n",
       "3行目: ER_PKTABLE の前に ER_FKTABLE がありません。"},
      {"\x01"
       "ER\x02\r\nS\x02\r\n\x01"
       "ER_TABLE\x02\r\nTable1\x02T\x02"
       "0\x02"
       "0\x02"
       "0\x02"
       "0\x02\r\n\x01"
       "ER\x02\r\nS2\x02\r\n\x01"
       "ER_TABLE\x02\r\ntable1\x02T\x02"
       "0\x02"
       "0\x02"
       "0\x02"
       "0\x02\r\n",
       "9行目: テーブルウィンドウ名「table1」は既に使われています。"},
      {"\x01"
       "ER\x02\r\nS\x02\r\n\x01"
       "ER_TABLE\x02\r\nTable1\x02T\x02"
       "0\x02"
       "0\x02"
       "0\x02"
       "0\x02\r\n\x01"
       "ER\x02\r\nS2\x02\r\n\x01"
       "ER_LINE\x02\r\nTable1\x02Table1\x02\r\n",
       "9行目: テーブルウィンドウ「Table1」がシート上にありません。"},
      {"\x01"
       "ER\x02\r\nS\x02\r\n\x01"
       "ER_TABLE\x02\r\nTable1\x02T\x02"
       "0\x02"
       "0\x02-1\x02"
       "0\x02\r\n",
       "5行目: 値「-1」が範囲外です。"},
      {"\x01"
       "FORMAT_COLUMN\x02"
       "1\x02\r\n2147483648\x02"
       "0\x02\r\n",
       "3行目: 「2147483648」は整数ではありません。"},
  };
  for (const BadFile& bad : cases) {
    TCatalogueStore store;
    NewProject(store, Product::Oracle8, EstimateTextWidth);
    store.importLayout.tableNameCell = "C9";
    store.fileName = "/somewhere/old.vnk";
    ProjectReadResult result = Read(store,
                                    "\x01Velnorak\x02"
                                    "280\x02\r\n" +
                                        bad.body + tail);
    SCOPED_TRACE(bad.message);
    EXPECT_FALSE(result.ok);
    ASSERT_EQ(result.errors.size(), 2u);
    EXPECT_EQ(result.errors[0], kMsgReadFailed);
    EXPECT_EQ(result.errors[1], bad.message);
    EXPECT_EQ(store.product, Product::None);
    EXPECT_TRUE(store.er.sheets.empty());
    EXPECT_TRUE(store.fileName.empty());
    EXPECT_FALSE(store.modified);
    for (DataKind kind : kDataKinds) {
      EXPECT_TRUE(store.Records(kind).empty());
      EXPECT_TRUE(store.Items(kind, 1).empty());
    }
    // What a failed file held never leaks into the document that stays.
    EXPECT_EQ(store.importLayout.tableNameCell, "C9");
  }
}

TEST(ProjectReaderTest, NotAProjectFileOrNoSheetFails) {
  for (const std::string& bytes :
       {std::string(""),
        std::string("Velnorak\x02"
                    "280\x02\r\n"),
        std::string("\x01Velnorak2\x02\r\n"), std::string("\x01Velnorak")}) {
    TCatalogueStore store;
    ProjectReadResult result = Read(store, bytes);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.errors, std::vector<std::string>{std::string(kMsgReadFailed)});
  }
  TCatalogueStore store;
  ProjectReadResult result = Read(store,
                                  "\x01Velnorak\x02"
                                  "280\x02\r\n");
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.errors.back(), "ERシートがありません。");
  result = Read(store, "\x01Velnorak\x02x\x02\r\n");
  EXPECT_EQ(result.errors.back(), "1行目: 「x」は整数ではありません。");
}

}  // namespace
}  // namespace morvane
