#include <gtest/gtest.h>
#include <sqlext.h>

#include <string>

#include "db/bound_row.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

// A bound buffer as the driver leaves it after delivering `value` (cut to 254 bytes when
// longer), with the indicator it reports.
struct Delivered {
  char buffer[kValueBufferBytes] = {};
  SQLLEN indicator = 0;

  explicit Delivered(const std::string& value) {
    indicator = static_cast<SQLLEN>(value.size());
    value.copy(buffer, kValueBufferBytes - 1);
  }
};

TEST(ValueTextTest, NullAndEmptyAreTheSame) {
  Delivered empty("");
  EXPECT_EQ(ValueText(empty.buffer, empty.indicator), "");
  Delivered null("stale");
  EXPECT_EQ(ValueText(null.buffer, SQL_NULL_DATA), "");
}

TEST(ValueTextTest, TakesTheBufferUpToTheIndicatorOrTheTerminator) {
  Delivered value("ORDERS");
  EXPECT_EQ(ValueText(value.buffer, value.indicator), "ORDERS");
  EXPECT_EQ(ValueText(value.buffer, 3), "ORD");
  // A text with an embedded NUL ends at the NUL.
  Delivered embedded(std::string("AB\0CD", 5));
  EXPECT_EQ(ValueText(embedded.buffer, embedded.indicator), "AB");
}

TEST(ValueTextTest, LongValuesAreCutTo254Bytes) {
  std::string exact(254, 'x');
  Delivered fits(exact);
  EXPECT_EQ(ValueText(fits.buffer, fits.indicator), exact);

  Delivered longer(std::string(300, 'y'));
  EXPECT_EQ(ValueText(longer.buffer, longer.indicator), std::string(254, 'y'));
  EXPECT_EQ(ValueText(longer.buffer, SQL_NO_TOTAL), std::string(254, 'y'));
}

TEST(ValueTextTest, ACutNeverKeepsHalfADoubleByteCharacter) {
  // 253 ASCII bytes and then "あ" (0x82 0xA0): the 254-byte cut ends inside the character.
  std::string text = std::string(253, 'a') + "\x82\xA0\x82\xA0";
  Delivered cut(text);
  EXPECT_EQ(ValueText(cut.buffer, cut.indicator), std::string(253, 'a'));

  // 126 characters of two bytes and one more: the cut falls exactly between characters.
  std::string wide;
  for (int i = 0; i < 128; ++i) wide += "\x82\xA0";
  Delivered whole(wide);
  EXPECT_EQ(ValueText(whole.buffer, whole.indicator), wide.substr(0, 254));
}

TEST(UpperAsciiLettersTest, LeavesDoubleByteCharactersAlone) {
  EXPECT_EQ(UpperAsciiLetters("sales_01"), "SALES_01");
  // The trail byte of "Ｂ" (0x82 0x61) looks like "a" and must not become "A"; the half-width
  // katakana "ｱ" (0xB1) is a single byte, so the letter after it is upper-cased.
  EXPECT_EQ(UpperAsciiLetters("a\x82\x61z\xB1q"), "A\x82\x61Z\xB1Q");
}

}  // namespace
}  // namespace morvane
