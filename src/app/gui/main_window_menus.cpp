// The menu bar, the toolbar with its New popup, and the enabling of both.
#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/gui/main_window.h"
#include "app/gui/tree_images.h"

namespace morvane {
namespace {

QIcon ToolIcon(const char* name) {
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

}  // namespace

QAction* TfrmMain::AddCommand(QMenu* menu, const char* name, const QString& caption,
                              const QKeySequence& shortcut, void (TfrmMain::*handler)()) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QLatin1String(name));
  actions_.insert(action->objectName(), action);
  action->setShortcut(shortcut);
  // Shortcuts work anywhere in the main window, also while the list or tree has the focus.
  action->setShortcutContext(Qt::WindowShortcut);
  connect(action, &QAction::triggered, this, handler);
  return action;
}

void TfrmMain::BuildMenus() {
  QMenuBar* mnuMain = menuBar();
  mnuMain->setObjectName(QStringLiteral("mnuMain"));

  mnuFile_ = mnuMain->addMenu(QStringLiteral("ファイル(&F)"));
  mnuFile_->setObjectName(QStringLiteral("mnuFile"));
  QMenu* file_new = mnuFile_->addMenu(QStringLiteral("新規作成"));
  file_new->setObjectName(QStringLiteral("mnuFile_New"));
  file_new->setIcon(ToolIcon("new"));
  AddCommand(file_new, "mnuFile_New_RedBrick", QStringLiteral("Red Brick"),
             QKeySequence(Qt::CTRL | Qt::Key_F1), &TfrmMain::mnuFile_New_RedBrickClick);
  AddCommand(file_new, "mnuFile_New_Oracle8", QStringLiteral("Oracle 8"),
             QKeySequence(Qt::CTRL | Qt::Key_F2), &TfrmMain::mnuFile_New_Oracle8Click);
  AddCommand(file_new, "mnuFile_New_Oracle7", QStringLiteral("Oracle 7"),
             QKeySequence(Qt::CTRL | Qt::Key_F3), &TfrmMain::mnuFile_New_Oracle7Click);
  AddCommand(file_new, "mnuFile_New_Broadbase", QStringLiteral("Broadbase"),
             QKeySequence(Qt::CTRL | Qt::Key_F4), &TfrmMain::mnuFile_New_BroadbaseClick);
  AddCommand(file_new, "mnuFile_New_Odbc", QString::fromUtf8(MenuName(Product::Odbc)),
             QKeySequence(Qt::CTRL | Qt::Key_F5), &TfrmMain::mnuFile_New_OdbcClick);
  AddCommand(mnuFile_, "mnuFile_Open", QStringLiteral("開く"), QKeySequence(Qt::CTRL | Qt::Key_O),
             &TfrmMain::mnuFile_OpenClick)
      ->setIcon(ToolIcon("open"));
  AddCommand(mnuFile_, "mnuFile_Save", QStringLiteral("上書き保存"),
             QKeySequence(Qt::CTRL | Qt::Key_S), &TfrmMain::mnuFile_SaveClick)
      ->setIcon(ToolIcon("save"));
  AddCommand(mnuFile_, "mnuFile_SaveAs", QStringLiteral("名前を付けて保存"), QKeySequence(),
             &TfrmMain::mnuFile_SaveAsClick);
  mnuFile_->addSeparator();
  AddCommand(mnuFile_, "mnuFile_ExcelOutput", QStringLiteral("Excel 出力"),
             QKeySequence(Qt::CTRL | Qt::Key_E), &TfrmMain::mnuFile_ExcelOutputClick)
      ->setIcon(ToolIcon("excel"));
  AddCommand(mnuFile_, "mnuFile_Compare", QStringLiteral("比較..."), QKeySequence(),
             &TfrmMain::mnuFile_CompareClick);
  mnuFile_->addSeparator();
  mnuFile_Recent_ = mnuFile_->addMenu(QStringLiteral("最近使ったファイル(&R)"));
  mnuFile_Recent_->setObjectName(QStringLiteral("mnuFile_Recent"));
  mnuFile_Recent_->setEnabled(false);
  mnuFile_->addSeparator();
  AddCommand(mnuFile_, "mnuFile_Exit", QStringLiteral("終了(&X)"), QKeySequence(),
             &TfrmMain::mnuFile_ExitClick);
  connect(mnuFile_, &QMenu::aboutToShow, this, &TfrmMain::mnuFileClick);

  mnuEdit_ = mnuMain->addMenu(QStringLiteral("編集(&E)"));
  mnuEdit_->setObjectName(QStringLiteral("mnuEdit"));
  QMenu* list_copy = mnuEdit_->addMenu(QStringLiteral("リスト内容のコピー"));
  list_copy->setObjectName(QStringLiteral("mnuEdit_ListCopy"));
  AddCommand(list_copy, "mnuEdit_ListCopy_NoTitle", QStringLiteral("タイトル無し"),
             QKeySequence(Qt::CTRL | Qt::Key_C), &TfrmMain::mnuEdit_ListCopy_NoTitleClick);
  AddCommand(list_copy, "mnuEdit_ListCopy_Title", QStringLiteral("タイトル有り"),
             QKeySequence(Qt::CTRL | Qt::Key_T), &TfrmMain::mnuEdit_ListCopy_TitleClick);
  AddCommand(mnuEdit_, "mnuEdit_SelectAll", QStringLiteral("すべて選択"),
             QKeySequence(Qt::CTRL | Qt::Key_A), &TfrmMain::mnuEdit_SelectAllClick);
  AddCommand(mnuEdit_, "mnuEdit_SelectChange", QStringLiteral("選択の切り替え(&I)"), QKeySequence(),
             &TfrmMain::mnuEdit_SelectChangeClick);
  connect(mnuEdit_, &QMenu::aboutToShow, this, &TfrmMain::mnuEditClick);

  mnuShow_ = mnuMain->addMenu(QStringLiteral("表示(&V)"));
  mnuShow_->setObjectName(QStringLiteral("mnuShow"));
  viewMenuGroup_ = new QActionGroup(this);
  viewMenuGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
  for (QAction* view : {AddCommand(mnuShow_, "mnuShow_List", QStringLiteral("項目"),
                                   QKeySequence(Qt::Key_F3), &TfrmMain::mnuShow_ListClick),
                        AddCommand(mnuShow_, "mnuShow_ER", QStringLiteral("ER図"),
                                   QKeySequence(Qt::Key_F4), &TfrmMain::mnuShow_ERClick)}) {
    view->setCheckable(true);
    viewMenuGroup_->addAction(view);
  }
  CommandAction("mnuShow_List")->setChecked(true);
  mnuShow_->addSeparator();
  AddCommand(mnuShow_, "mnuShow_Format", QStringLiteral("フォーマット設定"),
             QKeySequence(Qt::CTRL | Qt::Key_F), &TfrmMain::mnuShow_FormatClick)
      ->setIcon(ToolIcon("format"));
  AddCommand(mnuShow_, "mnuShow_Filter", QStringLiteral("テーブル名で絞り込み"),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), &TfrmMain::mnuShow_FilterClick);
  connect(mnuShow_, &QMenu::aboutToShow, this, &TfrmMain::mnuShowClick);

  mnuDB_ = mnuMain->addMenu(QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽ(&D)"));
  mnuDB_->setObjectName(QStringLiteral("mnuDB"));
  AddCommand(mnuDB_, "mnuDB_Connect", QStringLiteral("接続"), QKeySequence(Qt::Key_F5),
             &TfrmMain::mnuDB_ConnectClick)
      ->setIcon(ToolIcon("connect"));
  AddCommand(mnuDB_, "mnuDB_DisConnect", QStringLiteral("切断"), QKeySequence(Qt::Key_F6),
             &TfrmMain::mnuDB_DisConnectClick)
      ->setIcon(ToolIcon("disconnect"));
  mnuDB_->addSeparator();
  AddCommand(mnuDB_, "mnuDB_Fetch", QStringLiteral("最新の情報に更新"), QKeySequence(),
             &TfrmMain::mnuDB_FetchClick)
      ->setIcon(ToolIcon("fetch"));
  AddCommand(mnuDB_, "mnuDB_DataCount", QStringLiteral("データ件数取得"), QKeySequence(Qt::Key_F10),
             &TfrmMain::mnuDB_DataCountClick);
  connect(mnuDB_, &QMenu::aboutToShow, this, &TfrmMain::mnuDBClick);

  mnuHelp_ = mnuMain->addMenu(QStringLiteral("ﾍﾙﾌﾟ(&H)"));
  mnuHelp_->setObjectName(QStringLiteral("mnuHelp"));
  AddCommand(mnuHelp_, "mnuHelp_Help", QStringLiteral("トピックの検索"), QKeySequence(Qt::Key_F1),
             &TfrmMain::mnuHelp_HelpClick)
      ->setIcon(ToolIcon("help"));
  mnuHelp_->addSeparator();
  AddCommand(mnuHelp_, "mnuHelp_About", QStringLiteral("バージョン情報(&A)"), QKeySequence(),
             &TfrmMain::mnuHelp_AboutClick);
}

