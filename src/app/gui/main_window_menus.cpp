// The menu bar and the toolbar, built from one table of commands, and the New commands, built
// from the product list.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/gui/main_window.h"
#include "app/gui/tree_images.h"

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
  void (TfrmMain::*handler)() = nullptr;
  const char* icon = nullptr;  // the name of the icon file
};

namespace {

constexpr int Keys(QKeyCombination keys) { return keys.toCombined(); }

// In the order the menus and the toolbar show them.
const TCommandEntry kCommands[] = {
    {TCommandKind::kMenu, "mnuMain", "mnuFile", "ファイル(&F)"},
    {TCommandKind::kNewMenu, "mnuFile", "mnuFile_New", "新規作成", 0, nullptr, "new"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_Open", "開く", Keys(Qt::CTRL | Qt::Key_O),
     &TfrmMain::mnuFile_OpenClick, "open"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_Save", "上書き保存", Keys(Qt::CTRL | Qt::Key_S),
     &TfrmMain::mnuFile_SaveClick, "save"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_SaveAs", "名前を付けて保存", 0,
     &TfrmMain::mnuFile_SaveAsClick},
    {TCommandKind::kSeparator, "mnuFile"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_ExcelOutput", "Excel 出力",
     Keys(Qt::CTRL | Qt::Key_E), &TfrmMain::mnuFile_ExcelOutputClick, "excel"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_Compare", "比較...", 0,
     &TfrmMain::mnuFile_CompareClick},
    {TCommandKind::kSeparator, "mnuFile"},
    {TCommandKind::kMenu, "mnuFile", "mnuFile_Recent", "最近使ったファイル(&R)"},
    {TCommandKind::kSeparator, "mnuFile"},
    {TCommandKind::kCommand, "mnuFile", "mnuFile_Exit", "終了(&X)", 0,
     &TfrmMain::mnuFile_ExitClick},

    {TCommandKind::kMenu, "mnuMain", "mnuEdit", "編集(&E)"},
    {TCommandKind::kMenu, "mnuEdit", "mnuEdit_ListCopy", "リスト内容のコピー"},
    {TCommandKind::kCommand, "mnuEdit_ListCopy", "mnuEdit_ListCopy_NoTitle", "タイトル無し",
     Keys(Qt::CTRL | Qt::Key_C), &TfrmMain::mnuEdit_ListCopy_NoTitleClick},
    {TCommandKind::kCommand, "mnuEdit_ListCopy", "mnuEdit_ListCopy_Title", "タイトル有り",
     Keys(Qt::CTRL | Qt::Key_T), &TfrmMain::mnuEdit_ListCopy_TitleClick},
    {TCommandKind::kCommand, "mnuEdit", "mnuEdit_SelectAll", "すべて選択",
     Keys(Qt::CTRL | Qt::Key_A), &TfrmMain::mnuEdit_SelectAllClick},
    {TCommandKind::kCommand, "mnuEdit", "mnuEdit_SelectChange", "選択の切り替え(&I)", 0,
     &TfrmMain::mnuEdit_SelectChangeClick},

    {TCommandKind::kMenu, "mnuMain", "mnuShow", "表示(&V)"},
    {TCommandKind::kView, "mnuShow", "mnuShow_List", "項目", Qt::Key_F3,
     &TfrmMain::mnuShow_ListClick},
    {TCommandKind::kView, "mnuShow", "mnuShow_ER", "ER図", Qt::Key_F4, &TfrmMain::mnuShow_ERClick},
    {TCommandKind::kSeparator, "mnuShow"},
    {TCommandKind::kCommand, "mnuShow", "mnuShow_Format", "フォーマット設定",
     Keys(Qt::CTRL | Qt::Key_F), &TfrmMain::mnuShow_FormatClick, "format"},
    {TCommandKind::kCommand, "mnuShow", "mnuShow_Filter", "テーブル名で絞り込み",
     Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_F), &TfrmMain::mnuShow_FilterClick},

    {TCommandKind::kMenu, "mnuMain", "mnuDB", "ﾃﾞｰﾀﾍﾞｰｽ(&D)"},
    {TCommandKind::kCommand, "mnuDB", "mnuDB_Connect", "接続", Qt::Key_F5,
     &TfrmMain::mnuDB_ConnectClick, "connect"},
    {TCommandKind::kCommand, "mnuDB", "mnuDB_DisConnect", "切断", Qt::Key_F6,
     &TfrmMain::mnuDB_DisConnectClick, "disconnect"},
    {TCommandKind::kSeparator, "mnuDB"},
    {TCommandKind::kCommand, "mnuDB", "mnuDB_Fetch", "最新の情報に更新", 0,
     &TfrmMain::mnuDB_FetchClick, "fetch"},
    {TCommandKind::kCommand, "mnuDB", "mnuDB_DataCount", "データ件数取得", Qt::Key_F10,
     &TfrmMain::mnuDB_DataCountClick},

