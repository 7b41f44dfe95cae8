// The main window's side of the Excel import: which workbook to read, the import dialog, and
// the tree and list brought up to date afterwards, also after a failure.
#include <QTreeWidget>

#include "app/gui/browse/wait_cursor.h"
#include "app/gui/dialogs.h"
#include "app/gui/excel/import_form.h"
#include "app/gui/excel/workbook_window.h"
#include "app/gui/main_window.h"
#include "app/gui/work_progress.h"
#include "db/column_size.h"
#include "excel/import_excel.h"
#include "model/data_kind.h"

namespace morvane {

bool TfrmMain::ImportExcel() {
  // The source is the active workbook of the workbook window, where the user opens it.
  TWorkbookWindow& workbooks = WorkbookWindow();
  excel::Workbook* book = excel::AttachImportSource(
      workbooks.Application(), prompt_, [&workbooks] { workbooks.LetUserOpenWorkbook(); });
  if (!book) return false;

  QTreeWidgetItem* root = browser_->ExcelRoot();
  if (root && trvDataType_->currentItem() != root) trvDataType_->setCurrentItem(root);
  TfrmImport* form = dialogs_->Import();
  TImportChoice choice;
  choice.book = book;
  choice.layout = store_.importLayout;
  form->Load(choice);
  if (form->exec() != QDialog::Accepted) return false;
  form->Apply(choice);
  store_.importLayout = choice.layout;

  excel::ImportOutcome outcome;
  {
    WaitCursor wait;
    SetStatusText(2, QStringLiteral("インポート"));
    repaint();
    outcome =
        excel::ImportSheets(store_, *book, choice.sheets, {prompt_, *progress_, ColumnByteSize});
    // Records appended before a failure are shown and make the document modified too. The
    // records they replaced are still alive here: tree nodes and list rows let go of them
    // before `outcome` frees them.
    if (outcome.completed || outcome.appended > 0) {
      store_.currentDataKind = DataKind::Excel;
      browser_->SetTreeNode(root);
      store_.listRebuild = true;
      browser_->SetList(trvDataType_->currentItem());
    }
  }
  browser_->SelCountShow();
  if (!outcome.completed) {
    prompt_.Error(excel::ImportFailureText(outcome));
    return false;
  }
  return true;
}

}  // namespace morvane
