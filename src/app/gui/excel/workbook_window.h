// TWorkbookWindow: "Excel" as the user sees it here. A dock listing the workbooks open in the
// program with their sheets, the active workbook and sheet marked and changed by a click; it
// opens workbook files and the bundled template, saves and closes workbooks, hands a saved
// one to the desktop's spreadsheet program, and previews the active sheet. It owns the
// program's one ExcelApplication and is the host through which the Excel output and import
// attach to it.
#pragma once

#include <QDockWidget>
#include <functional>
#include <memory>

#include "app/gui/excel/workbook_file_dialogs.h"
#include "app/gui/help/help_viewer.h"
#include "excel/excel_host.h"
#include "excel/standard_sheet.h"
#include "excel/workbook_session.h"

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QTableView;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace morvane {

class IPrompt;
class TAppSettings;
class TSheetPreviewModel;

class TWorkbookWindow : public QDockWidget, public excel::IExcelHost {
  Q_OBJECT

 public:
  TWorkbookWindow(IPrompt& prompt, QWidget* parent = nullptr);
  ~TWorkbookWindow() override;

  // Docks the window on the right of `main`, hidden, and adds its View-menu item
  // (mnuShow_Workbooks) and its toolbar button (tlbMain_Workbooks, placed after
  // `button_after`), which show and hide it.
  void Install(QMainWindow* main, QMenu* view_menu, QToolBar* toolbar, QAction* button_after);

  // Replaces the file dialogs (tests answer without a display). Not owned.
  void SetPathChooser(IWorkbookPathChooser* chooser) { chooser_ = chooser; }
  // The folder last used for workbooks, for the window's own file dialogs. Not owned.
  void SetFolderMemory(TAppSettings* settings) { own_chooser_->SetFolderMemory(settings); }
  void SetProjectFolder(std::function<QString()> folder) {
    own_chooser_->SetProjectFolder(std::move(folder));
  }
  // Replaces the desktop's URL opener that starts the spreadsheet program.
  void SetUrlOpener(UrlOpener opener) { open_url_ = std::move(opener); }

  excel::WorkbookSession& Session() { return session_; }
  // The template of the last Excel output, offered again to the next one.
  excel::TemplateMemory& Templates() { return templates_; }

  // excel::IExcelHost.
  excel::ExcelApplication& Application() override { return session_.Application(); }
  // Shows the window and asks for a workbook file to open.
  bool LetUserOpenWorkbook() override;
  // Rebuilds the list and the preview; shows the window when a workbook was added.
  void Refresh() override;
  // As LetUserOpenWorkbook; when the Open dialog is cancelled, offers the bundled template
  // instead (the Excel output asks for a template while its question keeps the window modal).
  bool LetUserOpenTemplateOrWorkbook();

  // The commands of the window. Each reports failures through the prompt and returns whether
  // it did its work. Save, close and the spreadsheet program act on the active workbook.
  bool OpenWorkbook(const QString& path);  // empty: ask with the Open dialog
  bool OpenDefaultTemplate();
  bool SaveActive(bool force_dialog);
  bool CloseActive();
  bool OpenActiveInSpreadsheetProgram();
  // Before the program closes: asks to save each workbook the program made and never saved.
  // False means the program must stay open.
  bool QueryClose();

  // Widgets, by the names the rest of the program and the tests use.
  QToolBar* tlbWorkbooks = nullptr;
  QTreeWidget* trvWorkbooks = nullptr;
  QLabel* lblPreview = nullptr;
  QTableView* grdPreview = nullptr;
  QAction* cmdSave = nullptr;
  QAction* cmdSaveAs = nullptr;
  QAction* cmdClose = nullptr;
  QAction* cmdOpenDesktop = nullptr;

 private slots:
  void trvWorkbooksCurrentItemChanged(QTreeWidgetItem* current);

 private:
  void BuildWidgets();
  QAction* AddCommand(const char* name, const QString& caption, const QString& hint,
                      std::function<void()> command);
  // Saves `book`, with the Save As dialog when it has no file yet or `force_dialog`.
  bool Save(excel::Workbook& book, bool force_dialog);
  // Asks whether to save an output workbook never saved; false means stop.
  bool AskToSave(excel::Workbook& book);
  // Marks the active workbook and sheet, and shows the active sheet in the preview.
  void ShowActive();
  void ShowPreview();
  void UpdateCommands();
  // Shows an Excel failure as an error box: `what` (UTF-8) and the reason.
  void ReportFailure(const QString& what, const std::exception& e);

  IPrompt& prompt_;
  excel::WorkbookSession session_;
  excel::TemplateMemory templates_;
  std::unique_ptr<TWorkbookFileDialogs> own_chooser_;
  IWorkbookPathChooser* chooser_ = nullptr;
  UrlOpener open_url_;
  TSheetPreviewModel* previewModel_ = nullptr;
  int listedBooks_ = 0;
  bool filling_ = false;  // the list is being rebuilt: selection changes are not clicks
};

}  // namespace morvane
