// The Excel import: table definitions read back from sheets of the active workbook, one
// record of data kind 1 per sheet, laid out as the import layout says.
//
// The steps are split so that the GUI and the command-line tool can each put their own
// dialog or arguments between them:
//   1. AttachImportSource: which workbook to read, confirmed by the user;
//   2. (the caller) the sheets to read and the layout, stored into the document;
//   3. ImportSheets: the records.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue_store.h"
#include "model/progress.h"
#include "model/prompt.h"

namespace morvane::excel {

class ExcelApplication;
class Workbook;

// Lets the user open the workbook to import (it becomes the active workbook). Whether or not a
// workbook was opened, the user is asked again afterwards.
using OpenWorkbookFn = std::function<void()>;

// The column size in bytes by the rules of a product (data type, length or precision, scale),
// as decimal text. The database layer's ColumnByteSize fits.
using ColumnSizeFn = std::function<std::string(Product product, std::string_view type,
                                               std::string_view length, std::string_view scale)>;

// Asks which workbook to import from, starting with the active one. Returns the workbook the
// user confirmed, or null when the user stopped.
Workbook* AttachImportSource(ExcelApplication& excel, IPrompt& prompt,
                             const OpenWorkbookFn& open_workbook);

struct ImportOutcome {
  // The import ran to its end (an end chosen at the overwrite question included).
  bool completed = false;
  // Records appended to data kind 1; they stay in the document even when the import failed.
  int appended = 0;
  // Sheets whose table name cell held a name (whether or not the user let them replace a
  // record): none means the layout found nothing to read.
  int named = 0;
  // Records taken out of data kind 1 because a sheet replaced them. They are kept alive here
  // so that no list row or tree node is left pointing at freed memory: refresh the views,
  // then let the outcome go.
  std::vector<std::unique_ptr<TTableRec>> replaced;
  // Why the import failed (UTF-8), when it did not complete.
  std::string error;
};

struct ImportContext {
  IPrompt& prompt;
  IProgress& progress;
  ColumnSizeFn column_size;
};

// Reads the named sheets (CP932 names, in the order given) of `book` by the document's import
// layout and appends one record per sheet to data kind 1. Asks before replacing a record of the
// same name; reports success with an information message. A failure of the workbook ends the
// import with what was appended kept, and is returned rather than shown, so the caller can show
// the new records before reporting it. Screen updating is off while it runs.
ImportOutcome ImportSheets(TCatalogueStore& store, Workbook& book,
                           const std::vector<std::string>& sheet_names,
                           const ImportContext& context);

// The message shown for a failed import: "Excelファイルのインポートに失敗しました。" and the
// reason (CP932).
std::string ImportFailureText(const ImportOutcome& outcome);

}  // namespace morvane::excel
