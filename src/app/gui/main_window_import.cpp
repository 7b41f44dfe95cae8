// The main window's side of the Excel import: which workbook to read, the import dialog, and
// the tree and list brought up to date afterwards, also after a failure.
#include <QFileDialog>
#include <QTreeWidget>

#include "app/gui/excel/import_form.h"
#include "app/gui/forms.h"
#include "app/gui/main_window.h"
#include "app/gui/qt_text.h"
#include "browse/wait_cursor.h"
#include "db/column_size.h"
#include "excel/application.h"
#include "excel/excel_error.h"
#include "excel/import_excel.h"
#include "model/data_kind.h"

namespace morvane {
namespace {

// Stand-in until the workbook window lets the user open workbooks: asks for an .xlsx file and
// opens it into `excel`.
void OpenWorkbookWithFileDialog(QWidget* parent, excel::ExcelApplication& excel, IPrompt& prompt) {
  const QString path =
      QFileDialog::getOpenFileName(parent, QStringLiteral("インポートするExcelファイル"), QString(),
                                   QStringLiteral("Excel ブック (*.xlsx)"));
  if (path.isEmpty()) return;
  try {
    excel.Workbooks().Open(path.toStdString());
  } catch (const excel::ExcelError& e) {
    prompt.Error(ToCp932(QString::fromUtf8(e.what())));
  }
}

}  // namespace

void TfrmMain::SetImportSource(excel::ExcelApplication* excel, std::function<void()> openWorkbook) {
  importExcel_ = excel;
  openImportWorkbook_ = std::move(openWorkbook);
}

TfrmImport* TfrmMain::ImportForm() {
  if (forms_ && forms_->import) return forms_->import;
  if (!importForm_) importForm_ = new TfrmImport(prompt_, this);
  return importForm_;
}

bool TfrmMain::ImportExcel() {
  if (!importExcel_) {
    if (!ownImportExcel_) ownImportExcel_ = std::make_shared<excel::ExcelApplication>();
    importExcel_ = ownImportExcel_.get();
    openImportWorkbook_ = [this] { OpenWorkbookWithFileDialog(this, *importExcel_, prompt_); };
  }
  excel::Workbook* book = excel::AttachImportSource(*importExcel_, prompt_, openImportWorkbook_);
  if (!book) return false;

  QTreeWidgetItem* root = browser_->ExcelRoot();
  if (root && trvDataType->currentItem() != root) trvDataType->setCurrentItem(root);
  TfrmImport* form = ImportForm();
  form->Load(store_, *book);
  const int answer = form->exec();
  show();  // the dialog hid the window
  if (answer != QDialog::Accepted) return false;

  excel::ImportOutcome outcome;
  {
    WaitCursor wait;
    SetStatusText(2, QStringLiteral("インポート"));
    repaint();
    outcome = excel::ImportSheets(store_, *book, form->SelectedSheets(),
                                  {prompt_, *this, ColumnByteSize});
    // Records appended before a failure are shown and make the document modified too. The
    // records they replaced are still alive here: tree nodes and list rows let go of them
    // before `outcome` frees them.
    if (outcome.completed || outcome.appended > 0) {
      store_.currentDataKind = kDataKindExcel;
      SetTreeNode(root);
      store_.listRebuild = true;
      SetList(trvDataType->currentItem());
    }
  }
  SelCountShow();
  if (!outcome.completed) {
    prompt_.Error(excel::ImportFailureText(outcome));
    return false;
  }
  return true;
}

}  // namespace morvane
