// The menu bar and the toolbar, built from one table of commands, and the New commands, built
// from the product list.
#include "app/gui/command_bar.h"

#include <QAbstractItemView>
#include <QAction>
#include <QActionGroup>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/gui/main_window.h"
#include "app/gui/main_window_commands.h"

namespace morvane {

enum class TCommandKind {
  kMenu,       // a menu named `name` in `place` ("mnuMain": the menu bar)
  kCommand,    // a menu item or toolbar button
  kView,       // a command choosing the view: checkable, one of its place checked at most
  kSeparator,  // a line in `place`
  kNewMenu,    // a menu of the New commands, one a product
  kNewButton,  // the toolbar button opening the New popup
};

struct TCommandEntry {
  TCommandKind kind;
  const char* place;  // the object name of the menu or toolbar the entry goes into
  const char* name = nullptr;
  const char* caption = nullptr;  // UTF-8; a toolbar button's hint
  int shortcut = 0;
  void (*handler)(TfrmMain&) = nullptr;
  const char* icon = nullptr;  // the name of the icon file
};

namespace {

constexpr int Keys(QKeyCombination keys) { return keys.toCombined(); }

// In the order the menus and the toolbar show them.
const TCommandEntry kCommands[] = {
    {TCommandKind::kMenu, "mnuMain", "mnuFile", "ファイル(&F)"},
    {TCommandKind::kNewMenu, "mnuFile", "mnuFile_New", "新規作成", 0, nullptr, "new"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_Open", "開く", Keys(Qt::CTRL | Qt::Key_O),
     &mnuFile_OpenClick, "open"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_Save", "上書き保存", Keys(Qt::CTRL | Qt::Key_S),
     &mnuFile_SaveClick, "save"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_SaveAs", "名前を付けて保存", 0,
     &mnuFile_SaveAsClick},
    {TCommandKind::kSeparator, "mnuFile"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_ExcelOutput", "Excel 出力",
     Keys(Qt::CTRL | Qt::Key_E), &mnuFile_ExcelOutputClick, "excel"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_Compare", "比較...", 0, &mnuFile_CompareClick},
    {TCommandKind::kSeparator, "mnuFile"},
    {TCommandKind::kMenu, "mnuFile", "mnuFile_Recent", "最近使ったファイル(&R)"},
    {TCommandKind::kSeparator, "mnuFile"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_Exit", "終了(&X)", 0, &mnuFile_ExitClick},

    {TCommandKind::kMenu, "mnuMain", "mnuEdit", "編集(&E)"},
    {TCommandKind::kMenu, "mnuEdit", "mnuEdit_ListCopy", "リスト内容のコピー"},
    {TCommandKind::kCommand, "mnuEdit_ListCopy", "mnuEdit_ListCopy_NoTitle", "タイトル無し",
     Keys(Qt::CTRL | Qt::Key_C), &mnuEdit_ListCopy_NoTitleClick},
    {TCommandKind::kCommand, "mnuEdit_ListCopy", "mnuEdit_ListCopy_Title", "タイトル有り",
     Keys(Qt::CTRL | Qt::Key_T), &mnuEdit_ListCopy_TitleClick},
    {TCommandKind::kCommand, "mnuEdit", "mnuEdit_SelectAll", "すべて選択",
     Keys(Qt::CTRL | Qt::Key_A), &mnuEdit_SelectAllClick},
    {TCommandKind::kCommand, "mnuEdit", "mnuEdit_SelectChange", "選択の切り替え(&I)", 0,
     &mnuEdit_SelectChangeClick},

    {TCommandKind::kMenu, "mnuMain", "mnuShow", "表示(&V)"},
    {TCommandKind::kView, "mnuShow", "mnuShow_List", "項目", Qt::Key_F3, &mnuShow_ListClick},
    {TCommandKind::kView, "mnuShow", "mnuShow_ER", "ER図", Qt::Key_F4, &mnuShow_ERClick},
    {TCommandKind::kSeparator, "mnuShow"},
    {TCommandKind::kCommand, "mnuShow", "mnuShow_Format", "フォーマット設定",
     Keys(Qt::CTRL | Qt::Key_F), &mnuShow_FormatClick, "format"},
    {TCommandKind::kCommand, "mnuShow", "mnuShow_Filter", "テーブル名で絞り込み",
     Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_F), &mnuShow_FilterClick},

    {TCommandKind::kMenu, "mnuMain", "mnuDB", "ﾃﾞｰﾀﾍﾞｰｽ(&D)"},
    {TCommandKind::kCommand, "mnuDB", "mnuDB_Connect", "接続", Qt::Key_F5, &mnuDB_ConnectClick,
     "connect"},
    {TCommandKind::kCommand, "mnuDB", "mnuDB_DisConnect", "切断", Qt::Key_F6,
     &mnuDB_DisConnectClick, "disconnect"},
    {TCommandKind::kSeparator, "mnuDB"},
    {TCommandKind::kCommand, "mnuDB", "mnuDB_Fetch", "最新の情報に更新", 0, &mnuDB_FetchClick,
     "fetch"},
    {TCommandKind::kCommand, "mnuDB", "mnuDB_DataCount", "データ件数取得", Qt::Key_F10,
     &mnuDB_DataCountClick},

    {TCommandKind::kMenu, "mnuMain", "mnuHelp", "ﾍﾙﾌﾟ(&H)"},
    {TCommandKind::kCommand, "mnuHelp", "mnuHelp_Help", "トピックの検索", Qt::Key_F1,
     &mnuHelp_HelpClick, "help"},
    {TCommandKind::kSeparator, "mnuHelp"},
    {TCommandKind::kCommand, "mnuHelp", "mnuHelp_About", "バージョン情報(&A)", 0,
     &mnuHelp_AboutClick},

    {TCommandKind::kNewButton, "tlbMain", "tlbMain_New", "新規作成", 0, nullptr, "new"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Open", "開く", 0, &mnuFile_OpenClick, "open"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Save", "上書き保存", 0, &mnuFile_SaveClick,
     "save"},
    {TCommandKind::kSeparator, "tlbMain"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Excel", "Excel 出力", 0, &mnuFile_ExcelOutputClick,
     "excel"},
    {TCommandKind::kSeparator, "tlbMain"},
    {TCommandKind::kView, "tlbMain", "tlbMain_List", "項目表示", 0, &tlbMain_ListClick, "list"},
    {TCommandKind::kView, "tlbMain", "tlbMain_ER", "ER図表示", 0, &mnuShow_ERClick, "er"},
    {TCommandKind::kSeparator, "tlbMain"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Format", "ﾌｫｰﾏｯﾄ設定", 0, &mnuShow_FormatClick,
     "format"},
    {TCommandKind::kSeparator, "tlbMain"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Connect", "ﾃﾞｰﾀﾍﾞｰｽ接続", 0, &mnuDB_ConnectClick,
     "connect"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_DisConnect", "ﾃﾞｰﾀﾍﾞｰｽ切断", 0,
     &mnuDB_DisConnectClick, "disconnect"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Fetch", "最新の情報に更新", 0, &mnuDB_FetchClick,
     "fetch"},
    {TCommandKind::kSeparator, "tlbMain"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Help", "ﾍﾙﾌﾟ", 0, &mnuHelp_HelpClick, "help"},
};

QIcon ToolIcon(const char* name) {
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

// A product's name as one word of an object name: "Red Brick" gives RedBrick, "ODBC" Odbc.
QString ProductWord(Product product) {
  QString word;
  for (QString part : QString::fromUtf8(ProfileOf(product).name).split(u' ', Qt::SkipEmptyParts)) {
    if (part == part.toUpper()) part = part.left(1) + part.mid(1).toLower();
    word += part;
  }
  return word;
}

}  // namespace

TCommandBar::TCommandBar(TfrmMain& window) : QObject(&window), window_(window) {
  window.menuBar()->setObjectName(QStringLiteral("mnuMain"));
  tlbMain_ = window.addToolBar(QStringLiteral("tlbMain"));
  tlbMain_->setObjectName(QStringLiteral("tlbMain"));
  tlbMain_->setMovable(false);
  tlbMain_->setIconSize(QSize(22, 22));
  tlbMain_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  tlbMain_->setContextMenuPolicy(Qt::PreventContextMenu);
  viewMenuGroup_ = new QActionGroup(this);
  viewMenuGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
  viewButtonGroup_ = new QActionGroup(this);
  // With no project both buttons are up, so the group must allow "none checked".
  viewButtonGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);

  for (const TCommandEntry& entry : kCommands) AddEntry(entry);

  Action("mnuShow_List")->setChecked(true);
  menus_.value(QStringLiteral("mnuFile_Recent"))->setEnabled(false);
  // Opening a menu recomputes its items.
  for (const char* name : {"mnuFile", "mnuEdit", "mnuShow", "mnuDB"}) {
    connect(menus_.value(QLatin1String(name)), &QMenu::aboutToShow, this,
            [this] { ApplyToMenus(window_.CommandStates()); });
  }
  refresh_timer_ = new QTimer(this);
  refresh_timer_->setSingleShot(true);
  refresh_timer_->setInterval(0);
  connect(refresh_timer_, &QTimer::timeout, this, [this] { window_.ToolBarEnabled(); });
}

QAction* TCommandBar::Action(const char* name) const {
  QAction* action = actions_.value(QLatin1String(name));
  Q_ASSERT(action);
  return action;
}

QAction* TCommandBar::AddCommand(QWidget* place, const QString& name, const QString& caption,
                                 const QKeySequence& shortcut, std::function<void()> handler) {
  auto* menu = qobject_cast<QMenu*>(place);
  QAction* action = menu ? menu->addAction(caption) : tlbMain_->addAction(caption);
  action->setObjectName(name);
  actions_.insert(name, action);
  if (menu) {
    action->setShortcut(shortcut);
    // Shortcuts work anywhere in the main window, also while the list or tree has the focus.
    action->setShortcutContext(Qt::WindowShortcut);
  } else {
    action->setToolTip(caption);
  }
  if (handler) connect(action, &QAction::triggered, this, std::move(handler));
  return action;
}

// The New commands of `menu`, one a product in menu order; a menu item also gets Ctrl+F1,
// Ctrl+F2, ... in that order.
void TCommandBar::AddNewCommands(QMenu* menu, const QString& prefix, bool shortcuts) {
  int number = 0;
  for (Product product : MenuProducts()) {
    const QKeySequence keys =
        shortcuts ? QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + number)) : QKeySequence();
    ++number;
    AddCommand(menu, prefix + ProductWord(product), QString::fromUtf8(MenuName(product)), keys,
               [this, product] { window_.FileNew(product); });
  }
}

void TCommandBar::AddEntry(const TCommandEntry& entry) {
  QWidget* place = entry.place == QLatin1String("tlbMain")
                       ? static_cast<QWidget*>(tlbMain_)
                       : menus_.value(QLatin1String(entry.place));
  const QString name = QLatin1String(entry.name);
  const QString caption = QString::fromUtf8(entry.caption);
  QAction* action = nullptr;
  switch (entry.kind) {
    case TCommandKind::kSeparator:
      if (auto* menu = qobject_cast<QMenu*>(place)) {
        menu->addSeparator();
      } else {
        tlbMain_->addSeparator();
      }
      return;
    case TCommandKind::kMenu:
    case TCommandKind::kNewMenu: {
      QMenu* menu = place ? static_cast<QMenu*>(place)->addMenu(caption)
                          : window_.menuBar()->addMenu(caption);
      menu->setObjectName(name);
      menus_.insert(name, menu);
      if (entry.icon) menu->setIcon(ToolIcon(entry.icon));
      if (entry.kind == TCommandKind::kNewMenu) AddNewCommands(menu, name + u'_', true);
      return;
    }
    case TCommandKind::kNewButton: {
      action = AddCommand(place, name, caption, QKeySequence(), {});
      popToolBar_New_ = new QMenu(&window_);
      popToolBar_New_->setObjectName(QStringLiteral("popToolBar_New"));
      AddNewCommands(popToolBar_New_, QStringLiteral("popToolBar_New_"), false);
      action->setMenu(popToolBar_New_);
      if (auto* widget = qobject_cast<QToolButton*>(tlbMain_->widgetForAction(action))) {
        widget->setPopupMode(QToolButton::InstantPopup);  // the popup opens just below the button
      }
      break;
    }
    case TCommandKind::kCommand:
    case TCommandKind::kView:
      action = AddCommand(place, name, caption, QKeySequence(entry.shortcut),
                          [this, handler = entry.handler] { handler(window_); });
      break;
  }
  if (entry.icon) action->setIcon(ToolIcon(entry.icon));
  if (entry.kind == TCommandKind::kView) {
    action->setCheckable(true);
    (place == tlbMain_ ? viewButtonGroup_ : viewMenuGroup_)->addAction(action);
  }
}

void TCommandBar::ApplyToMenus(const TCommandStates& s) {
  auto set = [this](const char* name, bool enabled) { Action(name)->setEnabled(enabled); };
  set("mnuFile_Save", s.save);
  set("mnuFile_SaveAs", s.saveAs);
  set("mnuFile_ExcelOutput", s.excelOutput);
  menus_.value(QStringLiteral("mnuEdit_ListCopy"))->setEnabled(s.listCopy);
  set("mnuEdit_ListCopy_NoTitle", s.listCopy);
  set("mnuEdit_ListCopy_Title", s.listCopy);
  set("mnuEdit_SelectAll", s.selectAll);
  set("mnuEdit_SelectChange", s.selectChange);
  set("mnuShow_List", s.views);
  set("mnuShow_ER", s.views);
  Action(s.listChecked ? "mnuShow_List" : "mnuShow_ER")->setChecked(true);
  set("mnuShow_Format", s.format);
  set("mnuDB_Connect", s.connect);
  set("mnuDB_DisConnect", s.disconnect);
  set("mnuDB_DataCount", s.dataCount);
  set("mnuDB_Fetch", s.fetch);
}

void TCommandBar::Apply(const TCommandStates& s) {
  auto set = [this](const char* name, bool enabled) { Action(name)->setEnabled(enabled); };
  set("tlbMain_Save", s.save);
  set("tlbMain_Excel", s.excelOutput);
  set("tlbMain_List", s.views);
  set("tlbMain_ER", s.views);
  Action("tlbMain_List")->setChecked(s.listButtonDown);
  Action("tlbMain_ER")->setChecked(s.erButtonDown);
  set("tlbMain_Format", s.format);
  set("tlbMain_Connect", s.connect);
  set("tlbMain_DisConnect", s.disconnect);
  set("tlbMain_Fetch", s.fetch);
  // Shortcuts belong to the menu items: keep them in step with the toolbar.
  ApplyToMenus(s);
}

// The Excel output, data count and selection commands depend on list rows and selections.
void TCommandBar::WatchList(QAbstractItemView* list) {
  auto schedule = [this] { refresh_timer_->start(); };
  QAbstractItemModel* model = list->model();
  connect(model, &QAbstractItemModel::rowsInserted, this, schedule);
  connect(model, &QAbstractItemModel::rowsRemoved, this, schedule);
  connect(model, &QAbstractItemModel::modelReset, this, schedule);
  connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, schedule);
}

}  // namespace morvane
