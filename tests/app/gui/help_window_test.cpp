// The user guide in the program's own help window, from the Help command and on its own.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>

#include "app/gui/help_window.h"
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
  Window().SetUrlOpener([&opened](const QUrl& url) {
    opened << url;
    return true;
  });
  Window().SetHelpDir(kAppDir);
  Action("mnuHelp_Help")->trigger();
  ASSERT_EQ(opened.size(), 1);
  EXPECT_TRUE(opened[0].isLocalFile());
  EXPECT_TRUE(Window().findChildren<TfrmHelp*>().isEmpty());
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(HelpCommandTest, OpensTheHelpWindowWhenTheDesktopHasNoViewer) {
  int desktop_calls = 0;
  Window().SetUrlOpener([&desktop_calls](const QUrl&) {
    ++desktop_calls;
    return false;
  });
  Window().SetHelpDir(kAppDir);
  Action("mnuHelp_Help")->trigger();
  Action("tlbMain_Help")->trigger();  // a second request reuses the window
  QList<TfrmHelp*> windows = Window().findChildren<TfrmHelp*>();
  ASSERT_EQ(windows.size(), 1);
  EXPECT_TRUE(windows[0]->isVisible());
  EXPECT_EQ(desktop_calls, 2);
  EXPECT_TRUE(prompt_.shown.empty());
}

}  // namespace
}  // namespace morvane
