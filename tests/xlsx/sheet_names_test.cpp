#include "xlsx/sheet_names.h"

#include <gtest/gtest.h>

namespace morvane::xlsx {
namespace {

TEST(SheetNamesTest, AllowsUpToThirtyOneCharactersCountingJapaneseAsOne) {
  EXPECT_FALSE(SheetNameProblem(std::string(31, 'a')));
  EXPECT_TRUE(SheetNameProblem(std::string(32, 'a')));
  std::string kanji31;
  for (int i = 0; i < 31; ++i) kanji31 += "表";
  EXPECT_FALSE(SheetNameProblem(kanji31));
  EXPECT_TRUE(SheetNameProblem(kanji31 + "表"));
  EXPECT_TRUE(SheetNameProblem(""));
}

TEST(SheetNamesTest, RejectsEveryForbiddenCharacterAndApostropheAtTheEnds) {
  for (const char* bad :
       {"a:b", "a\\b", "a/b", "a?b", "a*b", "a[b", "a]b", "'ab", "ab'", "History", "history"}) {
    EXPECT_TRUE(SheetNameProblem(bad)) << bad;
  }
  EXPECT_FALSE(SheetNameProblem("a'b"));
  EXPECT_FALSE(SheetNameProblem("EMP (2)"));
  EXPECT_FALSE(SheetNameProblem("テーブル定義"));
}

TEST(SheetNamesTest, KeysIgnoreCaseWidthAndKanaKind) {
  EXPECT_EQ(SheetNameKey("Emp"), SheetNameKey("EMP"));
  EXPECT_EQ(SheetNameKey("ＥＭＰ"), SheetNameKey("emp"));
  EXPECT_EQ(SheetNameKey("ｶﾞｲﾄﾞ"), SheetNameKey("ガイド"));
  EXPECT_EQ(SheetNameKey("ﾊﾟﾊﾟ"), SheetNameKey("パパ"));
  EXPECT_EQ(SheetNameKey("がいど"), SheetNameKey("ガイド"));
  EXPECT_EQ(SheetNameKey("ΑΒΓ"), SheetNameKey("αβγ"));
  EXPECT_NE(SheetNameKey("ガイド"), SheetNameKey("カイト"));
  EXPECT_EQ(CharacterCount("表A"), 2u);
  EXPECT_EQ(FirstCharacters("表AB", 2), "表A");
}

}  // namespace
}  // namespace morvane::xlsx
