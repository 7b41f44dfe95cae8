// UTF-16 text as ODBC's wide functions give and take it, to and from the document's CP932.
#include <gtest/gtest.h>

#include <string>

#include "text/codec.h"

namespace morvane {
namespace {

TEST(Utf16TextTest, ConvertsToCp932WithQuestionMarksForWhatItLacks) {
  struct Case {
    std::u16string utf16;
    std::string cp932_utf8;  // the expected CP932, written in UTF-8
  };
  const Case cases[] = {
      {u"customer", "customer"},
      {u"顧客名（全角）", "顧客名（全角）"},
      {u"列①～", "列①～"},
      {u"表 \U0001F600", "表 ?"},                // a character outside CP932
      {std::u16string(1, 0xD800) + u"x", "?x"},  // an unpaired surrogate
      {u"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf16ToCp932Lossy(c.utf16), ToCp932(c.cp932_utf8)) << c.cp932_utf8;
  }
}

TEST(Utf16TextTest, Cp932RoundTripsThroughUtf16) {
  for (const char* utf8 : {"customer", "社員 番号", "列①～＼", ""}) {
    std::u16string utf16;
    ASSERT_TRUE(Cp932ToUtf16(ToCp932(utf8), utf16));
    EXPECT_EQ(Utf16ToCp932Lossy(utf16), ToCp932(utf8)) << utf8;
  }
  std::u16string ignored;
  EXPECT_FALSE(Cp932ToUtf16("\x81", ignored));  // a lead byte without its second byte
}

}  // namespace
}  // namespace morvane
