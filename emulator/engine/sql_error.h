// Errors raised while running a statement, and how each family words them.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "engine/family.h"

namespace morvane::emulator {

enum class ErrorKind {
  kSyntax,
  kTableNotFound,
  kColumnNotFound,
  kObjectExists,
  kUniqueViolation,
  kNotNullViolation,
  kLoginFailed,
  kDatabaseNotFound,
  kUnsupported,
  kPrivilege,     // a write to a catalogue table
  kNotEnded,      // text after the end of the statement
  kTooDeep,       // expressions nested deeper than the parser takes
  kInvalidValue,  // a value a function cannot take (detail: the Oracle error it raises)
  kInjected,      // a failure asked for by a data-source option
  kGeneral,
};

class SqlError : public std::runtime_error {
 public:
  SqlError(ErrorKind kind, const std::string& detail) : std::runtime_error(detail), kind_(kind) {}
  ErrorKind kind() const { return kind_; }

 private:
  ErrorKind kind_;
};

struct VendorMessage {
  std::string sqlstate;
  int native_error = 0;
  std::string text;  // UTF-8, with the driver prefix
};

// The message a client of the given family would see for the error.
VendorMessage DescribeError(Family family, ErrorKind kind, std::string_view detail);

// Message prefix of the family's driver, e.g. "[Morvane][Oracle ODBC Driver][Oracle]".
std::string DriverPrefix(Family family);

// Deepest nesting of parentheses a statement may have.
inline constexpr int kMaxNesting = 255;

// Turns a SQLite error text into the error kind and the object it names.
SqlError TranslateSqliteError(std::string_view sqlite_message);

}  // namespace morvane::emulator
