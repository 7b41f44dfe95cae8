#include <gtest/gtest.h>

#include "model/value_list.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

TEST(Cp932TextTest, CaseIsIgnoredOnlyForSingleByteLetters) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase("Sheet1", "sHEET1"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("Sheet1", "Sheet2"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("Sheet", "Sheet1"));
  // ア is 0x83 0x41 and ビ is 0x83 0x72: their trail bytes look like 'A' and 'r'.
  // ア vs 0x83 0x61 (ヂ) must not be folded into one another.
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\x83\x41", "\x83\x61"));
  EXPECT_TRUE(EqualsIgnoringAsciiCase(ToCp932("シートa"), ToCp932("シートA")));
  // Full-width letters are not ASCII.
  EXPECT_FALSE(EqualsIgnoringAsciiCase(ToCp932("Ａ"), ToCp932("ａ")));
  EXPECT_EQ(UpperAsciiLetters("t\x83\x61"
                              "b"),
            "T\x83\x61"
            "B");
}

TEST(Cp932TextTest, TrimRemovesBlanksAndControlsAtBothEndsOnly) {
  EXPECT_EQ(TrimBlanks("  a b \t"), "a b");
  EXPECT_EQ(TrimBlanks("   "), "");
  // A full-width blank is text, not a blank.
  EXPECT_EQ(TrimBlanks(ToCp932("　x")), ToCp932("　x"));
}

TEST(Cp932TextTest, ParsesOnlyWholeThirtyTwoBitIntegers) {
  int v = 0;
  EXPECT_TRUE(ParseInt32("0050", v));
  EXPECT_EQ(v, 50);
  EXPECT_TRUE(ParseInt32("-12", v));
  EXPECT_EQ(v, -12);
  EXPECT_TRUE(ParseInt32("+7", v));
  EXPECT_EQ(v, 7);
  EXPECT_TRUE(ParseInt32("2147483647", v));
  EXPECT_TRUE(ParseInt32("-2147483648", v));
  EXPECT_EQ(v, INT32_MIN);
  for (const char* bad : {"", "-", "+", "+-5", "1 ", " 1", "1a", "2147483648", "abc", "0x10"}) {
    EXPECT_FALSE(ParseInt32(bad, v)) << bad;
  }
}

TEST(ValueListTest, KeepsValuesInOrderThroughEdits) {
  TValueList list{"a", "", "ccc"};
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0], "a");
  EXPECT_EQ(list[1], "");
  EXPECT_EQ(list[2], "ccc");
  list.Set(1, "bbbb");
  list.Set(0, "");
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"", "bbbb", "ccc"}));
  list.resize(5);
  EXPECT_EQ(list[4], "");
  list.push_back("z");
  EXPECT_EQ(list.ValueOr(5), "z");
  EXPECT_EQ(list.ValueOr(99), "");
  list.resize(2);
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{"", "bbbb"}));
  list.push_back("q");
  EXPECT_EQ(list[2], "q");
  std::vector<std::string> seen;
  for (std::string_view v : list) seen.emplace_back(v);
  EXPECT_EQ(seen, list.ToVector());
}

TEST(ValueListTest, LongValuesPastEveryOffsetWidthStayIntact) {
  // Offsets grow from one to two to four bytes as the total length passes 255 and 65535.
  TValueList list;
  std::vector<std::string> expected;
  for (size_t length : {200, 100, 70000, 0, 3}) {
    std::string value(length, static_cast<char>('a' + expected.size()));
    list.push_back(value);
    expected.push_back(value);
    ASSERT_EQ(list.ToVector(), expected);
  }
  list.Set(2, "short");
  expected[2] = "short";
  EXPECT_EQ(list.ToVector(), expected);
  list.resize(1);
  EXPECT_EQ(list.ToVector(), std::vector<std::string>{expected[0]});
  list.Append({"x", std::string(300, 'y')});
  EXPECT_EQ(list[2], std::string(300, 'y'));
  EXPECT_EQ(list, (TValueList{expected[0], "x", std::string(300, 'y')}));
}

TEST(ValueListTest, ValuesTakenFromTheListItselfCanBeAppended) {
  // The second value pushes the offsets to two bytes, which moves the whole block.
  const std::string first(200, 'a');
  TValueList list{first};
  list.push_back(list[0]);
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{first, first}));
  list.Append({list[1], list[0], "b"});
  EXPECT_EQ(list.ToVector(), (std::vector<std::string>{first, first, first, first, "b"}));
}

TEST(ValueListTest, EmptyListDiffersFromOneEmptyValue) {
  TValueList none;
  TValueList one{""};
  EXPECT_TRUE(none.empty());
  EXPECT_FALSE(none == one);
  EXPECT_EQ(TValueList(std::vector<std::string>{"x", ""}), (TValueList{"x", ""}));
}

}  // namespace
}  // namespace morvane
