#include "engine/functions.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "engine/lexer.h"

namespace morvane::emulator {
namespace {

struct DateParts {
  int year = 0, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

bool ReadNumber(std::string_view text, size_t& pos, size_t max_digits, int& value) {
  size_t start = pos;
  value = 0;
  while (pos < text.size() && pos - start < max_digits &&
         std::isdigit(static_cast<unsigned char>(text[pos]))) {
    value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  return pos > start;
}

// Accepts "YYYY-MM-DD", optionally followed by " HH:MM[:SS[.fff]]" (or 'T' as separator).
bool ParseDateText(std::string_view text, DateParts& d) {
  size_t pos = 0;
  if (!ReadNumber(text, pos, 4, d.year) || pos != 4 || pos >= text.size() || text[pos++] != '-')
    return false;
  if (!ReadNumber(text, pos, 2, d.month) || pos >= text.size() || text[pos++] != '-') return false;
  if (!ReadNumber(text, pos, 2, d.day)) return false;
  if (pos == text.size()) return true;
  if (text[pos] != ' ' && text[pos] != 'T') return false;
  ++pos;
  if (!ReadNumber(text, pos, 2, d.hour) || pos >= text.size() || text[pos++] != ':') return false;
  if (!ReadNumber(text, pos, 2, d.minute)) return false;
  if (pos < text.size() && text[pos] == ':') {
    ++pos;
    ReadNumber(text, pos, 2, d.second);
  }
  return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31;
}

const char* const kMonths[] = {"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                               "MAY",       "JUNE",     "JULY",     "AUGUST",
                               "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};
const char* const kDays[] = {"SUNDAY",   "MONDAY", "TUESDAY", "WEDNESDAY",
                             "THURSDAY", "FRIDAY", "SATURDAY"};

int Weekday(const DateParts& d) {
  std::tm tm{};
  tm.tm_year = d.year - 1900;
  tm.tm_mon = d.month - 1;
  tm.tm_mday = d.day;
  tm.tm_hour = 12;
  std::mktime(&tm);
  return tm.tm_wday;
}

std::string Padded(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}

// The format model's elements, longest first so that HH24 wins over HH.
struct Element {
  const char* code;
  std::string (*render)(const DateParts&);
};

const Element kElements[] = {
    {"YYYY", [](const DateParts& d) { return Padded(d.year, 4); }},
    {"RRRR", [](const DateParts& d) { return Padded(d.year, 4); }},
    {"MONTH", [](const DateParts& d) { return std::string(kMonths[d.month - 1]); }},
    {"HH24", [](const DateParts& d) { return Padded(d.hour, 2); }},
    {"HH12", [](const DateParts& d) { return Padded(d.hour % 12 == 0 ? 12 : d.hour % 12, 2); }},
    {"MON", [](const DateParts& d) { return std::string(kMonths[d.month - 1]).substr(0, 3); }},
    {"DAY", [](const DateParts& d) { return std::string(kDays[Weekday(d)]); }},
    {"YY", [](const DateParts& d) { return Padded(d.year % 100, 2); }},
    {"RR", [](const DateParts& d) { return Padded(d.year % 100, 2); }},
    {"MM", [](const DateParts& d) { return Padded(d.month, 2); }},
    {"DD", [](const DateParts& d) { return Padded(d.day, 2); }},
    {"DY", [](const DateParts& d) { return std::string(kDays[Weekday(d)]).substr(0, 3); }},
    {"HH", [](const DateParts& d) { return Padded(d.hour % 12 == 0 ? 12 : d.hour % 12, 2); }},
    {"MI", [](const DateParts& d) { return Padded(d.minute, 2); }},
    {"SS", [](const DateParts& d) { return Padded(d.second, 2); }},
    {"AM", [](const DateParts& d) { return std::string(d.hour < 12 ? "AM" : "PM"); }},
    {"PM", [](const DateParts& d) { return std::string(d.hour < 12 ? "AM" : "PM"); }},
};

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

// An Oracle error raised by TO_DATE, its text as the server words it.
struct DateError {
  const char* text;
};

// Reads a date from text laid out by an Oracle format model (for TO_DATE), as the server
// does: fields take up to their width in digits, punctuation in the model skips punctuation in
// the text, and what the model does not cover is an error. Missing fields take the server's
// defaults (this year and month, day 1, midnight).
class DateReader {
 public:
  DateReader(std::string_view text, std::string_view format)
      : text_(text), format_(format), upper_(AsciiUpper(format)) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    d_.year = local.tm_year + 1900;
    d_.month = local.tm_mon + 1;
  }

  DateParts Read() {
    while (f_ < upper_.size()) ReadElement();
    while (t_ < text_.size() && text_[t_] == ' ') ++t_;
    if (t_ < text_.size()) {
      throw DateError{"ORA-01830: date format picture ends before converting entire input string"};
    }
    if (pm_) d_.hour = d_.hour % 12 + 12;
    if (am_ && d_.hour == 12) d_.hour = 0;
    if (d_.year == 0) {
      throw DateError{"ORA-01841: (full) year must be between -4713 and +9999, and not be 0"};
    }
    if (d_.day < 1 || d_.day > 31) {
      throw DateError{"ORA-01847: day of month must be between 1 and last day of month"};
    }
    if (d_.day > DaysInMonth(d_.year, d_.month)) {
      throw DateError{"ORA-01839: date not valid for month specified"};
    }
    return d_;
  }

 private:
  bool Element(std::string_view code) {
    if (upper_.compare(f_, code.size(), code) != 0) return false;
    f_ += code.size();
    return true;
  }

  int Number(size_t max_digits) {
    int value = 0;
    if (!ReadNumber(text_, t_, max_digits, value)) {
      throw DateError{"ORA-01858: a non-numeric character was found where a numeric was expected"};
    }
    return value;
  }

  int MonthName(bool full) {
    for (int m = 0; m < 12; ++m) {
      std::string name = full ? kMonths[m] : std::string(kMonths[m]).substr(0, 3);
      if (AsciiUpper(text_.substr(t_, name.size())) == name) {
        t_ += name.size();
        return m + 1;
      }
    }
    throw DateError{"ORA-01843: not a valid month"};
  }

  void SkipLetters() {
    while (t_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[t_]))) ++t_;
  }

