#include "xlsx/formula_refs.h"

#include <algorithm>

#include <pugixml.hpp>

#include "xlsx/sheet_names.h"
#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '.' || c == '\\' || static_cast<unsigned char>(c) >= 0x80;
}

// Walks a formula token by token. For each sheet prefix it calls on_prefix(begin, end, name,
// external); for each bare identifier on_name(name, followed_by), the character after it.
void Scan(std::string_view f,
          const std::function<void(size_t, size_t, const std::string&, bool)>& on_prefix,
          const std::function<void(std::string_view, char)>& on_name) {
  size_t i = 0;
  while (i < f.size()) {
    char c = f[i];
    if (c == '"') {  // string literal
      ++i;
      while (i < f.size() && !(f[i] == '"' && (i + 1 >= f.size() || f[i + 1] != '"'))) {
        i += f[i] == '"' ? 2 : 1;
      }
      ++i;
    } else if (c == '\'' || c == '[' || IsNameChar(c)) {
      size_t begin = i;
      bool external = false;
      std::string name;
      if (c == '[') {  // workbook index of an external reference, or a table column
        size_t close = f.find(']', i);
        if (close == std::string_view::npos) return;
        external = true;
        i = close + 1;
      }
      if (i < f.size() && f[i] == '\'') {
        ++i;
        while (i < f.size()) {
          if (f[i] == '\'' && i + 1 < f.size() && f[i + 1] == '\'') {
            name += '\'';
            i += 2;
          } else if (f[i] == '\'') {
            ++i;
            break;
          } else {
            name += f[i++];
          }
        }
      } else {
        while (i < f.size() && IsNameChar(f[i])) name += f[i++];
      }
      if (i < f.size() && f[i] == '!') {
        ++i;
        on_prefix(begin, i, external ? std::string() : name, external);
      } else if (!external && !name.empty()) {
        on_name(name, i < f.size() ? f[i] : '\0');
      } else if (external && begin + 1 < i) {
        on_name("[", '[');  // a table column reference such as [@Col]
      }
    } else {
      ++i;
    }
  }
}

}  // namespace

std::string QuoteSheetName(std::string_view name) {
  std::string out = "'";
  for (char c : name) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

std::string RewriteSheetPrefixes(
    std::string_view formula,
    const std::function<std::optional<std::string>(const std::string& sheet)>& rewrite) {
  std::string out;
  size_t copied = 0;
  Scan(
      formula,
      [&](size_t begin, size_t end, const std::string& name, bool) {
        std::optional<std::string> replacement = rewrite(name);
        if (!replacement) return;
        out.append(formula.substr(copied, begin - copied));
        out += *replacement;
        copied = end;
      },
      [](std::string_view, char) {});
  out.append(formula.substr(copied));
  return out;
}

bool ReachesBeyondSheet(std::string_view formula, std::string_view own_sheet,
                        const std::set<std::string>& names) {
  bool beyond = false;
  std::string own_key = SheetNameKey(own_sheet);
  Scan(
      formula,
      [&](size_t, size_t, const std::string& name, bool external) {
        if (external || SheetNameKey(name) != own_key) beyond = true;
      },
      [&](std::string_view name, char next) {
        if (next == '[' || name == "[") beyond = true;
        if (next != '(' && names.count(SheetNameKey(name)) != 0) beyond = true;
      });
  return beyond;
}

std::vector<std::string> SheetKeysOf(std::string_view formula) {
  std::vector<std::string> keys;
  Scan(
      formula,
      [&](size_t, size_t, const std::string& name, bool external) {
        if (!external && !name.empty()) keys.push_back(SheetNameKey(name));
      },
      [](std::string_view, char) {});
  return keys;
}

bool FormulaSheetKeys::Names(const std::string& formula, std::string_view sheet_key) {
  if (!known_ || formula != formula_) {
    keys_ = SheetKeysOf(formula);
    formula_ = formula;
    known_ = true;
  }
  return std::find(keys_.begin(), keys_.end(), sheet_key) != keys_.end();
}

std::string FormulaTextOf(std::string_view f_xml) {
  pugi::xml_document doc;
  if (!doc.load_buffer(f_xml.data(), f_xml.size(), pugi::parse_default, pugi::encoding_utf8)) {
    return "";
  }
  return doc.first_child().text().get();
}

std::string WithFormulaText(std::string_view f_xml, std::string_view text) {
  pugi::xml_document doc;
  if (!doc.load_buffer(f_xml.data(), f_xml.size(), pugi::parse_default, pugi::encoding_utf8)) {
    return std::string(f_xml);
  }
  doc.first_child().text().set(std::string(text).c_str());
  return NodeToString(doc.first_child());
}

}  // namespace morvane::xlsx
