#include "app/gui/command_rules.h"

namespace morvane {
namespace {

constexpr int kCurrentVersion = 280;

bool FocusOnFilledList(const TCommandInputs& in) {
  bool on_list = in.focus == FocusTarget::kDataList || in.focus == FocusTarget::kColumnList ||
                 in.focus == FocusTarget::kSqlList;
  return on_list && in.focusedListRows > 0;
}

}  // namespace

bool ExcelConditionHolds(const TCommandInputs& in) {
  return (in.currentDataKind != DataKind::None && in.currentListLevel == 1 &&
          in.dataSelectedRows > 0) ||
         (in.currentDataKind == DataKind::Sql && in.sqlRows > 0) || in.erView;
}

TCommandStates ComputeCommandStates(const TCommandInputs& in) {
  TCommandStates s;
  bool has_project = in.product != Product::None;
  bool database_work = in.fileVersion >= kCurrentVersion && has_project;

  s.save = in.modified;
  s.saveAs = has_project;
  s.excelOutput = ExcelConditionHolds(in);
  s.listCopy = in.currentDataKind != DataKind::None && !in.erView;
  s.selectAll = s.listCopy && (in.focus == FocusTarget::kSqlText || FocusOnFilledList(in));
  s.selectChange = s.listCopy && FocusOnFilledList(in);
  s.views = has_project;
  s.listChecked = in.listView;
  s.erButtonDown = has_project && in.erView;
  s.listButtonDown = has_project && !in.erView;
  s.format = in.currentDataKind != DataKind::None || in.erView;
  s.connect = database_work && !in.connected;
  s.disconnect = database_work && in.connected;
  s.dataCount = in.fileVersion >= kCurrentVersion && in.connected &&
                in.currentDataKind == DataKind::Table && in.currentListLevel == 1 &&
                in.dataSelectedRows > 0;
  s.fetch = database_work;
  return s;
}

}  // namespace morvane
