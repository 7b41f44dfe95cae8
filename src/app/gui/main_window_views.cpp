// The switch between the list view and the ER view, and the enabling of every command.
#include <QApplication>
#include <QItemSelectionModel>
#include <QPlainTextEdit>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/list_panel.h"
#include "app/gui/command_bar.h"
#include "app/gui/db/sql_panel.h"
#include "app/gui/er/er_panel.h"
#include "app/gui/main_window.h"
#include "app/gui/menu_focus.h"

namespace morvane {
namespace {

int RowCount(const QAbstractItemView* list) { return list->model()->rowCount(); }

int SelectedRowCount(const QAbstractItemView* list) {
  return list->selectionModel() ? list->selectionModel()->selectedRows().size() : 0;
}

}  // namespace

TCommandInputs TfrmMain::CommandInputs() const {
  TCommandInputs in;
  in.product = store_.product;
  in.modified = store_.modified;
  in.fileVersion = store_.fileVersion;
  in.connected = Connected();
  in.currentDataKind = store_.currentDataKind;
  in.currentListLevel = store_.currentListLevel;
  in.dataSelectedRows = SelectedRowCount(pnlList_->ltvData());
  in.sqlRows = RowCount(pnlSQL_->ltvSQL);
  in.erView = store_.erViewActive;
  in.listView = store_.listViewActive;

  QWidget* focus = QApplication::focusWidget();
  // Opened from the keyboard, a menu holds the focus: look at the control that had it before.
  const bool in_menu =
      focus != nullptr ? IsMenuWidget(focus) : QApplication::activePopupWidget() != nullptr;
  if (in_menu) focus = work_focus_;
  if (focus == trvDataType_) {
    in.focus = FocusTarget::kTree;
  } else if (focus == pnlSQL_->memSQL) {
    in.focus = FocusTarget::kSqlText;
  } else if (focus == pnlList_->ltvData()) {
    in.focus = FocusTarget::kDataList;
    in.focusedListRows = RowCount(pnlList_->ltvData());
  } else if (focus == pnlList_->ltvColumn()) {
    in.focus = FocusTarget::kColumnList;
    in.focusedListRows = RowCount(pnlList_->ltvColumn());
  } else if (focus == pnlSQL_->ltvSQL) {
    in.focus = FocusTarget::kSqlList;
    in.focusedListRows = RowCount(pnlSQL_->ltvSQL);
  }
  return in;
}

TCommandStates TfrmMain::CommandStates() const { return ComputeCommandStates(CommandInputs()); }

void TfrmMain::ToolBarEnabled() { commands_->Apply(CommandStates()); }

void TfrmMain::ShowListView() {
  if (store_.erViewActive) {
    store_.erViewActive = false;
    store_.listViewActive = true;
    bool sql = store_.currentDataKind == DataKind::Sql;
    pnlSQL_->setVisible(sql);
    pnlList_->setVisible(!sql);
    pnlER_->hide();
    store_.listRebuild = true;
    browser_->SetList(trvDataType_->currentItem());
  }
  emit documentChanged();
}

void TfrmMain::ShowERView() {
  if (!store_.erViewActive) {
    store_.erViewActive = true;
    store_.listViewActive = false;
    pnlER_->show();
    pnlList_->hide();
    pnlSQL_->hide();
    browser_->SelCountShow();
  }
  emit documentChanged();
}

}  // namespace morvane
