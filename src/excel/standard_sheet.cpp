#include "excel/standard_sheet.h"

#include "model/standard_layout.h"
#include "text/codec.h"

namespace morvane::excel {
namespace {

constexpr std::string_view kStandardSheets[] = {kStandardTableSheet, kStandardListSheet,
                                                kStandardIndexSheet, kStandardTableIndexSheet,
                                                kStandardERSheet};

bool IsStandardSheet(const std::string& utf8) {
  for (std::string_view name : kStandardSheets) {
    if (utf8 == name) return true;
  }
  return false;
}

}  // namespace

std::string_view StandardSheetFor(DataKind dataKind, bool oneSheet, bool er) {
  if (er) return kStandardERSheet;
  switch (dataKind) {
    case DataKind::Excel:
    case DataKind::Table:
      return oneSheet ? kStandardListSheet : kStandardTableSheet;
    case DataKind::Index:
      return kStandardIndexSheet;
    case DataKind::TableIndex:
      return kStandardTableIndexSheet;
    default:
      return {};
  }
}

void OfferStandardSheet(ExcelApplication& app, std::string_view wanted) {
  if (wanted.empty()) return;
  try {
    Workbook& book = app.ActiveWorkbook();
    Worksheet active = book.ActiveSheet();
    const std::string active_name = ToUtf8(active.Name());
    if (active_name == wanted || !IsStandardSheet(active_name)) return;
    book.Worksheets().Item(ToCp932(wanted)).Activate();
  } catch (const std::exception&) {
    // No workbook, or it lacks that sheet: the active sheet stays the one offered.
  }
}

void TemplateMemory::Remember(const OutputResult& result) {
  if (!result.format || result.book == nullptr) return;
  template_ = result.format;
  writtenBook_ = result.book->Name();
}

void TemplateMemory::OfferAgain(ExcelApplication& app) const {
  if (!template_) return;
  try {
    if (app.ActiveWorkbook().Name() != writtenBook_) return;
    template_->Lock();  // fails once its workbook is closed
    template_->Parent().Activate();
    template_->Activate();
  } catch (const std::exception&) {
    // Nothing open, or the template was closed: the active sheet stays the one offered.
  }
}

}  // namespace morvane::excel
