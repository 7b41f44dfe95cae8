// Table windows sized to their content: caption and checked column lines whole, within the
// caps, never below 150 x 150; placing from a record and the fit commands use it.
#include "er/er_fit.h"

#include <gtest/gtest.h>

#include "er/er_commands.h"
#include "er/er_from_record.h"
#include "er/er_sheets.h"

namespace morvane {
namespace {

// 6 pixels per byte in the column font, 7 in the caption font.
const TERTextMeasure kMeasure{[](std::string_view t) { return static_cast<int>(t.size()) * 7; },
                              [](std::string_view t) { return static_cast<int>(t.size()) * 6; }};

TERTableRec Window(const std::string& caption, int columns, size_t nameLength, int unchecked = 0) {
  TERTableRec table;
  table.caption = caption;
  for (int i = 0; i < columns; ++i) {
    TERColumnRec column{"*", std::string(nameLength, 'C'), "NUMBER(10,2)", i >= unchecked, ""};
    column.listText = ERColumnListText(column, 2);
    table.columns.push_back(column);
  }
  return table;
}

TEST(ERFitTest, SizesFollowTheTextWithinTheCaps) {
  struct Case {
    TERTableRec table;
    TERSize size;
  };
  const Case cases[] = {
      {Window("EMP", 3, 4), {150, 150}},  // small: the least size
      {Window("EMP", 12, 40), {6 + 14 + 6 * 55 + 8, 16 + 6 + 12 * 12 + 8}},  // a long line
      {Window(std::string(60, 'T'), 2, 2), {6 + 7 * 60 + 12 + 8, 150}},      // a long caption
      {Window("EMP", 20, 4), {150, 16 + 6 + 20 * 12 + 8}},                   // many lines
      {Window("EMP", 20, 4, 15), {150, 150}},                        // only the checked lines count
      {Window("EMP", 200, 120), {kERFitMaxWidth, kERFitMaxHeight}},  // capped: it scrolls
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitERTableSize(c.table, kMeasure), c.size) << c.table.caption;
  }
}

TEST(ERFitTest, PlacedWindowsFitUnlessASizeIsGivenAndTheCommandsRefit) {
  TERDiagram diagram;
  AddERSheet(diagram, "S");
  TERSheetRec& sheet = *diagram.sheets[0];
  TTableRec record;
  record.name = "ORDERS";
  for (int i = 0; i < 30; ++i) record.columns.push_back({TValueList({"", "C", "CHAR"})});
  const TColumnValuePositions positions{1, 2, 3, 4, 5};
  TERTableRec& fitted =
      AddERTableFromRecord(diagram, sheet, record, positions, 0, 0, 0, 0, &kMeasure);
  EXPECT_EQ(fitted.height, 16 + 6 + 30 * 12 + 8);
  TERTableRec& given =
      AddERTableFromRecord(diagram, sheet, record, positions, 0, 0, 200, 120, &kMeasure);
  EXPECT_EQ(given.height, 120);
  TERTableRec& unmeasured = AddERTableFromRecord(diagram, sheet, record, positions, 0, 0, 0, 0);
  EXPECT_EQ(unmeasured.height, 150);

  ScriptedPrompt prompt;
  int changes = 0;
  TERCommands commands(diagram, prompt, [&] { ++changes; });
  EXPECT_EQ(commands.FitAllWindows(sheet, kMeasure), 2);
  EXPECT_EQ(given.height, fitted.height);
  EXPECT_FALSE(commands.FitWindow(given, kMeasure));  // already fitted: no change
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace morvane
