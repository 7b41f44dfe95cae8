// Narrow text in a named character set, as drivers without wide text give and take it, to and
// from the document's CP932.
#include <gtest/gtest.h>

#include <string>

#include "text/codec.h"

namespace morvane {
namespace {

TEST(EncodedTextTest, ConvertsToCp932WithQuestionMarksForWhatItLacksOrWhatIsBroken) {
  struct Case {
    const char* encoding;
    std::string text;
    std::string cp932_utf8;  // the expected CP932, written in UTF-8
  };
  const Case cases[] = {
      {"UTF-8", "顧客名（全角）", "顧客名（全角）"},
      {"UTF-8", "表 \xF0\x9F\x98\x80", "表 ?"},  // a character outside CP932
      {"UTF-8", "a\xE9z", "a?z"},                // a byte that is not UTF-8
      {"CP932", ToCp932("列①～"), "列①～"},      // CP932 as it is
      {"EUC-JP", "\xB8\xDC\xB5\xD2", "顧客"},    // through the character set's own rules
      {"EUC-JP", "\xB8\xDC\xFF", "顧?"},         // a cut-off character
      {"ISO-8859-1", "caf\xE9", "caf?"},         // é, which CP932 lacks
      {"UTF-8", "customer", "customer"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodedToCp932Lossy(c.text, c.encoding), ToCp932(c.cp932_utf8))
        << c.encoding << " " << c.cp932_utf8;
  }
}

TEST(EncodedTextTest, SendsCp932InTheConnectionsCharacterSet) {
  struct Case {
    const char* encoding;
    const char* utf8;
    std::string expected;
  };
  const Case cases[] = {
      {"UTF-8", "社員", "社員"},
      {"CP932", "社員", ToCp932("社員")},
      {"EUC-JP", "顧客", "\xB8\xDC\xB5\xD2"},
      {"ISO-8859-1", "顧客 x", "?? x"},  // what the character set lacks
  };
  for (const Case& c : cases) {
    std::string out;
    ASSERT_TRUE(Cp932ToEncoded(ToCp932(c.utf8), c.encoding, out)) << c.encoding;
    EXPECT_EQ(out, c.expected) << c.encoding;
  }
  std::string out;
  EXPECT_FALSE(Cp932ToEncoded("\x81", "UTF-8", out));  // not CP932
  EXPECT_TRUE(IsKnownEncoding("EUC-JP"));
  EXPECT_FALSE(IsKnownEncoding("NO-SUCH-SET"));
}

}  // namespace
}  // namespace morvane
