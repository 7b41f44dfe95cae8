#include "diff/change_format.h"

#include "text/codec.h"

namespace morvane::diff {
namespace {

// Keeps one change on one line: backslash, tab and line breaks are written as \\, \t, \n, \r.
std::string TsvField(std::string_view cp932) {
  std::string field;
  for (char c : ChangeText(cp932)) {
    switch (c) {
      case '\\':
        field += "\\\\";
        break;
      case '\t':
        field += "\\t";
        break;
      case '\n':
        field += "\\n";
        break;
      case '\r':
        field += "\\r";
        break;
      default:
        field += c;
    }
  }
  return field;
}

std::string MarkdownCell(std::string_view cp932) {
  std::string cell;
  for (char c : ChangeText(cp932)) {
    if (c == '|') {
      cell += "\\|";
    } else if (c == '\n') {
      cell += "<br>";
    } else if (c != '\r') {
      cell += c;
    }
  }
  return cell;
}

std::string TsvLine(const TChange& change) {
  std::string line(ChangeWord(change.change));
  line += '\t';
  line += ObjectWord(change.object);
  for (const std::string* field :
       {&change.fullName, &change.item, &change.oldValue, &change.newValue}) {
    line += '\t';
    line += TsvField(*field);
  }
  return line + "\n";
}

std::string TextLine(const TChange& change) {
  std::string line(ChangeCaption(change.change));
  line += " ";
  line += ObjectCaption(change.object);
  line += " ";
  line += ChangeText(change.fullName);
  if (change.change == ChangeKind::kChanged) {
    line += " " + ChangeText(change.item) + ": 「" + ChangeText(change.oldValue) + "」 → 「" +
            ChangeText(change.newValue) + "」";
  }
  return line + "\n";
}

std::string MarkdownTable(const ChangeList& changes) {
  std::string table =
      "| 区分 | 対象 | 名前 | 項目 | 変更前 | 変更後 |\n"
      "|---|---|---|---|---|---|\n";
  for (const TChange& change : changes) {
    table += "| " + std::string(ChangeCaption(change.change)) + " | " +
             std::string(ObjectCaption(change.object)) + " | " + MarkdownCell(change.fullName) +
             " | " + MarkdownCell(change.item) + " | " + MarkdownCell(change.oldValue) + " | " +
             MarkdownCell(change.newValue) + " |\n";
  }
  return table;
}

}  // namespace

std::optional<ChangeFormat> ChangeFormatFromWord(std::string_view word) {
  if (word == "text") return ChangeFormat::kText;
  if (word == "tsv") return ChangeFormat::kTsv;
  if (word == "markdown") return ChangeFormat::kMarkdown;
  return std::nullopt;
}

std::string ChangeText(std::string_view cp932) {
  CodecResult utf8 = Cp932ToUtf8(cp932);
  return utf8.ok ? utf8.text : std::string(cp932);
}

std::string FormatChanges(const ChangeList& changes, ChangeFormat format) {
  if (changes.empty()) return {};
  if (format == ChangeFormat::kMarkdown) return MarkdownTable(changes);
  std::string out;
  for (const TChange& change : changes) {
    out += format == ChangeFormat::kTsv ? TsvLine(change) : TextLine(change);
  }
  return out;
}

}  // namespace morvane::diff
