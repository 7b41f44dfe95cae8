// How long the Excel import takes: a workbook of 500 sheets, each with a table name and 40
// item rows of twelve filled columns, read into data kind 1 of an Oracle 8 project (sizes
// computed by the test's rule, as no size column is set). The workbook is opened from a file
// once; each iteration imports every sheet into a fresh document.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "excel/application.h"
#include "excel/import_excel.h"
#include "model/data_kind.h"
#include "xlsx/workbook.h"

namespace {

constexpr int kSheets = 500;
constexpr int kRows = 40;
constexpr int kFirstRow = 5;

std::string WriteSourceWorkbook() {
  const std::string path = (std::filesystem::temp_directory_path() / "import_bench.xlsx").string();
  std::unique_ptr<morvane::xlsx::Workbook> book = morvane::xlsx::Workbook::Create(kSheets);
  const char* types[] = {"NUMBER", "VARCHAR2", "DATE", "CHAR"};
  for (int s = 0; s < kSheets; ++s) {
    morvane::xlsx::Worksheet& sheet = book->Sheet(s);
    book->SetCellText(sheet, {1, 1}, "TABLE_" + std::to_string(s));
    for (int r = 0; r < kRows; ++r) {
      const uint32_t row = kFirstRow + r;
      book->SetCellText(sheet, {row, 1}, "COLUMN_" + std::to_string(r));
      book->SetCellText(sheet, {row, 2}, types[r % 4]);
      book->SetCellText(sheet, {row, 3}, std::to_string(10 + r));
      book->SetCellText(sheet, {row, 4}, std::to_string(r % 20));
      book->SetCellText(sheet, {row, 5}, std::to_string(r % 3));
      for (uint32_t col = 7; col <= 12; ++col) book->SetCellText(sheet, {row, col}, "x");
    }
  }
  book->Save(path);
  return path;
}

std::string Size(morvane::Product, std::string_view, std::string_view length, std::string_view) {
  return std::string(length.empty() ? "0" : length);
}

void BM_ImportSheets(benchmark::State& state) {
  morvane::excel::ExcelApplication excel;
  morvane::excel::Workbook& book = excel.Workbooks().Open(WriteSourceWorkbook());
  std::vector<std::string> names;
  for (int i = 1; i <= book.Worksheets().Count(); ++i) {
    names.push_back(book.Worksheets().Item(i).Name());
  }
  morvane::ScriptedPrompt prompt;
  morvane::NullProgress progress;
  for (auto _ : state) {
    morvane::TCatalogueStore store;
    store.product = morvane::Product::Oracle8;
    store.importLayout.dataTypeColumn = "B";
    store.importLayout.lengthColumn = "C";
    store.importLayout.precisionColumn = "D";
    store.importLayout.scaleColumn = "E";
    store.importLayout.notNullColumn = "G";
    store.importLayout.uniqueColumn = "H";
    store.importLayout.primaryKeyColumn = "I";
    store.importLayout.comment1Column = "J";
    store.importLayout.comment2Column = "K";
    store.importLayout.comment3Column = "L";
    morvane::excel::ImportOutcome outcome =
        morvane::excel::ImportSheets(store, book, names, {prompt, progress, Size});
    if (!outcome.completed || outcome.appended != kSheets) state.SkipWithError("import failed");
    benchmark::DoNotOptimize(store);
  }
}
BENCHMARK(BM_ImportSheets)->Unit(benchmark::kMillisecond);

// Opening the 500-sheet workbook file, which the user does before importing.
void BM_OpenSourceWorkbook(benchmark::State& state) {
  const std::string path = WriteSourceWorkbook();
  for (auto _ : state) {
    morvane::excel::ExcelApplication excel;
    benchmark::DoNotOptimize(excel.Workbooks().Open(path).Worksheets().Count());
  }
}
BENCHMARK(BM_OpenSourceWorkbook)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
