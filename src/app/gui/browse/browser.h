// TBrowser: the browsing side of the main window. It drives the data tree trvDataType, the
// lists ltvDatabase, ltvData, ltvColumn and ltvSQL, the path line and status panel 2: selecting
// and expanding nodes (with the fetch question), the tree's popup menu with refresh and delete,
// filling and sorting the lists, opening a table from its row, the copy and selection commands
// and the list popup menu.
//
// The main window owns the widgets and the document; what the browser needs from the rest of
// the program (connecting, fetching, importing, the toolbar, the status bar, the ER drag) it
// asks through IBrowseHost, so tests can run it with their own host.
#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPoint>
#include <array>
#include <optional>

#include "model/catalogue_store.h"
#include "model/progress.h"
#include "model/prompt.h"

class QAction;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QMenu;
class QPlainTextEdit;
class QToolButton;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;
class QAbstractItemView;

namespace morvane {

class IBrowseHost {
 public:
  virtual ~IBrowseHost() = default;
  virtual bool Connected() const = 0;
  // Shows the connect dialog modally.
  virtual void ShowConnectDialog() = 0;
  // Fetches the store's current data kind from the database; true on success.
  virtual bool FetchCurrentDataKind() = 0;
  // Runs the Excel import; true when something was imported.
  virtual bool ImportExcel() = 0;
  // The document or the view changed: the commands' states follow.
  virtual void DocumentChanged() = 0;
  virtual void SetStatusText(int panel, const QString& text) = 0;
  // A table node is being dragged towards an ER sheet / the drag has ended (`dropped` when a
  // target other than the tree accepted it).
  virtual void TableDragStarted(const TTableRec&) {}
  virtual void TableDragEnded(bool /*dropped*/) {}
};

// The widgets the browser works on; all owned by the main window.
struct TBrowseWidgets {
  QTreeWidget* trvDataType = nullptr;
  QWidget* pnlList = nullptr;
  QWidget* pnlSQL = nullptr;
  QToolButton* sbtUp = nullptr;
  QLineEdit* txtPath = nullptr;
  QTreeView* ltvData = nullptr;
  QTreeView* ltvColumn = nullptr;
  QTreeView* ltvSQL = nullptr;
  QListWidget* ltvDatabase = nullptr;
  QPlainTextEdit* memSQL = nullptr;
  // The filter box above ltvData (optional); made by MakeListFilterBox.
  QLineEdit* edtFilter = nullptr;
};

class TBrowser : public QObject {
  Q_OBJECT

 public:
  TBrowser(TCatalogueStore& store, IPrompt& prompt, IProgress& progress, IBrowseHost& host,
           const TBrowseWidgets& widgets, QList<QIcon> treeImages, QObject* parent = nullptr);
  ~TBrowser() override;

  // --- layout reset ---------------------------------------------------------------------
  // Rebuilds the tree's roots from the store: "Excelファイル" (with its tables), "データベース"
  // with the three data kinds, and "SQL入力" when the file version is 280.
  void RebuildTree();
  // Empties every list and forgets the columns and rows built so far.
  void ResetLists();

  // --- the tree ---------------------------------------------------------------------------
  bool TreeNodeSelect(QTreeWidgetItem* node, bool fetchIfEmpty, bool askFirst);
  void SetTreeNode(QTreeWidgetItem* node);
  QTreeWidgetItem* ExcelRoot() const;
  QTreeWidgetItem* DatabaseRoot() const;
  QTreeWidgetItem* SqlRoot() const;
  QTreeWidgetItem* DataKindNode(DataKind kind) const;  // kinds 1 to 5

  // Prepares popDataType for `node` (target, selection, entries); false when no menu opens.
  bool PreparePopDataType(QTreeWidgetItem* node);
  // Prepares popDataType for ltvDatabase; false when no menu opens.
  bool PreparePopDatabase();
  QTreeWidgetItem* PopupTarget() const { return popupTarget_; }
  // Whether a press on the tree may start dragging the selected table to an ER sheet.
  bool CanStartTableDrag() const;

  // --- the lists --------------------------------------------------------------------------
  void SetList(QTreeWidgetItem* node);
  void SelCountShow();
  // The list the copy and selection commands act on.
  QAbstractItemView* ListInUse() const;
  // Prepares popList's entries.
  void PreparePopList();

