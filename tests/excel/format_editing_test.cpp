#include "excel/format_editing.h"

#include <gtest/gtest.h>

#include "project/new_project.h"
#include "text/codec.h"

namespace morvane {
namespace {

// A list whose rows hold the given first-column texts and check marks; the names are R0, R1, ...
TFormatList ListOf(TFirstColumn first, std::vector<std::pair<std::string, bool>> rows) {
  TFormatList list;
  list.firstColumn = first;
  int i = 0;
  for (auto& [text, checked] : rows) {
    list.rows.push_back({checked, text, "s" + std::to_string(i), "R" + std::to_string(i), i});
    ++i;
  }
  return list;
}

std::vector<std::string> FirstColumns(const TFormatList& list) {
  std::vector<std::string> texts;
  for (const TFormatRow& row : list.rows) texts.push_back(row.first);
  return texts;
}

std::vector<std::string> Names(const TFormatList& list) {
  std::vector<std::string> names;
  for (const TFormatRow& row : list.rows) names.push_back(row.name);
  return names;
}

TEST(StartColumnNumber, ReadsTheFirstTwoCharactersCountingOthersAsA) {
  struct Case {
    std::string text;
    int number;
  } cases[] = {
      {"", 1},
      {"A", 1},
      {"B", 2},
      {"b", 2},
      {"Z", 26},
      {"AA", 27},
      {"AB", 28},
      {"ab", 28},
      {"ZZ", 702},
      {"3", 1},
      {"3X", 50},
      {"X3", 625},
      {"ABC", 28},
      {"C12", 79},
      {"-", 1},
      {"?B", 28},
      // A double-byte character is one character, outside A to Z: ア is 0x83 0x41.
      {"\x83\x41", 1},
      {"\x83\x41"
       "B",
       28},
  };
  for (const Case& c : cases) EXPECT_EQ(StartColumnNumber(c.text), c.number) << c.text;
}

TEST(ResetColumns, NumbersCheckedRowsFromTheFirstCheckedColumn) {
  struct Case {
    std::string start;
    std::vector<std::string> expected;  // rows: checked, unchecked, checked, checked
  } cases[] = {
      {"AB", {"AB", "", "AC", "AD"}},  {"b", {"B", "", "C", "D"}},
      {"3", {"A", "", "B", "C"}},      {"3X", {"AX", "", "AY", "AZ"}},
      {"", {"A", "", "B", "C"}},       {"Y", {"Y", "", "Z", "AA"}},
      {"C12", {"CA", "", "CB", "CC"}}, {"ZZ", {"ZZ", "", "AAA", "AAB"}},
  };
  for (const Case& c : cases) {
    TFormatList list =
        ListOf(TFirstColumn::kColumn, {{c.start, true}, {"Q", false}, {"K", true}, {"", true}});
    ResetColumns(list);
    EXPECT_EQ(FirstColumns(list), c.expected) << c.start;
  }
}

TEST(ResetColumns, StartsAtTheFirstCheckedRowNotTheFirstRow) {
  TFormatList list = ListOf(TFirstColumn::kColumn, {{"A", false}, {"D", true}, {"A", true}});
  ResetColumns(list);
  EXPECT_EQ(FirstColumns(list), (std::vector<std::string>{"", "D", "E"}));
}

TEST(ResetColumns, WithNothingCheckedEmptiesEveryRow) {
  TFormatList list = ListOf(TFirstColumn::kCell, {{"A1", false}, {"B1", false}});
  ResetColumns(list);
  EXPECT_EQ(FirstColumns(list), (std::vector<std::string>{"", ""}));
}

TEST(ResetColumns, CellsKeepTheFirstCheckedRowNumber) {
  struct Case {
    std::string start;
    std::vector<std::string> expected;  // rows: checked, unchecked, checked, checked
  } cases[] = {
      {"C12", {"C12", "", "D12", "E12"}},
      {"C", {"C1", "", "D1", "E1"}},
      {"ABC7", {"AB1", "", "AC1", "AD1"}},  // no digit among the first three characters
      {"AB7", {"AB7", "", "AC7", "AD7"}},
      {"b3", {"B3", "", "C3", "D3"}},
      {"12", {"A12", "", "B12", "C12"}},
      {"C0", {"C1", "", "D1", "E1"}},   // row 0 is no row
      {"C1X", {"C1", "", "D1", "E1"}},  // the digit part is not an integer
      {"C007", {"C7", "", "D7", "E7"}},
      {"C99999999999", {"C1", "", "D1", "E1"}},  // beyond any integer
      {"", {"A1", "", "B1", "C1"}},
      {"3X5", {"A1", "", "B1", "C1"}},  // no letters, and 3X5 is no row number
  };
  for (const Case& c : cases) {
    TFormatList list =
        ListOf(TFirstColumn::kCell, {{c.start, true}, {"Q9", false}, {"K1", true}, {"", true}});
    ResetColumns(list);
    EXPECT_EQ(FirstColumns(list), c.expected) << c.start;
  }
}

TEST(MoveRow, MovesTheSelectedRowWithEverythingItHolds) {
  struct Case {
    bool up;
    int selected;
    int expectedPosition;
    std::vector<std::string> expectedOrder;
  } cases[] = {
      {true, 1, 0, {"R1", "R0", "R2"}},  {true, 2, 1, {"R0", "R2", "R1"}},
      {true, 0, 0, {"R0", "R1", "R2"}},  {true, -1, -1, {"R0", "R1", "R2"}},
      {false, 1, 2, {"R0", "R2", "R1"}}, {false, 0, 1, {"R1", "R0", "R2"}},
      {false, 2, 2, {"R0", "R1", "R2"}}, {false, -1, -1, {"R0", "R1", "R2"}},
      {false, 3, 3, {"R0", "R1", "R2"}}, {true, 3, 3, {"R0", "R1", "R2"}},
  };
  for (const Case& c : cases) {
    TFormatList list = ListOf(TFirstColumn::kCell, {{"A1", true}, {"B1", false}, {"C1", true}});
    const TFormatList before = list;
    const int moved = c.up ? MoveRowUp(list, c.selected) : MoveRowDown(list, c.selected);
    EXPECT_EQ(moved, c.expectedPosition) << c.up << c.selected;
    EXPECT_EQ(Names(list), c.expectedOrder) << c.up << c.selected;
    for (const TFormatRow& row : list.rows) {  // each row moved whole
      EXPECT_EQ(row, before.rows[static_cast<size_t>(row.item)]);
    }
  }
}

TEST(NumberOrZero, KeepsIntegersAndZeroesEverythingElse) {
  struct Case {
    std::string text;
    int number;
  } cases[] = {{"5", 5}, {"-3", -3}, {"+7", 7}, {" 12 ", 12},       {"x", 0},
               {"", 0},  {"1.5", 0}, {"3x", 0}, {"99999999999", 0}, {"0", 0}};
  for (const Case& c : cases) EXPECT_EQ(NumberOrZero(c.text), c.number) << c.text;
}

class FormatStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    NewProject(store, Product::RedBrick, EstimateTextWidth);
    // Data kind 5 gets its result columns from a free SQL run.
    ItemList& sql = store.Items(DataKind::Sql, kItemLevelColumn);
    for (int i = 0; i < 3; ++i) {
      sql.push_back(MakeDefaultItem("C" + std::to_string(i), kValueKindText, i, kItemLevelColumn,
                                    EstimateTextWidth));
    }
    store.modified = false;
  }
  std::vector<std::string> ItemNames(DataKind kind, int level) {
    std::vector<std::string> names;
    for (const TItemDef& item : store.Items(kind, level)) names.push_back(item.name);
    return names;
  }
  std::vector<ItemList> AllItems() {
    std::vector<ItemList> lists;
    for (DataKind kind : kDataKinds) {
      for (int level : {kItemLevelTable, kItemLevelColumn})
        lists.push_back(store.Items(kind, level));
    }
    return lists;
  }
  TCatalogueStore store;
};

