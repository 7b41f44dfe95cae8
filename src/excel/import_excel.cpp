#include "excel/import_excel.h"

#include <algorithm>
#include <exception>

#include "excel/application.h"
#include "excel/excel_error.h"
#include "excel/import_values.h"
#include "excel/output_messages.h"
#include "excel/text_boundary.h"
#include "excel/worksheet.h"
#include "model/data_kind.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane::excel {
namespace {

// One cell of a sheet as the import reads it: its text without surrounding blanks, or "" when
// the layout leaves the column out.
std::string ReadCell(const Worksheet& sheet, const std::string& column, int row) {
  if (column.empty()) return {};
  return TrimBlanks(sheet.Range(column + std::to_string(row)).Value());
}

bool AskToOpenWorkbook(IPrompt& prompt) {
  const std::string text = ToCp932("インポートするExcelファイルを開いてください。") + "\r\n" +
                           ToCp932("よろしいですか？");
  return prompt.Ask(PromptKind::kConfirm, text, {PromptButton::kOk, PromptButton::kCancel},
                    PromptButton::kOk, PromptButton::kCancel) == PromptButton::kOk;
}

// The not-running warning (OK and Retry): true for Retry.
bool AskToRetry(IPrompt& prompt) {
  return prompt.Ask(PromptKind::kWarning, ToCp932(kMsgExcelNotAvailable),
                    {PromptButton::kOk, PromptButton::kRetry}, PromptButton::kOk,
                    PromptButton::kOk) == PromptButton::kRetry;
}

Workbook* ActiveWorkbookOrNull(ExcelApplication& excel) {
  try {
    return &excel.ActiveWorkbook();
  } catch (const ExcelError&) {
    return nullptr;
  }
}

// What the overwrite question leads to for one sheet.
enum class Overwrite { kReplace, kSkipSheet, kStopImport };

Overwrite AskOverwrite(IPrompt& prompt, const std::string& table_name, bool& overwrite_all) {
  if (overwrite_all) return Overwrite::kReplace;
  const std::string text = table_name + "\r\n" + ToCp932("既に同名のテーブルが存在します。") +
                           "\r\n" + ToCp932("上書きしますか？");
  switch (
      prompt.Ask(PromptKind::kConfirm, text,
                 {PromptButton::kYes, PromptButton::kNo, PromptButton::kCancel, PromptButton::kAll},
                 PromptButton::kYes, PromptButton::kCancel)) {
    case PromptButton::kAll:
      overwrite_all = true;
      return Overwrite::kReplace;
    case PromptButton::kYes:
      return Overwrite::kReplace;
    case PromptButton::kNo:
      return Overwrite::kSkipSheet;
    default:
      return Overwrite::kStopImport;
  }
}

// Builds the records of sheets, one at a time.
class SheetReader {
 public:
  SheetReader(const TCatalogueStore& store, const ColumnSizeFn& column_size)
      : layout_(store.importLayout),
        product_(store.product),
        column_size_(column_size),
        normalise_(!layout_.dataTypeColumn.empty() && !layout_.lengthColumn.empty() &&
                   !layout_.scaleColumn.empty()) {}

  std::unique_ptr<TTableRec> Read(const Worksheet& sheet, const std::string& table_name,
                                  std::string_view number) const {
    auto record = std::make_unique<TTableRec>();
    record->name = table_name;
    const int last_row = sheet.SpecialCells(11).Row();
    long long total = 0;
    int small = 0;
    int large = 0;
    for (int row = layout_.firstItemRow; row <= last_row; ++row) {
      std::string item_name = ReadCell(sheet, layout_.itemNameColumn, row);
      if (item_name.empty()) continue;
      TColumnRow column = ReadColumn(sheet, row, record->columns.size() + 1, item_name);
      if (std::optional<long long> size = ParseSize(column.values[8])) {
        total += *size;
        if (*size >= 1 && *size <= 250) ++small;
        if (*size >= 251) ++large;
      }
      record->columns.push_back(std::move(column));
    }
    record->values = {number, table_name, std::to_string(total)};
    if (ProfileOf(product_).columnCountsBySize) {
      record->values.push_back(std::to_string(small));
      record->values.push_back(std::to_string(large));
    }
    return record;
  }

 private:
  TColumnRow ReadColumn(const Worksheet& sheet, int row, size_t number,
                        const std::string& item_name) const {
    auto cell = [&](const std::string& column) { return ReadCell(sheet, column, row); };
    const std::string type = UpperAsciiLetters(cell(layout_.dataTypeColumn));
    const std::string length = cell(layout_.lengthColumn);
    const std::string precision = cell(layout_.precisionColumn);
    const std::string scale = cell(layout_.scaleColumn);
    NormalisedLengthScale normalised;
    if (normalise_) normalised = NormaliseLengthScale(product_, type, length, precision, scale);
    const std::string size =
        layout_.sizeColumn.empty()
            ? column_size_(product_, type, normalised.length2, normalised.scale2)
            : cell(layout_.sizeColumn);
    TColumnRow column;
    column.values = {std::to_string(number),
                     item_name,
                     type,
                     length,
                     precision,
                     scale,
                     normalised.length2,
                     normalised.scale2,
                     size,
                     cell(layout_.notNullColumn),
                     cell(layout_.uniqueColumn),
                     cell(layout_.primaryKeyColumn),
                     cell(layout_.comment1Column),
                     cell(layout_.comment2Column),
                     cell(layout_.comment3Column)};
    return column;
  }

