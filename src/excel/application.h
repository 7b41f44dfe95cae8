// The Excel operations of Morvane, over workbook files. "Excel" is the set of workbooks the
// user has opened in Morvane; the active workbook is the one opened or activated last. All
// text arguments and results are CP932 except file paths, which are UTF-8. Every operation
// reports failure by throwing ExcelError.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "excel/worksheet.h"

namespace morvane::xlsx {
class Workbook;
}

namespace morvane::excel {

class ExcelApplication;
class Workbooks;

class Worksheets {
 public:
  explicit Worksheets(Workbook* book) : book_(book) {}
  int Count() const;
  // Worksheets(n), 1-based, counting worksheets only.
  Worksheet Item(int index) const;
  // Worksheets(name).
  Worksheet Item(const std::string& name) const;

 private:
  Workbook* book_;
};

class Workbook {
 public:
  Workbook(ExcelApplication* app, std::unique_ptr<xlsx::Workbook> engine, std::string name,
           std::string path);
  ~Workbook();

  // The file name ("テーブル定義.xlsx"), or "Book1" for a workbook never saved.
  std::string Name() const;
  // The full path of the file (UTF-8), empty when never saved.
  const std::string& Path() const { return path_; }
  excel::Worksheets Worksheets() { return excel::Worksheets(this); }
  // The sheet shown when the workbook is active; fails when it is not a worksheet.
  Worksheet ActiveSheet();
  // Makes this the active workbook.
  void Activate();
  void Save();
  void SaveAs(const std::string& path_utf8);
  // What could not be carried over into this workbook when sheets were copied in, each reason
  // once.
  std::vector<std::string> CarryOverNotices() const;

  ExcelApplication& Application() const { return *app_; }
  xlsx::Workbook& engine() { return *engine_; }
  const xlsx::Workbook& engine() const { return *engine_; }

 private:
  friend class excel::Workbooks;
  ExcelApplication* app_;
  std::unique_ptr<xlsx::Workbook> engine_;
  std::string name_utf8_;
  std::string path_;
};

class Workbooks {
 public:
  explicit Workbooks(ExcelApplication* app) : app_(app) {}
  int Count() const;
  Workbook& Item(int index) const;  // 1-based, in opening order
  Workbook& Item(const std::string& name) const;
  // A new workbook of SheetsInNewWorkbook empty sheets, named Book1, Book2, ...; it becomes
  // the active workbook.
  Workbook& Add();
  // Opens a workbook file (or activates it when it is open already); it becomes active.
  Workbook& Open(const std::string& path_utf8);
  // Opens the bundled table-definition template (unsaved, named "default.xlsx").
  Workbook& OpenDefaultTemplate();
  // Closes a workbook without saving it.
  void Close(Workbook& book);

 private:
  ExcelApplication* app_;
};

class ExcelApplication {
 public:
  ExcelApplication();
  ~ExcelApplication();
  ExcelApplication(const ExcelApplication&) = delete;
  ExcelApplication& operator=(const ExcelApplication&) = delete;

  excel::Workbooks Workbooks() { return excel::Workbooks(this); }
  // Fail when no workbook is open (as Excel fails when it has none).
  Workbook& ActiveWorkbook();
  Worksheet ActiveSheet();

  bool ScreenUpdating() const { return screen_updating_; }
  void SetScreenUpdating(bool on) { screen_updating_ = on; }
  bool DisplayAlerts() const { return display_alerts_; }
  void SetDisplayAlerts(bool on) { display_alerts_ = on; }
  int SheetsInNewWorkbook() const { return sheets_in_new_workbook_; }
  // 1 to 255, as Excel allows.
  void SetSheetsInNewWorkbook(int count);

 private:
  friend class excel::Workbooks;
  friend class Workbook;
  Workbook& Adopt(std::unique_ptr<Workbook> book);

  std::vector<std::unique_ptr<Workbook>> books_;
  Workbook* active_ = nullptr;
  int next_book_number_ = 1;
  bool screen_updating_ = true;
  bool display_alerts_ = true;
  int sheets_in_new_workbook_ = 1;
};

}  // namespace morvane::excel