    {TCommandKind::kMenu, "mnuMain", "mnuHelp", "ﾍﾙﾌﾟ(&H)"},
    {TCommandKind::kCommand, "mnuHelp", "mnuHelp_Help", "トピックの検索", Qt::Key_F1,
     &TfrmMain::mnuHelp_HelpClick, "help"},
    {TCommandKind::kSeparator, "mnuHelp"},
    {TCommandKind::kCommand, "mnuHelp", "mnuHelp_About", "バージョン情報(&A)", 0,
     &TfrmMain::mnuHelp_AboutClick},

    {TCommandKind::kNewButton, "tlbMain", "tlbMain_New", "新規作成", 0, nullptr, "new"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Open", "開く", 0, &TfrmMain::mnuFile_OpenClick,
     "open"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Save", "上書き保存", 0,
     &TfrmMain::mnuFile_SaveClick, "save"},
    {TCommandKind::kSeparator, "tlbMain"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Excel", "Excel 出力", 0,
     &TfrmMain::mnuFile_ExcelOutputClick, "excel"},
    {TCommandKind::kSeparator, "tlbMain"},
    {TCommandKind::kView, "tlbMain", "tlbMain_List", "項目表示", 0, &TfrmMain::tlbMain_ListClick,
     "list"},
    {TCommandKind::kView, "tlbMain", "tlbMain_ER", "ER図表示", 0, &TfrmMain::mnuShow_ERClick, "er"},
    {TCommandKind::kSeparator, "tlbMain"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Format", "ﾌｫｰﾏｯﾄ設定", 0,
     &TfrmMain::mnuShow_FormatClick, "format"},
    {TCommandKind::kSeparator, "tlbMain"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Connect", "ﾃﾞｰﾀﾍﾞｰｽ接続", 0,
     &TfrmMain::mnuDB_ConnectClick, "connect"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_DisConnect", "ﾃﾞｰﾀﾍﾞｰｽ切断", 0,
     &TfrmMain::mnuDB_DisConnectClick, "disconnect"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Fetch", "最新の情報に更新", 0,
     &TfrmMain::mnuDB_FetchClick, "fetch"},
    {TCommandKind::kSeparator, "tlbMain"},
    {TCommandKind::kCommand, "tlbMain", "tlbMain_Help", "ﾍﾙﾌﾟ", 0, &TfrmMain::mnuHelp_HelpClick,
     "help"},
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

QAction* TfrmMain::AddCommand(QWidget* place, const QString& name, const QString& caption,
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
void TfrmMain::AddNewCommands(QMenu* menu, const QString& prefix, bool shortcuts) {
  int number = 0;
  for (Product product : kMenuProducts) {
    const QKeySequence keys =
        shortcuts ? QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_F1 + number)) : QKeySequence();
    ++number;
    AddCommand(menu, prefix + ProductWord(product), QString::fromUtf8(MenuName(product)), keys,
               [this, product] { NewProjectClick(product); });
  }
}

void TfrmMain::BuildCommands() {
  menuBar()->setObjectName(QStringLiteral("mnuMain"));
  tlbMain_ = addToolBar(QStringLiteral("tlbMain"));
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

  CommandAction("mnuShow_List")->setChecked(true);
  menus_.value(QStringLiteral("mnuFile_Recent"))->setEnabled(false);
  // Opening a menu recomputes its items.
  for (const char* name : {"mnuFile", "mnuEdit", "mnuShow", "mnuDB"}) {
    connect(menus_.value(QLatin1String(name)), &QMenu::aboutToShow, this, &TfrmMain::UpdateMenus);
  }
}

void TfrmMain::AddEntry(const TCommandEntry& entry) {
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
      QMenu* menu =
          place ? static_cast<QMenu*>(place)->addMenu(caption) : menuBar()->addMenu(caption);
      menu->setObjectName(name);
      menus_.insert(name, menu);
      if (entry.icon) menu->setIcon(ToolIcon(entry.icon));
      if (entry.kind == TCommandKind::kNewMenu) AddNewCommands(menu, name + u'_', true);
      return;
    }
    case TCommandKind::kNewButton: {
      action = AddCommand(place, name, caption, QKeySequence(), {});
      popToolBar_New_ = new QMenu(this);
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
                          [this, handler = entry.handler] { (this->*handler)(); });
      break;
  }
  if (entry.icon) action->setIcon(ToolIcon(entry.icon));
  if (entry.kind == TCommandKind::kView) {
    action->setCheckable(true);
    (place == tlbMain_ ? viewButtonGroup_ : viewMenuGroup_)->addAction(action);
  }
}

}  // namespace morvane
