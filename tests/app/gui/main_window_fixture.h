// A shown main window with a scripted prompt and path chooser.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <memory>

#include "app/gui/command_bar.h"
#include "app/gui/db/sql_panel.h"
#include "app/gui/dialogs.h"
#include "app/gui/er/er_panel.h"
#include "app/gui/er/er_sheet_tabs.h"
#include "app/gui/main_window.h"
#include "app/gui/main_window_commands.h"
#include "app/gui/recent_menu.h"
#include "app/gui/window_status_bar.h"
#include "app/gui/work_progress.h"
#include "emulator_source.h"
#include "gui_test_support.h"
#include "model/prompt.h"

namespace morvane::testing {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { Start({QStringLiteral("morvane")}); }

  void Start(const QStringList& arguments) {
    window_ = std::make_unique<TfrmMain>(prompt_, arguments);
    window_->SetPathChooser(&chooser_);
    window_->show();
    QCoreApplication::processEvents();  // the project named on the command line opens
  }

  TfrmMain& Window() { return *window_; }
  TCatalogueStore& Store() { return window_->Store(); }

  QAction* Action(const char* name) {
    auto* action = window_->findChild<QAction*>(QLatin1String(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  QMenu* Menu(const char* name) {
    auto* menu = window_->findChild<QMenu*>(QLatin1String(name));
    EXPECT_NE(menu, nullptr) << name;
    return menu;
  }
  // Whether a menu item is enabled when its menu is opened.
  bool MenuItemEnabled(const char* menu, const char* item) {
    emit Menu(menu)->aboutToShow();
    return Action(item)->isEnabled();
  }
  // Whether a toolbar button is enabled after the toolbar was recomputed.
  bool ButtonEnabled(const char* button) {
    window_->ToolBarEnabled();
    return Action(button)->isEnabled();
  }

  // Drops files on the window as the windowing system delivers it: the drag enters, then drops.
  void Drop(const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window_.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window_.get(), &drop);
  }

  // Types into the row-limit box as the user does.
  void EditRowLimit(const QString& text) {
    window_->SqlPanel()->txtSQLMaxRow->setText(text);
    emit window_->SqlPanel()->txtSQLMaxRow->textEdited(text);
  }

  // Connects the window's connection to an emulator database, as the connect dialog does.
  void ConnectToEmulator() {
    if (!database_) database_ = MakeGuiDatabase();
    ASSERT_TRUE(window_->Connection().Connect(Store().product, kGuiDsn, kGuiUid, kGuiPwd, prompt_,
                                              window_->StatusBar()));
  }

  // Texts the prompt showed, converted to UTF-8 for readable failures.
  std::vector<std::string> ShownTexts() const {
    std::vector<std::string> texts;
    for (const auto& shown : prompt_.shown) texts.push_back(morvane::ToUtf8(shown.text));
    return texts;
  }

  ScriptedPrompt prompt_;
  ScriptedChooser chooser_;
  // Made by the first ConnectToEmulator; outlives the window and its connection.
  std::unique_ptr<emulator::test::FixtureDatabase> database_;
  std::unique_ptr<TfrmMain> window_;
};

}  // namespace morvane::testing
