// TfrmMain: the main window. It owns the document (the catalogue store) and the connection, and
// wires the parts that show and work on them: the data tree and the list, SQL and ER panels, the
// command bar (menus and toolbar), the status bar and progress bar, the dialogs and the workbook
// window. The document commands (new, open, save) live here; the menu handlers are in
// main_window_commands.h and the work behind them belongs to the core.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "app/gui/app_settings.h"
#include "app/gui/browse/browser.h"
#include "app/gui/browse/list_panel.h"
#include "app/gui/command_rules.h"
#include "db/db_connection.h"
#include "model/catalogue_store.h"
#include "project/project_lock.h"

class QSettings;
class QTreeWidget;

namespace morvane {

class IPrompt;
class IProjectPathChooser;
class TCommandBar;
class TDialogs;
class TpnlER;
class TpnlList;
class TpnlSQL;
class TRecentMenu;
class TWindowStatusBar;
class TWorkbookWindow;
class TWorkProgress;

class TfrmMain : public QMainWindow, public IBrowseHost {
  Q_OBJECT

 public:
  // `arguments` is the whole command line; its second entry, if any, is the project to open
  // when the window is first shown.
  TfrmMain(IPrompt& prompt, QStringList arguments, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // --- the parts of the window ------------------------------------------------------------
  IPrompt& Prompt() { return prompt_; }
  TCatalogueStore& Store() { return store_; }
  // The file dialogs; tests replace them to answer without a display (not owned).
  IProjectPathChooser& PathChooser() { return *chooser_; }
  void SetPathChooser(IProjectPathChooser* chooser) { chooser_ = chooser; }
  // The workbooks open in the program, through which the Excel output and import attach.
  TWorkbookWindow& WorkbookWindow() { return *workbookWindow_; }
  TDialogs& Dialogs() { return *dialogs_; }
  TCommandBar& Commands() { return *commands_; }
  TWindowStatusBar& StatusBar() { return *statusBar_; }
  // The progress bar pgbWait, for the work the commands start.
  TWorkProgress& Progress() { return *progress_; }
  TRecentMenu& RecentMenu() { return *recent_; }
  // The tree and the lists, worked by the browser.
  TBrowser& Browser() { return *browser_; }
  QTreeWidget* DataTree() const { return trvDataType_; }
  TpnlList* ListPanel() const { return pnlList_; }
  TpnlSQL* SqlPanel() const { return pnlSQL_; }
  TpnlER* ERPanel() const { return pnlER_; }

  // --- remembered settings ------------------------------------------------------------------
  TAppSettings& Settings() { return *settings_; }
  // Reads and writes `settings` instead of the user's file and restores the window from it
  // (tests give a file in a temporary folder). Not owned.
  void SetSettings(QSettings* settings);

  // --- the database connection (main_window_connection.cpp) ------------------------------
  TDbConnection& Connection() { return connection_; }
  bool Connected() const override { return connection_.Connected; }
  // The implicit connect of the commands that need the database: shows the connect dialog
  // when not connected; true when connected afterwards.
  bool EnsureConnected();
  // Closes the connection (status panel 1 "未接続"); nothing when not connected.
  void Disconnect();
  // Generic ODBC projects, before the first fetch of a connection: lets the user choose the
  // schemas to read (remembered per data source). False when the user cancels or the schemas
  // cannot be listed (the driver's message is shown).
  bool ChooseOdbcSchemas();
  // Replaces the catalogue fetch (tests fetch without a database). By default the current data
  // kind is read through Connection().
  void SetCatalogueFetcher(std::function<bool()> fetch) { fetcher_ = std::move(fetch); }

  // --- the document (main_window_document.cpp) ----------------------------------------------
  void FileNew(Product product);
  void FileOpen(const QString& path);  // empty: ask with the Open dialog
  bool FileSave(bool force_dialog);
  // Asks "保存しますか？" when there are unsaved changes; false means the command must stop.
  bool SavePrompt();
  // Opens the first of the dropped files (the drop handler's work).
  void OpenDroppedFiles(const QStringList& paths);
  // Writes the selected tables (the list view) or the chosen ER sheets (the ER view) into a
  // new workbook of the workbook window, made from copies of its active sheet.
  void OutputExcel();

  // --- views and command states (main_window_views.cpp) -------------------------------------
  void ShowListView();
  void ShowERView();
  // The enabling rules applied to the current state.
  TCommandStates CommandStates() const;
  // Recomputes the toolbar and menus (connected to documentChanged).
  void ToolBarEnabled();

  // --- what the browser asks of the window (IBrowseHost) -------------------------------------
  void ShowConnectDialog() override;
  bool FetchCurrentDataKind() override;
  bool ImportExcel() override;  // main_window_import.cpp
  void DocumentChanged() override { emit documentChanged(); }
  void SetStatusText(int panel, const QString& text) override;
  void TableDragStarted(const TTableRec& table) override;
  void TableDragEnded(bool dropped) override;

 signals:
  // The document, the connection or the view changed: the commands' states follow.
  void documentChanged();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  // Backspace is previewed before the focused control sees it.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building the window (main_window_layout.cpp).
  void BuildWidgets();
  void BuildParts();
  // Opens the project named on the command line, once the window is shown.
  void OpenStartFile();
  // Every panel back to its state for a new or opened document.
  void InitLayout();
  void SetCaptionForFile();
  void MarkModified();
  TCommandInputs CommandInputs() const;
  void RestoreSettings();

  IPrompt& prompt_;
  QStringList arguments_;
  std::unique_ptr<TAppSettings> settings_;  // before the file dialogs, which use it
  std::unique_ptr<IProjectPathChooser> own_chooser_;
  IProjectPathChooser* chooser_ = nullptr;
  bool shown_once_ = false;

  TCatalogueStore store_;
  ProjectLock projectLock_;  // held on the open project, so no other program writes it meanwhile
  TDbConnection connection_;
  std::function<bool()> fetcher_;

  // Children of the window.
  QTreeWidget* trvDataType_ = nullptr;
  TpnlList* pnlList_ = nullptr;
  TpnlSQL* pnlSQL_ = nullptr;
  TpnlER* pnlER_ = nullptr;
  TCommandBar* commands_ = nullptr;
  TRecentMenu* recent_ = nullptr;
  TWorkbookWindow* workbookWindow_ = nullptr;  // docked at the right
  std::unique_ptr<TWindowStatusBar> statusBar_;
  std::unique_ptr<TWorkProgress> progress_;
  std::unique_ptr<TDialogs> dialogs_;
  // Declared after the store: it lets go of the lists' rows before the store goes.
  std::unique_ptr<TBrowser> browser_;

  QMetaObject::Connection focus_watch_;
  QPointer<QWidget> work_focus_;  // the last focus outside the menus
};

}  // namespace morvane
