// The Excel output: table-definition sheets of catalogue records, or ER diagrams of ER sheets,
// written into a new workbook made of copies of the template sheet the user confirms (the
// sheet active in Excel). The template itself is never written; the new workbook stays open,
// unsaved, among the workbooks of the ExcelApplication.
//
// Every question and message goes through the prompt, progress through IProgress; the
// program around the output supplies the two actions that need its windows (OutputHooks).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "excel/application.h"
#include "model/catalogue_store.h"
#include "model/progress.h"
#include "model/prompt.h"

namespace morvane::excel {

struct OutputHooks {
  // The user agreed to open a sheet ("新規のExcelシートか…" answered OK, or Retry after the
  // not-running warning). The GUI lets the user open a workbook file or the default template in
  // its workbook window; the command line opens its template. The question is then asked again
  // about the sheet active afterwards. May be empty.
  std::function<void()> openSheet;
  // The template rejected an output address ("フォーマットが不正です。" was shown): the GUI
  // shows the format settings dialog modeless. May be empty.
  std::function<void()> showFormat;
};

enum class OutputEnd {
  kCancelled,  // the user stopped at a question (or chose no ER sheet); nothing was written
  kFinished,   // "終了しました。" was shown
  kFailed,     // "出力に失敗しました。" was shown (the format check failed)
};

struct OutputResult {
  OutputEnd end = OutputEnd::kCancelled;
  // The new workbook once it was made, also when the output failed after making it.
  Workbook* book = nullptr;
  // The template sheet the output copied, once confirmed.
  std::optional<Worksheet> format;
};

class ExcelOutput {
 public:
  ExcelOutput(ExcelApplication& app, IPrompt& prompt, IProgress& progress, OutputHooks hooks);

  // Table output of `records` (the selected rows of the table list, top to bottom; for data
  // kind 5 the one record of the last query) of data kind `dataKind`, placed by the store's
  // item lists and format settings. An Excel failure after the format check ends the output
  // with "出力に失敗しました。" and the clean-up, and is then thrown on (ExcelError) for the
  // program's general error report; the sheets written so far stay in the new workbook.
  OutputResult WriteTables(const TCatalogueStore& store, DataKind dataKind,
                           const std::vector<const TTableRec*>& records);

  // ER output of the sheets whose names are in `chosenSheets` (one output sheet per match, in
  // the diagram's sheet order). Nothing chosen ends silently. Failures as for WriteTables.
  OutputResult WriteERSheets(const TCatalogueStore& store,
                             const std::vector<std::string>& chosenSheets);

 private:
  class Run;
  OutputResult Output(int total, const std::function<bool(const Worksheet&)>& check,
                      const std::function<void(Run&)>& write);

  ExcelApplication& app_;
  IPrompt& prompt_;
  IProgress& progress_;
  OutputHooks hooks_;
};

}  // namespace morvane::excel