  // --- the filter box (browser_filter.cpp) ------------------------------------------------
  // Whether the filter box is on view, over a list of tables or indexes.
  bool ListFilterAvailable() const;
  // Puts the keyboard focus into the filter box, its text selected; from a table's column list it
  // goes back to the table list first. False when there is no table list to filter.
  bool FocusListFilter();

  QMenu* popDataType = nullptr;
  QMenu* popList = nullptr;

 public slots:
  void sbtUpClick();
  // True when Backspace should act as the up button (the main window previews keys).
  bool BackspaceGoesUp() const;

  void popDataType_Excel_ImportClick();
  void popDataType_Excel_DeleteClick();
  void popDataType_RefreshClick();
  void popDataType_AllRefreshClick();
  // Fetches the current catalogue data kind again as its node's 最新の情報に更新 does, or every
  // data kind as すべての情報を更新 does when none is current.
  void RefreshCurrentDataKind();

  void ltvDataColumnClick(int column);
  void ltvDataDblClick();
  void ltvDatabaseDblClick();

  void mnuEdit_ListCopy_NoTitleClick();
  void mnuEdit_ListCopy_TitleClick();
  void mnuEdit_SelectAllClick();
  void mnuEdit_SelectChangeClick();
  void popList_ExcelDeleteClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void ConnectSignals();
  void trvDataTypeChange(QTreeWidgetItem* node);
  void trvDataTypeExpanding(QTreeWidgetItem* node);
  void ShowTreePopup(const QPoint& pos);
  void ShowDatabasePopup(const QPoint& pos);
  void ShowListPopup(QAbstractItemView* list, const QPoint& pos);
  void StartTableDrag();

  // TreeNodeSelect's parts.
  bool SelectDatabaseNode(QTreeWidgetItem* node, int level);
  bool FetchAgain(QTreeWidgetItem* node, bool askFirst);
  void ShowDatabaseKinds();
  void SelectNode(QTreeWidgetItem* node);

  // SetList's parts.
  QTreeView* ChooseList() const;
  void RebuildColumnsIfNeeded(QTreeView* list);
  void FillTableRows(QTreeView* list);
  bool FillColumnRows(QTreeView* list, const TTableRec* record);
  void SortDataList();
  void ShowListForLevel();

  // Empties the rows of the table and column lists (before their records go).
  void ForgetListRows();
  // Removing Excel tables.
  void RemoveExcelRecord(const TTableRec* record);
  void CollapseEmptyExcelRoot();

  // The filter box: applies its text to ltvData, follows ltvData's visibility.
  void ConnectListFilter();
  void ApplyListFilter();
  void SyncListFilterBox();
  bool ListFilterKey(QEvent* event);
  void ClearListFilter();

  bool CopyPrecondition() const;
  void CopySelectedRows(bool withTitles);

  TCatalogueStore& store_;
  IPrompt& prompt_;
  IProgress& progress_;
  IBrowseHost& host_;
  TBrowseWidgets w_;
  QList<QIcon> images_;

  QTreeWidgetItem* popupTarget_ = nullptr;
  bool expandGuard_ = false;
  QPoint dragStart_;
  bool dragArmed_ = false;

  // The list whose columns were built last, with the data kind and item level they are for.
  QTreeView* columnsList_ = nullptr;
  DataKind columnsKind_ = DataKind::None;
  int columnsLevel_ = 0;
  std::array<bool, 2> columnsCurrent_{};
  // The node whose rows were filled last (compared, never followed).
  const QTreeWidgetItem* filledNode_ = nullptr;
  bool sortTypeStale_ = true;
  int sortType_ = kValueKindText;

  QAction* popDataType_Excel_Import = nullptr;
  QAction* popDataType_Line1 = nullptr;
  QAction* popDataType_Excel_Delete = nullptr;
  QAction* popDataType_AllRefresh = nullptr;
  QAction* popDataType_Refresh = nullptr;
  QAction* popList_Copy = nullptr;
  QAction* popList_CopyWithTitle = nullptr;
  QAction* popList_Line1 = nullptr;
  QAction* popList_ExcelDelete = nullptr;
};

}  // namespace morvane
