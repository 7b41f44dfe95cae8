// How long the lists take with a large catalogue: showing 20,000 tables of one data kind in
// ltvData, sorting them by a text and by a number column, filtering them by name, and showing a
// table of 1,000 columns in ltvColumn. Each figure includes painting the visible rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/report_view.h"
#include "browse_test_window.h"

namespace morvane {
namespace {

constexpr int kTables = 20000;
constexpr int kColumns = 1000;

// A new Oracle 8 project whose table information holds 20,000 tables of 50 owners (the last one
// with 1,000 columns), with the table list of the data kind shown.
class LargeCatalogue {
 public:
  LargeCatalogue() : ui(store, prompt, Product::Oracle8) {
    ui.host.connected = true;
    ui.FetchGives([this](DataKind kind) {
      for (int i = 0; i < kTables; ++i) {
        std::string number = std::to_string((i * 7919) % kTables);
        AddTableRecord(store, kind, "OWNER" + std::to_string(i / (kTables / 50)), "TABLE",
                       "TABLE_" + number, i % 10 == 0 ? "" : number,
                       i == kTables - 1 ? kColumns : 0);
      }
    });
    prompt.answers = {PromptButton::kYes};
    TableKind()->setExpanded(true);
  }
  QTreeWidgetItem* TableKind() { return ui.browser->DataKindNode(DataKind::Table); }
  void Paint(QTreeView* view) {
    view->viewport()->repaint();
    QApplication::processEvents();
  }

  TCatalogueStore store;
  ScriptedPrompt prompt;
  TBrowseTestWindow ui;
};

}  // namespace

// Built on first use and destroyed before the application object.
static std::unique_ptr<LargeCatalogue> g_catalogue;

namespace {

LargeCatalogue& Catalogue() {
  if (!g_catalogue) g_catalogue = std::make_unique<LargeCatalogue>();
  return *g_catalogue;
}

void BM_FillTableList20000(benchmark::State& state) {
  LargeCatalogue& c = Catalogue();
  for (auto _ : state) {
    c.store.listRebuild = true;
    c.ui.browser->SetList(c.TableKind());
    c.Paint(c.ui.widgets.ltvData);
  }
  state.counters["rows"] = ListModelOf(c.ui.widgets.ltvData)->rowCount();
}
BENCHMARK(BM_FillTableList20000)->Unit(benchmark::kMillisecond);

void BM_SortTableList20000(benchmark::State& state) {
  LargeCatalogue& c = Catalogue();
  c.ui.widgets.trvDataType->setCurrentItem(c.TableKind());
  const int column = static_cast<int>(state.range(0));  // 1 TABLE NAME, 3 SIZE(byte)
  for (auto _ : state) {
    c.ui.browser->ltvDataColumnClick(column);
    c.Paint(c.ui.widgets.ltvData);
  }
}
BENCHMARK(BM_SortTableList20000)->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

// A keystroke in the filter box and clearing it again, with every row selected (the selection of
// the rows still shown is kept, which is the costly part).
void BM_FilterTableList20000(benchmark::State& state) {
  LargeCatalogue& c = Catalogue();
  c.ui.widgets.trvDataType->setCurrentItem(c.TableKind());
  SelectAllRows(c.ui.widgets.ltvData);
  int shown = 0;
  for (auto _ : state) {
    c.ui.widgets.edtFilter->setText(QStringLiteral("table_1*3"));
    shown = ListModelOf(c.ui.widgets.ltvData)->rowCount();
    c.Paint(c.ui.widgets.ltvData);
    c.ui.widgets.edtFilter->clear();
    c.Paint(c.ui.widgets.ltvData);
  }
  state.counters["shown"] = shown;
}
BENCHMARK(BM_FilterTableList20000)->Unit(benchmark::kMillisecond);

void BM_FillColumnList1000(benchmark::State& state) {
  LargeCatalogue& c = Catalogue();
  QTreeWidgetItem* owner = c.TableKind()->child(c.TableKind()->childCount() - 1);
  QTreeWidgetItem* type = owner->child(0);
  QTreeWidgetItem* wide = type->child(type->childCount() - 1);
  c.ui.widgets.trvDataType->setCurrentItem(wide);
  for (auto _ : state) {
    c.store.listRebuild = true;
    c.ui.browser->SetList(wide);
    c.Paint(c.ui.widgets.ltvColumn);
  }
  state.counters["rows"] = ListModelOf(c.ui.widgets.ltvColumn)->rowCount();
}
BENCHMARK(BM_FillColumnList1000)->Unit(benchmark::kMillisecond);

void BM_BuildTree20000(benchmark::State& state) {
  LargeCatalogue& c = Catalogue();
  c.store.currentDataKind = DataKind::Table;
  for (auto _ : state) c.ui.browser->SetTreeNode(c.TableKind());
}
BENCHMARK(BM_BuildTree20000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  morvane::g_catalogue.reset();
  return 0;
}
