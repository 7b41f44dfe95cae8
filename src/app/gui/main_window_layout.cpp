// The widgets of the main window: tree, list, SQL and ER panels, status bar and progress bar.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/browse/list_panel.h"
#include "app/gui/db/sql_panel.h"
#include "app/gui/er/er_sheet_tabs.h"
#include "app/gui/er/er_view.h"
#include "app/gui/main_window.h"
#include "app/gui/readable_names.h"
#include "app/gui/tree_images.h"
#include "app/gui/window_status_bar.h"

namespace morvane {
namespace {

constexpr int kTreeWidth = 200;
constexpr std::array<int, 3> kStatusPanelWidths = {70, 130, 50};
constexpr int kProgressLeft = 270;
constexpr int kProgressWidth = 151;
constexpr int kProgressHeight = 11;

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

}  // namespace

void TfrmMain::BuildWidgets() {
  trvDataType_ = Named(new QTreeWidget, "trvDataType");
  trvDataType_->setHeaderHidden(true);
  trvDataType_->setColumnCount(1);
  trvDataType_->setIconSize(QSize(16, 16));
  MakeNamesReadable(trvDataType_);

  pnlData_ = Named(new QWidget, "pnlData");
  auto* data_layout = new QVBoxLayout(pnlData_);
  data_layout->setContentsMargins(0, 0, 0, 0);
  data_layout->setSpacing(0);
  pnlList_ = new TpnlList;
  connect(pnlList_->sbtUp(), &QToolButton::clicked, this, &TfrmMain::sbtUpClick);
  data_layout->addWidget(pnlList_);
  data_layout->addWidget(BuildSqlPanel());
  data_layout->addWidget(BuildERPanel());
  pnlSQL_->hide();
  pnlER_->hide();

  splitter_ = Named(new QSplitter(Qt::Horizontal), "splData");
  splitter_->addWidget(trvDataType_);
  splitter_->addWidget(pnlData_);
  splitter_->setStretchFactor(0, 0);
  splitter_->setStretchFactor(1, 1);
  splitter_->setSizes({kTreeWidth, 600});
  setCentralWidget(splitter_);

  BuildStatusBar();

  refresh_timer_ = new QTimer(this);
  refresh_timer_->setSingleShot(true);
  refresh_timer_->setInterval(0);
  connect(refresh_timer_, &QTimer::timeout, this, &TfrmMain::ToolBarEnabled);
  for (QAbstractItemView* list : {static_cast<QAbstractItemView*>(pnlList_->ltvData()),
                                  static_cast<QAbstractItemView*>(pnlList_->ltvColumn()),
                                  static_cast<QAbstractItemView*>(pnlSQL_->ltvSQL)}) {
    WatchListForCommands(list);
  }

  pgbWait_ = Named(new QProgressBar(this), "pgbWait");
  pgbWait_->setTextVisible(false);
  pgbWait_->setGeometry(kProgressLeft, height() - kProgressHeight - 3, kProgressWidth,
                        kProgressHeight);
  pgbWait_->hide();
}

// The Excel output, data count and selection commands depend on list rows and selections.
void TfrmMain::WatchListForCommands(QAbstractItemView* list) {
  QAbstractItemModel* model = list->model();
  connect(model, &QAbstractItemModel::rowsInserted, this, &TfrmMain::ScheduleCommandRefresh);
  connect(model, &QAbstractItemModel::rowsRemoved, this, &TfrmMain::ScheduleCommandRefresh);
  connect(model, &QAbstractItemModel::modelReset, this, &TfrmMain::ScheduleCommandRefresh);
  connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TfrmMain::ScheduleCommandRefresh);
}

QWidget* TfrmMain::BuildSqlPanel() {
  TpnlSQL::Hooks hooks;
  hooks.session = [this] { return DbSession{connection_, prompt_, *this, statusBar_}; };
  hooks.ensureConnected = [this] { return EnsureConnected(); };
  hooks.toolBarEnabled = [this] { emit documentChanged(); };
  hooks.showResult = [this] {
    store_.listRebuild = true;
    browser_->SetList(browser_->SqlRoot());
    emit documentChanged();
  };
  pnlSQL_ = new TpnlSQL(store_, prompt_, std::move(hooks));
  return pnlSQL_;
}

QWidget* TfrmMain::BuildERPanel() {
  pnlER_ = Named(new QWidget, "pnlER");
  pagER_ = Named(new TERSheetTabs, "pagER");
  auto* layout = new QVBoxLayout(pnlER_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(pagER_);
  erView_ = new TERView(
      pagER_, store_, prompt_, [this] { MarkModified(); }, this);
  return pnlER_;
}

void TfrmMain::TableDragStarted(const TTableRec& table) { erView_->BeginTableDrag(&table); }

void TfrmMain::TableDragEnded(bool) { erView_->EndTableDrag(); }

void TfrmMain::BuildStatusBar() {
  QStatusBar* stbMsg = statusBar();
  stbMsg->setObjectName(QStringLiteral("stbMsg"));
  stbMsg->setSizeGripEnabled(true);
  for (int i = 0; i < 3; ++i) {
    auto* panel = new TStatusPanel(kStatusPanelWidths[i], stbMsg);
    panel->setObjectName(QStringLiteral("stbMsgPanel%1").arg(i));
    stbMsg->addWidget(panel);
    stbPanels_[i] = panel;
  }
}

}  // namespace morvane

namespace morvane {

// The progress bar keeps its place beside the panels, moved right when they grew.
void TfrmMain::PlaceProgressBar() {
  if (!pgbWait_) return;
  if (QLayout* panels = statusBar()->layout()) panels->activate();
  const QWidget* last_panel = stbPanels_.back();
  const int panels_right = last_panel->mapTo(this, QPoint(last_panel->width(), 0)).x();
  pgbWait_->move(std::max(kProgressLeft, panels_right + 4), height() - pgbWait_->height() - 3);
}

}  // namespace morvane
