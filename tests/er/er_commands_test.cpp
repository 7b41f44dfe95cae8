#include <gtest/gtest.h>

#include "er/er_commands.h"
#include "er/er_sheets.h"
#include "er/line_geometry.h"
#include "text/codec.h"

namespace morvane {
namespace {

std::string Sheet(int n) { return ToCp932("シート") + std::to_string(n); }
std::string Cp(std::string_view utf8) { return ToCp932(utf8); }

class ERCommandsTest : public ::testing::Test {
 protected:
  ERCommandsTest() : commands_(diagram_, prompt_, [this] { ++modified_; }) {}

  void AddSheets(int n) {
    for (int i = 0; i < n; ++i) AddERSheet(diagram_);
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& s : diagram_.sheets) names.push_back(s->name);
    return names;
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& s : prompt_.shown) texts.push_back(ToUtf8(s.text));
    return texts;
  }
  TERTableRec& Window(const std::string& caption, int left, int top) {
    return *commands_.AddWindow(caption, {}, left, top);
  }

  TERDiagram diagram_;
  ScriptedPrompt prompt_;
  int modified_ = 0;
  TERCommands commands_;
};

TEST_F(ERCommandsTest, AddingASheetTakesTheGapAndMarksModified) {
  AddSheets(3);
  DeleteERSheet(diagram_, 1);  // シート1 and シート3 are left
  TERSheetRec& added = commands_.AddSheet();
  EXPECT_EQ(added.name, Sheet(2));
  EXPECT_EQ(diagram_.currentIndex, 2);
  EXPECT_EQ(modified_, 1);
}

TEST_F(ERCommandsTest, DeletingFollowsTheIndexRule) {
  struct Case {
    int sheets;
    int current;
    bool answerYes;
    bool deleted;
    std::vector<int> left;  // numbers of the sheets left
    int newCurrent;
    std::string shown;
  };
  const std::vector<Case> cases = {
      {1, 0, true, false, {1}, 0, "シートをすべて削除することはできません。"},
      {3, 1, false, false, {1, 2, 3}, 1, "「シート2」シートを削除しますか？"},
      {3, 2, true, true, {1, 2}, 1, "「シート3」シートを削除しますか？"},
      {3, 1, true, true, {1, 3}, 1, "「シート2」シートを削除しますか？"},
      {3, 0, true, true, {2, 3}, 0, "「シート1」シートを削除しますか？"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shown + " current " + std::to_string(c.current));
    DeleteAllERSheets(diagram_);
    AddSheets(c.sheets);
    diagram_.currentIndex = c.current;
    prompt_ = ScriptedPrompt{};
    prompt_.answers = {c.answerYes ? PromptButton::kYes : PromptButton::kNo};
    modified_ = 0;
    EXPECT_EQ(commands_.DeleteCurrentSheet(), c.deleted);
    std::vector<std::string> expected;
    for (int n : c.left) expected.push_back(Sheet(n));
    EXPECT_EQ(Names(), expected);
    EXPECT_EQ(diagram_.currentIndex, c.newCurrent);
    EXPECT_EQ(Shown(), std::vector<std::string>{c.shown});
    EXPECT_EQ(modified_, c.deleted ? 1 : 0);
  }
}

TEST_F(ERCommandsTest, RenameWarnsAndAsksAgainUntilAcceptedOrCancelled) {
  AddSheets(2);
  diagram_.sheets[0]->name = "Sheet1";
  diagram_.currentIndex = 1;
  prompt_.text_answers = {"   ", "sheet1", Cp("  新しい名前 ")};
  EXPECT_TRUE(commands_.RenameCurrentSheet());
  EXPECT_EQ(diagram_.sheets[1]->name, Cp("新しい名前"));
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         "シート名の変更:「シート2」", "シート名が入力されていません。",
                         "シート名の変更:「シート2」", "既に同名のシートが存在します。",
                         "シート名の変更:「シート2」"}));
  EXPECT_EQ(modified_, 1);

  prompt_ = ScriptedPrompt{};
  prompt_.text_answers = {"", std::nullopt};
  EXPECT_FALSE(commands_.RenameCurrentSheet());
  EXPECT_EQ(diagram_.sheets[1]->name, Cp("新しい名前"));
  EXPECT_EQ(modified_, 1);
}

TEST_F(ERCommandsTest, MovingTheFirstTabOntoTheThirdShiftsTheOthersForward) {
  AddSheets(3);
  EXPECT_TRUE(commands_.MoveSheet(0, 2));
  EXPECT_EQ(Names(), (std::vector<std::string>{Sheet(2), Sheet(3), Sheet(1)}));
  EXPECT_EQ(diagram_.currentIndex, 2);
  EXPECT_FALSE(commands_.MoveSheet(2, 2));
  EXPECT_EQ(modified_, 1);
}

