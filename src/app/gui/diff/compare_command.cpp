#include "app/gui/diff/compare_command.h"

#include <QAbstractItemModel>
#include <QFileInfo>
#include <QTreeView>
#include <QTreeWidget>
#include <memory>
#include <optional>

#include "app/gui/browse/data_tree.h"
#include "app/gui/browse/list_panel.h"
#include "app/gui/diff/changes_window.h"
#include "app/gui/main_window.h"
#include "app/gui/window_status_bar.h"
#include "app/gui/work_progress.h"
#include "db/catalogue_snapshot.h"
#include "diff/catalogue_diff.h"
#include "model/prompt.h"
#include "project/project_reader.h"
#include "text/codec.h"

namespace morvane {
namespace {

std::unique_ptr<TCatalogueStore> ReadProject(TfrmMain& main, IPrompt& prompt, const QString& path) {
  auto store = std::make_unique<TCatalogueStore>();
  ProjectReadResult read =
      OpenProjectFile(*store, path.toStdString(), EstimateTextWidth, &main.Progress());
  for (const std::string& text : read.errors) prompt.Error(Utf8ToCp932Lossy(text));
  if (!read.ok) return nullptr;
  return store;
}

std::unique_ptr<TCatalogueStore> FetchDatabase(TfrmMain& main, IPrompt& prompt,
                                               const std::vector<DataKind>& kinds) {
  if (main.Store().product == Product::None) {
    prompt.Warn(ToCp932("データベースの製品が選ばれていません。新規作成で製品を選んでください。"));
    return nullptr;
  }
  if (!main.EnsureConnected()) return nullptr;
  DbSession session{main.Connection(), prompt, main.Progress(), main.StatusBar()};
  return FetchCatalogueSnapshot(main.Store().product, kinds, session);
}

// The other side and its caption; nothing when it could not be had.
std::optional<diff::ChangeList> Compare(TfrmMain& main, IPrompt& prompt,
                                        const TCompareRequest& request, QString& what) {
  using Source = TCompareRequest::Source;
  if (request.source == Source::kDesign) {
    what = QStringLiteral("Excelファイル (設計) → テーブル情報");
    return diff::CompareDesignWithDatabase(main.Store());
  }
  std::unique_ptr<TCatalogueStore> other = request.source == Source::kDatabase
                                               ? FetchDatabase(main, prompt, request.kinds)
                                               : ReadProject(main, prompt, request.projectPath);
  if (!other) return std::nullopt;
  what = request.source == Source::kDatabase
             ? QStringLiteral("プロジェクト → データベース (現在)")
             : QStringLiteral("プロジェクト → %1").arg(QFileInfo(request.projectPath).fileName());
  diff::CompareOptions options{.kinds = request.kinds, .allItems = request.allItems};
  return diff::CompareCatalogues(main.Store(), *other, options);
}

QTreeWidgetItem* RecordNode(TfrmMain& main, const diff::TChange& change) {
  const bool relation = change.object == diff::ObjectKind::kRelation;
  QTreeWidgetItem* kindNode = main.Browser().DataKindNode(change.dataKind);
  return FindNodeUnder(kindNode, [&](const QTreeWidgetItem* node) {
    const TTableRec* record = NodeRecord(node);
    return record && record->name == change.table && (relation || record->owner == change.owner);
  });
}

// Selects the first row of the column list showing the column's name.
void SelectColumnRow(QTreeView* list, const std::string& column) {
  QAbstractItemModel* model = list->model();
  if (!model) return;
  const QString name = ShownText(column);
  for (int col = 0; col < model->columnCount(); ++col) {
    const QModelIndexList found =
        model->match(model->index(0, col), Qt::DisplayRole, name, 1, Qt::MatchExactly);
    if (found.isEmpty()) continue;
    list->setCurrentIndex(found.first());
    list->scrollTo(found.first());
    return;
  }
}

}  // namespace

TfrmChanges* ShowComparison(TfrmMain& main, IPrompt& prompt, const TCompareRequest& request) {
  QString what;
  std::optional<diff::ChangeList> changes = Compare(main, prompt, request, what);
  if (!changes) return nullptr;
  auto* window = new TfrmChanges(prompt, &main);
  window->Load(*changes, what);
  window->SetChangeChosen([&main](const diff::TChange& change) {
    if (!SelectChangeInMain(main, change)) main.SetStatusText(2, QStringLiteral("見つかりません"));
  });
  window->show();
  return window;
}

bool SelectChangeInMain(TfrmMain& main, const diff::TChange& change) {
  QTreeWidgetItem* node = RecordNode(main, change);
  if (!node) return false;
  main.DataTree()->scrollToItem(node);
  main.DataTree()->setCurrentItem(node);
  if (change.object == diff::ObjectKind::kColumn)
    SelectColumnRow(main.ListPanel()->ltvColumn(), change.part);
  main.activateWindow();
  return true;
}

}  // namespace morvane