TEST_F(FormatStateTest, ShowsANewProjectsDefaults) {
  TFormatDialogState state = LoadFormatState(store, DataKind::Excel);
  ASSERT_EQ(state.table.rows.size(), 3u);
  EXPECT_EQ(state.table.firstColumn, TFirstColumn::kCell);
  EXPECT_EQ(state.table.rows[2], (TFormatRow{true, "C1", "C", ToCp932("SIZE(byte)"), 2}));
  ASSERT_EQ(state.column.rows.size(), 15u);
  EXPECT_EQ(state.column.rows[14], (TFormatRow{true, "O", "", "COMMENT3", 14}));
  EXPECT_EQ(state.tableStartRow, "1");
  EXPECT_EQ(state.columnStartRow, "5");
  EXPECT_TRUE(state.columnHeader);
  EXPECT_FALSE(state.tableNoOutput);
  EXPECT_EQ(state.lineType, kLineTypeStraight);

  EXPECT_FALSE(LoadFormatState(store, DataKind::TableIndex).columnHeader);
  TFormatDialogState sql = LoadFormatState(store, DataKind::Sql);
  EXPECT_TRUE(sql.tableNoOutput);
  EXPECT_TRUE(sql.table.rows.empty());
  EXPECT_EQ(sql.column.rows.size(), 3u);
}

