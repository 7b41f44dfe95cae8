#include "output_scenario.h"

#include "excel/excel_error.h"
#include "excel/output_er.h"
#include "excel/output_sheet_name.h"
#include "text/codec.h"

namespace morvane::excel::testing {
namespace {

// CP932 characters of text, each one or two bytes.
std::vector<std::string> SplitCharacters(const std::string& cp932) {
  std::vector<std::string> chars;
  for (size_t i = 0; i < cp932.size();) {
    size_t len = IsCp932LeadByte(static_cast<unsigned char>(cp932[i])) ? 2 : 1;
    chars.push_back(cp932.substr(i, len));
    i += len;
  }
  return chars;
}

}  // namespace

std::string NumberedName(const std::string& tried, int n) { return NumberedSheetName(tried, n); }

Workbook& WriteTables(ExcelApplication& app, const Worksheet& format,
                      const std::vector<TableSheet>& tables,
                      const std::vector<std::string>& headings, int start_row) {
  app.SetScreenUpdating(false);
  app.SetDisplayAlerts(false);
  int remembered = app.SheetsInNewWorkbook();
  app.SetSheetsInNewWorkbook(1);
  Workbook& book = app.Workbooks().Add();
  bool first_sheet = true;
  for (const TableSheet& table : tables) {
    format.Copy(book.Worksheets().Item(book.Worksheets().Count()));
    Worksheet sheet = app.ActiveSheet();
    if (first_sheet) {
      first_sheet = false;
      book.Worksheets().Item(1).Delete();
    }
    std::vector<std::string> chars = SplitCharacters(table.name);
    std::string name;
    for (size_t i = 0; i < chars.size() && i < 31; ++i) name += chars[i];
    for (int n = 2;; ++n) {
      try {
        sheet.SetName(name);
        break;
      } catch (const ExcelError&) {
        name = NumberedName(name, n);
      }
    }
    for (size_t i = 0; i < table.table_values.size(); ++i) {
      sheet.Range(std::string(1, static_cast<char>('A' + i)) + "1").SetValue(table.table_values[i]);
    }
    for (size_t c = 0; c < headings.size(); ++c) {
      std::string column(1, static_cast<char>('A' + c));
      int row = start_row;
      sheet.Range(column + std::to_string(row++)).SetValue(headings[c]);
      for (const auto& values : table.rows) {
        sheet.Range(column + std::to_string(row++)).SetValue(c < values.size() ? values[c] : "");
      }
    }
  }
  if (remembered > 0) app.SetSheetsInNewWorkbook(remembered);
  app.SetDisplayAlerts(true);
  app.SetScreenUpdating(true);
  return book;
}

void PutTextInPieces(const Shape& box, const std::string& text) {
  excel::PutTextInPieces(box, text);
}

std::vector<Shape> DrawDiagram(const Worksheet& sheet, const std::vector<ErBox>& boxes,
                               const std::vector<ErLine>& lines, int line_type) {
  std::vector<Shape> shapes;
  for (const ErBox& box : boxes) {
    Shape shape = sheet.Shapes().AddTextbox(1, box.left, box.top, box.width, box.height);
    shape.Shadow().SetType(6);
    excel::PutTextInPieces(shape, box.text);
    shapes.push_back(shape);
  }
  for (const ErLine& line : lines) {
    Shape connector = sheet.Shapes().AddConnector(line_type, 0, 0, 0, 0);
    connector.ConnectorFormat().BeginConnect(shapes[static_cast<size_t>(line.from)],
                                             line.from_side);
    connector.ConnectorFormat().EndConnect(shapes[static_cast<size_t>(line.to)], line.to_side);
  }
  return shapes;
}

}  // namespace morvane::excel::testing
