#include "project/project_format.h"

namespace morvane {
namespace {

char CodeOf(char c) {
  switch (c) {
    case '\x01':
      return 'a';
    case '\x02':
      return 'b';
    case '\r':
      return 'r';
    case '\n':
      return 'n';
    default:
      return 0;
  }
}

char DecodedOf(char code) {
  switch (code) {
    case 'a':
      return '\x01';
    case 'b':
      return '\x02';
    case 'r':
      return '\r';
    case 'n':
      return '\n';
    default:
      return 0;
  }
}

}  // namespace

void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  size_t start = 0;
  for (;;) {
    const size_t end = line.find(kFieldEnd, start);
    if (end == std::string_view::npos) return;
    fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
}

std::vector<std::string> ReadStrCut(std::string_view line) {
  std::vector<std::string_view> views;
  SplitFields(line, views);
  return std::vector<std::string>(views.begin(), views.end());
}

void AppendEscaped(std::string& out, std::string_view value) {
  size_t start = 0;
  for (;;) {
    const size_t special = value.find_first_of("\x01\x02\r\n", start);
    if (special == std::string_view::npos) {
      out.append(value.substr(start));
      return;
    }
    out.append(value.substr(start, special - start));
    out += CodeOf(value[special]);
    out += kTagMark;
    start = special + 1;
  }
}

std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  size_t i = 0;
  while (i < field.size()) {
    if (i + 1 < field.size() && field[i + 1] == kTagMark && DecodedOf(field[i]) != 0) {
      out += DecodedOf(field[i]);
      i += 2;
    } else {
      out += field[i];
      ++i;
    }
  }
  return out;
}

}  // namespace morvane
