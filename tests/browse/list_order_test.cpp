#include "browse/list_order.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace morvane {
namespace {

// The cells of `keys` in the order SortedRowOrder gives them.
std::vector<std::string> Sorted(const std::vector<std::string>& keys, int valueKind,
                                int direction) {
  std::vector<std::string_view> views(keys.begin(), keys.end());
  std::vector<std::string> out;
  for (int i : SortedRowOrder(views, valueKind, direction)) out.push_back(keys[i]);
  return out;
}

TEST(TextOrder, ComparesUnsignedBytesCaseSensitively) {
  EXPECT_LT(CompareCp932Bytes("B", "a"), 0);
  EXPECT_LT(CompareCp932Bytes("ABC", "ABCD"), 0);
  EXPECT_EQ(CompareCp932Bytes("", ""), 0);
  // A double-byte character (lead byte 0x83) sorts after every ASCII character.
  EXPECT_GT(CompareCp932Bytes("\x83\x65", "z"), 0);
  EXPECT_EQ(Sorted({"b", "a", "B", "A"}, 1, kSortAscending),
            (std::vector<std::string>{"A", "B", "a", "b"}));
  EXPECT_EQ(Sorted({"b", "a", "B", "A"}, 1, kSortDescending),
            (std::vector<std::string>{"b", "a", "B", "A"}));
}

TEST(NumberOrder, EmptyCellsFirstAscendingAndLastDescending) {
  std::vector<std::string> cells = {"10", "", "9", "-3", "", "100"};
  EXPECT_EQ(Sorted(cells, 2, kSortAscending),
            (std::vector<std::string>{"", "", "-3", "9", "10", "100"}));
  EXPECT_EQ(Sorted(cells, 2, kSortDescending),
            (std::vector<std::string>{"100", "10", "9", "-3", "", ""}));
}

TEST(NumberOrder, NumbersCompareByValueNotByText) {
  EXPECT_LT(CompareListKeys("9", "10", 2, kSortAscending), 0);
  EXPECT_GT(CompareListKeys("9", "10", 1, kSortAscending), 0);
  EXPECT_EQ(CompareListKeys("007", "7", 2, kSortAscending), 0);
  EXPECT_EQ(CompareListKeys(" 7 ", "+7", 2, kSortAscending), 0);
  EXPECT_EQ(CompareListKeys("-0", "0", 2, kSortAscending), 0);
  EXPECT_GT(CompareListKeys("9", "10", 2, kSortDescending), 0);
  // Beyond 64 bits nothing overflows.
  EXPECT_LT(CompareListKeys("99999999999999999999", "100000000000000000000", 2, 0), 0);
  EXPECT_LT(CompareListKeys("-100000000000000000000", "-99999999999999999999", 2, 0), 0);
}

TEST(NumberOrder, FractionsAndExponentsLandBetweenWholeNumbers) {
  EXPECT_EQ(Sorted({"2", "1.5", "1", "-0.25", "0", "1.50", "2E0", "1e-1"}, 2, kSortAscending),
            (std::vector<std::string>{"-0.25", "0", "1e-1", "1", "1.5", "1.50", "2", "2E0"}));
  EXPECT_EQ(CompareListKeys(".5", "0.5", 2, kSortAscending), 0);
  EXPECT_EQ(CompareListKeys("5.", "5", 2, kSortAscending), 0);
  EXPECT_LT(CompareListKeys("1E2", "101", 2, kSortAscending), 0);
  EXPECT_GT(CompareListKeys("1E999999999999999999", "1E3", 2, kSortAscending), 0);
}

TEST(NumberOrder, CellsThatAreNoNumberGoAfterAllNumbersAsText) {
  std::vector<std::string> cells = {"N/A", "3", "", "1.2.3", "-", "abc", "12abc", "E5", "."};
  EXPECT_EQ(Sorted(cells, 2, kSortAscending),
            (std::vector<std::string>{"", "3", "-", ".", "1.2.3", "12abc", "E5", "N/A", "abc"}));
  EXPECT_EQ(Sorted(cells, 2, kSortDescending),
            (std::vector<std::string>{"abc", "N/A", "E5", "12abc", "1.2.3", ".", "-", "3", ""}));
}

TEST(NumberOrder, MixedCellsGiveAStrictWeakOrder) {
  // Every pair and triple of a mixed set must be consistent, or std::sort could scramble rows.
  std::vector<std::string> cells = {"",  "0",   "-1", "1.5", "1e1", "x",   "10",
                                    "Y", " 2 ", "-",  "0.0", "+3",  "1E+1"};
  for (const auto& a : cells) {
    EXPECT_EQ(CompareListKeys(a, a, 2, 0), 0) << a;
    for (const auto& b : cells) {
      EXPECT_EQ(CompareListKeys(a, b, 2, 0), -CompareListKeys(b, a, 2, 0)) << a << " " << b;
      for (const auto& c : cells) {
        if (CompareListKeys(a, b, 2, 0) <= 0 && CompareListKeys(b, c, 2, 0) <= 0) {
          EXPECT_LE(CompareListKeys(a, c, 2, 0), 0) << a << " " << b << " " << c;
        }
      }
    }
  }
}

TEST(RowOrder, EqualKeysKeepFillOrderInBothDirections) {
  std::vector<std::string_view> keys = {"B", "A", "B", "A"};
  EXPECT_EQ(SortedRowOrder(keys, 1, kSortAscending), (std::vector<int>{1, 3, 0, 2}));
  EXPECT_EQ(SortedRowOrder(keys, 1, kSortDescending), (std::vector<int>{0, 2, 1, 3}));
  EXPECT_TRUE(SortedRowOrder({}, 2, kSortAscending).empty());
}

}  // namespace
}  // namespace morvane