  const TImportLayout& layout_;
  Product product_;
  const ColumnSizeFn& column_size_;
  bool normalise_;
};

// Takes `old_record` out of `records`, keeping it alive in `keep`.
void TakeOut(RecordList& records, const TTableRec* old_record,
             std::vector<std::unique_ptr<TTableRec>>& keep) {
  auto it = std::find_if(records.begin(), records.end(),
                         [&](const auto& owned) { return owned.get() == old_record; });
  if (it == records.end()) return;
  keep.push_back(std::move(*it));
  records.erase(it);
}

}  // namespace

Workbook* AttachImportSource(ExcelApplication& excel, IPrompt& prompt,
                             const OpenWorkbookFn& open_workbook) {
  // The first time no workbook can be read the user is asked to open one; after that, Excel
  // itself is taken to be missing.
  bool first_attempt = true;
  for (;;) {
    Workbook* book = ActiveWorkbookOrNull(excel);
    if (book == nullptr) {
      const bool go_on = first_attempt ? AskToOpenWorkbook(prompt) : AskToRetry(prompt);
      first_attempt = false;
      if (!go_on) return nullptr;
      if (open_workbook) open_workbook();
      continue;
    }
    const std::string name = book->Name();
    const std::string question = ToCp932("「") + name + ToCp932("」からインポートします。") +
                                 "\r\n" + ToCp932("よろしいですか？");
    const PromptButton answer = prompt.AskYesNoCancel(question);
    if (answer == PromptButton::kCancel) return nullptr;
    if (answer == PromptButton::kYes) {
      // The active workbook may have changed while the question was shown.
      Workbook* now_active = ActiveWorkbookOrNull(excel);
      if (now_active == book && book->Name() == name) return book;
      continue;
    }
    first_attempt = false;
    if (!AskToOpenWorkbook(prompt)) return nullptr;
    if (open_workbook) open_workbook();
  }
}

ImportOutcome ImportSheets(TCatalogueStore& store, Workbook& book,
                           const std::vector<std::string>& sheet_names,
                           const ImportContext& context) {
  ImportOutcome outcome;
  ExcelApplication& excel = book.Application();
  excel.SetScreenUpdating(false);
  context.progress.Begin("インポート", static_cast<int>(sheet_names.size()));
  const SheetReader reader(store, context.column_size);
  RecordList& records = store.Records(DataKind::Excel);
  bool overwrite_all = false;
  int done = 0;
  try {
    for (const std::string& sheet_name : sheet_names) {
      const Worksheet sheet = book.Worksheets().Item(sheet_name);
      const std::string table_name =
          TrimBlanks(sheet.Range(store.importLayout.tableNameCell).Value());
      if (table_name.empty()) continue;
      ++outcome.named;
      auto same_name = std::find_if(records.begin(), records.end(),
                                    [&](const auto& owned) { return owned->name == table_name; });
      const TTableRec* old_record = same_name == records.end() ? nullptr : same_name->get();
      if (old_record != nullptr) {
        const Overwrite choice = AskOverwrite(context.prompt, table_name, overwrite_all);
        if (choice == Overwrite::kStopImport) break;
        if (choice == Overwrite::kSkipSheet) continue;
      }
      context.progress.Step(++done);
      const std::string number = old_record != nullptr ? std::string(old_record->values.ValueOr(0))
                                                       : std::to_string(records.size() + 1);
      std::unique_ptr<TTableRec> record = reader.Read(sheet, table_name, number);
      // The old record leaves only once its successor is complete, so a failure while reading
      // the sheet loses nothing.
      if (old_record != nullptr) TakeOut(records, old_record, outcome.replaced);
      records.push_back(std::move(record));
      ++outcome.appended;
    }
    outcome.completed = true;
  } catch (const std::exception& e) {
    outcome.error = FailureText(e);
  }
  excel.SetScreenUpdating(true);
  context.progress.End();
  if (outcome.completed) context.prompt.Inform(ToCp932("Excelファイルをインポートしました。"));
  return outcome;
}

std::string ImportFailureText(const ImportOutcome& outcome) {
  std::string text = ToCp932("Excelファイルのインポートに失敗しました。");
  CodecResult reason = Utf8ToCp932(outcome.error);
  if (reason.ok && !reason.text.empty()) text += "\r\n" + reason.text;
  return text;
}

}  // namespace morvane::excel
