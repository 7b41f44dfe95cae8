#include "er/er_relations.h"

#include <algorithm>
#include <climits>

#include "er/er_from_record.h"
#include "er/er_tables.h"
#include "text/codec.h"

namespace morvane {
namespace {

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// State shared by one whole run of the command.
struct RelationRun {
  TCatalogueStore& store;
  TERSheetRec& sheet;
  const TColumnValuePositions& positions;
  const TERTextMeasure* fit;
  std::vector<TERTableRec*> visited;  // windows created during this run
  long long runningTop = 0;
};

TERTableRec* VisitedWindow(const RelationRun& run, const std::string& caption) {
  for (TERTableRec* window : run.visited) {
    if (window->caption == caption) return window;
  }
  return nullptr;
}

int FollowRelations(RelationRun& run, TERTableRec& window) {
  const auto relation =
      std::find_if(run.store.relations.begin(), run.store.relations.end(),
                   [&window](const TRelationRec& r) { return r.fkTable == window.caption; });
  if (relation == run.store.relations.end()) return 0;
  const std::vector<std::string> pkTables = relation->pkTables;

  int count = 0;
  int createdHere = 0;
  int left = 0;
  const RecordList& tables = run.store.Records(DataKind::Table);
  for (const std::string& pkTable : pkTables) {
    for (const auto& record : tables) {
      if (record->name != pkTable) continue;
      TERTableRec* target = VisitedWindow(run, pkTable);
      const bool created = target == nullptr;
      if (created) {
        ++count;
        if (++createdHere == 1) {
          left = ClampToInt(static_cast<long long>(window.left) + window.width + 50);
          run.runningTop = window.top;
        }
        target = &AddERTableFromRecord(run.store.er, run.sheet, *record, run.positions, left,
                                       ClampToInt(run.runningTop), 0, 0, run.fit);
        // Windows fitted to a long column list stand taller than the default.
        run.runningTop += std::max(160, target->height + 10);
        run.visited.push_back(target);
      }
      AddERLine(run.sheet, &window, target);
      if (created) count += FollowRelations(run, *target);
    }
  }
  return count;
}

}  // namespace

int AddTablesFromRelations(TCatalogueStore& store, TERSheetRec& sheet, TERTableRec& window,
                           const TColumnValuePositions& positions, const TERTextMeasure* fit) {
  RelationRun run{store, sheet, positions, fit, {}, 0};
  return FollowRelations(run, window);
}

int RunRelationCommand(TCatalogueStore& store, TERSheetRec& sheet, TERTableRec& window,
                       IPrompt& prompt, const TERTextMeasure* fit) {
  const size_t linesBefore = sheet.lines.size();
  const int added = AddTablesFromRelations(store, sheet, window, store.erColumnPositions, fit);
  if (added > 0 || sheet.lines.size() != linesBefore) store.SetModified();
  prompt.Inform(ToCp932(TablesAddedMessage(added)));
  return added;
}

std::string TablesAddedMessage(int added) {
  return std::to_string(added) + "件のテーブルを追加しました。";
}

}  // namespace morvane
