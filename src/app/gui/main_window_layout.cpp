// The parts of the main window: the tree, the list, SQL and ER panels, the status and progress
// bars, the command bar, the workbook window and the browser that works the tree and lists.
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/gui/browse/list_panel.h"
#include "app/gui/command_bar.h"
#include "app/gui/db/sql_panel.h"
#include "app/gui/er/er_panel.h"
#include "app/gui/er/er_view.h"
#include "app/gui/excel/workbook_window.h"
#include "app/gui/main_window.h"
#include "app/gui/paths/project_folder.h"
#include "app/gui/readable_names.h"
#include "app/gui/recent_menu.h"
#include "app/gui/tree_images.h"
#include "app/gui/window_status_bar.h"
#include "app/gui/work_progress.h"

namespace morvane {
namespace {

constexpr int kTreeWidth = 200;

}  // namespace

void TfrmMain::BuildWidgets() {
  trvDataType_ = new QTreeWidget;
  trvDataType_->setObjectName(QStringLiteral("trvDataType"));
  trvDataType_->setHeaderHidden(true);
  trvDataType_->setColumnCount(1);
  trvDataType_->setIconSize(QSize(16, 16));
  MakeNamesReadable(trvDataType_);

  pnlList_ = new TpnlList;
  connect(pnlList_->sbtUp(), &QToolButton::clicked, this, [this] { browser_->sbtUpClick(); });
  TpnlSQL::Hooks hooks;
  hooks.session = [this] { return DbSession{connection_, prompt_, *progress_, *statusBar_}; };
  hooks.ensureConnected = [this] { return EnsureConnected(); };
  hooks.documentChanged = [this] { emit documentChanged(); };
  hooks.showResult = [this] {
    store_.listRebuild = true;
    browser_->SetList(browser_->SqlRoot());
    emit documentChanged();
  };
  pnlSQL_ = new TpnlSQL(store_, prompt_, std::move(hooks));
  pnlER_ = new TpnlER(store_, prompt_, [this] { MarkModified(); });
  // pnlData holds the list, SQL and ER panels, one shown at a time.
  auto* pnlData = new QWidget;
  pnlData->setObjectName(QStringLiteral("pnlData"));
  auto* data_layout = new QVBoxLayout(pnlData);
  data_layout->setContentsMargins(0, 0, 0, 0);
  data_layout->setSpacing(0);
  for (QWidget* panel : {static_cast<QWidget*>(pnlList_), static_cast<QWidget*>(pnlSQL_),
                         static_cast<QWidget*>(pnlER_)}) {
    data_layout->addWidget(panel);
  }
  pnlSQL_->hide();
  pnlER_->hide();

  auto* splitter = new QSplitter(Qt::Horizontal);
  splitter->setObjectName(QStringLiteral("splData"));
  splitter->addWidget(trvDataType_);
  splitter->addWidget(pnlData);
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({kTreeWidth, 600});
  setCentralWidget(splitter);

  statusBar_ = std::make_unique<TWindowStatusBar>(statusBar(), [this] {
    if (progress_) progress_->Place();
  });
  progress_ = std::make_unique<TWorkProgress>(this, *statusBar_, [this] {
    // Panel 2 shows the selection count again.
    if (browser_) browser_->SelCountShow();
  });
}

void TfrmMain::BuildParts() {
  commands_ = new TCommandBar(*this);
  for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(pnlList_->ltvData()),
                                  static_cast<QAbstractItemView*>(pnlList_->ltvColumn()),
                                  static_cast<QAbstractItemView*>(pnlSQL_->ltvSQL)}) {
    commands_->WatchList(list);
  }
  recent_ = new TRecentMenu(commands_->Menu(QStringLiteral("mnuFile_Recent")), *settings_, prompt_,
                            [this](const QString& path) {
                              if (SavePrompt()) FileOpen(path);
                              emit documentChanged();
                            });
  workbookWindow_ = new TWorkbookWindow(prompt_, this);
  workbookWindow_->Install(this, commands_->Menu(QStringLiteral("mnuShow")), commands_->ToolBar(),
                           commands_->Action("tlbMain_Excel"));
  workbookWindow_->SetFolderMemory(settings_.get());
  workbookWindow_->SetProjectFolder([this] { return ProjectFolder(store_); });
  browser_ = std::make_unique<TBrowser>(
      store_, prompt_, *progress_, *this,
      TBrowseWidgets{trvDataType_, pnlList_, pnlSQL_, pnlList_->sbtUp(), pnlList_->txtPath(),
                     pnlList_->ltvData(), pnlList_->ltvColumn(), pnlSQL_->ltvSQL,
                     pnlList_->ltvDatabase(), pnlSQL_->memSQL, pnlList_->edtFilter()},
      TreeImages());
}

void TfrmMain::TableDragStarted(const TTableRec& table) { pnlER_->View().BeginTableDrag(&table); }

void TfrmMain::TableDragEnded(bool) { pnlER_->View().EndTableDrag(); }

}  // namespace morvane
