#include "xlsx/sheet_data.h"

#include <algorithm>
#include <charconv>

#include "xlsx/error.h"
#include "xlsx/number_text.h"
#include "xlsx/shared_strings.h"
#include "xlsx/styles.h"
#include "xlsx/xml_util.h"

namespace morvane::xlsx {
namespace {

CellKind KindFromType(std::string_view type) {
  if (type == "s") return CellKind::kSharedString;
  if (type == "inlineStr") return CellKind::kInlineString;
  if (type == "b") return CellKind::kBoolean;
  if (type == "e") return CellKind::kError;
  if (type == "str") return CellKind::kFormulaString;
  if (type == "d") return CellKind::kIsoDate;
  return CellKind::kNumber;
}

const char* TypeAttribute(CellKind kind) {
  switch (kind) {
    case CellKind::kSharedString:
      return " t=\"s\"";
    case CellKind::kInlineString:
      return " t=\"inlineStr\"";
    case CellKind::kBoolean:
      return " t=\"b\"";
    case CellKind::kError:
      return " t=\"e\"";
    case CellKind::kFormulaString:
      return " t=\"str\"";
    case CellKind::kIsoDate:
      return " t=\"d\"";
    default:
      return "";
  }
}

void AppendAttribute(std::string& out, const pugi::xml_attribute& attr) {
  out += ' ';
  out += attr.name();
  out += "=\"";
  AppendEscaped(out, attr.value());
  out += '"';
}

bool IsTrue(const char* value) {
  std::string_view v = value;
  return v == "1" || v == "true";
}

void AppendNumber(std::string& out, uint32_t n) {
  char buffer[12];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, n);
  out.append(buffer, end);
}

char* PutText(char* at, std::string_view text) { return std::copy(text.begin(), text.end(), at); }

char* PutNumber(char* at, uint32_t n) { return std::to_chars(at, at + 10, n).ptr; }

char* PutColumnLetters(char* at, uint32_t col) {
  char letters[4];
  int n = 0;
  while (col > 0) {
    letters[n++] = static_cast<char>('A' + (col - 1) % 26);
    col = (col - 1) / 26;
  }
  while (n > 0) *at++ = letters[--n];
  return at;
}

// "<c r="B12" s="3" t="s"": a cell's start tag up to its other attributes.
void AppendCellStart(std::string& out, const Cell& cell, uint32_t row) {
  char buffer[64];
  char* at = PutText(buffer, "<c r=\"");
  at = PutColumnLetters(at, cell.col);
  at = PutNumber(at, row);
  *at++ = '"';
  if (cell.style != 0) {
    at = PutText(at, " s=\"");
    at = PutNumber(at, cell.style);
    *at++ = '"';
  }
  if (cell.kind != CellKind::kEmpty) at = PutText(at, TypeAttribute(cell.kind));
  out.append(buffer, at);
}

// A shared string index: decimal digits only.
std::optional<uint32_t> ParseIndex(std::string_view text) {
  uint32_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

[[noreturn]] void RefuseCell(CellRef ref, const std::string& what) {
  throw Error("セル " + FormatCellRef(ref) + " " + what);
}

Cell LoadCell(pugi::xml_node c, CellRef ref) {
  const uint32_t col = ref.col;
  Cell cell;
  cell.col = col;
  cell.style = c.attribute("s").as_uint(0);
  std::string_view type = c.attribute("t").value();
  std::string attrs;
  for (pugi::xml_attribute attr = c.first_attribute(); attr; attr = attr.next_attribute()) {
    std::string_view name = attr.name();
    if (name != "r" && name != "s" && name != "t") AppendAttribute(attrs, attr);
  }
  if (!attrs.empty()) cell.set_attrs(std::move(attrs));
  bool has_value = false;
  std::string children;
  for (pugi::xml_node child = c.first_child(); child; child = child.next_sibling()) {
    if (child.type() != pugi::node_element) continue;
    std::string_view local = LocalName(child.name());
    if (local == "v") {
      cell.value = child.text().get();
      has_value = true;
    } else if (local == "f") {
      cell.set_formula(NodeToString(child));
    } else {
      if (local == "is") {
        cell.value = StringItemText(child);
        has_value = true;
      }
      children += NodeToString(child);
    }
  }
  if (!children.empty()) cell.set_children(std::move(children));
  if (!has_value) return cell;
  cell.kind = KindFromType(type);
  if (cell.kind == CellKind::kSharedString) {
    std::optional<uint32_t> index = ParseIndex(cell.value);
    if (!index) RefuseCell(ref, "の共有文字列の番号「" + cell.value + "」が正しくありません");
    cell.sst = *index;
  } else if (cell.kind == CellKind::kNumber && cell.value.empty()) {
    cell.kind = CellKind::kEmpty;
  }
  return cell;
}

}  // namespace

Cell::Cell(const Cell& other)
    : col(other.col),
      style(other.style),
      sst(other.sst),
      kind(other.kind),
      value(other.value),
      xml_(other.xml_ ? std::make_unique<CellXml>(*other.xml_) : nullptr) {}

Cell& Cell::operator=(const Cell& other) {
  if (this != &other) *this = Cell(other);
  return *this;
}

const std::string& Cell::Empty() {
  static const std::string empty;
  return empty;
}

std::string* Cell::Field(std::string CellXml::*field, bool empty) {
  if (!xml_ && empty) return nullptr;
  if (!xml_) xml_ = std::make_unique<CellXml>();
  return &((*xml_).*field);
}

void Cell::set_formula(std::string formula) {
  if (std::string* to = Field(&CellXml::formula, formula.empty())) *to = std::move(formula);
}

void Cell::set_children(std::string children) {
  if (std::string* to = Field(&CellXml::children, children.empty())) *to = std::move(children);
}

void Cell::set_attrs(std::string attrs) {
  if (std::string* to = Field(&CellXml::attrs, attrs.empty())) *to = std::move(attrs);
}

void SheetData::Load(pugi::xml_node sheet_data) {
  rows_.clear();
  widest_row_ = 0;
  uint32_t last_row = 0;
  for (pugi::xml_node r : sheet_data.children()) {
    if (r.type() != pugi::node_element || LocalName(r.name()) != "row") continue;
    Row row;
    row.index = last_row + 1;
    if (pugi::xml_attribute number = r.attribute("r")) {
      std::optional<uint32_t> index = ParseIndex(number.value());
      if (!index || *index == 0 || *index > kMaxRows) {
        throw Error(std::string("行番号「") + number.value() + "」が範囲外か正しくありません");
      }
      row.index = *index;
    }
    if (row.index > kMaxRows) throw Error("行番号が範囲外です (" + std::to_string(row.index) + ")");
    if (row.index <= last_row) continue;
    last_row = row.index;
    for (pugi::xml_attribute attr = r.first_attribute(); attr; attr = attr.next_attribute()) {
      std::string_view name = attr.name();
      if (name == "s") {
        row.style = attr.as_uint();
      } else if (name == "customFormat") {
        row.styled = IsTrue(attr.value());
      } else if (name != "r" && name != "spans") {
        AppendAttribute(row.attrs, attr);
      }
    }
    if (!row.styled) row.style = 0;
    uint32_t last_col = 0;
    for (pugi::xml_node c : r.children()) {
      if (c.type() != pugi::node_element || LocalName(c.name()) != "c") continue;
      uint32_t col = last_col + 1;
      if (pugi::xml_attribute name = c.attribute("r")) {
        std::optional<CellRef> ref = ParseCellRef(name.value());
        if (!ref) {
          throw Error(std::string("セル参照「") + name.value() +
                      "」が範囲外か正しくありません (行 " + std::to_string(row.index) + ")");
        }
        col = ref->col;
      }
      if (col > kMaxColumns) RefuseCell({row.index, col}, "は列の範囲外です");
      if (col <= last_col) continue;  // out of order or repeated: Excel would reject it
      last_col = col;
      row.cells.push_back(LoadCell(c, {row.index, col}));
    }
    widest_row_ = std::max(widest_row_, row.cells.size());
    rows_.push_back(std::move(row));
  }
}

void SheetData::AppendXml(std::string& out, const std::vector<uint32_t>& sst_map) const {
  for (const Row& row : rows_) {
    out += "<row r=\"";
    AppendNumber(out, row.index);
    out += '"';
    if (row.styled) {
      out += " s=\"";
      AppendNumber(out, row.style);
      out += "\" customFormat=\"1\"";
    }
    out += row.attrs;
    if (row.cells.empty()) {
      out += "/>";
      continue;
    }
    out += '>';
    for (const Cell& cell : row.cells) {
      AppendCellStart(out, cell, row.index);
      out += cell.attrs();
      if (cell.formula().empty() && cell.children().empty() &&
          (cell.kind == CellKind::kEmpty || cell.kind == CellKind::kInlineString)) {
        out += "/>";
        continue;
      }
      out += '>';
      out += cell.formula();
      if (cell.kind == CellKind::kSharedString) {
        out += "<v>";
        AppendNumber(out, cell.sst < sst_map.size() ? sst_map[cell.sst] : cell.sst);
        out += "</v>";
      } else if (cell.kind != CellKind::kEmpty && cell.kind != CellKind::kInlineString) {
        out += "<v>";
        AppendEscaped(out, cell.value);
        out += "</v>";
      }
      out += cell.children();
      out += "</c>";
    }
    out += "</row>";
  }
}

size_t SheetData::XmlSizeHint() const {
  constexpr size_t kRowBytes = 24;   // <row r="123"></row>
  constexpr size_t kCellBytes = 40;  // <c r="AB123" s="12" t="s"><v>1234</v></c>
  size_t bytes = 0;
  for (const Row& row : rows_) {
    bytes += kRowBytes + row.attrs.size() + row.cells.size() * kCellBytes;
    for (const Cell& cell : row.cells) bytes += cell.value.size();
  }
  return bytes;
}

const Cell* SheetData::Find(CellRef ref) const {
  auto row = std::lower_bound(rows_.begin(), rows_.end(), ref.row,
                              [](const Row& r, uint32_t index) { return r.index < index; });
  if (row == rows_.end() || row->index != ref.row) return nullptr;
  auto cell = std::lower_bound(row->cells.begin(), row->cells.end(), ref.col,
                               [](const Cell& c, uint32_t col) { return c.col < col; });
  if (cell == row->cells.end() || cell->col != ref.col) return nullptr;
  return &*cell;
}

namespace {
// A row filled one cell at a time first takes room for about as many cells as the widest row
// so far (a table's rows are as wide as its heading), within these bounds.
constexpr size_t kFewestFirstCells = 4;
constexpr size_t kMostFirstCells = 64;
}  // namespace

Cell& SheetData::Ensure(CellRef ref, const std::function<uint32_t(uint32_t col)>& column_style) {
  auto row = std::lower_bound(rows_.begin(), rows_.end(), ref.row,
                              [](const Row& r, uint32_t index) { return r.index < index; });
  if (row == rows_.end() || row->index != ref.row) {
    Row fresh;
    fresh.index = ref.row;
    row = rows_.insert(row, std::move(fresh));
  }
  auto cell = std::lower_bound(row->cells.begin(), row->cells.end(), ref.col,
                               [](const Cell& c, uint32_t col) { return c.col < col; });
  if (cell == row->cells.end() || cell->col != ref.col) {
    Cell fresh;
    fresh.col = ref.col;
    fresh.style = row->styled ? row->style : (column_style ? column_style(ref.col) : 0);
    if (row->cells.size() == row->cells.capacity()) {
      const ptrdiff_t at = cell - row->cells.begin();
      const size_t first = std::clamp(widest_row_, kFewestFirstCells, kMostFirstCells);
      row->cells.reserve(std::max(first, 2 * row->cells.size()));
      cell = row->cells.begin() + at;
    }
    cell = row->cells.insert(cell, std::move(fresh));
    widest_row_ = std::max(widest_row_, row->cells.size());
  }
  return *cell;
}

uint32_t SheetData::LastUsedRow() const {
  for (auto row = rows_.rbegin(); row != rows_.rend(); ++row) {
    bool shaped = row->attrs.find("customHeight=\"1\"") != std::string::npos ||
                  row->attrs.find("customHeight=\"true\"") != std::string::npos ||
                  row->attrs.find("hidden=\"1\"") != std::string::npos ||
                  row->attrs.find("hidden=\"true\"") != std::string::npos;
    if (!row->cells.empty() || row->styled || shaped) return row->index;
  }
  return 0;
}

uint32_t SheetData::LastUsedColumn() const {
  uint32_t last = 0;
  for (const Row& row : rows_) {
    if (!row.cells.empty()) last = std::max(last, row.cells.back().col);
  }
  return last;
}

std::string SheetData::Dimension() const {
  uint32_t first_row = 0, last_row = 0, first_col = kMaxColumns + 1, last_col = 0;
  for (const Row& row : rows_) {
    if (row.cells.empty()) continue;
    if (first_row == 0) first_row = row.index;
    last_row = row.index;
    first_col = std::min(first_col, row.cells.front().col);
    last_col = std::max(last_col, row.cells.back().col);
  }
  if (first_row == 0) return "A1";
  std::string first = FormatCellRef({first_row, first_col});
  std::string last = FormatCellRef({last_row, last_col});
  return first == last ? first : first + ":" + last;
}

std::string CellText(const Cell& cell, const SharedStrings& strings, const StyleSheet& styles,
                     bool date1904) {
  switch (cell.kind) {
    case CellKind::kEmpty:
      return "";
    case CellKind::kSharedString:
      return cell.sst < strings.size() ? strings.Text(cell.sst) : "";
    case CellKind::kInlineString:
      return cell.value;
    case CellKind::kBoolean:
      return cell.value == "1" || cell.value == "true" ? "TRUE" : "FALSE";
    case CellKind::kError:
      return cell.value;
    case CellKind::kFormulaString:
      return DecodeXString(cell.value);
    case CellKind::kIsoDate:
      return IsoDateToText(cell.value);
    case CellKind::kNumber: {
      std::optional<double> number = ParseNumber(cell.value);
      if (!number) return cell.value;
      if (styles.IsDateStyle(cell.style)) return DateSerialToText(*number, date1904);
      return NumberToText(*number);
    }
  }
  return "";
}

void SetCellText(Cell& cell, std::string_view text, SharedStrings& strings,
                 const StyleSheet& styles) {
  cell.ClearXml();
  cell.value.clear();
  if (text.empty()) {
    cell.kind = CellKind::kEmpty;
    return;
  }
  // A date or text format would show a number differently from the text that was written.
  bool keep_as_text = styles.IsTextStyle(cell.style) || styles.IsDateStyle(cell.style);
  if (!keep_as_text && IsPlainWholeNumber(text)) {
    cell.kind = CellKind::kNumber;
    cell.value = std::string(text);
    return;
  }
  std::optional<double> number = keep_as_text ? std::nullopt : ParseNumber(text);
  if (number && NumberToText(*number) == text) {
    cell.kind = CellKind::kNumber;
    cell.value = std::string(text);
    return;
  }
  cell.kind = CellKind::kSharedString;
  cell.sst = strings.AddPlain(text);
}

}  // namespace morvane::xlsx
