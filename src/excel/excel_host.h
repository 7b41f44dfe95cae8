// How the Excel output and import reach "Excel": the workbooks open in the program. The GUI's
// workbook window is the host there; a command-line run hosts a session without a user.
#pragma once

#include "excel/application.h"

namespace morvane::excel {

class IExcelHost {
 public:
  virtual ~IExcelHost() = default;

  // The program's one Excel application, with or without open workbooks.
  virtual ExcelApplication& Application() = 0;
  // Lets the user open a workbook (the template, or the workbook to import from) after a
  // question told them to; true when a workbook was opened.
  virtual bool LetUserOpenWorkbook() = 0;
  // Shows the workbooks as they are after the operations changed them (a workbook added,
  // sheets copied, renamed or deleted, another sheet made active).
  virtual void Refresh() = 0;

  // Attach: the application, failing with ExcelError when no workbook is open.
  ExcelApplication& Attach();
  // Application ActiveSheet and ActiveWorkbook after attaching; each fails when there is none.
  Worksheet ActiveSheet() { return Attach().ActiveSheet(); }
  Workbook& ActiveWorkbook() { return Attach().ActiveWorkbook(); }
  // Workbooks.Add, followed by Refresh. The new workbook is active and counts as an output
  // workbook until it is saved.
  Workbook& AddWorkbook();
};

}  // namespace morvane::excel
