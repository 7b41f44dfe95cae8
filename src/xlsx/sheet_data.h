// The cells of a worksheet (<sheetData>), held compactly: sorted rows of sorted cells. Everything
// a cell had that the engine does not interpret (formulas, extra attributes) is kept as XML.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "xlsx/cell_ref.h"

namespace morvane::xlsx {

class SharedStrings;
class StyleSheet;

enum class CellKind : uint8_t {
  kEmpty,
  kNumber,
  kSharedString,
  kInlineString,
  kBoolean,
  kError,
  kFormulaString,  // the cached text result of a formula
  kIsoDate,
};

// What a cell read from a file carries besides its value, kept as XML to be written back.
struct CellXml {
  std::string formula;   // the <f> element, empty when the cell holds no formula
  std::string children;  // other child elements (<is>, <extLst>) as XML
  std::string attrs;     // attributes other than r, s and t, as XML with a leading blank
};

// One cell. Most cells hold only a value, so the XML that a few carry is kept apart and the
// cell stays small: an output writes hundreds of thousands of them.
class Cell {
 public:
  uint32_t col = 0;
  uint32_t style = 0;
  uint32_t sst = 0;  // shared string index when kind is kSharedString
  CellKind kind = CellKind::kEmpty;
  std::string value;  // the text of <v>, or the plain text of an inline string

  Cell() = default;
  Cell(const Cell& other);
  Cell& operator=(const Cell& other);
  Cell(Cell&&) noexcept = default;
  Cell& operator=(Cell&&) noexcept = default;

  const std::string& formula() const { return xml_ ? xml_->formula : Empty(); }
  const std::string& children() const { return xml_ ? xml_->children : Empty(); }
  const std::string& attrs() const { return xml_ ? xml_->attrs : Empty(); }
  void set_formula(std::string formula);
  void set_children(std::string children);
  void set_attrs(std::string attrs);
  // Drops the formula, extra children and attributes.
  void ClearXml() { xml_.reset(); }

 private:
  static const std::string& Empty();
  // Where a field of the XML goes; nothing when it is to be empty and the cell has none.
  std::string* Field(std::string CellXml::*field, bool empty);

  std::unique_ptr<CellXml> xml_;
};

struct Row {
  uint32_t index = 0;
  uint32_t style = 0;
  bool styled = false;  // the row has its own format (s with customFormat)
  std::string attrs;    // other attributes (height, hidden, outline) as XML
  std::vector<Cell> cells;
};

class SheetData {
 public:
  // Reads a <sheetData> element.
  void Load(pugi::xml_node sheet_data);
  // Appends the rows as XML; shared string indexes pass through sst_map.
  void AppendXml(std::string& out, const std::vector<uint32_t>& sst_map) const;
  // About as many bytes as AppendXml writes for plain values, to reserve room for them.
  size_t XmlSizeHint() const;

  const Cell* Find(CellRef ref) const;
  // The cell at ref, created when missing; a new cell takes the row's format, else the
  // column's (from column_style), as Excel does when a value is typed into it.
  Cell& Ensure(CellRef ref, const std::function<uint32_t(uint32_t col)>& column_style);

  // The last row that holds a cell or a row format, height or hiding; 0 when there is none.
  uint32_t LastUsedRow() const;
  // The last column that holds a cell; 0 when there is none.
  uint32_t LastUsedColumn() const;
  // The used range as "A1:D20", or "A1" when empty.
  std::string Dimension() const;

  std::vector<Row>& rows() { return rows_; }
  const std::vector<Row>& rows() const { return rows_; }

 private:
  std::vector<Row> rows_;
  size_t widest_row_ = 0;  // the most cells a row has had, as a hint for new rows
};

// The cell's value as text, as a cell's Value reads when turned into a string.
std::string CellText(const Cell& cell, const SharedStrings& strings, const StyleSheet& styles,
                     bool date1904);

// Writes text into a cell keeping its style: text that reads back unchanged as a number is
// stored as a number (unless the cell is formatted as text or a date), other text as a shared
// string, and empty text clears the value. Any formula in the cell is replaced.
void SetCellText(Cell& cell, std::string_view text, SharedStrings& strings,
                 const StyleSheet& styles);

}  // namespace morvane::xlsx
