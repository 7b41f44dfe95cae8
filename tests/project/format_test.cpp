#include <gtest/gtest.h>

#include <random>

#include "project/project_format.h"

namespace morvane {
namespace {

using Fields = std::vector<std::string>;

TEST(ReadStrCutTest, FieldsEndAtEachFieldMarkAndTrailingTextIsIgnored) {
  EXPECT_EQ(ReadStrCut(""), Fields{});
  EXPECT_EQ(ReadStrCut("no marks"), Fields{});
  EXPECT_EQ(ReadStrCut("\x02"), Fields{""});
  EXPECT_EQ(ReadStrCut("a\x02\x02"
                       "b\x02tail"),
            (Fields{"a", "", "b"}));
  EXPECT_EQ(ReadStrCut("\x01TABLE\x02"
                       "2\x02"),
            (Fields{"\x01TABLE", "2"}));
}

TEST(EscapeTest, PlainValuesAreWrittenAsTheyAre) {
  for (std::string value : {"", "EMP",
                            "a\x81\x9B"
                            "b",
                            "\x83\x41\x83\x6E", "na", "\tX\x03"}) {
    std::string out;
    AppendEscaped(out, value);
    EXPECT_EQ(out, value);
    EXPECT_EQ(Unescape(out), value);
  }
}

TEST(EscapeTest, ControlCharactersBecomeCodeThenMarker) {
  std::string out;
  AppendEscaped(out, "a\r\nb\x01\x02");
  EXPECT_EQ(out,
            "ar\x01n\x01"
            "ba\x01"
            "b\x01");
  EXPECT_EQ(Unescape(out), "a\r\nb\x01\x02");
  // A stray marker that follows no code letter is kept.
  EXPECT_EQ(Unescape("\x01x"), "\x01x");
  EXPECT_EQ(Unescape("x\x01"), "x\x01");
}

TEST(EscapeTest, RandomValuesRoundTripAndNeverBreakTheLine) {
  std::mt19937 random(20240611);
  const std::string alphabet = "\x01\x02\r\nabnr\x81\x9B ";
  for (int i = 0; i < 5000; ++i) {
    std::string value;
    const int length = static_cast<int>(random() % 12);
    for (int k = 0; k < length; ++k) value += alphabet[random() % alphabet.size()];
    std::string out;
    AppendEscaped(out, value);
    ASSERT_EQ(Unescape(out), value);
    ASSERT_EQ(out.find_first_of(std::string("\x02\r\n")), std::string::npos);
    ASSERT_TRUE(out.empty() || out[0] != '\x01');
  }
}

}  // namespace
}  // namespace morvane
