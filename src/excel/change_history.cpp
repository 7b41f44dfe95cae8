#include "excel/change_history.h"

#include <ctime>
#include <filesystem>
#include <memory>

#include "diff/change_format.h"
#include "excel/default_template.h"
#include "xlsx/error.h"
#include "xlsx/workbook.h"

namespace morvane::excel {
namespace {

constexpr uint32_t kHistoryColumns = 7;

// The template's history sheet, or an error.
xlsx::Worksheet& TemplateSheet(xlsx::Workbook& templateBook) {
  xlsx::Worksheet* sheet = templateBook.FindSheet(kHistorySheetName);
  if (!sheet) throw xlsx::Error("テンプレートに「変更履歴」シートがありません");
  return *sheet;
}

// The workbook at `path` with a history sheet: the file itself, or the template reduced to
// that sheet when the file does not exist yet.
std::unique_ptr<xlsx::Workbook> HistoryBook(const std::string& path,
                                            std::string_view templateBytes) {
  std::unique_ptr<xlsx::Workbook> templateBook = xlsx::Workbook::FromBytes(templateBytes);
  if (!std::filesystem::exists(path)) {
    xlsx::Worksheet& keep = TemplateSheet(*templateBook);
    while (templateBook->SheetCount() > 1) {
      const size_t drop = &templateBook->Sheet(0) == &keep ? 1 : 0;
      templateBook->Delete(templateBook->Sheet(drop));
    }
    templateBook->Activate(0);
    return templateBook;
  }
  std::unique_ptr<xlsx::Workbook> book = xlsx::Workbook::Open(path);
  if (!book->FindSheet(kHistorySheetName)) {
    book->CopySheet(*templateBook, TemplateSheet(*templateBook), book->SheetCount());
  }
  return book;
}

// The last row with text in one of the history columns (0 for an empty sheet).
uint32_t LastFilledRow(const xlsx::Workbook& book, const xlsx::Worksheet& sheet) {
  for (uint32_t row = sheet.LastUsedRow(); row > 0; --row) {
    for (uint32_t col = 1; col <= kHistoryColumns; ++col) {
      if (!book.CellText(sheet, {row, col}).empty()) return row;
    }
  }
  return 0;
}

void WriteRow(xlsx::Workbook& book, xlsx::Worksheet& sheet, uint32_t row,
              const diff::TChange& change, std::string_view date) {
  const std::string values[kHistoryColumns] = {
      std::string(date),
      std::string(diff::ChangeCaption(change.change)),
      std::string(diff::ObjectCaption(change.object)),
      diff::ChangeText(change.fullName),
      diff::ChangeText(change.item),
      diff::ChangeText(change.oldValue),
      diff::ChangeText(change.newValue),
  };
  for (uint32_t col = 1; col <= kHistoryColumns; ++col) {
    book.SetCellText(sheet, {row, col}, values[col - 1]);
  }
}

}  // namespace

HistoryWriteResult AppendChangeHistory(const std::string& path, const diff::ChangeList& changes,
                                       std::string_view date, std::string_view templateBytes) {
  HistoryWriteResult result;
  try {
    std::unique_ptr<xlsx::Workbook> book =
        HistoryBook(path, templateBytes.empty() ? DefaultTemplateBytes() : templateBytes);
    xlsx::Worksheet& sheet = *book->FindSheet(kHistorySheetName);
    const uint32_t first = LastFilledRow(*book, sheet) + 1;
    if (first + changes.size() > xlsx::kMaxRows) {
      throw xlsx::Error("「変更履歴」シートの行数が Excel の上限を超えます");
    }
    uint32_t row = first;
    for (const diff::TChange& change : changes) WriteRow(*book, sheet, row++, change, date);
    book->Save(path);
    result.ok = true;
    result.firstRow = static_cast<int>(first);
    result.rowsWritten = static_cast<int>(changes.size());
  } catch (const std::exception& e) {
    result.error = e.what();
  }
  return result;
}

std::string TodayText() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

}  // namespace morvane::excel
