#include "db/free_sql_check.h"

#include "model/data_kind.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {

bool IsAcceptedStatement(Product product, std::string_view text) {
  size_t start = 0;
  while (start < text.size() && static_cast<unsigned char>(text[start]) <= 0x20) ++start;
  const std::string head = UpperAsciiLetters(text.substr(start, 7));
  if (head.starts_with("SELECT")) return true;
  return ProfileOf(product).acceptsExplain && head.starts_with("EXPLAIN");
}

FreeSqlCheck CheckFreeSql(Product product, std::string_view text, std::string_view row_limit) {
  FreeSqlCheck check;
  if (!IsAcceptedStatement(product, text)) {
    check.refusal = FreeSqlRefusal::kStatement;
    check.message =
        ToCp932(ProfileOf(product).acceptsExplain ? "SELECT、EXPLAIN 文のみ指定できます。"
                                                  : "SELECT 文のみ指定できます。");
    return check;
  }
  if (!ParseInt32(row_limit, check.maxRows)) {
    check.maxRows = 0;
    check.rowLimitWasWord = true;
  }
  if (check.maxRows < kMinRowLimit || check.maxRows > kMaxRowLimit) {
    check.refusal = FreeSqlRefusal::kRowLimit;
    check.message = ToCp932("最大レコード数は 1 ～ 10000 の整数で指定して下さい。");
  }
  return check;
}

}  // namespace morvane
