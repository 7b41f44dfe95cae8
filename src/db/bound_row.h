// The result columns of a statement bound as text, and the rule that turns a bound column into
// a stored value.
#pragma once

#include <sql.h>

#include <string_view>
#include <vector>

namespace morvane {

// Bytes of the buffer each result column is read into, terminator included.
constexpr SQLLEN kValueBufferBytes = 255;

// The stored text of a column read into `buffer` with length indicator `indicator`: the buffer
// up to its terminating NUL, at most `indicator` bytes; empty for NULL. A value longer than the
// buffer arrives cut to 254 bytes and is shortened further to end on a whole character, so no
// half of a double-byte character is ever stored.
std::string_view ValueText(const char* buffer, SQLLEN indicator);

// Result columns 1 to `count` of a statement, each bound as SQL_C_CHAR into its own buffer with
// its own length indicator. After each fetch, Text(i) is the value of column i + 1.
class BoundRow {
 public:
  BoundRow(SQLHSTMT stmt, int count);
  BoundRow(const BoundRow&) = delete;
  BoundRow& operator=(const BoundRow&) = delete;

  int size() const { return static_cast<int>(indicators_.size()); }
  // Valid until the next fetch.
  std::string_view Text(int i) const {
    return ValueText(&buffers_[static_cast<size_t>(i) * kValueBufferBytes], indicators_[i]);
  }

 private:
  std::vector<char> buffers_;
  std::vector<SQLLEN> indicators_;
};

}  // namespace morvane
