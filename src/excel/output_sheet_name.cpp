#include "excel/output_sheet_name.h"

#include <vector>

#include "excel/application.h"
#include "excel/excel_error.h"
#include "text/codec.h"

namespace morvane::excel {
namespace {

constexpr size_t kMaxNameCharacters = 31;

// The CP932 characters of text, each one or two bytes (a lone lead byte at the end counts as
// one character).
std::vector<std::string> Characters(std::string_view cp932) {
  std::vector<std::string> chars;
  for (size_t i = 0; i < cp932.size();) {
    size_t len =
        IsCp932LeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
    chars.emplace_back(cp932.substr(i, len));
    i += len;
  }
  return chars;
}

bool RefusedCharacter(const std::string& c) {
  if (c.size() == 1) {
    switch (c[0]) {
      case ':':
      case '\\':
      case '/':
      case '?':
      case '*':
      case '[':
      case ']':
        return true;
      default:
        return !Cp932ToUtf8(c).ok;
    }
  }
  return !Cp932ToUtf8(c).ok;
}

std::string Join(const std::vector<std::string>& chars, size_t count) {
  std::string text;
  for (size_t i = 0; i < count && i < chars.size(); ++i) text += chars[i];
  return text;
}

}  // namespace

std::string OutputSheetName(std::string_view wanted) {
  std::vector<std::string> chars = Characters(wanted);
  if (chars.size() > kMaxNameCharacters) chars.resize(kMaxNameCharacters);
  for (std::string& c : chars) {
    if (RefusedCharacter(c)) c = "_";
  }
  if (!chars.empty() && chars.front() == "'") chars.front() = "_";
  if (!chars.empty() && chars.back() == "'") chars.back() = "_";
  return Join(chars, chars.size());
}

std::string NumberedSheetName(std::string_view tried, int n) {
  std::vector<std::string> chars = Characters(tried);
  std::string suffix = " (" + std::to_string(n) + ")";
  size_t keep = chars.size() > suffix.size() ? chars.size() - suffix.size() : 0;
  return Join(chars, keep) + suffix;
}

void NameOutputSheet(const Worksheet& sheet, std::string_view wanted) {
  std::string name = OutputSheetName(wanted);
  const int sheets = sheet.Parent().Worksheets().Count();
  for (int n = 2;; ++n) {
    try {
      sheet.SetName(name);
      return;
    } catch (const ExcelError&) {
      if (n > sheets + 1) throw;
      name = NumberedSheetName(name, n);
    }
  }
}

}  // namespace morvane::excel
