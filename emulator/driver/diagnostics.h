// Recording errors and warnings on handles, and copying strings out to client buffers.
#pragma once

#include <string_view>

#include "driver/handles.h"

namespace morvane::emulator {

// Records the error (its text converted to the client's CP932) and returns SQL_ERROR.
SQLRETURN Fail(Diagnostics& diag, const VendorMessage& message, TextConverter* text);
SQLRETURN Fail(Diagnostics& diag, const std::string& sqlstate, const std::string& message);
// Records a warning; the caller returns SQL_SUCCESS_WITH_INFO.
void Warn(Diagnostics& diag, const std::string& sqlstate, const std::string& message);

// Copies text into a client buffer of `buffer_length` bytes, NUL-terminated, cutting it when
// it does not fit. Returns true when it was cut.
bool CopyString(std::string_view text, SQLPOINTER buffer, SQLLEN buffer_length);
// Same, and reports the full length through `length` (either width of integer).
bool CopyString(std::string_view text, SQLCHAR* buffer, SQLSMALLINT buffer_length,
                SQLSMALLINT* length);
bool CopyString(std::string_view text, SQLPOINTER buffer, SQLINTEGER buffer_length,
                SQLINTEGER* length);

// Prefix for messages raised by the driver itself rather than by the emulated server.
std::string DriverMessage(std::string_view text);

}  // namespace morvane::emulator
