#include "excel/excel_host.h"

#include "excel/excel_error.h"

namespace morvane::excel {

ExcelApplication& IExcelHost::Attach() {
  ExcelApplication& app = Application();
  if (app.Workbooks().Count() == 0) throw ExcelError("開いているブックがありません");
  return app;
}

Workbook& IExcelHost::AddWorkbook() {
  Workbook& book = Application().Workbooks().Add();
  Refresh();
  return book;
}

}  // namespace morvane::excel
