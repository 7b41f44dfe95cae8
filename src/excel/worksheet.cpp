#include "excel/worksheet.h"

#include "excel/application.h"
#include "excel/shapes.h"
#include "excel/text_boundary.h"
#include "xlsx/print_area.h"
#include "xlsx/row_heights.h"
#include "xlsx/workbook.h"

namespace morvane::excel {
namespace {

constexpr int kLastCell = 11;  // xlCellTypeLastCell

}  // namespace

std::string Range::Value() const {
  std::shared_ptr<xlsx::Worksheet> sheet = Worksheet(book_, sheet_).Lock();
  return ToDocumentText(book_->engine().CellText(*sheet, ref_));
}

void Range::SetValue(const std::string& text) const {
  std::shared_ptr<xlsx::Worksheet> sheet = Worksheet(book_, sheet_).Lock();
  std::string utf8 = ToEngineText(text);
  Guard([&] { book_->engine().SetCellText(*sheet, ref_, utf8); });
}

std::shared_ptr<xlsx::Worksheet> Worksheet::Handle() const {
  std::shared_ptr<xlsx::Worksheet> sheet = sheet_.lock();
  if (!sheet) throw ExcelError("シートは削除されたか、ブックが閉じられています");
  return sheet;
}

std::shared_ptr<xlsx::Worksheet> Worksheet::Lock() const {
  std::shared_ptr<xlsx::Worksheet> sheet = Handle();
  // The sheet's content is read from the file when first needed.
  Guard([&] { book_->engine().Read(*sheet); }, book_->Path());
  return sheet;
}

bool Worksheet::Visible() const { return Handle()->state == xlsx::SheetState::kVisible; }

void Worksheet::FitPrintLayout() const {
  std::shared_ptr<xlsx::Worksheet> sheet = Lock();
  const xlsx::Workbook& engine = book_->engine();
  Guard([&] {
    xlsx::ExtendPrintAreaToValues(*sheet);
    xlsx::FitWrappedRowHeights(*sheet, engine.styles(), engine.strings());
  });
}

void Worksheet::ClearPrintArea() const {
  std::vector<xlsx::DefinedName>& names = Lock()->local_names;
  std::erase_if(names, [](const xlsx::DefinedName& n) { return n.name == "_xlnm.Print_Area"; });
}

std::string Worksheet::Name() const { return ToDocumentText(Handle()->name); }

void Worksheet::SetName(const std::string& name) const {
  std::shared_ptr<xlsx::Worksheet> sheet = Lock();
  std::string utf8 = ToEngineText(name);
  Guard([&] { book_->engine().Rename(*sheet, utf8); });
}

void Worksheet::Copy(const Worksheet& after) const {
  std::shared_ptr<xlsx::Worksheet> sheet = Lock();
  std::shared_ptr<xlsx::Worksheet> anchor = after.Lock();
  Workbook& target = after.Parent();
  int index = target.engine().IndexOf(*anchor);
  Guard(
      [&] { target.engine().CopySheet(book_->engine(), *sheet, static_cast<size_t>(index) + 1); });
  target.Activate();
}

void Worksheet::Delete() const {
  std::shared_ptr<xlsx::Worksheet> sheet = Lock();
  Guard([&] { book_->engine().Delete(*sheet); });
}

excel::Range Worksheet::Range(const std::string& address) const {
  Lock();
  std::optional<xlsx::CellRef> ref = xlsx::ParseCellRef(address);
  if (!ref) throw ExcelError("セルの番地が正しくありません: " + ToEngineText(address));
  return excel::Range(book_, sheet_, *ref);
}

excel::Range Worksheet::SpecialCells(int type) const {
  std::shared_ptr<xlsx::Worksheet> sheet = Lock();
  if (type != kLastCell) {
    throw ExcelError("SpecialCellsの種類 " + std::to_string(type) + " には対応していません");
  }
  uint32_t col = std::max<uint32_t>(sheet->data.LastUsedColumn(), 1);
  return excel::Range(book_, sheet_, {sheet->LastUsedRow(), col});
}

excel::Shapes Worksheet::Shapes() const { return excel::Shapes(*this); }

Workbook& Worksheet::Parent() const {
  Lock();
  return *book_;
}

void Worksheet::Activate() const {
  std::shared_ptr<xlsx::Worksheet> sheet = Lock();
  book_->engine().Activate(static_cast<size_t>(book_->engine().IndexOf(*sheet)));
  book_->Activate();
}

}  // namespace morvane::excel
