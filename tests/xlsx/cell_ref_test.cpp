#include "xlsx/cell_ref.h"

#include <gtest/gtest.h>

namespace morvane::xlsx {
namespace {

TEST(CellRefTest, AcceptsAddressesUpToTheSheetLimits) {
  EXPECT_EQ(ParseCellRef("A1"), (CellRef{1, 1}));
  EXPECT_EQ(ParseCellRef("b3"), (CellRef{3, 2}));
  EXPECT_EQ(ParseCellRef("$AQ$12"), (CellRef{12, 43}));
  EXPECT_EQ(ParseCellRef("XFD1048576"), (CellRef{1048576, 16384}));
  EXPECT_EQ(ParseCellRef("IV65536"), (CellRef{65536, 256}));
}

TEST(CellRefTest, RejectsAddressesPastTheLimitsOrMalformed) {
  for (const char* bad : {"XFE1", "A1048577", "A0", "1", "A", "", " A1", "A1 ", "A1:B2", "AAAA1",
                          "A-1", "A01", "1A", "A1.5", "Ａ1", "$$A1", "A$$1", "A99999999999"}) {
    EXPECT_FALSE(ParseCellRef(bad).has_value()) << bad;
  }
}

TEST(CellRefTest, ColumnLettersRoundTrip) {
  EXPECT_EQ(ColumnLetters(1), "A");
  EXPECT_EQ(ColumnLetters(26), "Z");
  EXPECT_EQ(ColumnLetters(27), "AA");
  EXPECT_EQ(ColumnLetters(703), "AAA");
  EXPECT_EQ(ColumnLetters(16384), "XFD");
  for (uint32_t col : {1u, 26u, 27u, 52u, 702u, 703u, 16384u}) {
    EXPECT_EQ(ParseColumnLetters(ColumnLetters(col)), col);
  }
  EXPECT_FALSE(ParseColumnLetters("XFE"));
  EXPECT_EQ(FormatCellRef({5, 3}), "C5");
}

}  // namespace
}  // namespace morvane::xlsx