void TfrmMain::BuildToolBar() {
  tlbMain = addToolBar(QStringLiteral("tlbMain"));
  tlbMain->setObjectName(QStringLiteral("tlbMain"));
  tlbMain->setMovable(false);
  tlbMain->setIconSize(QSize(22, 22));
  tlbMain->setToolButtonStyle(Qt::ToolButtonIconOnly);
  tlbMain->setContextMenuPolicy(Qt::PreventContextMenu);

  auto add = [this](const char* name, const char* icon, const QString& hint) {
    QAction* button = tlbMain->addAction(ToolIcon(icon), hint);
    button->setObjectName(QLatin1String(name));
    actions_.insert(button->objectName(), button);
    button->setToolTip(hint);
    return button;
  };
  auto forward = [this](QAction* button, void (TfrmMain::*handler)()) {
    connect(button, &QAction::triggered, this, handler);
  };

  popToolBar_New = new QMenu(this);
  popToolBar_New->setObjectName(QStringLiteral("popToolBar_New"));
  struct PopItem {
    const char* name;
    const char* caption;
    void (TfrmMain::*handler)();
  };
  for (const PopItem& item :
       {PopItem{"popToolBar_New_RedBrick", "Red Brick", &TfrmMain::mnuFile_New_RedBrickClick},
        PopItem{"popToolBar_New_Oracle8", "Oracle 8", &TfrmMain::mnuFile_New_Oracle8Click},
        PopItem{"popToolBar_New_Oracle7", "Oracle 7", &TfrmMain::mnuFile_New_Oracle7Click},
        PopItem{"popToolBar_New_Broadbase", "Broadbase", &TfrmMain::mnuFile_New_BroadbaseClick}}) {
    QAction* action = popToolBar_New->addAction(QLatin1String(item.caption));
    action->setObjectName(QLatin1String(item.name));
    connect(action, &QAction::triggered, this, item.handler);
  }
  QAction* new_odbc = popToolBar_New->addAction(QString::fromUtf8(MenuName(Product::Odbc)));
  new_odbc->setObjectName(QStringLiteral("popToolBar_New_Odbc"));
  connect(new_odbc, &QAction::triggered, this, &TfrmMain::mnuFile_New_OdbcClick);
  QAction* new_button = add("tlbMain_New", "new", QStringLiteral("新規作成"));
  new_button->setMenu(popToolBar_New);
  if (auto* widget = qobject_cast<QToolButton*>(tlbMain->widgetForAction(new_button))) {
    widget->setPopupMode(QToolButton::InstantPopup);  // the popup opens just below the button
  }

  forward(add("tlbMain_Open", "open", QStringLiteral("開く")), &TfrmMain::mnuFile_OpenClick);
  forward(add("tlbMain_Save", "save", QStringLiteral("上書き保存")), &TfrmMain::mnuFile_SaveClick);
  tlbMain->addSeparator();
  forward(add("tlbMain_Excel", "excel", QStringLiteral("Excel 出力")),
          &TfrmMain::mnuFile_ExcelOutputClick);
  tlbMain->addSeparator();

  viewButtonGroup_ = new QActionGroup(this);
  // With no project both buttons are up, so the group must allow "none checked".
  viewButtonGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  QAction* list_button = add("tlbMain_List", "list", QStringLiteral("項目表示"));
  QAction* er_button = add("tlbMain_ER", "er", QStringLiteral("ER図表示"));
  for (QAction* button : {list_button, er_button}) {
    button->setCheckable(true);
    viewButtonGroup_->addAction(button);
  }
  forward(list_button, &TfrmMain::tlbMain_ListClick);
  forward(er_button, &TfrmMain::tlbMain_ERClick);
  tlbMain->addSeparator();
  forward(add("tlbMain_Format", "format", QStringLiteral("ﾌｫｰﾏｯﾄ設定")),
          &TfrmMain::mnuShow_FormatClick);
  tlbMain->addSeparator();
  forward(add("tlbMain_Connect", "connect", QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽ接続")),
          &TfrmMain::mnuDB_ConnectClick);
  forward(add("tlbMain_DisConnect", "disconnect", QStringLiteral("ﾃﾞｰﾀﾍﾞｰｽ切断")),
          &TfrmMain::mnuDB_DisConnectClick);
  forward(add("tlbMain_Fetch", "fetch", QStringLiteral("最新の情報に更新")),
          &TfrmMain::mnuDB_FetchClick);
  tlbMain->addSeparator();
  forward(add("tlbMain_Help", "help", QStringLiteral("ﾍﾙﾌﾟ")), &TfrmMain::mnuHelp_HelpClick);
}

}  // namespace morvane
