// The switch between the list view and the ER view, and the enabling of every command.
#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include "app/gui/db/sql_panel.h"
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

QAction* TfrmMain::CommandAction(const char* name) const {
  QAction* action = actions_.value(QLatin1String(name));
  Q_ASSERT(action);
  return action;
}

void TfrmMain::ScheduleCommandRefresh() { refresh_timer_->start(); }

TCommandStates TfrmMain::CommandStates() const { return ComputeCommandStates(CommandInputs()); }

void TfrmMain::UpdateMenus() { ApplyMenuStates(CommandStates()); }

void TfrmMain::ApplyMenuStates(const TCommandStates& s) {
  auto set = [this](const char* name, bool enabled) { CommandAction(name)->setEnabled(enabled); };
  set("mnuFile_Save", s.save);
  set("mnuFile_SaveAs", s.saveAs);
  set("mnuFile_ExcelOutput", s.excelOutput);
  findChild<QMenu*>(QStringLiteral("mnuEdit_ListCopy"))->setEnabled(s.listCopy);
  set("mnuEdit_ListCopy_NoTitle", s.listCopy);
  set("mnuEdit_ListCopy_Title", s.listCopy);
  set("mnuEdit_SelectAll", s.selectAll);
  set("mnuEdit_SelectChange", s.selectChange);
  set("mnuShow_List", s.views);
  set("mnuShow_ER", s.views);
  CommandAction(s.listChecked ? "mnuShow_List" : "mnuShow_ER")->setChecked(true);
  set("mnuShow_Format", s.format);
  set("mnuDB_Connect", s.connect);
  set("mnuDB_DisConnect", s.disconnect);
  set("mnuDB_DataCount", s.dataCount);
  set("mnuDB_Fetch", s.fetch);
}

void TfrmMain::ToolBarEnabled() {
  TCommandStates s = CommandStates();
  auto set = [this](const char* name, bool enabled) { CommandAction(name)->setEnabled(enabled); };
  set("tlbMain_Save", s.save);
  set("tlbMain_Excel", s.excelOutput);
  set("tlbMain_List", s.views);
  set("tlbMain_ER", s.views);
  CommandAction("tlbMain_List")->setChecked(s.listButtonDown);
  CommandAction("tlbMain_ER")->setChecked(s.erButtonDown);
  set("tlbMain_Format", s.format);
  set("tlbMain_Connect", s.connect);
  set("tlbMain_DisConnect", s.disconnect);
  set("tlbMain_Fetch", s.fetch);
  // Shortcuts belong to the menu items: keep them in step with the toolbar.
  ApplyMenuStates(s);
}

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

void TfrmMain::mnuShow_ListClick() {
  if (CommandStates().views) ShowListView();
}
void TfrmMain::mnuShow_ERClick() {
  if (CommandStates().views) ShowERView();
}
void TfrmMain::tlbMain_ListClick() { mnuShow_ListClick(); }

bool TfrmMain::BackspaceGoesUp() const { return browser_->BackspaceGoesUp(); }

void TfrmMain::sbtUpClick() { browser_->sbtUpClick(); }

void TfrmMain::mnuShow_FilterClick() { browser_->FocusListFilter(); }

}  // namespace morvane
