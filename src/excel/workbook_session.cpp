#include "excel/workbook_session.h"

#include <algorithm>
#include <filesystem>

#include "excel/excel_error.h"

namespace morvane::excel {
namespace {

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ignored;
  return std::filesystem::weakly_canonical(a, ignored) ==
         std::filesystem::weakly_canonical(b, ignored);
}

}  // namespace

std::vector<Workbook*> WorkbookSession::Books() {
  std::vector<Workbook*> books;
  excel::Workbooks workbooks = app_.Workbooks();
  for (int i = 1; i <= workbooks.Count(); ++i) books.push_back(&workbooks.Item(i));
  return books;
}

Workbook& WorkbookSession::Open(const std::string& path_utf8) {
  return app_.Workbooks().Open(path_utf8);
}

Workbook& WorkbookSession::OpenDefaultTemplate() {
  Workbook& book = app_.Workbooks().OpenDefaultTemplate();
  templates_.push_back(&book);
  return book;
}

void WorkbookSession::Save(Workbook& book) { book.Save(); }

void WorkbookSession::SaveAs(Workbook& book, const std::string& path_utf8) {
  for (Workbook* other : Books()) {
    if (other != &book && !other->Path().empty() && SameFile(other->Path(), path_utf8)) {
      throw ExcelError("同じファイルのブック「" + other->Path() +
                       "」が開かれているため、保存できません");
    }
  }
  book.SaveAs(path_utf8);
}

void WorkbookSession::Close(Workbook& book) {
  std::erase(templates_, &book);
  app_.Workbooks().Close(book);
}

bool WorkbookSession::IsUnsavedOutput(const Workbook& book) const {
  return book.Path().empty() &&
         std::find(templates_.begin(), templates_.end(), &book) == templates_.end();
}

std::vector<Workbook*> WorkbookSession::UnsavedOutputs() {
  std::vector<Workbook*> books = Books();
  std::erase_if(books, [this](Workbook* book) { return !IsUnsavedOutput(*book); });
  return books;
}

}  // namespace morvane::excel