TEST_F(FormatStateTest, SwappingBackAndForthWithoutApplyingKeepsEveryValueUnderItsHeading) {
  TFormatDialogState state = LoadFormatState(store, DataKind::Table);
  const TFormatList original = state.table;
  SwapFirstColumns(state.table);
  EXPECT_EQ(state.table.firstColumn, TFirstColumn::kColumn);
  EXPECT_EQ(state.table.rows[3].first, "D");
  EXPECT_EQ(state.table.rows[3].second, "D1");
  // Applying in one-sheet mode stores each value by its heading, not by its place.
  TFormatDialogState swapped = state;
  swapped.tableOneSheet = true;
  ApplyFormatState(swapped, store, DataKind::Table);
  EXPECT_EQ(store.Items(DataKind::Table, kItemLevelTable)[3].excelCell, "D1");
  EXPECT_EQ(store.Items(DataKind::Table, kItemLevelTable)[3].excelColumn, "D");
  SwapFirstColumns(state.table);
  EXPECT_EQ(state.table, original);
}

TEST_F(FormatStateTest, ApplyStoresTheListsInTheDialogsOrder) {
  store.sortColumn[1] = 3;
  store.sortDirection[1] = 1;
  store.sortColumn[2] = 2;
  TFormatDialogState state = LoadFormatState(store, DataKind::Table);
  MoveRowUp(state.table, 1);            // NAME before CREATOR
  state.table.rows[2].checked = false;  // TYPE not written
  state.table.rows[0].first = "E4";     // NAME's cell
  MoveRowDown(state.column, 0);         // NAME before SEQ
  state.column.rows[0].first = "K";
  ApplyFormatState(state, store, DataKind::Table);

  const ItemList& table = store.Items(DataKind::Table, kItemLevelTable);
  EXPECT_EQ(table[0].name, "NAME");
  EXPECT_EQ(table[0].index, 1);
  EXPECT_EQ(table[0].excelCell, "E4");
  EXPECT_EQ(table[0].excelColumn, "B");
  EXPECT_EQ(table[1].name, "CREATOR");
  EXPECT_EQ(table[2].output, 0);
  EXPECT_EQ(table.size(), 14u);
  const ItemList& column = store.Items(DataKind::Table, kItemLevelColumn);
  EXPECT_EQ(column[0].name, "NAME");
  EXPECT_EQ(column[0].excelColumn, "K");
  EXPECT_EQ(column[0].excelCell, "");
  EXPECT_EQ(column[1].name, "SEQ");

  EXPECT_EQ(store.sortColumn[1], 0);
  EXPECT_EQ(store.sortDirection[1], 0);
  EXPECT_EQ(store.sortColumn[2], 2);  // other data kinds keep their sort
  EXPECT_TRUE(store.listRebuild);
  EXPECT_TRUE(store.modified);
  // The dialog shows the same state again.
  EXPECT_EQ(LoadFormatState(store, DataKind::Table), state);
}

