#include "engine/sql_error.h"

#include <array>
#include <cstdlib>

namespace morvane::emulator {
namespace {

struct Wording {
  ErrorKind kind;
  const char* sqlstate;
  int oracle_code;
  const char* oracle_text;  // %s is replaced by the detail
  int redbrick_code;
  const char* redbrick_text;
  int broadbase_code;
  const char* broadbase_text;
};

constexpr std::array kWordings = {
    Wording{ErrorKind::kSyntax, "42000", 900, "ORA-00900: invalid SQL statement (%s)", 1,
            "** ERROR ** (1) Syntax error: %s", 1001, "Syntax error: %s"},
    Wording{ErrorKind::kTableNotFound, "42S02", 942, "ORA-00942: table or view does not exist (%s)",
            203, "** ERROR ** (203) Table %s not found.", 1203, "Table '%s' does not exist"},
    Wording{ErrorKind::kColumnNotFound, "42S22", 904, "ORA-00904: invalid column name (%s)", 204,
            "** ERROR ** (204) Column %s not found.", 1204, "Column '%s' does not exist"},
    Wording{ErrorKind::kObjectExists, "42S01", 955,
            "ORA-00955: name is already used by an existing object (%s)", 206,
            "** ERROR ** (206) Object %s already exists.", 1206, "Object '%s' already exists"},
    Wording{ErrorKind::kUniqueViolation, "23000", 1, "ORA-00001: unique constraint (%s) violated",
            422, "** ERROR ** (422) Duplicate key value for %s.", 1422,
            "Unique constraint violation: %s"},
    Wording{ErrorKind::kNotNullViolation, "23000", 1400, "ORA-01400: cannot insert NULL into (%s)",
            421, "** ERROR ** (421) NULL value not allowed for %s.", 1421,
            "NULL value not allowed in column %s"},
    Wording{ErrorKind::kLoginFailed, "28000", 1017,
            "ORA-01017: invalid username/password; logon denied", 1100,
            "** ERROR ** (1100) Invalid user name or password.", 2001,
            "Login failed: invalid user name or password"},
    Wording{ErrorKind::kDatabaseNotFound, "08001", 12154,
            "ORA-12154: TNS:could not resolve service name (%s)", 1101,
            "** ERROR ** (1101) Database %s not found.", 2002, "Cannot open database %s"},
    Wording{ErrorKind::kUnsupported, "HYC00", 3001, "ORA-03001: unimplemented feature (%s)", 9,
            "** ERROR ** (9) Feature not supported: %s", 1009, "Feature not supported: %s"},
    Wording{ErrorKind::kPrivilege, "42000", 1031, "ORA-01031: insufficient privileges", 1105,
            "** ERROR ** (1105) Permission denied: %s is a system table.", 1105,
            "Permission denied: cannot modify system table %s"},
    Wording{ErrorKind::kNotEnded, "42000", 933, "ORA-00933: SQL command not properly ended", 1,
            "** ERROR ** (1) Syntax error: %s", 1001, "Syntax error: %s"},
    // SQLSTATE 54001 is the standard's "statement too complex".
    Wording{ErrorKind::kTooDeep, "54001", 3001, "ORA-03001: unimplemented feature (%s)", 8,
            "** ERROR ** (8) Statement too complex: %s", 1008, "Statement too complex: %s"},
    Wording{ErrorKind::kInjected, "HY000", 20999, "%s", 9999, "%s", 9999, "%s"},
    Wording{ErrorKind::kGeneral, "HY000", 604, "ORA-00604: error occurred (%s)", 2,
            "** ERROR ** (2) %s", 1002, "%s"},
};

std::string Substitute(const char* pattern, std::string_view detail) {
  std::string text(pattern);
  size_t pos = text.find("%s");
  if (pos != std::string::npos) text.replace(pos, 2, detail);
  return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string DriverPrefix(Family family) {
  switch (family) {
    case Family::kOracle:
      return "[Morvane][Oracle ODBC Driver][Oracle]";
    case Family::kRedBrick:
      return "[Morvane][Red Brick ODBC Driver][RBW]";
    case Family::kBroadbase:
      return "[Morvane][Broadbase ODBC Driver][Broadbase]";
  }
  return "[Morvane]";
}

// A function's error carries Oracle's text ("ORA-01861: ..."): Oracle shows it with its
// number, the other servers only its words.
VendorMessage DescribeInvalidValue(Family family, std::string_view detail) {
  VendorMessage m{"22007", 0, std::string(detail)};
  bool numbered = StartsWith(detail, "ORA-") && detail.find(": ") != std::string_view::npos;
  if (family == Family::kOracle) {
    if (numbered) m.native_error = std::atoi(std::string(detail.substr(4)).c_str());
  } else {
    if (numbered) m.text = detail.substr(detail.find(": ") + 2);
    m.native_error = family == Family::kRedBrick ? 2 : 1002;
    if (family == Family::kRedBrick) m.text = "** ERROR ** (2) " + m.text;
  }
  m.text = DriverPrefix(family) + m.text;
  return m;
}

VendorMessage DescribeError(Family family, ErrorKind kind, std::string_view detail) {
  if (kind == ErrorKind::kInvalidValue) return DescribeInvalidValue(family, detail);
  for (const Wording& w : kWordings) {
    if (w.kind != kind) continue;
    VendorMessage m;
    m.sqlstate = w.sqlstate;
    switch (family) {
      case Family::kOracle:
        m.native_error = w.oracle_code;
        m.text = Substitute(w.oracle_text, detail);
        break;
      case Family::kRedBrick:
        m.native_error = w.redbrick_code;
        m.text = Substitute(w.redbrick_text, detail);
        break;
      case Family::kBroadbase:
        m.native_error = w.broadbase_code;
        m.text = Substitute(w.broadbase_text, detail);
        break;
    }
    m.text = DriverPrefix(family) + m.text;
    return m;
  }
  return {"HY000", 0, DriverPrefix(family) + std::string(detail)};
}

SqlError TranslateSqliteError(std::string_view message) {
  struct Prefix {
    std::string_view text;
    ErrorKind kind;
  };
  static constexpr Prefix kPrefixes[] = {
      {"no such table: ", ErrorKind::kTableNotFound},
      {"no such column: ", ErrorKind::kColumnNotFound},
      {"no such function: ", ErrorKind::kColumnNotFound},
      {"UNIQUE constraint failed: ", ErrorKind::kUniqueViolation},
      {"NOT NULL constraint failed: ", ErrorKind::kNotNullViolation},
  };
  for (const Prefix& p : kPrefixes) {
    if (StartsWith(message, p.text)) {
      std::string object(message.substr(p.text.size()));
      if (object.rfind("main.", 0) == 0) object.erase(0, 5);
      return SqlError(p.kind, object);
    }
  }
  if (message.find("already exists") != std::string_view::npos) {
    return SqlError(ErrorKind::kObjectExists, std::string(message));
  }
  if (StartsWith(message, "ORA-")) return SqlError(ErrorKind::kInvalidValue, std::string(message));
  if (message.find("parser stack overflow") != std::string_view::npos ||
      message.find("Expression tree is too large") != std::string_view::npos) {
    return SqlError(ErrorKind::kTooDeep, "expression nested too deeply");
  }
  if (StartsWith(message, "not authorized")) return SqlError(ErrorKind::kPrivilege, "");
  if (message.find("syntax error") != std::string_view::npos ||
      message.find("incomplete input") != std::string_view::npos) {
    return SqlError(ErrorKind::kSyntax, std::string(message));
  }
  return SqlError(ErrorKind::kGeneral, std::string(message));
}

}  // namespace morvane::emulator
