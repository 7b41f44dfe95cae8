#include <gtest/gtest.h>

#include "er/er_sheets.h"
#include "er/er_tables.h"
#include "text/codec.h"

namespace morvane {
namespace {

std::string Sheet(int n) { return ToCp932("シート") + std::to_string(n); }

std::vector<std::string> Names(const TERDiagram& d) {
  std::vector<std::string> names;
  for (const auto& s : d.sheets) names.push_back(s->name);
  return names;
}

TEST(ERSheetsTest, NewSheetTakesTheFirstFreeNumber) {
  TERDiagram d;
  AddERSheet(d);
  AddERSheet(d);
  AddERSheet(d);
  EXPECT_EQ(Names(d), (std::vector<std::string>{Sheet(1), Sheet(2), Sheet(3)}));
  EXPECT_EQ(d.currentIndex, 2);
  DeleteERSheet(d, 1);
  TERSheetRec& added = AddERSheet(d);
  EXPECT_EQ(added.name, Sheet(2));
  EXPECT_EQ(d.Current(), &added);
}

TEST(ERSheetsTest, DeletingTheLastSheetSelectsTheOneBeforeElseTheSameIndex) {
  TERDiagram d;
  for (int i = 0; i < 4; ++i) AddERSheet(d);
  EXPECT_TRUE(CanDeleteERSheet(d));
  d.currentIndex = 3;
  DeleteERSheet(d, 3);
  EXPECT_EQ(d.currentIndex, 2);
  EXPECT_EQ(d.Current()->name, Sheet(3));
  d.currentIndex = 0;
  DeleteERSheet(d, 0);
  EXPECT_EQ(d.currentIndex, 0);
  EXPECT_EQ(d.Current()->name, Sheet(2));
  DeleteERSheet(d, 0);
  EXPECT_FALSE(CanDeleteERSheet(d));
  DeleteAllERSheets(d);
  EXPECT_EQ(d.Current(), nullptr);
  EXPECT_EQ(d.currentIndex, -1);
}

TEST(ERSheetsTest, DeletingASheetBeforeTheCurrentKeepsTheSameSheetCurrent) {
  TERDiagram d;
  for (int i = 0; i < 3; ++i) AddERSheet(d);
  TERSheetRec* current = d.Current();
  DeleteERSheet(d, 0);
  EXPECT_EQ(d.Current(), current);
}

TEST(ERSheetsTest, RenameTrimsAndRefusesEmptyOrAnotherSheetsName) {
  TERDiagram d;
  AddERSheet(d);
  AddERSheet(d);
  ASSERT_EQ(RenameERSheet(d, 0, "  Sheet1  "), SheetNameCheck::kOk);
  EXPECT_EQ(d.sheets[0]->name, "Sheet1");
  EXPECT_EQ(RenameERSheet(d, 1, "sheet1"), SheetNameCheck::kDuplicate);
  EXPECT_EQ(d.sheets[1]->name, Sheet(2));
  EXPECT_EQ(RenameERSheet(d, 1, " \t "), SheetNameCheck::kEmpty);
  EXPECT_EQ(SheetNameCheckMessage(SheetNameCheck::kEmpty), "シート名が入力されていません。");
  EXPECT_EQ(SheetNameCheckMessage(SheetNameCheck::kDuplicate), "既に同名のシートが存在します。");
  // Its own name, or only a change of case, is accepted.
  EXPECT_EQ(RenameERSheet(d, 0, "SHEET1"), SheetNameCheck::kOk);
  EXPECT_EQ(d.sheets[0]->name, "SHEET1");
  EXPECT_EQ(DeleteSheetQuestion(d.sheets[1]->name), "「シート2」シートを削除しますか？");
}

TEST(ERSheetsTest, MovingATabShiftsTheSheetsBetween) {
  TERDiagram d;
  for (int i = 0; i < 4; ++i) AddERSheet(d);
  ASSERT_TRUE(MoveERSheet(d, 0, 2));
  EXPECT_EQ(Names(d), (std::vector<std::string>{Sheet(2), Sheet(3), Sheet(1), Sheet(4)}));
  EXPECT_EQ(d.currentIndex, 2);
  ASSERT_TRUE(MoveERSheet(d, 3, 0));
  EXPECT_EQ(Names(d), (std::vector<std::string>{Sheet(4), Sheet(2), Sheet(3), Sheet(1)}));
  EXPECT_EQ(d.currentIndex, 0);
  EXPECT_FALSE(MoveERSheet(d, 1, 1));
  EXPECT_FALSE(MoveERSheet(d, 1, 4));
}

}  // namespace
}  // namespace morvane
