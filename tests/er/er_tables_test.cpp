#include <gtest/gtest.h>

#include "er/er_sheets.h"
#include "er/er_tables.h"
#include "er/line_geometry.h"
#include "model/data_kind.h"

namespace morvane {
namespace {

TEST(ERTablesTest, WindowNamesAreUniqueAcrossSheetsAndReuseFreedNumbers) {
  TERDiagram d;
  TERSheetRec& first = AddERSheet(d);
  TERSheetRec& second = AddERSheet(d);
  AddERTable(first, NextERTableName(d), "A", 0, 0, 0, 0);
  AddERTable(second, NextERTableName(d), "B", 0, 0, 0, 0);
  AddERTable(first, "table3", "C", 0, 0, 0, 0);  // taken whatever its case
  EXPECT_EQ(NextERTableName(d), "Table4");
  ASSERT_TRUE(RemoveERTable(first, "TABLE1"));
  EXPECT_EQ(NextERTableName(d), "Table1");
  EXPECT_EQ(FindERTable(d, "Table2"), second.tables[0].get());
  EXPECT_EQ(FindERTable(first, "Table2"), nullptr);
}

TEST(ERTablesTest, ZeroSizeMeansDefaultSize) {
  TERSheetRec sheet;
  TERTableRec& t = AddERTable(sheet, "Table1", "T", 5, 6, 0, 80);
  EXPECT_EQ(t.width, 150);
  EXPECT_EQ(t.height, 80);
}

TEST(ERTablesTest, TypeTextCombinesLengthAndScale) {
  EXPECT_EQ(ERTypeText("NUMBER", "10", "2"), "NUMBER(10,2)");
  EXPECT_EQ(ERTypeText("CHAR", "8", ""), "CHAR(8)");
  EXPECT_EQ(ERTypeText("DECIMAL", "", "2"), "DECIMAL(2)");
  EXPECT_EQ(ERTypeText("DATE", "", ""), "DATE");
}

TEST(ERTablesTest, ColumnEntryReadsTheProductsPositions) {
  // Broadbase: name 1, type 2, precision 3, scale 4, primary key 5.
  TValueList row{"1", "ID", "DECIMAL", "10", "", "Y"};
  TERColumnRec c = MakeERColumn(row, ColumnValuePositionsFor(Product::Broadbase, false));
  EXPECT_EQ(c.keyMark, "*");
  EXPECT_EQ(c.columnName, "ID");
  EXPECT_EQ(c.typeText, "DECIMAL(10)");
  EXPECT_TRUE(c.checked);
  EXPECT_EQ(c.listText, "*ID  DECIMAL(10)");
  EXPECT_EQ(ERColumnListText(c, 1), "*ID DECIMAL(10)");
  // Positions beyond a short row read as empty values.
  TERColumnRec shortRow =
      MakeERColumn(TValueList{"1", "X"}, ColumnValuePositionsFor(Product::None, true));
  EXPECT_EQ(shortRow.keyMark, " ");
  EXPECT_EQ(shortRow.typeText, "");
  EXPECT_EQ(ColumnValuePositionsFor(Product::Oracle7, false),
            (TColumnValuePositions{1, 2, 6, 7, 9}));
  EXPECT_EQ(ColumnValuePositionsFor(Product::Oracle7, true),
            (TColumnValuePositions{1, 2, 6, 7, 11}));
}

TEST(ERTablesTest, ClosingAWindowRemovesItsLinesOnly) {
  TERSheetRec sheet;
  TERTableRec* a = &AddERTable(sheet, "Table1", "A", 0, 0, 0, 0);
  TERTableRec* b = &AddERTable(sheet, "Table2", "B", 0, 0, 0, 0);
  TERTableRec* c = &AddERTable(sheet, "Table3", "C", 0, 0, 0, 0);
  AddERLine(sheet, a, b);
  AddERLine(sheet, c, a);
  AddERLine(sheet, b, c);
  ASSERT_TRUE(RemoveERTable(sheet, "table1"));
  ASSERT_EQ(sheet.lines.size(), 1u);
  EXPECT_EQ(sheet.lines[0]->fromWindow, b);
  EXPECT_EQ(sheet.tables.size(), 2u);
  EXPECT_FALSE(RemoveERTable(sheet, "Table1"));
}

TEST(ERTablesTest, DraggingOneListOntoAnotherTogglesTheLine) {
  TERSheetRec sheet;
  TERTableRec* a = &AddERTable(sheet, "Table1", "A", 0, 0, 0, 0);
  TERTableRec* b = &AddERTable(sheet, "Table2", "B", 0, 0, 0, 0);
  EXPECT_EQ(ToggleERLine(sheet, a, b), LineToggle::kAdded);
  ASSERT_EQ(sheet.lines.size(), 1u);
  EXPECT_EQ(sheet.lines[0]->fromWindow, a);
  EXPECT_EQ(ToggleERLine(sheet, b, a), LineToggle::kRemoved);
  EXPECT_TRUE(sheet.lines.empty());
  EXPECT_EQ(ToggleERLine(sheet, a, a), LineToggle::kRefused);
  TERTableRec stranger;
  EXPECT_EQ(ToggleERLine(sheet, a, &stranger), LineToggle::kRefused);
}

TERTableRec Box(int left, int top, int width, int height) {
  TERTableRec t;
  t.left = left;
  t.top = top;
  t.width = width;
  t.height = height;
  return t;
}

TEST(LineGeometryTest, SideBySideWindowsJoinAtFacingEdges) {
  TERTableRec s = Box(0, 0, 100, 50);
  TERTableRec t = Box(200, 100, 100, 61);
  EXPECT_EQ(ComputeLineGeometry(s, t),
            (TLineGeometry{100, 25, 200, 130, LineSide::Right, LineSide::Left}));
  EXPECT_EQ(ComputeLineGeometry(t, s),
            (TLineGeometry{200, 130, 100, 25, LineSide::Left, LineSide::Right}));
}

TEST(LineGeometryTest, StackedOrTouchingWindowsJoinVertically) {
  TERTableRec s = Box(0, 0, 101, 50);
  TERTableRec below = Box(50, 200, 100, 50);
  EXPECT_EQ(ComputeLineGeometry(s, below),
            (TLineGeometry{50, 50, 100, 200, LineSide::Bottom, LineSide::Top}));
  EXPECT_EQ(ComputeLineGeometry(below, s),
            (TLineGeometry{100, 200, 50, 50, LineSide::Top, LineSide::Bottom}));
  TERTableRec touching = Box(101, 300, 100, 50);  // s.right == touching.left
  EXPECT_EQ(ComputeLineGeometry(s, touching).fromSide, LineSide::Bottom);
  TERTableRec overlapping = Box(10, 10, 50, 50);
  EXPECT_EQ(ComputeLineGeometry(s, overlapping).fromSide, LineSide::Top);
}

TEST(LineGeometryTest, ExtremeGeometryDoesNotOverflow) {
  TERTableRec s = Box(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX);
  TERTableRec t = Box(INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX);
  TLineGeometry g = ComputeLineGeometry(s, t);
  EXPECT_EQ(g.fromSide, LineSide::Left);
  EXPECT_EQ(g.x1, INT32_MAX);
}

TEST(LineGeometryTest, SidesAreKnownFromTheLinesCreationAndUpdatedForTheSheet) {
  TERSheetRec sheet;
  TERTableRec* a = &AddERTable(sheet, "Table1", "A", 0, 0, 100, 100);
  TERTableRec* b = &AddERTable(sheet, "Table2", "B", 300, 0, 100, 100);
  TTargetLine& line = AddERLine(sheet, a, b);
  EXPECT_EQ(line.fromSide, LineSide::Right);
  b->top = 500;
  b->left = 0;
  UpdateLineSides(sheet);
  EXPECT_EQ(line.fromSide, LineSide::Bottom);
  EXPECT_EQ(line.toSide, LineSide::Top);
  b->left = 300;
  b->top = 0;
  UpdateLineSides(sheet);
  EXPECT_EQ(line.fromSide, LineSide::Right);
  EXPECT_EQ(line.toSide, LineSide::Left);
}

}  // namespace
}  // namespace morvane
