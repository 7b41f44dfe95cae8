#include "db/bound_row.h"

#include <sqlext.h>

#include <cstring>

#include "text/codec.h"

namespace morvane {

std::string_view ValueText(const char* buffer, SQLLEN indicator) {
  if (indicator < 0 && indicator != SQL_NO_TOTAL) return {};  // NULL
  std::string_view text(buffer, strnlen(buffer, kValueBufferBytes - 1));
  bool cut = indicator == SQL_NO_TOTAL || indicator >= kValueBufferBytes;
  if (cut) return text.substr(0, Cp932SafePrefixLength(text, kValueBufferBytes - 1));
  if (indicator >= 0 && static_cast<size_t>(indicator) < text.size()) {
    text = text.substr(0, static_cast<size_t>(indicator));
  }
  return text;
}

BoundRow::BoundRow(SQLHSTMT stmt, int count)
    : buffers_(static_cast<size_t>(count) * kValueBufferBytes, '\0'),
      indicators_(static_cast<size_t>(count), SQL_NULL_DATA) {
  for (int i = 0; i < count; ++i) {
    SQLBindCol(stmt, static_cast<SQLUSMALLINT>(i + 1), SQL_C_CHAR,
               &buffers_[static_cast<size_t>(i) * kValueBufferBytes], kValueBufferBytes,
               &indicators_[i]);
  }
}

}  // namespace morvane