  void Meridian() {
    std::string word = AsciiUpper(text_.substr(t_, 2));
    if (word != "AM" && word != "PM") throw DateError{"ORA-01855: AM/A.M. or PM/P.M. required"};
    t_ += 2;
    (word == "PM" ? pm_ : am_) = true;
  }

  void Hour12() {
    d_.hour = Number(2);
    if (d_.hour < 1 || d_.hour > 12) throw DateError{"ORA-01849: hour must be between 1 and 12"};
  }

  void ReadElement() {
    if (t_ >= text_.size()) {  // the text ended: the elements left keep their defaults
      f_ = upper_.size();
      return;
    }
    if (Element("YYYY") || Element("RRRR")) {
      d_.year = Number(4);
    } else if (Element("HH24")) {
      d_.hour = Number(2);
      if (d_.hour > 23) throw DateError{"ORA-01850: hour must be between 0 and 23"};
    } else if (Element("HH12") || Element("HH")) {
      Hour12();
    } else if (Element("MONTH")) {
      d_.month = MonthName(true);
    } else if (Element("MON")) {
      d_.month = MonthName(false);
    } else if (Element("MM")) {
      d_.month = Number(2);
      if (d_.month < 1 || d_.month > 12) throw DateError{"ORA-01843: not a valid month"};
    } else if (Element("MI")) {
      d_.minute = Number(2);
      if (d_.minute > 59) throw DateError{"ORA-01851: minutes must be between 0 and 59"};
    } else if (Element("SS")) {
      d_.second = Number(2);
      if (d_.second > 59) throw DateError{"ORA-01852: seconds must be between 0 and 59"};
    } else if (Element("DAY") || Element("DY")) {
      SkipLetters();
    } else if (Element("DD")) {
      d_.day = Number(2);
    } else if (Element("YY") || Element("RR")) {
      int two = Number(2);
      d_.year = two + (two < 50 ? 2000 : 1900);
    } else if (Element("AM") || Element("PM")) {
      Meridian();
    } else if (upper_[f_] == '"') {
      Literal();
    } else if (std::isalnum(static_cast<unsigned char>(upper_[f_]))) {
      throw DateError{"ORA-01821: date format not recognized"};
    } else {
      ++f_;  // punctuation or space: skips one such character of the text
      if (t_ < text_.size() && !std::isalnum(static_cast<unsigned char>(text_[t_]))) ++t_;
    }
  }

