#include "driver/diagnostics.h"

#include <cstring>

namespace morvane::emulator {

SQLRETURN Fail(Diagnostics& diag, const VendorMessage& message, TextConverter* text) {
  diag.Add(message.sqlstate, message.native_error,
           text ? text->ToClient(message.text) : message.text);
  return SQL_ERROR;
}

SQLRETURN Fail(Diagnostics& diag, const std::string& sqlstate, const std::string& message) {
  diag.Add(sqlstate, 0, message);
  return SQL_ERROR;
}

void Warn(Diagnostics& diag, const std::string& sqlstate, const std::string& message) {
  diag.Add(sqlstate, 0, message);
}

bool CopyString(std::string_view text, SQLPOINTER buffer, SQLLEN buffer_length) {
  if (!buffer || buffer_length <= 0) return !text.empty();
  size_t room = static_cast<size_t>(buffer_length) - 1;
  size_t n = std::min(room, text.size());
  std::memcpy(buffer, text.data(), n);
  static_cast<char*>(buffer)[n] = '\0';
  return n < text.size();
}

bool CopyString(std::string_view text, SQLCHAR* buffer, SQLSMALLINT buffer_length,
                SQLSMALLINT* length) {
  if (length) *length = static_cast<SQLSMALLINT>(text.size());
  return CopyString(text, buffer, static_cast<SQLLEN>(buffer_length));
}

bool CopyString(std::string_view text, SQLPOINTER buffer, SQLINTEGER buffer_length,
                SQLINTEGER* length) {
  if (length) *length = static_cast<SQLINTEGER>(text.size());
  return CopyString(text, buffer, static_cast<SQLLEN>(buffer_length));
}

std::string DriverMessage(std::string_view text) {
  return "[Morvane][Catalogue Emulator ODBC Driver]" + std::string(text);
}

}  // namespace morvane::emulator
