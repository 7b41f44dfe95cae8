#include "text/codec.h"

#include <gtest/gtest.h>

namespace morvane {
namespace {

TEST(CodecTest, RoundTripsJapaneseAndHalfWidthKana) {
  const std::string utf8 = "テーブル定義書 ｴﾗｰ ○ ①";
  CodecResult sjis = Utf8ToCp932(utf8);
  ASSERT_TRUE(sjis.ok) << sjis.error;
  EXPECT_EQ(Cp932ToUtf8(sjis.text).text, utf8);
}

TEST(CodecTest, CircleMarkIsTheVendorBytes) {
  EXPECT_EQ(ToCp932("○"), "\x81\x9B");
  EXPECT_EQ(ToUtf8("\x81\x9B"), "○");
}

TEST(CodecTest, InvalidInputIsReportedNotReplaced) {
  CodecResult truncated = Cp932ToUtf8("AB\x81");
  EXPECT_FALSE(truncated.ok);
  EXPECT_FALSE(truncated.error.empty());
  CodecResult not_in_cp932 = Utf8ToCp932("emoji \xF0\x9F\x98\x80");
  EXPECT_FALSE(not_in_cp932.ok);
  EXPECT_THROW(ToCp932("\xF0\x9F\x98\x80"), std::runtime_error);
}

TEST(CodecTest, SafePrefixNeverSplitsADoubleByteCharacter) {
  const std::string text =
      "A\x81\x9B"
      "B";  // A ○ B
  EXPECT_EQ(Cp932SafePrefixLength(text, 1), 1u);
  EXPECT_EQ(Cp932SafePrefixLength(text, 2), 1u);
  EXPECT_EQ(Cp932SafePrefixLength(text, 3), 3u);
  EXPECT_EQ(Cp932SafePrefixLength(text, 10), 4u);
  EXPECT_EQ(Cp932SafePrefixLength("", 5), 0u);
}

}  // namespace
}  // namespace morvane