  void Literal() {
    size_t close = format_.find('"', f_ + 1);
    if (close == std::string_view::npos) close = format_.size();
    std::string_view literal = format_.substr(f_ + 1, close - f_ - 1);
    if (text_.substr(t_, literal.size()) != literal) {
      throw DateError{"ORA-01861: literal does not match format string"};
    }
    t_ += literal.size();
    f_ = close + 1;
  }

  std::string_view text_;
  std::string_view format_;
  std::string upper_;
  size_t t_ = 0;
  size_t f_ = 0;
  DateParts d_;
  bool am_ = false;
  bool pm_ = false;
};

std::string DateText(const DateParts& d) {
  char buf[80];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day, d.hour,
                d.minute, d.second);
  return buf;
}

bool IsNumeric(sqlite3_value* v) {
  int type = sqlite3_value_type(v);
  return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

bool TextAsNumber(sqlite3_value* v, double& out) {
  const char* text = reinterpret_cast<const char*>(sqlite3_value_text(v));
  if (!text || !*text) return false;
  char* end = nullptr;
  out = std::strtod(text, &end);
  while (end && std::isspace(static_cast<unsigned char>(*end))) ++end;
  return end && *end == '\0';
}

// DECODE's comparison: NULL matches NULL; numbers compare as numbers when both sides are or
// look like numbers; everything else compares as text.
bool DecodeEqual(sqlite3_value* a, sqlite3_value* b) {
  bool a_null = sqlite3_value_type(a) == SQLITE_NULL;
  bool b_null = sqlite3_value_type(b) == SQLITE_NULL;
  if (a_null || b_null) return a_null && b_null;
  if (IsNumeric(a) || IsNumeric(b)) {
    double x = 0, y = 0;
    bool ok_a = IsNumeric(a) ? (x = sqlite3_value_double(a), true) : TextAsNumber(a, x);
    bool ok_b = IsNumeric(b) ? (y = sqlite3_value_double(b), true) : TextAsNumber(b, y);
    if (ok_a && ok_b) return x == y;
  }
  int len_a = sqlite3_value_bytes(a);
  const void* ta = sqlite3_value_text(a);
  int len_b = sqlite3_value_bytes(b);
  const void* tb = sqlite3_value_text(b);
  return len_a == len_b && std::memcmp(ta, tb, static_cast<size_t>(len_a)) == 0;
}

void Decode(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (argc < 3) {
    sqlite3_result_error(ctx, "DECODE needs at least three arguments", -1);
    return;
  }
  int i = 1;
  for (; i + 1 < argc; i += 2) {
    if (DecodeEqual(argv[0], argv[i])) {
      sqlite3_result_value(ctx, argv[i + 1]);
      return;
    }
  }
  if (i < argc) {
    sqlite3_result_value(ctx, argv[i]);  // the default
  } else {
    sqlite3_result_null(ctx);
  }
}

void Nvl(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_result_value(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? argv[1] : argv[0]);
}

void Nvl2(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_result_value(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? argv[2] : argv[1]);
}

void ResultText(sqlite3_context* ctx, const std::string& text) {
  sqlite3_result_text(ctx, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

std::string FormatNumber(double value, std::string_view format) {
  std::string fmt = AsciiUpper(format);
  bool fill_mode = fmt.rfind("FM", 0) == 0;
  if (fill_mode) fmt.erase(0, 2);
  size_t point = fmt.find_first_of(".D");
  int decimals = point == std::string::npos ? 0 : static_cast<int>(fmt.size() - point - 1);
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(value));
  std::string digits = buf;
  std::string integer = digits.substr(0, digits.find('.'));
  std::string fraction = decimals ? digits.substr(digits.find('.')) : "";
  if (fmt.find(',') != std::string::npos || fmt.find('G') != std::string::npos) {
    for (int i = static_cast<int>(integer.size()) - 3; i > 0; i -= 3)
      integer.insert(static_cast<size_t>(i), ",");
  }
  size_t leading_zeros = fmt.find_first_not_of('0');
  size_t width = point == std::string::npos ? fmt.size() : point;
  if (leading_zeros > 0 && leading_zeros != std::string::npos) {
    while (integer.size() < width) integer.insert(0, "0");
  }
  std::string text = (value < 0 ? "-" : "") + integer + fraction;
  if (!fill_mode) {
    while (text.size() < width + fraction.size() + 1) text.insert(0, " ");
  }
  return text;
}

void ToChar(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  sqlite3_value* v = argv[0];
  int type = sqlite3_value_type(v);
  if (type == SQLITE_NULL) return sqlite3_result_null(ctx);
  if (argc == 1) {
    if (type == SQLITE_INTEGER) return ResultText(ctx, std::to_string(sqlite3_value_int64(v)));
    if (type == SQLITE_FLOAT) return ResultText(ctx, OracleNumberText(sqlite3_value_double(v)));
    return sqlite3_result_value(ctx, v);
  }
  std::string_view format(reinterpret_cast<const char*>(sqlite3_value_text(argv[1])),
                          static_cast<size_t>(sqlite3_value_bytes(argv[1])));
  std::string out;
  if (type == SQLITE_TEXT) {
    std::string_view text(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                          static_cast<size_t>(sqlite3_value_bytes(v)));
    if (FormatOracleDate(text, format, out)) return ResultText(ctx, out);
    double number = 0;
    if (TextAsNumber(v, number)) return ResultText(ctx, FormatNumber(number, format));
    return sqlite3_result_error(ctx, "ORA-01722: invalid number", -1);
  }
  ResultText(ctx, FormatNumber(sqlite3_value_double(v), format));
}

void ToDate(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  std::string_view text(reinterpret_cast<const char*>(sqlite3_value_text(argv[0])),
                        static_cast<size_t>(sqlite3_value_bytes(argv[0])));
  DateParts d;
  if (argc == 1) {
    if (!ParseDateText(text, d)) {
      return sqlite3_result_error(ctx, "ORA-01861: literal does not match format string", -1);
    }
    return ResultText(ctx, DateText(d));
  }
  if (sqlite3_value_type(argv[1]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  std::string_view format(reinterpret_cast<const char*>(sqlite3_value_text(argv[1])),
                          static_cast<size_t>(sqlite3_value_bytes(argv[1])));
  try {
    d = DateReader(text, format).Read();
  } catch (const DateError& e) {
    return sqlite3_result_error(ctx, e.text, -1);
  }
  ResultText(ctx, DateText(d));
}

void ToNumber(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  if (IsNumeric(argv[0])) return sqlite3_result_value(ctx, argv[0]);
  double number = 0;
  if (!TextAsNumber(argv[0], number))
    return sqlite3_result_error(ctx, "ORA-01722: invalid number", -1);
  if (number == std::floor(number) && std::fabs(number) < 9e18) {
    return sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(number));
  }
  sqlite3_result_double(ctx, number);
}

// Red Brick's STRING(): any value as its text.
void StringOf(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
  const unsigned char* text = sqlite3_value_text(argv[0]);
  sqlite3_result_text(ctx, reinterpret_cast<const char*>(text), sqlite3_value_bytes(argv[0]),
                      SQLITE_TRANSIENT);
}

void SysDate(sqlite3_context* ctx, int, sqlite3_value**) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  DateParts d{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
              local.tm_hour,        local.tm_min,     local.tm_sec};
  ResultText(ctx, DateText(d));
}

void Concat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  std::string out;
  for (int i = 0; i < argc; ++i) {
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) continue;
    out.append(reinterpret_cast<const char*>(sqlite3_value_text(argv[i])),
               static_cast<size_t>(sqlite3_value_bytes(argv[i])));
  }
  ResultText(ctx, out);
}

}  // namespace