TEST_F(FormatStateTest, ApplyStoresNumbersThatAreNoIntegersAsZero) {
  TFormatDialogState state = LoadFormatState(store, DataKind::Index);
  state.tableStartRow = "x";
  state.columnStartRow = "12";
  state.erLeft = "1.5";
  state.erTop = "-4";
  state.tableNoOutput = true;
  state.tableHeader = false;
  state.columnHeader = false;
  state.erType = false;
  state.lineType = kLineTypeElbow;
  ApplyFormatState(state, store, DataKind::Index);
  const TFormatSettings& s = store.formatSettings;
  EXPECT_EQ(s.tableStartRow[2], 0);
  EXPECT_EQ(state.tableStartRow, "0");
  EXPECT_EQ(s.columnStartRow[2], 12);
  EXPECT_EQ(s.erLeft, 0);
  EXPECT_EQ(state.erLeft, "0");
  EXPECT_EQ(s.erTop, -4);
  EXPECT_EQ(s.tableNoOutput[2], 1);
  EXPECT_EQ(s.tableHeader[2], 0);
  EXPECT_EQ(s.columnHeader[2], 0);
  EXPECT_EQ(s.erType, 0);
  EXPECT_EQ(s.lineType, kLineTypeElbow);
  EXPECT_EQ(s.tableStartRow[1], 1);  // other data kinds untouched
}

TEST_F(FormatStateTest, ApplyWithoutADataKindStoresTheErSettingsOnly) {
  const std::vector<ItemList> before = AllItems();
  TFormatDialogState state = LoadFormatState(store, DataKind::None);
  EXPECT_TRUE(state.table.rows.empty());
  EXPECT_TRUE(state.column.rows.empty());
  state.erLeft = "20";
  state.lineType = 0;  // no button selected: curved
  store.sortColumn[0] = 2;
  const TFormatSettings settings = store.formatSettings;
  ApplyFormatState(state, store, DataKind::None);
  EXPECT_EQ(store.formatSettings.erLeft, 20);
  EXPECT_EQ(store.formatSettings.lineType, kLineTypeCurved);
  TFormatSettings others = store.formatSettings;
  others.erLeft = settings.erLeft;
  others.lineType = settings.lineType;
  EXPECT_EQ(others, settings);
  EXPECT_EQ(AllItems(), before);
  EXPECT_EQ(store.sortColumn[0], 2);
  EXPECT_FALSE(store.listRebuild);
  EXPECT_TRUE(store.modified);
}

TEST_F(FormatStateTest, ApplyOnSqlResultsReordersTheResultColumns) {
  TFormatDialogState state = LoadFormatState(store, DataKind::Sql);
  MoveRowUp(state.column, 2);
  SetAllChecked(state.column, false);
  state.column.rows[0].checked = true;
  ResetColumns(state.column);
  ApplyFormatState(state, store, DataKind::Sql);
  EXPECT_EQ(ItemNames(DataKind::Sql, kItemLevelColumn),
            (std::vector<std::string>{"C0", "C2", "C1"}));
  const ItemList& sql = store.Items(DataKind::Sql, kItemLevelColumn);
  EXPECT_EQ(sql[0].excelColumn, "A");
  EXPECT_EQ(sql[0].output, 1);
  EXPECT_EQ(sql[1].excelColumn, "");
  EXPECT_EQ(sql[1].output, 0);
  EXPECT_TRUE(store.Items(DataKind::Sql, kItemLevelTable).empty());
  EXPECT_EQ(store.formatSettings.tableNoOutput[4], 1);
}

TEST_F(FormatStateTest, ApplyTellsItemsWithTheSameNameApart) {
  // Result columns of a free SELECT may share a name.
  ItemList& sql = store.Items(DataKind::Sql, kItemLevelColumn);
  for (TItemDef& item : sql) item.name = "ID";
  TFormatDialogState state = LoadFormatState(store, DataKind::Sql);
  state.column.rows[0].checked = false;
  MoveRowDown(state.column, 0);  // the unchecked first ID goes second
  ApplyFormatState(state, store, DataKind::Sql);
  EXPECT_EQ(sql[0].index, 1);
  EXPECT_EQ(sql[0].output, 1);
  EXPECT_EQ(sql[1].index, 0);
  EXPECT_EQ(sql[1].output, 0);
}

TEST_F(FormatStateTest, ApplyLeavesAListAloneThatWasRebuiltSinceItWasShown) {
  // The dialog was shown for one SQL result; another query has replaced the result columns.
  TFormatDialogState state = LoadFormatState(store, DataKind::Sql);
  SetAllChecked(state.column, false);
  ItemList& sql = store.Items(DataKind::Sql, kItemLevelColumn);
  for (TItemDef& item : sql) item.name = "NEW_" + item.name;
  const ItemList rebuilt = sql;
  ApplyFormatState(state, store, DataKind::Sql);
  EXPECT_EQ(sql, rebuilt);
}

}  // namespace
}  // namespace morvane
