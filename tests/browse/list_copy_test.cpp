#include "browse/list_copy.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

class CopyTextTest : public ::testing::Test {
 protected:
  std::vector<std::string> captions = {"NAME", "TYPE"};
  std::vector<std::vector<std::string>> cells = {{"ID", "NUMBER"}, {"CODE", "CHAR"}, {"", "X"}};
  CellReader reader = [this](int row, int column) { return cells[row][column]; };
};

TEST_F(CopyTextTest, WithTitlesHeaderThenRowsJoinedByCrLf) {
  EXPECT_EQ(ListCopyText(captions, {0, 1}, reader, true), "NAME\tTYPE\r\nID\tNUMBER\r\nCODE\tCHAR");
}

TEST_F(CopyTextTest, WithoutTitlesOneRowHasNoLineBreak) {
  EXPECT_EQ(ListCopyText(captions, {1}, reader, false), "CODE\tCHAR");
  EXPECT_EQ(ListCopyText(captions, {1}, reader, true), "NAME\tTYPE\r\nCODE\tCHAR");
}

TEST_F(CopyTextTest, RowsInTheGivenOrderAndEmptyCellsKeepTheirTab) {
  EXPECT_EQ(ListCopyText(captions, {2, 0}, reader, false), "\tX\r\nID\tNUMBER");
  EXPECT_EQ(ListCopyText(captions, {}, reader, true), "NAME\tTYPE\r\n");
  EXPECT_EQ(ListCopyText(captions, {}, reader, false), "");
}

TEST(SelectionText, CountWording) {
  EXPECT_EQ(SelectionCountText(3), "3個を選択");
  EXPECT_EQ(SelectionCountText(0), "0個を選択");
}

TEST(InvertSelection, RunsBetweenSelectedRows) {
  using R = std::vector<RowRange>;
  EXPECT_EQ(InvertedSelection(5, {}), (R{{0, 4}}));
  EXPECT_EQ(InvertedSelection(5, {0, 1, 2, 3, 4}), R{});
  EXPECT_EQ(InvertedSelection(5, {1, 3}), (R{{0, 0}, {2, 2}, {4, 4}}));
  EXPECT_EQ(InvertedSelection(5, {0, 4}), (R{{1, 3}}));
  EXPECT_EQ(InvertedSelection(0, {}), R{});
  // Rows outside the list are ignored.
  EXPECT_EQ(InvertedSelection(3, {1, 7}), (R{{0, 0}, {2, 2}}));
}

}  // namespace
}  // namespace morvane