bool FormatOracleDate(std::string_view date_text, std::string_view format, std::string& out) {
  DateParts d;
  if (!ParseDateText(date_text, d)) return false;
  out.clear();
  std::string fmt = AsciiUpper(format);
  size_t i = 0;
  while (i < fmt.size()) {
    if (fmt[i] == '"') {  // quoted literal text
      size_t end = fmt.find('"', i + 1);
      if (end == std::string::npos) end = fmt.size();
      out.append(format.substr(i + 1, end - i - 1));
      i = end + 1;
      continue;
    }
    bool matched = false;
    for (const Element& e : kElements) {
      std::string_view code(e.code);
      if (fmt.compare(i, code.size(), code) == 0) {
        out += e.render(d);
        i += code.size();
        matched = true;
        break;
      }
    }
    if (!matched) out += format[i++];
  }
  return true;
}

bool IsTimestampText(std::string_view text) {
  if (text.size() != 19) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    bool digit = std::isdigit(static_cast<unsigned char>(text[i])) != 0;
    char separator = i == 4 || i == 7 ? '-' : i == 10 ? ' ' : i == 13 || i == 16 ? ':' : 0;
    if (separator ? text[i] != separator : !digit) return false;
  }
  auto number = [&](size_t at, size_t width) {
    return std::atoi(std::string(text.substr(at, width)).c_str());
  };
  int year = number(0, 4), month = number(5, 2), day = number(8, 2);
  return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month) &&
         number(11, 2) <= 23 && number(14, 2) <= 59 && number(17, 2) <= 59;
}

