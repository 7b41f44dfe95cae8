#include "xlsx/print_area.h"

#include <algorithm>

#include "xlsx/cell_ref.h"

namespace morvane::xlsx {
namespace {

constexpr const char* kPrintArea = "_xlnm.Print_Area";

struct Area {
  CellRef first, last;
};

// "$A$1:$K$5" after the sheet part of the formula; a single cell counts as a rectangle.
std::optional<Area> ParseArea(std::string_view text) {
  const size_t colon = text.find(':');
  auto first = ParseCellRef(text.substr(0, colon));
  auto last = colon == std::string_view::npos ? first : ParseCellRef(text.substr(colon + 1));
  if (!first || !last) return std::nullopt;
  return Area{*first, *last};
}

std::string Absolute(CellRef ref) {
  return "$" + ColumnLetters(ref.col) + "$" + std::to_string(ref.row);
}

CellRef LastValueCell(const SheetData& data) {
  CellRef last{0, 0};
  for (const Row& row : data.rows()) {
    for (const Cell& cell : row.cells) {
      const bool empty =
          cell.kind == CellKind::kEmpty || (!cell.formula().empty() && cell.value.empty());
      if (empty) continue;
      last.row = std::max(last.row, row.index);
      last.col = std::max(last.col, cell.col);
    }
  }
  return last;
}

}  // namespace

void ExtendPrintAreaToValues(Worksheet& sheet) {
  auto name = std::find_if(sheet.local_names.begin(), sheet.local_names.end(),
                           [](const DefinedName& n) { return n.name == kPrintArea; });
  if (name == sheet.local_names.end()) return;
  const size_t bang = name->formula.rfind('!');
  if (bang == std::string::npos || name->formula.find(',', bang) != std::string::npos) return;
  std::optional<Area> area = ParseArea(std::string_view(name->formula).substr(bang + 1));
  if (!area) return;
  const CellRef values = LastValueCell(sheet.data);
  if (values.row <= area->last.row && values.col <= area->last.col) return;
  area->last.row = std::max(area->last.row, values.row);
  area->last.col = std::max(area->last.col, values.col);
  name->formula =
      name->formula.substr(0, bang + 1) + Absolute(area->first) + ":" + Absolute(area->last);
}

}  // namespace morvane::xlsx
