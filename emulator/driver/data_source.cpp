#include "driver/data_source.h"

#include <odbcinst.h>

#include "engine/functions.h"
#include "engine/lexer.h"

namespace morvane::emulator {
namespace {

constexpr const char* kKeys[] = {
    "DRIVER",      "DATABASE",        "DIALECT",        "UID",
    "PWD",         "OWNER",           "CREATE",         "FIXEDCLOCK",
    "FAILPATTERN", "FAILMESSAGE",     "FAILAFTERROWS",  "FAILAFTERROWSPATTERN",
    "CONNECTINFO", "EXECINFOPATTERN", "EXECINFOMESSAGE"};

// Mixed-case spellings as written in ini files (unixODBC matches keys case-insensitively).
constexpr const char* kIniKeys[] = {
    "Driver",      "Database",        "Dialect",        "UID",
    "PWD",         "Owner",           "Create",         "FixedClock",
    "FailPattern", "FailMessage",     "FailAfterRows",  "FailAfterRowsPattern",
    "ConnectInfo", "ExecInfoPattern", "ExecInfoMessage"};

std::string IniValue(const std::string& section, const char* key, const char* file) {
  char buffer[4096] = {0};
  int n = SQLGetPrivateProfileString(section.c_str(), key, "", buffer, sizeof buffer, file);
  return n > 0 ? std::string(buffer) : std::string();
}

bool IsYes(const std::string& value) {
  std::string v = AsciiUpper(value);
  return v == "YES" || v == "Y" || v == "1" || v == "TRUE" || v == "ON";
}

std::string Trim(std::string_view text) {
  size_t b = text.find_first_not_of(" \t");
  if (b == std::string_view::npos) return "";
  size_t e = text.find_last_not_of(" \t");
  return std::string(text.substr(b, e - b + 1));
}

}  // namespace

std::map<std::string, std::string> ParseConnectionString(std::string_view text) {
  std::map<std::string, std::string> keys;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t eq = text.find('=', pos);
    if (eq == std::string_view::npos) break;
    std::string key = AsciiUpper(Trim(text.substr(pos, eq - pos)));
    size_t value_start = eq + 1;
    while (value_start < text.size() && text[value_start] == ' ') ++value_start;
    std::string value;
    if (value_start < text.size() && text[value_start] == '{') {
      size_t close = text.find('}', value_start + 1);
      if (close == std::string_view::npos) close = text.size();
      value = std::string(text.substr(value_start + 1, close - value_start - 1));
      pos = text.find(';', close);
    } else {
      size_t end = text.find(';', value_start);
      value = Trim(text.substr(
          value_start, end == std::string_view::npos ? std::string_view::npos : end - value_start));
      pos = end;
    }
    if (!key.empty()) keys[key] = value;
    if (pos == std::string_view::npos) break;
    ++pos;
  }
  return keys;
}

std::optional<DataSourceOptions> LoadDataSource(const std::string& dsn) {
  std::map<std::string, std::string> keys;
  for (size_t i = 0; i < std::size(kKeys); ++i) {
    std::string value = IniValue(dsn, kIniKeys[i], "odbc.ini");
    if (!value.empty()) keys[kKeys[i]] = value;
  }
  if (keys.empty()) return std::nullopt;
  DataSourceOptions options;
  options.dsn = dsn;
  ApplyKeys(keys, options);
  return options;
}

void ApplyKeys(const std::map<std::string, std::string>& keys, DataSourceOptions& o) {
  auto get = [&](const char* key, std::string& target) {
    auto it = keys.find(key);
    if (it != keys.end()) target = it->second;
  };
  get("DSN", o.dsn);
  get("DRIVER", o.driver);
  get("DATABASE", o.database);
  get("UID", o.uid);
  get("PWD", o.pwd);
  get("OWNER", o.owner);
  get("FIXEDCLOCK", o.fixed_clock);
  get("FAILPATTERN", o.fail_pattern);
  get("FAILMESSAGE", o.fail_message);
  get("FAILAFTERROWSPATTERN", o.fail_after_rows_pattern);
  get("CONNECTINFO", o.connect_info);
  get("EXECINFOPATTERN", o.exec_info_pattern);
  get("EXECINFOMESSAGE", o.exec_info_message);
  get("DIALECT", o.dialect);
  get("FAILAFTERROWS", o.fail_after_rows_text);
  if (auto it = keys.find("CREATE"); it != keys.end()) o.create = IsYes(it->second);
}

std::string DriverDialect(const std::string& driver) {
  if (driver.empty()) return "";
  return IniValue(driver, "Dialect", "odbcinst.ini");
}

bool ReadFailAfterRows(const std::string& text, int64_t& rows, std::string* error) {
  std::string value = Trim(text);
  rows = -1;
  if (value.empty()) return true;
  bool digits = value.size() <= 18 && value.find_first_not_of("0123456789") == std::string::npos;
  if (!digits) {
    if (error) *error = "FailAfterRows must be a whole number of rows, not \"" + text + "\"";
    return false;
  }
  rows = std::stoll(value);
  return true;
}

bool CheckFixedClock(const std::string& text, std::string* error) {
  if (text.empty() || IsTimestampText(text)) return true;
  if (error) *error = "FixedClock must be a time written YYYY-MM-DD HH:MM:SS, not \"" + text + "\"";
  return false;
}

}  // namespace morvane::emulator
