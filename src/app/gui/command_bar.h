// TCommandBar: the main window's menu bar and toolbar tlbMain, built from one table of commands,
// with the New commands built from the product list; and the commands' states kept in step with
// the enabling rules.
#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <functional>

#include "app/gui/command_rules.h"

class QAbstractItemView;
class QAction;
class QActionGroup;
class QKeySequence;
class QMenu;
class QTimer;
class QToolBar;
class QWidget;

namespace morvane {

class TfrmMain;
struct TCommandEntry;

class TCommandBar : public QObject {
  Q_OBJECT

 public:
  // Builds the menus and the toolbar into `window`, whose handlers they run.
  explicit TCommandBar(TfrmMain& window);

  // A menu item or toolbar button by its object name.
  QAction* Action(const char* name) const;
  // A menu by its object name; null when there is none.
  QMenu* Menu(const QString& name) const { return menus_.value(name); }
  QToolBar* ToolBar() const { return tlbMain_; }
  // The popup of the toolbar's New button.
  QMenu* NewPopup() const { return popToolBar_New_; }

  // Sets every menu item and toolbar button from `states`.
  void Apply(const TCommandStates& states);
  // Sets the menu items only (a menu about to open, the focus moved).
  void ApplyToMenus(const TCommandStates& states);
  // The states follow the rows and selection of `list`, recomputed once control returns to the
  // event loop however many rows change.
  void WatchList(QAbstractItemView* list);

 private:
  void AddEntry(const TCommandEntry& entry);
  // A menu item (`place` a menu) or toolbar button (the toolbar) that runs `handler`.
  QAction* AddCommand(QWidget* place, const QString& name, const QString& caption,
                      const QKeySequence& shortcut, std::function<void()> handler);
  void AddNewCommands(QMenu* menu, const QString& prefix, bool shortcuts);

  TfrmMain& window_;
  QToolBar* tlbMain_ = nullptr;
  QMenu* popToolBar_New_ = nullptr;
  QHash<QString, QMenu*> menus_;
  QHash<QString, QAction*> actions_;  // menu items and toolbar buttons
  QActionGroup* viewMenuGroup_ = nullptr;
  QActionGroup* viewButtonGroup_ = nullptr;
  QTimer* refresh_timer_ = nullptr;
};

}  // namespace morvane
