// One sheet of a workbook as the engine holds it. Worksheets keep their XML without the cell
// rows (which live in `data`), their relationships, their sheet-scoped defined names (print
// area, print titles) and their drawing. Chart sheets and other kinds are carried unchanged.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "xlsx/drawing.h"
#include "xlsx/formula_refs.h"
#include "xlsx/relationships.h"
#include "xlsx/sheet_data.h"

namespace morvane::xlsx {

enum class SheetKind { kWorksheet, kOther };
enum class SheetState { kVisible, kHidden, kVeryHidden };

struct DefinedName {
  std::string name;     // "_xlnm.Print_Area", "_xlnm.Print_Titles", or a user's name
  std::string formula;  // "'Sheet1'!$A$1:$H$40"
  std::string attrs;    // other attributes (hidden, comment) as XML with a leading blank
};

struct ColumnStyle {
  uint32_t min = 0;
  uint32_t max = 0;
  uint32_t style = 0;
};

class Worksheet {
 public:
  SheetKind kind = SheetKind::kWorksheet;
  std::string name;  // UTF-8
  SheetState state = SheetState::kVisible;
  std::string part;       // the part that holds the sheet
  std::string rel_type;   // the workbook relationship type of a sheet carried unchanged
  uint32_t sheet_id = 0;  // sheetId in workbook.xml
  // A worksheet of a workbook that was read is parsed when first used; until then only its
  // name, kind and state are known.
  bool loaded = true;

  pugi::xml_document doc;  // the worksheet XML; <sheetData> is kept empty
  SheetData data;
  Relationships rels;
  std::vector<DefinedName> local_names;
  // Which sheets each local name's formula names, by position, remembered per formula text.
  std::vector<FormulaSheetKeys> local_name_sheets;
  std::unique_ptr<Drawing> drawing;
  std::string drawing_part;
  std::vector<ColumnStyle> column_styles;  // from <cols>
  bool formulas_reach_other_sheets = false;

  // Style of a new cell in column col (from <cols>), 0 when the column has none.
  uint32_t ColumnStyleOf(uint32_t col) const;
  // Reads <cols> into column_styles and notes whether any formula names a sheet.
  void IndexContent();
  // The row of the last cell Excel counts as used: cells, row formats and merged areas.
  uint32_t LastUsedRow() const;
  // The element of that local name, inserted where the worksheet schema wants it if missing.
  pugi::xml_node EnsureElement(const char* local);
  // The worksheet XML with the rows of `data`; shared string indexes pass through sst_map.
  // Only the active sheet's tab is written as selected (several would group the sheets).
  std::string ToXml(const std::vector<uint32_t>& sst_map, bool tab_selected) const;
  // SheetNameKey(name), remembered while the name stays the same: looking a name up among
  // hundreds of sheets (as every copy and rename of an output does) would fold every name.
  const std::string& NameKey() const;

 private:
  mutable std::string keyed_name_;
  mutable std::string name_key_;
  mutable bool keyed_ = false;
};

}  // namespace morvane::xlsx
