// Deciding how text crosses a connection of the generic product.
#include <dlfcn.h>
#include <langinfo.h>
#include <odbcinst.h>
#include <sqlext.h>

#include <array>
#include <climits>
#include <cstdlib>

#include "db/odbc_dbms/dbms_reader.h"
#include "db/odbc_handles.h"
#include "text/codec.h"

namespace morvane {

namespace {

std::string ProfileText(const std::string& section, const char* key, const char* file) {
  std::array<char, PATH_MAX> text{};
  SQLGetPrivateProfileString(section.c_str(), key, "", text.data(), text.size(), file);
  return text.data();
}

// The file of the connection's driver, from the data source's entry and the driver's.
std::string DriverFile(SQLHDBC dbc) {
  std::string dsn = InfoText(dbc, SQL_DATA_SOURCE_NAME);
  if (dsn.empty()) return {};
  std::string driver = ProfileText(dsn, "Driver", "odbc.ini");
  if (driver.find('/') != std::string::npos) return driver;
  return driver.empty() ? std::string() : ProfileText(driver, "Driver", "odbcinst.ini");
}

// False only when the loaded driver is known to lack the wide functions; the driver manager
// then narrows wide text through the locale, whatever the server sends.
bool DriverHasWideFunctions(SQLHDBC dbc) {
  std::string file = DriverFile(dbc);
  if (file.empty()) return true;
  void* library = dlopen(file.c_str(), RTLD_LAZY | RTLD_NOLOAD);
  if (library == nullptr) return true;
  bool wide = false;
  if (void* symbol = dlsym(library, "SQLTablesW")) {
    // dlsym searches the driver's own libraries as well: the function must be the driver's.
    Dl_info where{};
    char* real_file = realpath(file.c_str(), nullptr);
    char* real_found = dladdr(symbol, &where) != 0 && where.dli_fname != nullptr
                           ? realpath(where.dli_fname, nullptr)
                           : nullptr;
    wide = real_file == nullptr || real_found == nullptr ||
           std::string(real_file) == std::string(real_found);
    std::free(real_file);
    std::free(real_found);
  }
  dlclose(library);
  return wide;
}

// Whether the driver hands over wide text: some drivers with wide functions still refuse it
// ("Received an unsupported type").
bool DriverGivesWideText(SQLHDBC dbc) {
  StmtHandle statement = AllocateStatement(dbc);
  if (!statement) return true;
  if (!SQL_SUCCEEDED(SQLGetTypeInfoW(statement.get(), SQL_ALL_TYPES)) ||
      !SQL_SUCCEEDED(SQLFetch(statement.get()))) {
    return true;
  }
  std::array<SQLWCHAR, 64> name{};
  SQLLEN indicator = 0;
  return SQL_SUCCEEDED(
      SQLGetData(statement.get(), 1, SQL_C_WCHAR, name.data(), sizeof name, &indicator));
}

// The server's name of the connection's character set, through its narrow text.
std::string ServerEncoding(SQLHDBC dbc, const DbmsReader& reader) {
  StmtHandle statement = AllocateStatement(dbc);
  std::string sql = reader.EncodingQuery();
  if (!statement || sql.empty()) return {};
  if (!SQL_SUCCEEDED(
          SQLExecDirect(statement.get(), reinterpret_cast<SQLCHAR*>(sql.data()), SQL_NTS)) ||
      !SQL_SUCCEEDED(SQLFetch(statement.get()))) {
    return {};
  }
  std::array<char, 64> name{};
  SQLLEN indicator = 0;
  if (!SQL_SUCCEEDED(
          SQLGetData(statement.get(), 1, SQL_C_CHAR, name.data(), name.size(), &indicator)) ||
      indicator == SQL_NULL_DATA) {
    return {};
  }
  return reader.IconvEncoding(name.data());
}

// The character set a data source names with its "Charset" entry (MariaDB's spelling, which
// other data sources may use too); "utf8mb4" and the like count as UTF-8.
std::string DataSourceEncoding(SQLHDBC dbc) {
  std::string dsn = InfoText(dbc, SQL_DATA_SOURCE_NAME);
  std::string name = dsn.empty() ? std::string() : ProfileText(dsn, "Charset", "odbc.ini");
  if (name.rfind("utf8", 0) == 0) return "UTF-8";
  return IsKnownEncoding(name) ? name : std::string();
}

}  // namespace

std::string InfoText(SQLHDBC dbc, SQLUSMALLINT info) {
  // Through the wide function: unixODBC hands a Unicode driver's answer to the narrow one over
  // unconverted from the second call on.
  std::array<SQLWCHAR, 256> text{};
  SQLSMALLINT length = 0;
  SQLRETURN rc = SQLGetInfoW(dbc, info, text.data(), sizeof text - sizeof(SQLWCHAR), &length);
  if (!SQL_SUCCEEDED(rc)) return {};
  return Utf16ToCp932Lossy(reinterpret_cast<const char16_t*>(text.data()));
}

std::string DbmsName(SQLHDBC dbc) { return InfoText(dbc, SQL_DBMS_NAME); }

OdbcTextMode DetectTextMode(SQLHDBC dbc, const DbmsReader* reader) {
  OdbcTextMode mode;
  if (DriverHasWideFunctions(dbc) && DriverGivesWideText(dbc)) return mode;
  mode.narrow = true;
  if (reader != nullptr) mode.encoding = ServerEncoding(dbc, *reader);
  if (mode.encoding.empty()) mode.encoding = DataSourceEncoding(dbc);
  if (mode.encoding.empty()) mode.encoding = nl_langinfo(CODESET);
  return mode;
}

}  // namespace morvane
