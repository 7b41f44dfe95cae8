// The enabling table, row by row, in the state that enables each command and in the states
// that must disable it.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "app/gui/command_rules.h"

namespace morvane {
namespace {

// A project with a table list shown, one row selected, connected: most commands enabled.
TCommandInputs BusyProject() {
  TCommandInputs in;
  in.product = Product::Oracle8;
  in.modified = true;
  in.fileVersion = 280;
  in.connected = true;
  in.currentDataKind = DataKind::Table;
  in.currentListLevel = 1;
  in.dataSelectedRows = 1;
  in.focus = FocusTarget::kDataList;
  in.focusedListRows = 3;
  return in;
}

TEST(CommandRules, StartStateEnablesOnlyTheAlwaysEnabledCommands) {
  TCommandInputs start;
  start.product = Product::None;
  EXPECT_EQ(ComputeCommandStates(start), TCommandStates{.listChecked = true});
}

TEST(CommandRules, FetchNeedsACurrentProjectButNoConnection) {
  TCommandInputs in;
  EXPECT_FALSE(ComputeCommandStates(in).fetch);
  in.product = Product::RedBrick;
  EXPECT_TRUE(ComputeCommandStates(in).fetch);  // the fetch connects first
  in.fileVersion = 200;
  EXPECT_FALSE(ComputeCommandStates(in).fetch);
}

TEST(CommandRules, SaveFollowsTheModifiedFlag) {
  TCommandInputs in;
  in.modified = true;
  EXPECT_TRUE(ComputeCommandStates(in).save);
  in.modified = false;
  in.product = Product::Broadbase;
  EXPECT_FALSE(ComputeCommandStates(in).save);
}

TEST(CommandRules, SaveAsNeedsAProduct) {
  TCommandInputs in;
  EXPECT_FALSE(ComputeCommandStates(in).saveAs);
  for (Product product :
       {Product::RedBrick, Product::Oracle8, Product::Broadbase, Product::Oracle7}) {
    in.product = product;
    EXPECT_TRUE(ComputeCommandStates(in).saveAs) << ProductCode(product);
  }
}

TEST(CommandRules, ExcelOutputNeedsSelectedTablesAnSqlResultOrTheErView) {
  TCommandInputs in = BusyProject();
  EXPECT_TRUE(ComputeCommandStates(in).excelOutput);

  TCommandInputs no_selection = in;
  no_selection.dataSelectedRows = 0;
  EXPECT_FALSE(ComputeCommandStates(no_selection).excelOutput);

  TCommandInputs column_list = in;
  column_list.currentListLevel = 2;
  EXPECT_FALSE(ComputeCommandStates(column_list).excelOutput);

  TCommandInputs no_kind = in;
  no_kind.currentDataKind = DataKind::None;
  EXPECT_FALSE(ComputeCommandStates(no_kind).excelOutput);

  TCommandInputs sql;
  sql.product = Product::RedBrick;
  sql.currentDataKind = DataKind::Sql;
  sql.currentListLevel = 2;
  EXPECT_FALSE(ComputeCommandStates(sql).excelOutput);
  sql.sqlRows = 4;
  EXPECT_TRUE(ComputeCommandStates(sql).excelOutput);

  // SQL rows count only while the SQL input is the current data kind.
  TCommandInputs stale_sql = sql;
  stale_sql.currentDataKind = DataKind::Index;
  EXPECT_FALSE(ComputeCommandStates(stale_sql).excelOutput);

  TCommandInputs er;
  er.product = Product::RedBrick;
  er.erView = true;
  er.listView = false;
  EXPECT_TRUE(ComputeCommandStates(er).excelOutput);
}

TEST(CommandRules, ListCopyNeedsADataKindAndTheListView) {
  TCommandInputs in = BusyProject();
  EXPECT_TRUE(ComputeCommandStates(in).listCopy);
  in.erView = true;
  EXPECT_FALSE(ComputeCommandStates(in).listCopy);
  in.erView = false;
  in.currentDataKind = DataKind::None;
  EXPECT_FALSE(ComputeCommandStates(in).listCopy);
}

TEST(CommandRules, SelectAllNeedsTheSqlTextOrAFilledListFocused) {
  TCommandInputs in = BusyProject();
  EXPECT_TRUE(ComputeCommandStates(in).selectAll);

  for (FocusTarget list :
       {FocusTarget::kDataList, FocusTarget::kColumnList, FocusTarget::kSqlList}) {
    in.focus = list;
    in.focusedListRows = 1;
    EXPECT_TRUE(ComputeCommandStates(in).selectAll);
    in.focusedListRows = 0;
    EXPECT_FALSE(ComputeCommandStates(in).selectAll) << "empty list";
  }
  in.focus = FocusTarget::kSqlText;
  EXPECT_TRUE(ComputeCommandStates(in).selectAll);
  in.focus = FocusTarget::kTree;
  in.focusedListRows = 5;
  EXPECT_FALSE(ComputeCommandStates(in).selectAll);

  TCommandInputs er = BusyProject();
  er.erView = true;
  EXPECT_FALSE(ComputeCommandStates(er).selectAll);
}

TEST(CommandRules, SelectChangeNeedsAFilledListFocusedButNotTheSqlText) {
  TCommandInputs in = BusyProject();
  EXPECT_TRUE(ComputeCommandStates(in).selectChange);
  in.focusedListRows = 0;
  EXPECT_FALSE(ComputeCommandStates(in).selectChange);
  in.focus = FocusTarget::kSqlText;
  in.focusedListRows = 0;
  EXPECT_FALSE(ComputeCommandStates(in).selectChange);
  in.focus = FocusTarget::kSqlList;
  in.focusedListRows = 2;
  EXPECT_TRUE(ComputeCommandStates(in).selectChange);
  in.currentDataKind = DataKind::None;
  EXPECT_FALSE(ComputeCommandStates(in).selectChange);
}

TEST(CommandRules, ViewCommandsNeedAProductAndShowTheActiveView) {
  TCommandInputs none;
  TCommandStates s = ComputeCommandStates(none);
  EXPECT_FALSE(s.views);
  EXPECT_FALSE(s.listButtonDown);
  EXPECT_FALSE(s.erButtonDown);

  TCommandInputs list;
  list.product = Product::Oracle7;
  s = ComputeCommandStates(list);
  EXPECT_TRUE(s.views);
  EXPECT_TRUE(s.listChecked);
  EXPECT_TRUE(s.listButtonDown);
  EXPECT_FALSE(s.erButtonDown);

  TCommandInputs er = list;
  er.erView = true;
  er.listView = false;
  s = ComputeCommandStates(er);
  EXPECT_FALSE(s.listChecked);
  EXPECT_FALSE(s.listButtonDown);
  EXPECT_TRUE(s.erButtonDown);
}

TEST(CommandRules, FormatNeedsADataKindOrTheErView) {
  TCommandInputs in;
  in.product = Product::RedBrick;
  EXPECT_FALSE(ComputeCommandStates(in).format);
  in.currentDataKind = DataKind::Excel;
  EXPECT_TRUE(ComputeCommandStates(in).format);
  in.currentDataKind = DataKind::None;
  in.erView = true;
  EXPECT_TRUE(ComputeCommandStates(in).format);
}

TEST(CommandRules, ConnectAndDisconnectFollowTheConnectionOfACurrentProject) {
  TCommandInputs in;
  in.product = Product::Oracle8;
  TCommandStates s = ComputeCommandStates(in);
  EXPECT_TRUE(s.connect);
  EXPECT_FALSE(s.disconnect);

  in.connected = true;
  s = ComputeCommandStates(in);
  EXPECT_FALSE(s.connect);
  EXPECT_TRUE(s.disconnect);

  for (bool connected : {false, true}) {
    TCommandInputs old_file = in;
    old_file.connected = connected;
    old_file.fileVersion = 200;
    s = ComputeCommandStates(old_file);
    EXPECT_FALSE(s.connect);
    EXPECT_FALSE(s.disconnect);

    TCommandInputs no_project = old_file;
    no_project.fileVersion = 280;
    no_project.product = Product::None;
    s = ComputeCommandStates(no_project);
    EXPECT_FALSE(s.connect);
    EXPECT_FALSE(s.disconnect);
  }
}

TEST(CommandRules, DataCountNeedsEveryConditionAtOnce) {
  TCommandInputs in = BusyProject();
  EXPECT_TRUE(ComputeCommandStates(in).dataCount);

  std::vector<std::pair<const char*, std::function<void(TCommandInputs&)>>> breaks = {
      {"earlier version", [](TCommandInputs& i) { i.fileVersion = 279; }},
      {"not connected", [](TCommandInputs& i) { i.connected = false; }},
      {"index information", [](TCommandInputs& i) { i.currentDataKind = DataKind::Index; }},
      {"Excel tables", [](TCommandInputs& i) { i.currentDataKind = DataKind::Excel; }},
      {"column list", [](TCommandInputs& i) { i.currentListLevel = 2; }},
      {"nothing selected", [](TCommandInputs& i) { i.dataSelectedRows = 0; }},
  };
  for (const auto& [why, apply] : breaks) {
    TCommandInputs broken = in;
    apply(broken);
    EXPECT_FALSE(ComputeCommandStates(broken).dataCount) << why;
  }
}

}  // namespace
}  // namespace morvane
