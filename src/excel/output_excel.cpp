#include "excel/output_excel.h"

#include <utility>

#include "excel/excel_error.h"
#include "excel/output_confirm.h"
#include "excel/output_er.h"
#include "excel/output_messages.h"
#include "excel/output_sheet_name.h"
#include "excel/output_tables.h"
#include "text/codec.h"

namespace morvane::excel {

// One output in progress: the template, the new workbook and the progress count.
class ExcelOutput::Run {
 public:
  Run(ExcelApplication& app, IProgress& progress, Worksheet format, Workbook& book)
      : app_(app), progress_(progress), format_(std::move(format)), book_(book) {}

  // A copy of the template after the new workbook's last sheet; the workbook's blank sheet
  // goes once the first copy is in.
  Worksheet NewSheet() {
    format_.Copy(book_.Worksheets().Item(book_.Worksheets().Count()));
    Worksheet sheet = app_.ActiveSheet();
    if (first_sheet_) {
      first_sheet_ = false;
      book_.Worksheets().Item(1).Delete();
    }
    return sheet;
  }

  void Advance() { progress_.Step(++done_); }

 private:
  ExcelApplication& app_;
  IProgress& progress_;
  Worksheet format_;
  Workbook& book_;
  bool first_sheet_ = true;
  int done_ = 0;
};

ExcelOutput::ExcelOutput(ExcelApplication& app, IPrompt& prompt, IProgress& progress,
                         OutputHooks hooks)
    : app_(app), prompt_(prompt), progress_(progress), hooks_(std::move(hooks)) {}

OutputResult ExcelOutput::Output(int total, const std::function<bool(const Worksheet&)>& check,
                                 const std::function<void(Run&)>& write) {
  std::optional<Worksheet> format = ConfirmFormatSheet(app_, prompt_, hooks_.openSheet);
  if (!format) return {};

  OutputResult result;
  result.end = OutputEnd::kFailed;
  result.format = format;
  progress_.Begin(std::string(kActivityExcelOutput), total);
  app_.SetScreenUpdating(false);
  app_.SetDisplayAlerts(false);
  const int remembered = app_.SheetsInNewWorkbook();

  bool finished = false;
  auto clean_up = [&] {
    if (!finished) prompt_.Error(ToCp932(kMsgOutputFailed));
    if (remembered > 0) app_.SetSheetsInNewWorkbook(remembered);
    app_.SetDisplayAlerts(true);
    app_.SetScreenUpdating(true);
    progress_.End();
  };
  try {
    app_.SetSheetsInNewWorkbook(1);
    if (check(*format)) {
      Workbook& book = app_.Workbooks().Add();
      result.book = &book;
      Run run(app_, progress_, *format, book);
      write(run);
      prompt_.Inform(ToCp932(kMsgOutputFinished));
      finished = true;
      result.end = OutputEnd::kFinished;
    }
  } catch (...) {
    clean_up();
    throw;
  }
  clean_up();
  return result;
}

OutputResult ExcelOutput::WriteTables(const TCatalogueStore& store, DataKind dataKind,
                                      const std::vector<const TTableRec*>& records) {
  if (!IsDataKind(dataKind)) throw ExcelError("出力するデータの種類がありません");
  const size_t k = DataKindIndex(dataKind);
  const bool sql = dataKind == DataKind::Sql;
  const bool one_sheet = store.formatSettings.tableOneSheet[k] != 0;

  int total = static_cast<int>(records.size());
  if (sql) {
    size_t rows = 0;
    for (const TTableRec* record : records) rows += record->columns.size();
    total = static_cast<int>(rows * store.Items(dataKind, kItemLevelColumn).size());
  }

  auto check = [&](const Worksheet& format) {
    try {
      for (const std::string& address : TableOutputAddresses(store, dataKind)) {
        format.Range(address).Value();
      }
      return true;
    } catch (const ExcelError&) {
      prompt_.Warn(ToCp932(kMsgFormatInvalid));
      if (hooks_.showFormat) hooks_.showFormat();
      return false;
    }
  };
  auto write = [&](Run& run) {
    std::optional<Worksheet> sheet;
    int row = store.formatSettings.tableStartRow[k];
    for (const TTableRec* record : records) {
      if (!sql) run.Advance();
      if (!one_sheet || !sheet) sheet = run.NewSheet();
      if (one_sheet) {
        WriteOneSheetRow(*sheet, store, dataKind, *record, row);
        continue;
      }
      if (!sql) NameOutputSheet(*sheet, record->name);
      WriteOwnSheet(*sheet, store, dataKind, *record, [&] {
        if (sql) run.Advance();
      });
      sheet->FitPrintLayout();
    }
    if (one_sheet && sheet) sheet->FitPrintLayout();
  };
  return Output(total, check, write);
}

OutputResult ExcelOutput::WriteERSheets(const TCatalogueStore& store,
                                        const std::vector<std::string>& chosenSheets) {
  if (chosenSheets.empty()) return {};
  auto write = [&](Run& run) {
    for (const auto& er : store.er.sheets) {
      for (const std::string& chosen : chosenSheets) {
        if (chosen != er->name) continue;
        run.Advance();
        Worksheet sheet = run.NewSheet();
        NameOutputSheet(sheet, er->name);
        // A diagram prints whole: a print area of the template's cells would cut boxes off.
        sheet.ClearPrintArea();
        DrawERSheet(sheet, *er, store.formatSettings);
      }
    }
  };
  return Output(
      static_cast<int>(chosenSheets.size()), [](const Worksheet&) { return true; }, write);
}

}  // namespace morvane::excel
