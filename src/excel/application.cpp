#include "excel/application.h"

#include <algorithm>
#include <filesystem>

#include "excel/default_template.h"
#include "excel/text_boundary.h"
#include "xlsx/workbook.h"

namespace morvane::excel {
namespace {

std::string FileNameOf(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

}  // namespace

Workbook::Workbook(ExcelApplication* app, std::unique_ptr<xlsx::Workbook> engine, std::string name,
                   std::string path)
    : app_(app), engine_(std::move(engine)), name_utf8_(std::move(name)), path_(std::move(path)) {}

Workbook::~Workbook() = default;

std::string Workbook::Name() const { return ToDocumentText(name_utf8_); }

Worksheet Workbook::ActiveSheet() {
  size_t index = engine_->ActiveIndex();
  if (engine_->KindOf(index) != xlsx::SheetKind::kWorksheet) {
    throw ExcelError("アクティブなシートはワークシートではありません");
  }
  return Worksheet(this, engine_->UnreadSheetHandle(index));
}

void Workbook::Activate() { app_->active_ = this; }

void Workbook::Save() {
  if (path_.empty()) throw ExcelError("ブックの保存先が決まっていません");
  SaveAs(path_);
}

void Workbook::SaveAs(const std::string& path_utf8) {
  Guard([&] { engine_->Save(path_utf8); });
  path_ = path_utf8;
  name_utf8_ = FileNameOf(path_utf8);
}

std::vector<std::string> Workbook::CarryOverNotices() const {
  std::vector<std::string> notices;
  for (const std::string& notice : engine_->Notices()) notices.push_back(ToDocumentText(notice));
  return notices;
}

int Worksheets::Count() const {
  int count = 0;
  const xlsx::Workbook& engine = book_->engine();
  for (size_t i = 0; i < engine.SheetCount(); ++i) {
    count += engine.KindOf(i) == xlsx::SheetKind::kWorksheet;
  }
  return count;
}

Worksheet Worksheets::Item(int index) const {
  const xlsx::Workbook& engine = book_->engine();
  int seen = 0;
  for (size_t i = 0; i < engine.SheetCount(); ++i) {
    if (engine.KindOf(i) == xlsx::SheetKind::kWorksheet && ++seen == index) {
      return Worksheet(book_, engine.UnreadSheetHandle(i));
    }
  }
  throw ExcelError("シートの番号が範囲外です: " + std::to_string(index));
}

Worksheet Worksheets::Item(const std::string& name) const {
  std::string utf8 = ToEngineText(name);
  xlsx::Workbook& engine = book_->engine();
  int index = engine.IndexOf(utf8);
  // A name read from this workbook has "?" for characters CP932 lacks; it still finds its sheet.
  for (size_t i = 0; index < 0 && i < engine.SheetCount(); ++i) {
    if (ToDocumentText(engine.SheetName(i)) == name) index = static_cast<int>(i);
  }
  if (index < 0 || engine.KindOf(static_cast<size_t>(index)) != xlsx::SheetKind::kWorksheet) {
    throw ExcelError("シート「" + utf8 + "」がありません");
  }
  return Worksheet(book_, engine.UnreadSheetHandle(static_cast<size_t>(index)));
}

int Workbooks::Count() const { return static_cast<int>(app_->books_.size()); }

Workbook& Workbooks::Item(int index) const {
  if (index < 1 || index > Count()) {
    throw ExcelError("ブックの番号が範囲外です: " + std::to_string(index));
  }
  return *app_->books_[static_cast<size_t>(index - 1)];
}

Workbook& Workbooks::Item(const std::string& name) const {
  std::string wanted = ToEngineText(name);
  for (auto& book : app_->books_) {
    if (book->name_utf8_ == wanted) return *book;
  }
  for (auto& book : app_->books_) {
    if (book->Name() == name) return *book;
  }
  throw ExcelError("ブック「" + wanted + "」は開かれていません");
}

Workbook& Workbooks::Add() {
  auto engine = Guard([&] { return xlsx::Workbook::Create(app_->sheets_in_new_workbook_); });
  std::string name = "Book" + std::to_string(app_->next_book_number_++);
  return app_->Adopt(std::make_unique<Workbook>(app_, std::move(engine), name, ""));
}

Workbook& Workbooks::Open(const std::string& path_utf8) {
  std::error_code ignored;
  std::filesystem::path wanted = std::filesystem::weakly_canonical(path_utf8, ignored);
  for (auto& book : app_->books_) {
    if (!book->Path().empty() &&
        std::filesystem::weakly_canonical(book->Path(), ignored) == wanted) {
      book->Activate();
      return *book;
    }
  }
  auto engine = Guard([&] { return xlsx::Workbook::Open(path_utf8); }, path_utf8);
  return app_->Adopt(
      std::make_unique<Workbook>(app_, std::move(engine), FileNameOf(path_utf8), path_utf8));
}

Workbook& Workbooks::OpenDefaultTemplate() {
  auto engine = Guard([&] { return xlsx::Workbook::FromBytes(DefaultTemplateBytes()); });
  return app_->Adopt(std::make_unique<Workbook>(app_, std::move(engine), "default.xlsx", ""));
}

void Workbooks::Close(Workbook& book) {
  auto& books = app_->books_;
  auto it = std::find_if(books.begin(), books.end(), [&](auto& b) { return b.get() == &book; });
  if (it == books.end()) throw ExcelError("ブックは開かれていません");
  books.erase(it);
  if (app_->active_ == &book) app_->active_ = books.empty() ? nullptr : books.back().get();
}

ExcelApplication::ExcelApplication() = default;
ExcelApplication::~ExcelApplication() = default;

Workbook& ExcelApplication::Adopt(std::unique_ptr<Workbook> book) {
  books_.push_back(std::move(book));
  active_ = books_.back().get();
  return *active_;
}

Workbook& ExcelApplication::ActiveWorkbook() {
  if (active_ == nullptr) throw ExcelError("開いているブックがありません");
  return *active_;
}

Worksheet ExcelApplication::ActiveSheet() { return ActiveWorkbook().ActiveSheet(); }

void ExcelApplication::SetSheetsInNewWorkbook(int count) {
  if (count < 1 || count > 255) {
    throw ExcelError("新しいブックのシート数は1から255で指定してください");
  }
  sheets_in_new_workbook_ = count;
}

}  // namespace morvane::excel
