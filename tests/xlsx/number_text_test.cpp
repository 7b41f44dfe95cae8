#include "xlsx/number_text.h"

#include <gtest/gtest.h>

namespace morvane::xlsx {
namespace {

TEST(NumberTextTest, ShowsAtMostFifteenSignificantDigitsWithoutTrailingZeros) {
  EXPECT_EQ(NumberToText(1), "1");
  EXPECT_EQ(NumberToText(-42), "-42");
  EXPECT_EQ(NumberToText(1.5), "1.5");
  EXPECT_EQ(NumberToText(0.1 + 0.2), "0.3");
  EXPECT_EQ(NumberToText(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(NumberToText(123456789012345.0), "123456789012345");
  EXPECT_EQ(NumberToText(-0.0), "0");
  EXPECT_EQ(NumberToText(0.0001), "0.0001");
}

TEST(NumberTextTest, UsesAnExponentForVeryLargeAndVerySmallNumbers) {
  EXPECT_EQ(NumberToText(1e15), "1E+15");
  EXPECT_EQ(NumberToText(1234567890123456789.0), "1.23456789012346E+18");
  EXPECT_EQ(NumberToText(1e20), "1E+20");
  EXPECT_EQ(NumberToText(0.00001), "1E-05");
  EXPECT_EQ(NumberToText(-2.5e-100), "-2.5E-100");
}

TEST(NumberTextTest, ParsesOnlyWholeNumbers) {
  EXPECT_EQ(ParseNumber("12"), 12.0);
  EXPECT_EQ(ParseNumber("-1.5E+3"), -1500.0);
  EXPECT_FALSE(ParseNumber(""));
  EXPECT_FALSE(ParseNumber("12a"));
  EXPECT_FALSE(ParseNumber(" 12"));
  EXPECT_FALSE(ParseNumber("inf"));
}

// The shortcut for whole numbers says yes exactly where parsing and formatting again give the
// same text back.
TEST(NumberTextTest, PlainWholeNumbersAreTheWholeNumbersThatReadBackUnchanged) {
  for (std::string_view text :
       {"0", "7", "-7", "120", "-0", "00", "007", "+7", "1.0", "1E3", "-", "", " 1", "1 ",
        "123456789012345", "-123456789012345", "1234567890123456", "9007199254740993", "١"}) {
    std::optional<double> number = ParseNumber(text);
    const bool reads_back = number && NumberToText(*number) == text;
    const bool whole = text.find_first_of(".E") == std::string_view::npos;
    EXPECT_EQ(IsPlainWholeNumber(text), reads_back && whole) << text;
  }
}

TEST(NumberTextTest, DatesReadInTheJapaneseShortForm) {
  EXPECT_EQ(DateSerialToText(36526, false), "2000/01/01");
  EXPECT_EQ(DateSerialToText(1, false), "1900/01/01");
  EXPECT_EQ(DateSerialToText(60, false), "1900/02/29");
  EXPECT_EQ(DateSerialToText(61, false), "1900/03/01");
  EXPECT_EQ(DateSerialToText(36526.5, false), "2000/01/01 12:00:00");
  EXPECT_EQ(DateSerialToText(0.25 + 1.0 / 86400, false), "6:00:01");
  EXPECT_EQ(DateSerialToText(0, true), "1904/01/01");
  EXPECT_EQ(IsoDateToText("2023-04-05T00:00:00"), "2023/04/05");
  EXPECT_EQ(IsoDateToText("2023-04-05T07:08:09"), "2023/04/05 7:08:09");
}

}  // namespace
}  // namespace morvane::xlsx
