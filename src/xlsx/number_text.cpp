#include "xlsx/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace morvane::xlsx {
namespace {

// Rewrites the exponent of "1.5E+5" as "1.5E+05": at least two digits, sign always shown.
std::string NormalizeExponent(std::string text) {
  size_t e = text.find('E');
  if (e == std::string::npos) return text;
  std::string mantissa = text.substr(0, e);
  char sign = text[e + 1];
  std::string digits = text.substr(e + 2);
  while (digits.size() > 2 && digits[0] == '0') digits.erase(0, 1);
  if (digits.size() < 2) digits.insert(0, "0");
  return mantissa + "E" + sign + digits;
}

struct CivilDate {
  int year;
  int month;
  int day;
};

// Days since 1970-01-01 to a proleptic Gregorian date.
CivilDate CivilFromDays(long long z) {
  z += 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  unsigned doe = static_cast<unsigned>(z - era * 146097);
  unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  long long y = static_cast<long long>(yoe) + era * 400;
  unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  unsigned mp = (5 * doy + 2) / 153;
  unsigned d = doy - (153 * mp + 2) / 5 + 1;
  unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string FormatDateTime(const CivilDate* date, long long seconds_of_day) {
  std::string text;
  if (date != nullptr) {
    text = std::to_string(date->year) + "/" + TwoDigits(date->month) + "/" + TwoDigits(date->day);
  }
  if (seconds_of_day >= 0) {
    if (!text.empty()) text += ' ';
    text += std::to_string(seconds_of_day / 3600) + ":" + TwoDigits(seconds_of_day / 60 % 60) +
            ":" + TwoDigits(seconds_of_day % 60);
  }
  return text;
}

}  // namespace

std::string NumberToText(double value) {
  if (std::isnan(value) || std::isinf(value)) return "#NUM!";
  if (value == 0) return "0";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.15G", value);
  return NormalizeExponent(buffer);
}

bool IsPlainWholeNumber(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  if (text.empty() || text.size() > 15) return false;
  if (text.front() == '0') return !negative && text.size() == 1;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<double> ParseNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  const char* begin = text.data();
  const char* end = text.data() + text.size();
  if (*begin == '+') ++begin;
  double value = 0;
  auto [ptr, ec] = std::from_chars(begin, end, value, std::chars_format::general);
  if (ec != std::errc() || ptr != end || std::isinf(value) || std::isnan(value)) {
    return std::nullopt;
  }
  return value;
}

std::string DateSerialToText(double serial, bool date1904) {
  if (date1904) serial += 1462;
  if (serial < 0 || serial >= 2958466) return NumberToText(serial);
  long long total_seconds = std::llround(serial * 86400.0);
  long long days = total_seconds / 86400;
  long long seconds = total_seconds % 86400;
  bool has_time = seconds != 0;
  if (days == 0) return FormatDateTime(nullptr, seconds);
  CivilDate date{};
  if (days == 60) {
    date = {1900, 2, 29};  // the day Excel keeps for compatibility with Lotus
  } else {
    // Serial 1 is 1900-01-01; from serial 61 on the fictitious leap day has to be skipped.
    long long unix_days = days - 25569 + (days < 60 ? 1 : 0);
    date = CivilFromDays(unix_days);
  }
  return FormatDateTime(&date, has_time ? seconds : -1);
}

std::string IsoDateToText(std::string_view iso) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  std::string copy(iso);
  int n =
      std::sscanf(copy.c_str(), "%d-%d-%dT%d:%d:%d", &year, &month, &day, &hour, &minute, &second);
  if (n < 3) {
    n = std::sscanf(copy.c_str(), "%d:%d:%d", &hour, &minute, &second);
    if (n < 2) return copy;
    return FormatDateTime(nullptr, hour * 3600LL + minute * 60 + second);
  }
  CivilDate date{year, month, day};
  long long seconds = hour * 3600LL + minute * 60 + second;
  return FormatDateTime(&date, seconds != 0 ? seconds : -1);
}

}  // namespace morvane::xlsx
