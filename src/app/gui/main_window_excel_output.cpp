// The main window's side of the Excel output: the records or ER sheets to write, the workbook
// window as "Excel", the format dialog when the template rejects an address, and the window
// brought up to date afterwards, also when the output failed.
#include <QApplication>
#include <QTreeView>
#include <vector>

#include "app/gui/browse/list_panel.h"
#include "app/gui/browse/report_view.h"
#include "app/gui/dialogs.h"
#include "app/gui/excel/er_select_form.h"
#include "app/gui/excel/workbook_window.h"
#include "app/gui/main_window.h"
#include "app/gui/work_progress.h"
#include "excel/output_excel.h"
#include "excel/standard_sheet.h"
#include "model/data_kind.h"

namespace morvane {
namespace {

// The main window's progress bar, with the hourglass from the moment the output starts writing
// until its clean-up (the questions before it keep the normal cursor).
class OutputProgress : public IProgress {
 public:
  explicit OutputProgress(IProgress& bar) : bar_(bar) {}
  ~OutputProgress() override {
    if (waiting_) QApplication::restoreOverrideCursor();
  }
  void Begin(const std::string& activity_utf8, int total) override {
    if (!waiting_) QApplication::setOverrideCursor(Qt::WaitCursor);
    waiting_ = true;
    bar_.Begin(activity_utf8, total);
  }
  void Step(int done) override { bar_.Step(done); }
  void End() override {
    bar_.End();
    if (waiting_) QApplication::restoreOverrideCursor();
    waiting_ = false;
  }

 private:
  IProgress& bar_;
  bool waiting_ = false;
};

// The records of the selected rows of `list`, top to bottom.
std::vector<const TTableRec*> SelectedRecords(const QTreeView* list) {
  std::vector<const TTableRec*> records;
  const TListModel* model = ListModelOf(list);
  if (!model) return records;
  for (int row : SelectedRows(list)) {
    if (const TTableRec* record = model->RecordAt(row)) records.push_back(record);
  }
  return records;
}

}  // namespace

void TfrmMain::OutputExcel() {
  const bool er = store_.erViewActive;
  std::vector<const TTableRec*> records;
  if (er) {
    TfrmERSelect* form = dialogs_->ERSelect();
    store_.erOutputSheets.clear();  // a cancelled choice leaves none
    form->Load(store_);
    if (form->exec() != QDialog::Accepted) return;
    form->Apply(store_);
    if (store_.erOutputSheets.empty()) return;
  } else if (store_.currentDataKind == DataKind::Sql) {
    const RecordList& last_query = store_.Records(DataKind::Sql);
    if (!last_query.empty()) records.push_back(last_query.front().get());
  } else {
    records = SelectedRecords(pnlList_->ltvData());
  }

  TWorkbookWindow& workbooks = WorkbookWindow();
  workbooks.Templates().OfferAgain(workbooks.Application());
  const size_t kind =
      DataKindIndex(IsDataKind(store_.currentDataKind) ? store_.currentDataKind : DataKind::Table);
  excel::OfferStandardSheet(workbooks.Application(),
                            excel::StandardSheetFor(store_.currentDataKind,
                                                    store_.formatSettings.tableOneSheet[kind], er));
  OutputProgress progress(*progress_);
  excel::OutputHooks hooks{
      .openSheet = [&workbooks] { workbooks.LetUserOpenTemplateOrWorkbook(); },
      .showFormat = [this] { dialogs_->ShowFormat(false); },
  };
  excel::ExcelOutput output(workbooks.Application(), prompt_, progress, std::move(hooks));
  // The new workbook shows in the workbook window, unsaved, however the output ended; an Excel
  // failure then goes on to the program's error report with the window already up to date.
  excel::OutputResult result;
  auto show_outcome = [this, &workbooks, &result] {
    workbooks.Templates().Remember(result);
    workbooks.Refresh();
    browser_->SelCountShow();
    emit documentChanged();
  };
  try {
    if (er) {
      result = output.WriteERSheets(store_, store_.erOutputSheets);
    } else {
      result = output.WriteTables(store_, store_.currentDataKind, records);
    }
  } catch (...) {
    show_outcome();
    throw;
  }
  show_outcome();
}

}  // namespace morvane
