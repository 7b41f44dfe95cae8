// How long the ER view takes with a large sheet: opening a project whose sheet holds 300 table
// windows of 12 columns joined by 600 lines (reading the file, building the windows and painting
// the sheet), and moving one window (recomputing its lines and repainting what they cover).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>

#include "app/gui/er/er_sheet_tabs.h"
#include "app/gui/er/er_sheet_view.h"
#include "app/gui/er/er_view.h"
#include "er/er_sheets.h"
#include "er/er_tables.h"
#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"

namespace morvane {
namespace {

constexpr int kWindows = 300;
constexpr int kLines = 600;
constexpr int kColumns = 12;

// Writes the project once: 300 windows on a 20 x 15 grid, each joined to its right and lower
// neighbours (600 lines, wrapping round).
std::string MakeProject(const QTemporaryDir& dir) {
  TCatalogueStore store;
  NewProject(store, Product::RedBrick, EstimateTextWidth);
  TERSheetRec& sheet = *store.er.Current();
  for (int i = 0; i < kWindows; ++i) {
    TERTableRec& t = AddERTable(sheet, NextERTableName(store.er), "TABLE_" + std::to_string(i),
                                (i % 20) * 220, (i / 20) * 200, 150, 150);
    for (int c = 0; c < kColumns; ++c) {
      TERColumnRec column{
          c == 0 ? "*" : " ", "COLUMN_" + std::to_string(c), "NUMBER(10,2)", c % 3 != 0, {}};
      column.listText = ERColumnListText(column, 2);
      t.columns.push_back(column);
    }
  }
  for (int i = 0; i < kLines; ++i) {
    const int from = i % kWindows;
    const int to = (from + (i < kWindows ? 1 : 20)) % kWindows;
    AddERLine(sheet, sheet.tables[from].get(), sheet.tables[to].get());
  }
  const std::string path = dir.filePath(QStringLiteral("large.vnk")).toStdString();
  if (!SaveProjectFile(store, path, nullptr).ok) std::abort();
  return path;
}

struct Screen {
  Screen() : view(&tabs, store, prompt, [] {}) {
    tabs.resize(1200, 800);
    tabs.show();
  }
  TCatalogueStore store;
  ScriptedPrompt prompt;
  TERSheetTabs tabs;
  TERView view;
};

void BM_OpenLargeSheet(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string path = MakeProject(dir);
  for (auto _ : state) {
    Screen screen;
    if (!OpenProjectFile(screen.store, path, EstimateTextWidth, nullptr).ok) std::abort();
    screen.view.Rebuild();
    screen.view.CurrentSheetView()->Surface()->repaint();
    QApplication::processEvents();
    state.PauseTiming();
    screen.view.Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenLargeSheet)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MoveOneWindow(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string path = MakeProject(dir);
  Screen screen;
  if (!OpenProjectFile(screen.store, path, EstimateTextWidth, nullptr).ok) std::abort();
  screen.view.Rebuild();
  QApplication::processEvents();
  TERSheetView& sheet = *screen.view.CurrentSheetView();
  // A window in the visible part with four lines.
  TfrmERTable* window = sheet.WindowOf(screen.store.er.Current()->tables[21].get());
  int step = 0;
  for (auto _ : state) {
    const int dx = (step++ % 2 == 0) ? 7 : -7;
    window->move(window->pos() + QPoint(dx, dx));
    QApplication::processEvents();  // the repaint of the window and its lines
  }
}
BENCHMARK(BM_MoveOneWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
