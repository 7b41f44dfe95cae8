// The workbooks open in the program and what the program knows about them beyond Excel's own
// operations: which came from the bundled template, and which the program made and never
// saved (those are the ones closing asks to save). Owns the one ExcelApplication.
#pragma once

#include <string>
#include <vector>

#include "excel/application.h"
#include "excel/excel_host.h"

namespace morvane::excel {

class WorkbookSession {
 public:
  ExcelApplication& Application() { return app_; }

  // Every open workbook, in opening order.
  std::vector<Workbook*> Books();
  Workbook& Open(const std::string& path_utf8);
  Workbook& OpenDefaultTemplate();
  // Saves to the workbook's own file; fails for a workbook never saved.
  void Save(Workbook& book);
  // Saves under a new path. Fails when another open workbook has that file, as Excel refuses
  // two open workbooks of one file.
  void SaveAs(Workbook& book, const std::string& path_utf8);
  void Close(Workbook& book);

  // A workbook the program made (Workbooks.Add, by the output) that has never been saved.
  bool IsUnsavedOutput(const Workbook& book) const;
  std::vector<Workbook*> UnsavedOutputs();

 private:
  ExcelApplication app_;
  // Workbooks opened from the bundled template: never saved, yet nothing to lose.
  std::vector<const Workbook*> templates_;
};

// A host for runs without a user: nothing to show, and no one to open a workbook.
class SessionHost : public IExcelHost {
 public:
  explicit SessionHost(WorkbookSession& session) : session_(session) {}
  ExcelApplication& Application() override { return session_.Application(); }
  bool LetUserOpenWorkbook() override { return false; }
  void Refresh() override {}

 private:
  WorkbookSession& session_;
};

}  // namespace morvane::excel
