// How long the ER view takes to show a project of many ER sheets (one tab each): reading the
// file, making a tab and a page per sheet, the view of the current sheet and showing the tab
// row, on offscreen widgets. The peer is the same project with 1,000 sheets, to show how the
// time grows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "app/gui/er/er_sheet_tabs.h"
#include "app/gui/er/er_view.h"
#include "er/er_sheets.h"
#include "er/er_tables.h"
#include "project/new_project.h"
#include "project/project_reader.h"
#include "project/project_writer.h"

namespace morvane {
namespace {

// Sheets of one window each.
std::string MakeProject(const QTemporaryDir& dir, int sheets) {
  TCatalogueStore store;
  NewProject(store, Product::RedBrick, EstimateTextWidth);
  for (int i = 1; i < sheets; ++i) AddERSheet(store.er, "S" + std::to_string(i));
  int n = 0;
  for (const auto& sheet : store.er.sheets) {
    AddERTable(*sheet, "Table" + std::to_string(++n), "TABLE", 20, 20, 150, 150);
  }
  const std::string path = dir.filePath(QStringLiteral("tabs%1.vnk").arg(sheets)).toStdString();
  if (!SaveProjectFile(store, path, nullptr).ok) std::abort();
  return path;
}

// The project at `path` opened and shown in an ER view over offscreen tabs.
struct ShownProject {
  explicit ShownProject(const std::string& path) {
    tabs.resize(1200, 800);
    tabs.show();
    if (!OpenProjectFile(store, path, EstimateTextWidth, nullptr).ok) std::abort();
    view.Rebuild();
    QApplication::processEvents();
  }
  TCatalogueStore store;
  ScriptedPrompt prompt;
  TERSheetTabs tabs;
  TERView view{&tabs, store, prompt, [] {}};
};

void BM_OpenManySheets(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string path = MakeProject(dir, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    ShownProject shown(path);
    TERSheetTabs& tabs = shown.tabs;
    TERView& view = shown.view;
    if (view.SheetCount() != state.range(0)) std::abort();
    state.PauseTiming();
    // For looking at by eye: MORVANE_SHOT_DIR=DIR saves the tab bar as DIR/er-tabs-N.png.
    if (const char* shots = std::getenv("MORVANE_SHOT_DIR")) {
      tabs.setCurrentIndex(tabs.count() / 2);
      QApplication::processEvents();
      tabs.grab().save(QStringLiteral("%1/er-tabs-%2.png").arg(shots).arg(state.range(0)));
    }
    view.Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenManySheets)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

// Showing the sheets again while they are shown (another project opened over one): the shown
// tabs and pages go first, then the new ones come.
void BM_ReshowManySheets(benchmark::State& state) {
  QTemporaryDir dir;
  const std::string path = MakeProject(dir, static_cast<int>(state.range(0)));
  ShownProject shown(path);
  TERView& view = shown.view;
  for (auto _ : state) {
    view.Rebuild();
    QApplication::processEvents();
  }
  if (view.SheetCount() != state.range(0)) std::abort();
}
BENCHMARK(BM_ReshowManySheets)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
