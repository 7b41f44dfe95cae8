// TBrowser's construction: menus, signal wiring, the layout reset, key and mouse handling.
#include "app/gui/browse/browser.h"

#include <QAction>
#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/data_tree.h"
#include "app/gui/browse/report_view.h"
#include "browse/list_copy.h"

namespace morvane {
namespace {

QAction* AddAction(QMenu* menu, const char* name, const QString& caption) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  return action;
}

QAction* AddSeparator(QMenu* menu, const char* name) {
  QAction* separator = menu->addSeparator();
  separator->setObjectName(QLatin1String(name));
  return separator;
}

bool IsEnterKey(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

TBrowser::TBrowser(TCatalogueStore& store, IPrompt& prompt, IProgress& progress, IBrowseHost& host,
                   const TBrowseWidgets& widgets, QList<QIcon> treeImages, QObject* parent)
    : QObject(parent),
      store_(store),
      prompt_(prompt),
      progress_(progress),
      host_(host),
      w_(widgets),
      images_(std::move(treeImages)) {
  BuildMenus();
  ConnectSignals();
}

TBrowser::~TBrowser() {
  // The lists may outlive the browser and even the document: leave them no row to read.
  ResetLists();
  delete popDataType;
  delete popList;
}

void TBrowser::BuildMenus() {
  popDataType = new QMenu;
  popDataType->setObjectName(QStringLiteral("popDataType"));
  popDataType_Excel_Import =
      AddAction(popDataType, "popDataType_Excel_Import", QStringLiteral("ｲﾝﾎﾟｰﾄ"));
  popDataType_Line1 = AddSeparator(popDataType, "popDataType_Line1");
  popDataType_Excel_Delete =
      AddAction(popDataType, "popDataType_Excel_Delete", QStringLiteral("削除"));
  popDataType_AllRefresh =
      AddAction(popDataType, "popDataType_AllRefresh", QStringLiteral("すべての情報を更新"));
  popDataType_Refresh =
      AddAction(popDataType, "popDataType_Refresh", QStringLiteral("最新の情報に更新"));
  connect(popDataType_Excel_Import, &QAction::triggered, this,
          &TBrowser::popDataType_Excel_ImportClick);
  connect(popDataType_Excel_Delete, &QAction::triggered, this,
          &TBrowser::popDataType_Excel_DeleteClick);
  connect(popDataType_AllRefresh, &QAction::triggered, this,
          &TBrowser::popDataType_AllRefreshClick);
  connect(popDataType_Refresh, &QAction::triggered, this, &TBrowser::popDataType_RefreshClick);

  popList = new QMenu;
  popList->setObjectName(QStringLiteral("popList"));
  popList_Copy = AddAction(popList, "popList_Copy", QStringLiteral("コピー"));
  popList_Copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
  popList_CopyWithTitle =
      AddAction(popList, "popList_CopyWithTitle", QStringLiteral("コピー(タイトル有り)"));
  popList_CopyWithTitle->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
  popList_Line1 = AddSeparator(popList, "popList_Line1");
  popList_ExcelDelete = AddAction(popList, "popList_ExcelDelete", QStringLiteral("削除"));
  connect(popList_Copy, &QAction::triggered, this, &TBrowser::mnuEdit_ListCopy_NoTitleClick);
  connect(popList_CopyWithTitle, &QAction::triggered, this, &TBrowser::mnuEdit_ListCopy_TitleClick);
  connect(popList_ExcelDelete, &QAction::triggered, this, &TBrowser::popList_ExcelDeleteClick);
}

void TBrowser::ConnectSignals() {
  QTreeWidget* tree = w_.trvDataType;
  connect(tree, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* node) { trvDataTypeChange(node); });
  connect(tree, &QTreeWidget::itemExpanded, this,
          [this](QTreeWidgetItem* node) { trvDataTypeExpanding(node); });
  tree->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(tree, &QWidget::customContextMenuRequested, this, &TBrowser::ShowTreePopup);
  tree->viewport()->installEventFilter(this);

  w_.ltvData->header()->setSectionsClickable(true);
  connect(w_.ltvData->header(), &QHeaderView::sectionClicked, this, &TBrowser::ltvDataColumnClick);
  connect(w_.ltvData, &QAbstractItemView::doubleClicked, this, &TBrowser::ltvDataDblClick);
  w_.ltvData->installEventFilter(this);

  connect(w_.ltvDatabase, &QListWidget::itemDoubleClicked, this, &TBrowser::ltvDatabaseDblClick);
  w_.ltvDatabase->installEventFilter(this);
  w_.ltvDatabase->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(w_.ltvDatabase, &QWidget::customContextMenuRequested, this, &TBrowser::ShowDatabasePopup);

  for (QTreeView* list : {w_.ltvData, w_.ltvColumn, w_.ltvSQL}) {
    if (!list) continue;
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TBrowser::SelCountShow);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint& pos) { ShowListPopup(list, pos); });
  }
  ConnectListFilter();
}

