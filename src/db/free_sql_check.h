// The checks a free query passes before it runs: the kind of statement and the row limit.
#pragma once

#include <string>
#include <string_view>

#include "model/product_profile.h"

namespace morvane {

// The bounds of the row limit, both allowed.
constexpr int kMinRowLimit = 1;
constexpr int kMaxRowLimit = 10000;

// True when `text` may run as a free query in a project of `product`: after the leading blanks
// and control characters it begins, in any letter case, with SELECT, or in a Red Brick project
// also with EXPLAIN. Only the beginning is looked at.
bool IsAcceptedStatement(Product product, std::string_view text);

// Which input refused a free query.
enum class FreeSqlRefusal { kNone, kStatement, kRowLimit };

struct FreeSqlCheck {
  FreeSqlRefusal refusal = FreeSqlRefusal::kNone;
  std::string message;           // the warning to show (CP932); empty when accepted
  int maxRows = 0;               // the row limit read
  bool rowLimitWasWord = false;  // the limit was no whole number: its box is to show "0"
};

// Checks the statement first, then the row limit text (a whole decimal number from 1 to 10000;
// anything else reads as 0 and is refused).
FreeSqlCheck CheckFreeSql(Product product, std::string_view text, std::string_view row_limit);

}  // namespace morvane
