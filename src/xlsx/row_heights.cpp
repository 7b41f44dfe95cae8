#include "xlsx/row_heights.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "xlsx/cell_ref.h"
#include "xlsx/sheet_data.h"
#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

constexpr double kDefaultColumnWidth = 8.43;
constexpr double kLineHeight = 14.0;  // points per line of 10- or 11-point text
constexpr double kRowPadding = 3.0;

// Column widths from <cols>, in digit widths.
std::map<uint32_t, double> ColumnWidths(const Worksheet& sheet) {
  std::map<uint32_t, double> widths;
  pugi::xml_node cols = ChildByLocal(sheet.doc.document_element(), "cols");
  for (pugi::xml_node col : ChildrenByLocal(cols, "col")) {
    const uint32_t last = std::min(col.attribute("max").as_uint(), kMaxColumns);
    for (uint32_t c = col.attribute("min").as_uint(); c >= 1 && c <= last; ++c) {
      widths[c] = col.attribute("width").as_double(kDefaultColumnWidth);
    }
  }
  return widths;
}

// The width of each merged area's top-left cell: the sum of its columns.
std::map<std::pair<uint32_t, uint32_t>, uint32_t> MergedLastColumns(const Worksheet& sheet) {
  std::map<std::pair<uint32_t, uint32_t>, uint32_t> merged;
  pugi::xml_node merges = ChildByLocal(sheet.doc.document_element(), "mergeCells");
  for (pugi::xml_node merge : ChildrenByLocal(merges, "mergeCell")) {
    std::string ref = merge.attribute("ref").value();
    const size_t colon = ref.find(':');
    if (colon == std::string::npos) continue;
    auto first = ParseCellRef(ref.substr(0, colon));
    auto last = ParseCellRef(ref.substr(colon + 1));
    if (first && last) merged[{first->row, first->col}] = last->col;
  }
  return merged;
}

// Lines the text takes in a cell `width` digits wide: double-byte characters count two.
int LinesOf(const std::string& utf8, double width) {
  const double usable = std::max(1.0, width - 1.0);
  int lines = 0;
  double units = 0;
  auto end_line = [&] {
    lines += std::max(1, static_cast<int>(std::ceil(units / usable)));
    units = 0;
  };
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (lead == '\n') {
      end_line();
    } else {
      // Half-width katakana (EF BD A1 .. EF BE 9F) is as narrow as a digit.
      const bool halfwidth = length == 3 && lead == 0xEF && i + 1 < utf8.size() &&
                             (static_cast<unsigned char>(utf8[i + 1]) == 0xBD ||
                              static_cast<unsigned char>(utf8[i + 1]) == 0xBE);
      units += length >= 3 && !halfwidth ? 2.0 : 1.0;
    }
    i += length;
  }
  end_line();
  return lines;
}

bool HasOwnHeight(const Row& row) {
  return row.attrs.find("customHeight=\"1\"") != std::string::npos ||
         row.attrs.find("customHeight=\"true\"") != std::string::npos;
}

// Drops an ht="..." attribute from a row's extra attributes.
std::string WithoutHeight(std::string attrs) {
  const size_t at = attrs.find(" ht=\"");
  if (at == std::string::npos) return attrs;
  const size_t end = attrs.find('"', at + 5);
  return attrs.erase(at, end == std::string::npos ? std::string::npos : end + 1 - at);
}

}  // namespace

void FitWrappedRowHeights(Worksheet& sheet, const StyleSheet& styles,
                          const SharedStrings& strings) {
  const std::map<uint32_t, double> widths = ColumnWidths(sheet);
  const auto merged = MergedLastColumns(sheet);
  auto width_of = [&](uint32_t col) {
    auto found = widths.find(col);
    return found == widths.end() ? kDefaultColumnWidth : found->second;
  };
  for (Row& row : sheet.data.rows()) {
    if (HasOwnHeight(row)) continue;
    int lines = 1;
    for (const Cell& cell : row.cells) {
      if (cell.kind == CellKind::kEmpty || !styles.WrapsText(cell.style)) continue;
      double width = width_of(cell.col);
      if (auto area = merged.find({row.index, cell.col}); area != merged.end()) {
        for (uint32_t c = cell.col + 1; c <= area->second; ++c) width += width_of(c);
      }
      lines = std::max(lines, LinesOf(CellText(cell, strings, styles, false), width));
    }
    if (lines < 2) continue;
    char height[32];
    std::snprintf(height, sizeof height, "%.1f", lines * kLineHeight + kRowPadding);
    row.attrs = WithoutHeight(row.attrs) + " ht=\"" + height + "\"";
  }
}

}  // namespace morvane::xlsx
