#include "er/er_tables.h"

#include <algorithm>
#include <unordered_set>

#include "er/line_geometry.h"
#include "model/data_kind.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

bool OnSheet(const TERSheetRec& sheet, const TERTableRec* window) {
  return std::any_of(sheet.tables.begin(), sheet.tables.end(),
                     [window](const auto& t) { return t.get() == window; });
}

bool SameName(const TERTableRec* window, std::string_view name) {
  return window != nullptr && EqualsIgnoringAsciiCase(window->name, name);
}

}  // namespace

std::string NextERTableName(const TERDiagram& diagram) {
  std::unordered_set<std::string> taken;
  for (const auto& sheet : diagram.sheets) {
    for (const auto& table : sheet->tables) taken.insert(UpperAsciiLetters(table->name));
  }
  for (size_t n = 1;; ++n) {
    if (!taken.count("TABLE" + std::to_string(n))) return "Table" + std::to_string(n);
  }
}

TERTableRec* FindERTable(const TERSheetRec& sheet, std::string_view name) {
  for (const auto& table : sheet.tables) {
    if (EqualsIgnoringAsciiCase(table->name, name)) return table.get();
  }
  return nullptr;
}

TERTableRec* FindERTable(const TERDiagram& diagram, std::string_view name) {
  for (const auto& sheet : diagram.sheets) {
    if (TERTableRec* found = FindERTable(*sheet, name)) return found;
  }
  return nullptr;
}

TERTableRec& AddERTable(TERSheetRec& sheet, std::string name, std::string caption, int left,
                        int top, int width, int height) {
  auto table = std::make_unique<TERTableRec>();
  table->name = std::move(name);
  table->caption = std::move(caption);
  table->left = left;
  table->top = top;
  table->width = width == 0 ? kDefaultERTableSize : width;
  table->height = height == 0 ? kDefaultERTableSize : height;
  sheet.tables.push_back(std::move(table));
  return *sheet.tables.back();
}

std::string ERTypeText(std::string_view type, std::string_view length, std::string_view scale) {
  std::string text(type);
  if (!length.empty()) {
    text += "(";
    text += length;
    if (!scale.empty()) {
      text += ",";
      text += scale;
    }
    text += ")";
  } else if (!scale.empty()) {
    text += "(";
    text += scale;
    text += ")";
  }
  return text;
}

std::string ERColumnListText(const TERColumnRec& column, int blanks) {
  return column.keyMark + column.columnName + std::string(std::max(blanks, 0), ' ') +
         column.typeText;
}

TERColumnRec MakeERColumn(const TValueList& rowValues, const TColumnValuePositions& positions) {
  auto at = [&rowValues](int position) {
    return position < 0 ? std::string_view() : rowValues.ValueOr(static_cast<size_t>(position));
  };
  TERColumnRec column;
  column.keyMark = at(positions.keyMark).empty() ? " " : "*";
  column.columnName = std::string(at(positions.name));
  column.typeText = ERTypeText(at(positions.type), at(positions.length), at(positions.scale));
  column.checked = true;
  column.listText = ERColumnListText(column, 2);
  return column;
}

std::string DeleteTableQuestion(std::string_view caption) {
  return "「" + Cp932ForDisplay(caption) + "」テーブルを削除しますか？";
}

bool RemoveERTable(TERSheetRec& sheet, std::string_view name) {
  auto table = std::find_if(sheet.tables.begin(), sheet.tables.end(), [name](const auto& t) {
    return EqualsIgnoringAsciiCase(t->name, name);
  });
  if (table == sheet.tables.end()) return false;
  std::erase_if(sheet.lines, [name](const auto& line) {
    return SameName(line->fromWindow, name) || SameName(line->toWindow, name);
  });
  sheet.tables.erase(table);
  return true;
}

TTargetLine& AddERLine(TERSheetRec& sheet, TERTableRec* from, TERTableRec* to) {
  auto line = std::make_unique<TTargetLine>();
  line->fromWindow = from;
  line->toWindow = to;
  if (from != nullptr && to != nullptr) {
    const TLineGeometry g = ComputeLineGeometry(*from, *to);
    line->fromSide = g.fromSide;
    line->toSide = g.toSide;
  }
  sheet.lines.push_back(std::move(line));
  return *sheet.lines.back();
}

TTargetLine* FindERLine(const TERSheetRec& sheet, const TERTableRec& a, const TERTableRec& b) {
  for (const auto& line : sheet.lines) {
    const bool forward = SameName(line->fromWindow, a.name) && SameName(line->toWindow, b.name);
    const bool backward = SameName(line->fromWindow, b.name) && SameName(line->toWindow, a.name);
    if (forward || backward) return line.get();
  }
  return nullptr;
}

LineToggle ToggleERLine(TERSheetRec& sheet, TERTableRec* from, TERTableRec* to) {
  if (from == nullptr || to == nullptr || from == to) return LineToggle::kRefused;
  if (!OnSheet(sheet, from) || !OnSheet(sheet, to)) return LineToggle::kRefused;
  if (TTargetLine* existing = FindERLine(sheet, *from, *to)) {
    std::erase_if(sheet.lines, [existing](const auto& line) { return line.get() == existing; });
    return LineToggle::kRemoved;
  }
  AddERLine(sheet, from, to);
  return LineToggle::kAdded;
}

}  // namespace morvane
