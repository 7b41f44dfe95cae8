#include "import_fixture.h"

#include <algorithm>

#include "text/codec.h"

namespace morvane::excel::testing {

Workbook& AddBook(ExcelApplication& app, const std::vector<SheetContent>& sheets) {
  app.SetSheetsInNewWorkbook(std::max<int>(1, static_cast<int>(sheets.size())));
  Workbook& book = app.Workbooks().Add();
  for (size_t i = 0; i < sheets.size(); ++i) {
    Worksheet sheet = book.Worksheets().Item(static_cast<int>(i) + 1);
    sheet.SetName(ToCp932(sheets[i].name));
    for (const auto& [address, text] : sheets[i].cells)
      sheet.Range(address).SetValue(ToCp932(text));
  }
  return book;
}

}  // namespace morvane::excel::testing
