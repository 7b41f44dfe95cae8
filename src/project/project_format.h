// The building blocks of the project file (.vnk): tag names, splitting a line into fields and
// the escape that keeps control characters inside values from breaking the line structure.
//
// A project file is a sequence of CR LF terminated lines of CP932 text. A line starting with
// \x01 is a tag line; every field is followed by \x02. A tag line's first field is \x01 plus
// the tag name, further fields are its parameters; the lines up to the next tag line are its
// data lines.
//
// Escape: the format itself has none, so a value holding \x01, \x02, CR or LF would break the
// line structure. Such a character is written as a code letter followed by \x01:
//   \x01 -> "a\x01"   \x02 -> "b\x01"   CR -> "r\x01"   LF -> "n\x01"
// A raw \x01 never appears inside a written value otherwise, so every \x01 marks the byte just
// before it as a code, and decoding is unambiguous. Because the marker follows its code, a data
// line never begins with \x01 and cannot be mistaken for a tag line. Values without those four
// characters are written byte for byte, so such files are exactly the plain format and stay
// readable by any program that reads it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

inline constexpr char kTagMark = '\x01';
inline constexpr char kFieldEnd = '\x02';
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr std::string_view kHeaderTag = "Velnorak";

// The seventeen sections, in the order the writer emits them.
inline constexpr std::string_view kTagDatabaseType = "DATABASE_TYPE";
inline constexpr std::string_view kTagFormat = "FORMAT";
inline constexpr std::string_view kTagFormatTable = "FORMAT_TABLE";
inline constexpr std::string_view kTagFormatColumn = "FORMAT_COLUMN";
inline constexpr std::string_view kTagFormatEr = "FORMAT_ER";
inline constexpr std::string_view kTagTable = "TABLE";
inline constexpr std::string_view kTagTableValue = "TABLE_VALUE";
inline constexpr std::string_view kTagTableColumn = "TABLE_COLUMN";
inline constexpr std::string_view kTagEr = "ER";
inline constexpr std::string_view kTagErTable = "ER_TABLE";
inline constexpr std::string_view kTagErTableColumn = "ER_TABLE_COLUMN";
inline constexpr std::string_view kTagErLine = "ER_LINE";
inline constexpr std::string_view kTagErFkTable = "ER_FKTABLE";
inline constexpr std::string_view kTagErPkTable = "ER_PKTABLE";
inline constexpr std::string_view kTagExcelImport = "EXCEL_IMPORT";
inline constexpr std::string_view kTagSqlText = "SQL_TEXT";
inline constexpr std::string_view kTagSqlMaxRow = "SQL_MAXROW";

// Splits a line into its fields: each field is the text before the next \x02; text after the
// last \x02 is ignored. An empty line or a line without \x02 has no fields; "\x02" has one
// empty field. The views point into `line`.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields);

// The same as a list of strings (named after the routine of the original format description).
std::vector<std::string> ReadStrCut(std::string_view line);

// Appends a value escaped as described above.
void AppendEscaped(std::string& out, std::string_view value);

// True when a field read from a file holds an escape marker.
inline bool HasEscape(std::string_view field) {
  return field.find(kTagMark) != std::string_view::npos;
}

// Decodes an escaped field. A \x01 that does not follow a code letter is kept as it is.
std::string Unescape(std::string_view field);

}  // namespace morvane
