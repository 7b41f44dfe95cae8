// How long the table output takes: a workbook of 500 copies of the bundled template, each with
// 15 table-level cells and a block of 40 rows by 15 columns written cell by cell through the
// Excel operations, then saved. For comparison, libxlsxwriter (when installed) writes the same
// number of cells into 500 fresh sheets.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "excel/application.h"
#include "text/codec.h"
#include "xlsx/cell_ref.h"

#ifdef MORVANE_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace {

constexpr int kSheets = 500;
constexpr int kTableCells = 15;
constexpr int kRows = 40;
constexpr int kColumns = 15;

std::string OutputPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

std::string Value(int row, int col) {
  static const std::string kind = morvane::ToCp932("文字列");
  return col % 3 == 0 ? std::to_string(row * 10 + col) : kind + std::to_string(row);
}

void BM_TemplateCopies(benchmark::State& state) {
  using namespace morvane::excel;
  std::string path = OutputPath("morvane-bench-copies.xlsx");
  for (auto _ : state) {
    ExcelApplication app;
    app.Workbooks().OpenDefaultTemplate();
    Worksheet format = app.ActiveSheet();
    Workbook& book = app.Workbooks().Add();
    for (int s = 0; s < kSheets; ++s) {
      format.Copy(book.Worksheets().Item(book.Worksheets().Count()));
      Worksheet sheet = app.ActiveSheet();
      if (s == 0) book.Worksheets().Item(1).Delete();
      sheet.SetName("T" + std::to_string(s));
      for (int c = 1; c <= kTableCells; ++c) {
        sheet.Range(morvane::xlsx::ColumnLetters(c) + "1").SetValue(Value(1, c));
      }
      for (int c = 1; c <= kColumns; ++c) {
        std::string letters = morvane::xlsx::ColumnLetters(c);
        for (int r = 5; r < 5 + kRows; ++r) {
          sheet.Range(letters + std::to_string(r)).SetValue(Value(r, c));
        }
      }
    }
    book.SaveAs(path);
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}
BENCHMARK(BM_TemplateCopies)->Unit(benchmark::kMillisecond)->Iterations(3);

#ifdef MORVANE_HAVE_XLSXWRITER
void BM_LibxlsxwriterSameCells(benchmark::State& state) {
  std::string path = OutputPath("morvane-bench-xlsxwriter.xlsx");
  for (auto _ : state) {
    lxw_workbook* book = workbook_new(path.c_str());
    for (int s = 0; s < kSheets; ++s) {
      lxw_worksheet* sheet = workbook_add_worksheet(book, ("T" + std::to_string(s)).c_str());
      for (int c = 0; c < kTableCells; ++c) {
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c),
                               morvane::ToUtf8(Value(1, c + 1)).c_str(), nullptr);
      }
      for (int c = 0; c < kColumns; ++c) {
        for (int r = 4; r < 4 + kRows; ++r) {
          worksheet_write_string(sheet, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c),
                                 morvane::ToUtf8(Value(r + 1, c + 1)).c_str(), nullptr);
        }
      }
    }
    workbook_close(book);
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}
BENCHMARK(BM_LibxlsxwriterSameCells)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace

BENCHMARK_MAIN();
