// TfrmMain: the main window. It owns the document (the catalogue store) and shows it: the data
// tree on the left, the lists, the SQL panel or the ER sheets on the right, the menus, the
// toolbar and the status bar. The document commands (new, open, save, close) and the rules that
// enable every command live here; the work behind them belongs to the core.
#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>

#include "app/gui/app_settings.h"
#include "app/gui/browse/browser.h"
#include "app/gui/browse/list_panel.h"
#include "app/gui/command_rules.h"
#include "app/gui/help/help_viewer.h"
#include "app/gui/recent_projects.h"
#include "app/gui/window_status_bar.h"
#include "db/db_connection.h"
#include "model/catalogue_store.h"
#include "model/progress.h"
#include "project/project_lock.h"

class QAbstractItemView;
class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSettings;
class QSplitter;
class QTimer;
class QToolBar;
class QToolButton;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace morvane {

class IPrompt;
class IProjectPathChooser;
class TERSheetTabs;
class TERView;
class TfrmConnect;
class TfrmFormat;
class TpnlSQL;
class TWorkbookWindow;
class TWorkCancel;
class TfrmImport;
class TfrmERSelect;
struct TForms;
struct TCommandEntry;
namespace excel {
class ExcelApplication;
}

class TfrmHelp;

class TfrmMain : public QMainWindow, public IProgress, public IBrowseHost {
  Q_OBJECT