std::string OracleNumberText(double value) {
  if (value == std::floor(value) && std::fabs(value) < 1e15) {
    return std::to_string(static_cast<long long>(value));
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", value);
  std::string text = buf;
  if (text.rfind("0.", 0) == 0) text.erase(0, 1);
  if (text.rfind("-0.", 0) == 0) text.erase(1, 1);
  return text;
}

void RegisterDialectFunctions(sqlite3* db) {
  const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
  struct Function {
    const char* name;
    int args;
    void (*call)(sqlite3_context*, int, sqlite3_value**);
    bool deterministic;
  };
  static const Function kFunctions[] = {
      {"DECODE", -1, Decode, true},  {"NVL", 2, Nvl, true},
      {"NVL2", 3, Nvl2, true},       {"TO_CHAR", 1, ToChar, true},
      {"TO_CHAR", 2, ToChar, true},  {"TO_DATE", 1, ToDate, true},
      {"TO_DATE", 2, ToDate, true},  {"TO_NUMBER", 1, ToNumber, true},
      {"STRING", 1, StringOf, true}, {"SYSDATE", 0, SysDate, false},
      {"CONCAT", -1, Concat, true},
  };
  for (const Function& f : kFunctions) {
    sqlite3_create_function_v2(db, f.name, f.args, f.deterministic ? flags : SQLITE_UTF8, nullptr,
                               f.call, nullptr, nullptr, nullptr);
  }
}

}  // namespace morvane::emulator