void TBrowser::RebuildTree() {
  QTreeWidget* tree = w_.trvDataType;
  QSignalBlocker quiet(tree);
  tree->clear();
  popupTarget_ = nullptr;
  filledNode_ = nullptr;
  QTreeWidgetItem* excel =
      AddTreeNode(tree, nullptr, Utf8Text(kExcelRootText), kTreeImgExcelRoot, images_);
  RebuildDataKindChildren(excel, store_, DataKind::Excel, images_);
  QTreeWidgetItem* database =
      AddTreeNode(tree, nullptr, Utf8Text(kDatabaseRootText), kTreeImgDatabaseRoot, images_);
  for (DataKind kind : {DataKind::Table, DataKind::Index, DataKind::TableIndex}) {
    QTreeWidgetItem* node =
        AddTreeNode(tree, database, Utf8Text(DataKindCaption(kind)), kTreeImgKindEmpty, images_);
    RebuildDataKindChildren(node, store_, kind, images_);
  }
  if (store_.fileVersion == kCurrentFileVersion) {
    AddTreeNode(tree, nullptr, Utf8Text(kSqlRootText), kTreeImgSqlInput, images_);
  }
}

void TBrowser::ResetLists() {
  for (QTreeView* list : {w_.ltvData, w_.ltvColumn, w_.ltvSQL}) {
    if (TListModel* model = ListModelOf(list)) model->Clear();
    if (list) list->header()->setSortIndicatorShown(false);
  }
  w_.ltvDatabase->clear();
  ClearListFilter();
  columnsList_ = nullptr;
  columnsKind_ = DataKind::None;
  columnsLevel_ = 0;
  columnsCurrent_ = {};
  filledNode_ = nullptr;
  sortTypeStale_ = true;
}

QTreeWidgetItem* TBrowser::ExcelRoot() const { return w_.trvDataType->topLevelItem(0); }
QTreeWidgetItem* TBrowser::DatabaseRoot() const { return w_.trvDataType->topLevelItem(1); }
QTreeWidgetItem* TBrowser::SqlRoot() const { return w_.trvDataType->topLevelItem(2); }

QTreeWidgetItem* TBrowser::DataKindNode(DataKind kind) const {
  switch (kind) {
    case DataKind::Excel:
      return ExcelRoot();
    case DataKind::Table:
    case DataKind::Index:
    case DataKind::TableIndex:
      return DatabaseRoot()
                 ? DatabaseRoot()->child(DataKindCode(kind) - DataKindCode(DataKind::Table))
                 : nullptr;
    case DataKind::Sql:
      return SqlRoot();
    default:
      return nullptr;
  }
}

void TBrowser::SelCountShow() {
  QString text;
  if (!store_.erViewActive) {
    const QAbstractItemView* list = ListInUse();
    const TListModel* model = ListModelOf(list);
    if (list && model && model->Filtered()) {
      text = Utf8Text(FilteredSelectionCountText(SelectedRowCount(list), model->rowCount()));
    } else if (list) {
      text = Utf8Text(SelectionCountText(SelectedRowCount(list)));
    }
  }
  host_.SetStatusText(2, text);
  host_.DocumentChanged();
}

bool TBrowser::eventFilter(QObject* watched, QEvent* event) {
  if (watched == w_.trvDataType->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      dragArmed_ = mouse->button() == Qt::LeftButton && CanStartTableDrag();
      dragStart_ = mouse->position().toPoint();
    } else if (event->type() == QEvent::MouseMove && dragArmed_) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if ((mouse->buttons() & Qt::LeftButton) &&
          (mouse->position().toPoint() - dragStart_).manhattanLength() >=
              QApplication::startDragDistance()) {
        dragArmed_ = false;
        StartTableDrag();
        return true;
      }
    } else if (event->type() == QEvent::MouseButtonRelease) {
      dragArmed_ = false;
    }
  } else if (watched == w_.ltvData &&
             (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)) {
    SyncListFilterBox();
  } else if (watched == w_.edtFilter && ListFilterKey(event)) {
    return true;
  } else if (watched == w_.ltvData && IsEnterKey(event)) {
    ltvDataDblClick();
    return true;
  } else if (watched == w_.ltvDatabase && IsEnterKey(event)) {
    ltvDatabaseDblClick();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

bool TBrowser::CanStartTableDrag() const {
  return store_.fileVersion == kCurrentFileVersion &&
         (store_.currentDataKind == DataKind::Excel || store_.currentDataKind == DataKind::Table) &&
         store_.currentListLevel == 2 && store_.erViewActive;
}

void TBrowser::StartTableDrag() {
  const TTableRec* record = NodeRecord(w_.trvDataType->currentItem());
  if (!record || !CanStartTableDrag()) return;
  host_.TableDragStarted(*record);
  auto* drag = new QDrag(w_.trvDataType);
  auto* mime = new QMimeData;
  mime->setData(QStringLiteral("application/x-morvane-table"), QByteArray(record->name.c_str()));
  drag->setMimeData(mime);
  Qt::DropAction action = drag->exec(Qt::CopyAction);
  host_.TableDragEnded(action != Qt::IgnoreAction);
}

}  // namespace morvane