 public:
  // `arguments` is the whole command line; its second entry, if any, is the project to open
  // when the window is first shown.
  TfrmMain(IPrompt& prompt, QStringList arguments, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // Replaces the file dialogs (tests answer without a display). Not owned.
  void SetPathChooser(IProjectPathChooser* chooser) { chooser_ = chooser; }
  // Replaces the desktop viewer used by Help (by default xdg-open, whose failure shows the
  // help window instead).
  void SetUrlOpener(UrlOpener opener) { open_url_ = std::move(opener); }
  // Where Help looks for the guide instead of beside the program (tests).
  void SetHelpDir(QString dir) { helpDir_ = std::move(dir); }
  // The other forms, for the commands that show them.
  void SetForms(TForms* forms) { forms_ = forms; }

  TCatalogueStore& Store() { return store_; }
  // The workbook window: the workbooks open in the program, through which the Excel output
  // and import attach (its excel::IExcelHost side).
  TWorkbookWindow& WorkbookWindow() { return *workbookWindow_; }

  // --- the database connection (main_window_connection.cpp) ------------------------------
  // The connection to the data source the catalogue is fetched from.
  TDbConnection& Connection() { return connection_; }
  bool Connected() const override { return connection_.Connected; }
  // Status panel 1 and the hourglass as the connect, disconnect and fetch work drive them.
  IStatusBar& ConnectionStatus() { return statusBar_; }
  // The connect dialog, made on the first call and reused.
  TfrmConnect* ConnectForm();
  // The implicit connect of the commands that need the database: shows the connect dialog
  // when not connected; true when connected afterwards.
  bool EnsureConnected();
  // Generic ODBC projects, before the first fetch of a connection: lets the user choose the
  // schemas to read (remembered per data source). False when the user cancels or the schemas
  // cannot be listed (the driver's message is shown).
  bool ChooseOdbcSchemas();

  // --- the format settings dialog (main_window_format.cpp) --------------------------------
  // Made on the first call and reused.
  TfrmFormat* FormatForm();
  // Shows it for the current data kind: modal from the menu; modeless when the Excel output
  // rejects an address, so the user can correct it beside the template.
  void ShowFormatForm(bool modal);

  // --- the Excel import (main_window_import.cpp) -------------------------------------------
  // It reads the active workbook of the workbook window.
  // The import dialog: the one created at start, or one of the window's own.
  TfrmImport* ImportForm();

  // --- the Excel output (main_window_excel_output.cpp) -------------------------------------
  // Writes the selected tables (the list view) or the chosen ER sheets (the ER view) into a
  // new workbook of the workbook window, made from copies of its active sheet.
  void OutputExcel();
  // The ER sheet choice: the one created at start, or one of the window's own.
  TfrmERSelect* ERSelectForm();

  // Document commands.
  void FileNew(Product product);
  // The File > New command of a product (the menu item and the toolbar popup's item).
  void NewProjectClick(Product product);
  // The New commands of the first products, by their menu items' names.
  void mnuFile_New_RedBrickClick() { NewProjectClick(Product::RedBrick); }
  void mnuFile_New_Oracle8Click() { NewProjectClick(Product::Oracle8); }
  void mnuFile_New_Oracle7Click() { NewProjectClick(Product::Oracle7); }
  void mnuFile_New_BroadbaseClick() { NewProjectClick(Product::Broadbase); }
  void mnuFile_New_OdbcClick() { NewProjectClick(Product::Odbc); }
  void FileOpen(const QString& path);  // empty: ask with the Open dialog
  bool FileSave(bool force_dialog);
  // Asks "保存しますか？" when there are unsaved changes; false means the command must stop.
  bool SavePrompt();
  void InitLayout();
  void ToolBarEnabled() override;
  // Opens the first of the dropped files (the drop handler's work).
  void OpenDroppedFiles(const QStringList& paths);

  // The enabling rules applied to the current state.
  TCommandStates CommandStates() const;
  // Recomputes every menu item from the rules.
  void UpdateMenus();

  // Status bar panels 0..2.
  QString StatusText(int panel) const;
  void SetStatusText(int panel, const QString& text) override;

  // Browsing (main_window_browse.cpp): the tree and the lists, worked by the browser.
  TBrowser& Browser() { return *browser_; }
  bool TreeNodeSelect(QTreeWidgetItem* node, bool fetchIfEmpty, bool askFirst);
  void SetTreeNode(QTreeWidgetItem* node);
  void SetList(QTreeWidgetItem* node);
  void SelCountShow();
  // Replaces the catalogue fetch (tests fetch without a database). By default the current data
  // kind is read through Connection().
  void SetCatalogueFetcher(std::function<bool()> fetch) { fetcher_ = std::move(fetch); }
  // IBrowseHost.
  void ShowConnectDialog() override;
  bool FetchCurrentDataKind() override;
  bool ImportExcel() override;
  void TableDragStarted(const TTableRec& table) override;
  void TableDragEnded(bool dropped) override;
  // The ER view over pagER.
  TERView* ERView() const { return erView_; }
  // The panels and widgets of the window.
  QTreeWidget* DataTree() const { return trvDataType_; }
  QWidget* DataPanel() const { return pnlData_; }  // holds the list, SQL and ER panels
  TpnlList* ListPanel() const { return pnlList_; }
  TpnlSQL* SqlPanel() const { return pnlSQL_; }
  QWidget* ERPanel() const { return pnlER_; }
  TERSheetTabs* ERPages() const { return pagER_; }  // a tab an ER sheet
  QProgressBar* ProgressBar() const { return pgbWait_; }
  // The toolbar tlbMain and the popup of its New button.
  QToolBar* ToolBar() const { return tlbMain_; }
  QMenu* NewPopup() const { return popToolBar_New_; }

  // --- remembered settings (main_window_settings.cpp) ---------------------------------------
  TAppSettings& Settings() { return *settings_; }
  // Reads and writes `settings` instead of the user's file and restores the window from it
  // (tests give a file in a temporary folder). Not owned.
  void SetSettings(QSettings* settings);
  // Opens a project of the File menu's recent list through the normal open path; one whose
  // file is gone is removed from the list with a message.
  void OpenRecentProject(const QString& path);
  const TRecentProjects& RecentProjects() const { return recent_; }

  // IProgress: the progress bar pgbWait.
  void Begin(const std::string& activity_utf8, int total) override;
  void Step(int done) override;
  void End() override;
  // The cancel button beside the bar and Esc; shown once the work first asks.
  bool Cancelled() const override;

 signals:
  // The document, the connection or the view changed: the commands' states follow (connected
  // once to ToolBarEnabled).
  void documentChanged();

 public slots:
  // File menu.
  void mnuFile_OpenClick();
  void mnuFile_SaveClick();
  void mnuFile_SaveAsClick();
  void mnuFile_ExcelOutputClick();
  void mnuFile_CompareClick();  // main_window_compare.cpp
  void mnuFile_ExitClick();
  // Edit menu.
  void mnuEdit_ListCopy_NoTitleClick();
  void mnuEdit_ListCopy_TitleClick();
  void mnuEdit_SelectAllClick();
  void mnuEdit_SelectChangeClick();
  // View menu.
  void mnuShow_ListClick();
  void mnuShow_ERClick();
  void mnuShow_FormatClick();
  // Focuses the filter box of the table list.
  void mnuShow_FilterClick();
  // Database menu.
  void mnuDB_ConnectClick();
  void mnuDB_DisConnectClick();
  void mnuDB_DataCountClick();
  // Fetches the current data kind again, or every data kind when none is current.
  void mnuDB_FetchClick();
  // The outcome of the last fetch, as the status bar shows it.
  QString FetchOutcomeText() const;
  // Help menu.
  void mnuHelp_HelpClick();
  void mnuHelp_AboutClick();
  // Toolbar.
  void tlbMain_ListClick();
  // Path line.
  void sbtUpClick();

 protected:
  void showEvent(QShowEvent* event) override;
  // Opens the project named on the command line, once the window is shown.
  void OpenStartFile();
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building the window (main_window_layout.cpp, main_window_menus.cpp).
  void BuildWidgets();
  QWidget* BuildSqlPanel();
  QWidget* BuildERPanel();
  void BuildStatusBar();
  // The menus and the toolbar, from the command table.
  void BuildCommands();
  void AddEntry(const TCommandEntry& entry);
  // A menu item (`place` a menu) or toolbar button (the toolbar) that runs `handler`.
  QAction* AddCommand(QWidget* place, const QString& name, const QString& caption,
                      const QKeySequence& shortcut, std::function<void()> handler);
  void AddNewCommands(QMenu* menu, const QString& prefix, bool shortcuts);

  // Document helpers (main_window_document.cpp).
  // Closes the connection (status panel 1 "未接続"); nothing when not connected.
  void Disconnect();
  void SetCaptionForFile();
  // Measures item names in the list font, for the default item widths.
  TextMeasurer ListTextMeasurer() const;
  void RebuildERTabs();
  void MarkModified();

  // Views (main_window_views.cpp).
  void ShowListView();
  void ShowERView();
  TCommandInputs CommandInputs() const;
  // A menu item or toolbar button by its name.
  QAction* CommandAction(const char* name) const;
  // Recomputes menus and toolbar once control returns to the event loop; list selections and
  // fills call this, however many rows change.
  void ScheduleCommandRefresh();
  // Sets every menu item from already computed states.
  void ApplyMenuStates(const TCommandStates& s);
  void WatchListForCommands(QAbstractItemView* list);
  bool BackspaceGoesUp() const;
  void PlaceProgressBar();

  // Remembered settings (main_window_settings.cpp).
  void RestoreSettings();
  void SaveSettings();
  // Puts an opened or saved project first in the recent list and remembers its folder.
  void RememberProject(const QString& path);
  void RebuildRecentMenu();
  // Keeps the whole window on the available area of its screen.
  void FitToScreen();

  IPrompt& prompt_;
  QStringList arguments_;
  std::unique_ptr<TAppSettings> settings_;  // before the file dialogs, which use it
  TRecentProjects recent_;
  std::unique_ptr<IProjectPathChooser> own_chooser_;
  IProjectPathChooser* chooser_ = nullptr;
  UrlOpener open_url_;  // empty: xdg-open
  TForms* forms_ = nullptr;
  bool shown_once_ = false;

  TCatalogueStore store_;
  ProjectLock projectLock_;  // held on the open project, so no other program writes it meanwhile
  TDbConnection connection_;
  TWindowStatusBar statusBar_{*this};
  TfrmConnect* connectForm_ = nullptr;  // a child of the window
  TfrmFormat* formatForm_ = nullptr;    // a child of the window
  // A child of the window, docked at its right.
  TWorkbookWindow* workbookWindow_ = nullptr;
  std::function<bool()> fetcher_;
  mutable TWorkCancel* workCancel_ = nullptr;  // made on the first cancellable work
  void StopCancelWatch();
  TfrmImport* importForm_ = nullptr;      // a child of the window, when no form was set
  TfrmERSelect* erSelectForm_ = nullptr;  // a child of the window, when no form was set
  TfrmHelp* helpWindow_ = nullptr;        // a child of the window, made on first Help
  QString helpDir_;                       // empty: the program's folder
  // Declared after the store: it lets go of the lists' rows before the store goes.
  std::unique_ptr<TBrowser> browser_;

 private:
  void ShowFetchOutcome(DataKind kind, bool fetched);

  QTreeWidget* trvDataType_ = nullptr;
  QWidget* pnlData_ = nullptr;
  TpnlList* pnlList_ = nullptr;
  TpnlSQL* pnlSQL_ = nullptr;  // holds memSQL, txtSQLMaxRow and ltvSQL
  QWidget* pnlER_ = nullptr;
  TERSheetTabs* pagER_ = nullptr;
  QProgressBar* pgbWait_ = nullptr;
  QSplitter* splitter_ = nullptr;
  std::array<QLabel*, 3> stbPanels_{};
  QLabel* lblFetchOutcome_ = nullptr;  // beside the panels, from the first fetch on
  QToolBar* tlbMain_ = nullptr;
  QMenu* popToolBar_New_ = nullptr;
  QHash<QString, QMenu*> menus_;  // the menus by name
  QActionGroup* viewMenuGroup_ = nullptr;
  QActionGroup* viewButtonGroup_ = nullptr;
  QHash<QString, QAction*> actions_;  // menu items and toolbar buttons by name
  QTimer* refresh_timer_ = nullptr;
  TERView* erView_ = nullptr;
  QMetaObject::Connection focus_watch_;
  QPointer<QWidget> work_focus_;  // the last focus outside the menus
};

}  // namespace morvane