TEST_F(ERCommandsTest, DroppedWindowsSitFifteenPixelsFromThePointerInsideTheSheet) {
  const std::vector<std::pair<TERPoint, TERPoint>> cases = {
      {{100, 200}, {85, 185}}, {{15, 15}, {0, 0}}, {{3, 40}, {0, 25}}, {{-20, -5}, {0, 0}}};
  for (const auto& [drop, corner] : cases) EXPECT_EQ(DroppedTablePosition(drop), corner);
}

TEST_F(ERCommandsTest, ClosingAWindowAsksAndFreesItsNumber) {
  AddSheets(1);
  TERTableRec& a = Window("A", 0, 0);
  TERTableRec& b = Window("B", 300, 0);
  commands_.ToggleLine(a, b);
  prompt_.answers = {PromptButton::kNo, PromptButton::kYes};
  EXPECT_FALSE(commands_.CloseWindow(a));
  EXPECT_EQ(diagram_.Current()->tables.size(), 2u);
  EXPECT_TRUE(commands_.CloseWindow(a));
  EXPECT_TRUE(diagram_.Current()->lines.empty());
  EXPECT_EQ(Shown(), (std::vector<std::string>{"「A」テーブルを削除しますか？",
                                               "「A」テーブルを削除しますか？"}));
  EXPECT_EQ(Window("C", 0, 0).name, "Table1");
  EXPECT_EQ(b.name, "Table2");
}

TEST_F(ERCommandsTest, MovingAWindowUpdatesItsLinesSidesAndMarksModified) {
  AddSheets(1);
  TERTableRec& a = Window("A", 0, 0);
  TERTableRec& b = Window("B", 300, 0);
  ASSERT_EQ(commands_.ToggleLine(a, b), LineToggle::kAdded);
  const TTargetLine& line = *diagram_.Current()->lines[0];
  EXPECT_EQ(line.fromSide, LineSide::Right);
  EXPECT_EQ(line.toSide, LineSide::Left);
  modified_ = 0;
  struct Move {
    int left, top;
    LineSide fromSide, toSide;
  };
  for (const Move& m : std::vector<Move>{{0, 400, LineSide::Bottom, LineSide::Top},
                                         {500, 0, LineSide::Right, LineSide::Left},
                                         {0, 0, LineSide::Top, LineSide::Bottom},
                                         {-400, 0, LineSide::Left, LineSide::Right}}) {
    EXPECT_TRUE(commands_.SetWindowBounds(b, m.left, m.top, 150, 150));
    EXPECT_EQ(line.fromSide, m.fromSide) << m.left << "," << m.top;
    EXPECT_EQ(line.toSide, m.toSide) << m.left << "," << m.top;
  }
  EXPECT_EQ(modified_, 4);
  EXPECT_FALSE(commands_.SetWindowBounds(b, -400, 0, 150, 150));
  EXPECT_EQ(modified_, 4);
}

TEST_F(ERCommandsTest, DraggingAListOntoAnotherWindowAndBackTogglesTheLine) {
  AddSheets(1);
  TERTableRec& a = Window("A", 0, 0);
  TERTableRec& b = Window("B", 0, 300);
  EXPECT_EQ(commands_.ToggleLine(a, b), LineToggle::kAdded);
  EXPECT_EQ(diagram_.Current()->lines[0]->fromSide, LineSide::Bottom);
  EXPECT_EQ(commands_.ToggleLine(b, a), LineToggle::kRemoved);
  EXPECT_EQ(commands_.ToggleLine(a, a), LineToggle::kRefused);
  EXPECT_TRUE(diagram_.Current()->lines.empty());
  EXPECT_EQ(modified_, 4);  // two windows, two toggles
}

TEST_F(ERCommandsTest, CheckMarksMarkModifiedOnlyWhenTheyChange) {
  AddSheets(1);
  TERTableRec& a = *commands_.AddWindow("A", {TERColumnRec{}, TERColumnRec{}}, 0, 0);
  modified_ = 0;
  EXPECT_TRUE(commands_.SetColumnChecked(a, 1, false));
  EXPECT_FALSE(commands_.SetColumnChecked(a, 1, false));
  EXPECT_FALSE(commands_.SetColumnChecked(a, 2, false));
  EXPECT_FALSE(a.columns[1].checked);
  EXPECT_EQ(modified_, 1);
}

}  // namespace
}  // namespace morvane
