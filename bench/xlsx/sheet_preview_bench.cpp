// How long the workbook window takes to show a sheet: the preview of a sheet filled to the
// preview's limit (1000 rows by 256 columns of text and numbers), and the same sheet when a
// tenth of its texts hold characters outside CP932, which are read character by character.
#include <benchmark/benchmark.h>

#include <string>

#include "excel/application.h"
#include "excel/sheet_preview.h"
#include "xlsx/workbook.h"

namespace {

constexpr uint32_t kRows = 1000;
constexpr uint32_t kColumns = 256;

void FillSheet(morvane::excel::Workbook& book, bool foreign) {
  morvane::xlsx::Workbook& engine = book.engine();
  morvane::xlsx::Worksheet& sheet = engine.Sheet(0);
  for (uint32_t row = 1; row <= kRows; ++row) {
    for (uint32_t col = 1; col <= kColumns; ++col) {
      std::string text = col % 3 == 0 ? std::to_string(row * col) : "社員名" + std::to_string(row);
      if (foreign && (row + col) % 10 == 0) text += "🙂";
      engine.SetCellText(sheet, {row, col}, text);
    }
  }
}

void Preview(benchmark::State& state, bool foreign) {
  morvane::excel::ExcelApplication app;
  morvane::excel::Workbook& book = app.Workbooks().Add();
  FillSheet(book, foreign);
  morvane::excel::Worksheet sheet = app.ActiveSheet();
  for (auto _ : state) {
    benchmark::DoNotOptimize(morvane::excel::ReadPreview(sheet, kRows, kColumns));
  }
  state.SetItemsProcessed(state.iterations() * kRows * kColumns);
}

void BM_PreviewFullSheet(benchmark::State& state) { Preview(state, false); }
void BM_PreviewFullSheetWithForeignText(benchmark::State& state) { Preview(state, true); }

BENCHMARK(BM_PreviewFullSheet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewFullSheetWithForeignText)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
