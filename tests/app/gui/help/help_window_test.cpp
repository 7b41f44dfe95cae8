// The user guide in the program's own help window, from the Help command and on its own.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest/QtTest>

#include "app/gui/help/help_window.h"
#include "main_window_fixture.h"

namespace morvane {
namespace {

const QString kAppDir = QStringLiteral(MORVANE_APP_DIR);

TEST(HelpWindow, ShowsTheFirstPageOfTheShippedGuide) {
  ScriptedPrompt prompt;
  TfrmHelp help(nullptr);
  ASSERT_TRUE(help.ShowGuide(kAppDir, prompt));
  EXPECT_TRUE(help.isVisible());
  EXPECT_TRUE(prompt.shown.empty());
  EXPECT_TRUE(help.txtHelp->source().toLocalFile().endsWith(QStringLiteral("help/index.html")));
  EXPECT_EQ(help.windowTitle(), QStringLiteral("Morvane ヘルプ"));
  EXPECT_TRUE(help.txtHelp->toPlainText().contains(QStringLiteral("データベース接続")));
}

TEST(HelpWindow, FollowsContentsLinksAndReturnsToTheContents) {
  ScriptedPrompt prompt;
  QList<QUrl> handed;
  TfrmHelp help([&handed](const QUrl& url) {
    handed << url;
    return true;
  });
  ASSERT_TRUE(help.ShowGuide(kAppDir, prompt));
  const QUrl first = help.txtHelp->source();
  EXPECT_FALSE(help.cmdBack->isEnabled());

  help.txtHelp->setSource(QUrl(QStringLiteral("#connect")));
  EXPECT_EQ(help.txtHelp->source().fragment(), QStringLiteral("connect"));
  EXPECT_TRUE(help.cmdBack->isEnabled());

  help.cmdBack->click();
  EXPECT_EQ(help.txtHelp->source(), first);
  EXPECT_TRUE(help.cmdForward->isEnabled());
  help.cmdForward->click();
  help.cmdHome->click();
  EXPECT_EQ(help.txtHelp->source(), first);

  help.cmdBrowser->click();
  ASSERT_EQ(handed.size(), 1);
  EXPECT_EQ(handed[0], first);
}

TEST(HelpWindow, WarnsAndStaysHiddenWithoutAGuide) {
  QTemporaryDir empty;
  ScriptedPrompt prompt;
  TfrmHelp help(nullptr);
  EXPECT_FALSE(help.ShowGuide(empty.filePath(QStringLiteral("bin")), prompt));
  EXPECT_FALSE(help.isVisible());
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].kind, PromptKind::kWarning);
}

class HelpCommandTest : public testing::MainWindowTest {};

TEST_F(HelpCommandTest, OpensTheDesktopViewerAndNoWindowWhenItAccepts) {
  QList<QUrl> opened;
  Window().Dialogs().SetUrlOpener([&opened](const QUrl& url) {
    opened << url;
    return true;
  });
  Window().Dialogs().SetHelpDir(kAppDir);
  Action("mnuHelp_Help")->trigger();
  ASSERT_EQ(opened.size(), 1);
  EXPECT_TRUE(opened[0].isLocalFile());
  EXPECT_TRUE(Window().findChildren<TfrmHelp*>().isEmpty());
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(HelpCommandTest, OpensTheHelpWindowWhenTheDesktopHasNoViewer) {
  int desktop_calls = 0;
  Window().Dialogs().SetUrlOpener([&desktop_calls](const QUrl&) {
    ++desktop_calls;
    return false;
  });
  Window().Dialogs().SetHelpDir(kAppDir);
  Action("mnuHelp_Help")->trigger();
  Action("tlbMain_Help")->trigger();  // a second request reuses the window
  QList<TfrmHelp*> windows = Window().findChildren<TfrmHelp*>();
  ASSERT_EQ(windows.size(), 1);
  EXPECT_TRUE(windows[0]->isVisible());
  EXPECT_EQ(desktop_calls, 2);
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(HelpCommandTest, TheHelpWindowOpensOverTheMainWindow) {
  Window().Dialogs().SetUrlOpener([](const QUrl&) { return false; });
  Window().Dialogs().SetHelpDir(kAppDir);
  Window().setGeometry(30, 25, 740, 550);  // the offscreen screen is 800 x 600
  Action("mnuHelp_Help")->trigger();
  TfrmHelp* help = Window().findChild<TfrmHelp*>();
  ASSERT_NE(help, nullptr);
  const QPoint offset = help->frameGeometry().center() - Window().frameGeometry().center();
  EXPECT_LE(offset.manhattanLength(), 6)
      << offset.x() << "," << offset.y() << " help " << help->frameGeometry().x() << ","
      << help->frameGeometry().y() << " " << help->frameGeometry().width() << "x"
      << help->frameGeometry().height() << " main " << Window().frameGeometry().x() << ","
      << Window().frameGeometry().y() << " " << Window().frameGeometry().width() << "x"
      << Window().frameGeometry().height();
}

// The desktop's xdg-open replaced by a script that ends with `exit_code` after recording its
// argument, on a PATH of its own for the length of the test.
class FakeXdgOpen {
 public:
  explicit FakeXdgOpen(int exit_code) : old_path_(qgetenv("PATH")) {
    QFile script(dir_.filePath(QStringLiteral("xdg-open")));
    script.open(QIODevice::WriteOnly);
    script.write(QStringLiteral("#!/bin/sh\necho \"$1\" > '%1'\nexit %2\n")
                     .arg(LogPath())
                     .arg(exit_code)
                     .toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", dir_.path().toUtf8() + ":" + old_path_);
  }
  ~FakeXdgOpen() { qputenv("PATH", old_path_); }
  QString LogPath() const { return dir_.filePath(QStringLiteral("opened.txt")); }

 private:
  QTemporaryDir dir_;
  QByteArray old_path_;
};

TEST_F(HelpCommandTest, ShowsTheHelpWindowWhenXdgOpenFindsNoViewer) {
  FakeXdgOpen xdg_open(3);  // xdg-open's code for "no tool to open the file"
  Window().Dialogs().SetHelpDir(kAppDir);
  Action("mnuHelp_Help")->trigger();
  ASSERT_TRUE(QTest::qWaitFor([this] { return !Window().findChildren<TfrmHelp*>().isEmpty(); }));
  EXPECT_TRUE(Window().findChildren<TfrmHelp*>()[0]->isVisible());
  EXPECT_TRUE(QFile::exists(xdg_open.LogPath()));
}

TEST_F(HelpCommandTest, LeavesTheGuideToTheViewerXdgOpenStarted) {
  FakeXdgOpen xdg_open(0);
  Window().Dialogs().SetHelpDir(kAppDir);
  Action("mnuHelp_Help")->trigger();
  ASSERT_TRUE(QTest::qWaitFor([&xdg_open] { return QFileInfo(xdg_open.LogPath()).size() > 0; }));
  QTest::qWait(300);  // xdg-open has ended: no help window follows
  QFile log(xdg_open.LogPath());
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  EXPECT_TRUE(log.readAll().trimmed().endsWith("help/index.html"));
  EXPECT_TRUE(Window().findChildren<TfrmHelp*>().isEmpty());
  EXPECT_TRUE(prompt_.shown.empty());
}

}  // namespace
}  // namespace morvane
