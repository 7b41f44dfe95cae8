// TBrowser's commands on the lists: copy with and without titles, select all, invert the
// selection, the list popup menu and deleting Excel tables from their list.
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/browser.h"
#include "app/gui/browse/data_tree.h"
#include "app/gui/browse/report_view.h"
#include "app/gui/browse/wait_cursor.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

// Sends the standard copy request to a text control.
void CopyFromTextControl(QWidget* focus) {
  if (auto* line = qobject_cast<QLineEdit*>(focus)) {
    line->copy();
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focus)) {
    plain->copy();
  } else if (auto* rich = qobject_cast<QTextEdit*>(focus)) {
    rich->copy();
  }
}

}  // namespace

bool TBrowser::CopyPrecondition() const {
  QWidget* focus = QApplication::focusWidget();
  for (QAbstractItemView* list :
       {static_cast<QAbstractItemView*>(w_.ltvData), static_cast<QAbstractItemView*>(w_.ltvColumn),
        static_cast<QAbstractItemView*>(w_.ltvSQL)}) {
    if (list && focus == list) return SelectedRowCount(list) > 0;
  }
  return false;
}

void TBrowser::CopySelectedRows(bool withTitles) {
  QAbstractItemView* list = ListInUse();
  if (!list) return;
  WaitCursor wait;
  // The text is built in CP932 like the document and becomes Unicode only for the clipboard.
  std::string text = SelectedRowsCopyText(list, withTitles);
  QApplication::clipboard()->setText(QString::fromStdString(Cp932ForDisplay(text)));
}

void TBrowser::mnuEdit_ListCopy_NoTitleClick() {
  if (!CopyPrecondition()) {
    CopyFromTextControl(QApplication::focusWidget());
    return;
  }
  CopySelectedRows(false);
}

void TBrowser::mnuEdit_ListCopy_TitleClick() {
  if (CopyPrecondition()) CopySelectedRows(true);
}

void TBrowser::mnuEdit_SelectAllClick() {
  WaitCursor wait;
  QWidget* focus = QApplication::focusWidget();
  if (store_.currentDataKind == DataKind::Sql) {
    if (w_.memSQL && focus == w_.memSQL) {
      w_.memSQL->selectAll();
    } else if (w_.ltvSQL && focus == w_.ltvSQL) {
      SelectAllRows(w_.ltvSQL);
    }
  } else if (QAbstractItemView* list = ListInUse()) {
    SelectAllRows(list);
  }
  SelCountShow();
}

void TBrowser::mnuEdit_SelectChangeClick() {
  WaitCursor wait;
  if (store_.currentDataKind == DataKind::Sql) {
    if (w_.ltvSQL && QApplication::focusWidget() == w_.ltvSQL) InvertSelectedRows(w_.ltvSQL);
  } else if (QAbstractItemView* list = ListInUse()) {
    InvertSelectedRows(list);
  }
  SelCountShow();
}

void TBrowser::PreparePopList() {
  const bool excel_tables =
      store_.currentDataKind == DataKind::Excel && store_.currentListLevel == 1;
  popList_Line1->setVisible(excel_tables);
  popList_ExcelDelete->setVisible(excel_tables);
  const bool rows_chosen = CopyPrecondition();
  popList_Copy->setEnabled(rows_chosen);
  popList_CopyWithTitle->setEnabled(rows_chosen);
  popList_ExcelDelete->setEnabled(rows_chosen);
}

void TBrowser::ShowListPopup(QAbstractItemView* list, const QPoint& pos) {
  PreparePopList();
  popList->exec(list->viewport()->mapToGlobal(pos));
}

void TBrowser::popList_ExcelDeleteClick() {
  if (store_.currentDataKind != DataKind::Excel || store_.currentListLevel != 1) return;
  TListModel* model = ListModelOf(w_.ltvData);
  std::vector<int> rows = SelectedRows(w_.ltvData);
  if (rows.empty()) return;
  const std::string question =
      rows.size() == 1
          ? ToCp932("「") + model->RecordAt(rows.front())->name + ToCp932("」を削除しますか？")
          : ToCp932("選択されている項目をすべて削除しますか？");
  if (!prompt_.AskYesNo(question)) return;

  WaitCursor wait;
  // Rows go first to last in display order; each takes its own record and tree node along.
  for (std::vector<int> left = rows; !left.empty(); left = SelectedRows(w_.ltvData)) {
    const TTableRec* record = model->RecordAt(left.front());
    model->RemoveListRow(left.front());
    delete FindNodeUnder(
        ExcelRoot(), [record](const QTreeWidgetItem* node) { return NodeRecord(node) == record; });
    RemoveExcelRecord(record);
  }
  CollapseEmptyExcelRoot();
  store_.SetModified();
  host_.DocumentChanged();
  SelCountShow();
}

}  // namespace morvane
