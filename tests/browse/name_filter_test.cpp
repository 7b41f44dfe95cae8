#include "browse/name_filter.h"

#include <gtest/gtest.h>

#include "text/codec.h"

namespace morvane {
namespace {

struct FilterCase {
  const char* pattern;  // UTF-8, turned into CP932 like the typed text
  const char* name;
  bool matches;
};

class NameFilterCases : public ::testing::TestWithParam<FilterCase> {};

TEST_P(NameFilterCases, MatchesAsTheUserExpects) {
  const FilterCase& c = GetParam();
  EXPECT_EQ(TNameFilter(ToCp932(c.pattern)).Matches(ToCp932(c.name)), c.matches)
      << "filter \"" << c.pattern << "\" on \"" << c.name << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Table, NameFilterCases,
    ::testing::Values(
        // Contains, in either ASCII case.
        FilterCase{"ord", "ORDERS", true}, FilterCase{"ORD", "t_order_log", true},
        FilterCase{"ord", "ITEMS", false}, FilterCase{"orders", "ORDER", false},
        // Wildcards: a run of any characters, the empty run included; the ends stay open.
        FilterCase{"ORD*LOG", "ORDER_LOG", true}, FilterCase{"ord*log", "X_ORD_LOG_Y", true},
        FilterCase{"ORD*LOG", "LOG_ORDER", false}, FilterCase{"*", "ANY", true},
        FilterCase{"**", "", true}, FilterCase{"ord*", "T_ORDER", true},
        FilterCase{"A*A", "A", false}, FilterCase{"A*A", "AA", true},
        FilterCase{"ORD＊LOG", "ORDER_LOG", true},
        // Japanese text as it is; full-width letters in either case, but not as ASCII.
        FilterCase{"商品", "商品マスタ", true}, FilterCase{"マスタ", "商品", false},
        FilterCase{"ｏｒｄ", "ＯＲＤＥＲ", true}, FilterCase{"ｏｒｄ", "ORDER", false},
        FilterCase{"ord", "ＯＲＤＥＲ", false}, FilterCase{"ｱ", "ア", false},
        // A trail byte is no letter: ア is 83 41 ("A" as its second byte), ヂ is 83 61.
        FilterCase{"A", "ア", false}, FilterCase{"a", "ア", false}, FilterCase{"ア", "ヂ", false},
        FilterCase{"A", "アA", true}, FilterCase{"ア*a", "ヂアxA", true}));

TEST(NameFilter, EmptyOrWildcardOnlyLetsEverythingThrough) {
  for (const char* pattern : {"", "*", "***", "＊"}) {
    TNameFilter filter(ToCp932(pattern));
    EXPECT_TRUE(filter.Empty()) << pattern;
    EXPECT_TRUE(filter.Matches("")) << pattern;
  }
  EXPECT_FALSE(TNameFilter("A").Empty());
}

TEST(NameFilter, AStrayLeadByteAtTheEndStillCompares) {
  EXPECT_TRUE(TNameFilter("X\x83").Matches("AX\x83"));
  EXPECT_FALSE(TNameFilter("X\x83").Matches("X\x83\x41"));
}

}  // namespace
}  // namespace morvane
