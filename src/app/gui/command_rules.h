// When each command of the menus, the toolbar and the shortcuts may run. Computed from the
// document state and a few facts about the widgets, with no widget in sight, so the whole
// table can be checked directly.
#pragma once

#include "model/data_kind.h"
#include "model/product_profile.h"

namespace morvane {

// Which control has the keyboard focus, as far as the rules care.
enum class FocusTarget { kOther, kTree, kSqlText, kDataList, kColumnList, kSqlList };

struct TCommandInputs {
  Product product = Product::None;
  bool modified = false;
  int fileVersion = 280;
  bool connected = false;
  DataKind currentDataKind = DataKind::None;
  int currentListLevel = 0;  // 0 none, 1 tables, 2 columns
  int dataSelectedRows = 0;  // selected rows of ltvData
  int sqlRows = 0;           // rows of ltvSQL
  bool erView = false;       // the ER view is shown
  bool listView = true;      // the list view is the active view
  FocusTarget focus = FocusTarget::kOther;
  int focusedListRows = 0;  // rows of the focused list, when the focus is on one
};

struct TCommandStates {
  // New, Open, Exit, Help and About are always enabled.
  bool save = false;
  bool saveAs = false;
  bool excelOutput = false;
  bool listCopy = false;  // both copy sub-items
  bool selectAll = false;
  bool selectChange = false;
  bool views = false;        // "項目" / "ER図" menu items and the List / ER buttons
  bool listChecked = false;  // "項目" is the checked menu item (else "ER図")
  bool listButtonDown = false;
  bool erButtonDown = false;
  bool format = false;
  bool connect = false;
  bool disconnect = false;
  bool dataCount = false;
  bool fetch = false;  // fetching the catalogue again (connects first when needed)

  bool operator==(const TCommandStates&) const = default;
};

// True when the Excel output has something to write: selected tables, an SQL result, or the
// ER sheets.
bool ExcelConditionHolds(const TCommandInputs& in);

TCommandStates ComputeCommandStates(const TCommandInputs& in);

}  // namespace morvane
