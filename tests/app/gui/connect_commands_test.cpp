// Connecting and disconnecting from the main window: the Database menu's commands with the
// real connect dialog, status panel 1, the commands' enabling, the disconnect of New, Open and
// close, and the connect that fetching asks for.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "app/gui/browse/browser.h"
#include "app/gui/db/connect_form.h"
#include "app/gui/forms.h"
#include "main_window_fixture.h"

namespace morvane {
namespace {

using testing::Cp932;
using testing::kGuiDsn;
using testing::MainWindowTest;
using testing::ModalDriver;

// What the user does in the connect dialog, as a step of a ModalDriver.
ModalDriver::Step Enter(const char* uid, const char* pwd) {
  return [uid, pwd](QWidget* modal) {
    auto* form = qobject_cast<TfrmConnect*>(modal);
    ASSERT_NE(form, nullptr) << "not the connect dialog";
    form->cmbDSN->setCurrentIndex(form->cmbDSN->findText(QString::fromLatin1(kGuiDsn)));
    form->txtUID->setText(QString::fromLatin1(uid));
    form->txtPWD->setText(QString::fromLatin1(pwd));
    form->cmdOK->click();
    // A refused account leaves the dialog open: give up.
    if (form->isVisible()) form->cmdCancel->click();
  };
}

void Cancel(QWidget* modal) {
  auto* form = qobject_cast<TfrmConnect*>(modal);
  ASSERT_NE(form, nullptr) << "not the connect dialog";
  form->cmdCancel->click();
}

class ConnectCommandsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    database_ = testing::MakeGuiDatabase();
    Window().FileNew(Product::Oracle8);
  }

  // The Connect command, answered by `step` in the dialog.
  void ConnectThroughTheMenu(ModalDriver::Step step) {
    ModalDriver driver({std::move(step)});
    mnuDB_ConnectClick(Window());
    EXPECT_EQ(driver.Remaining(), 0u) << "the connect dialog was not shown";
  }

  // The Connect and Disconnect commands as the toolbar shows them after the command.
  void ExpectCommandsFor(bool connected) {
    EXPECT_EQ(Window().Connected(), connected);
    EXPECT_EQ(Action("tlbMain_Connect")->isEnabled(), !connected);
    EXPECT_EQ(Action("tlbMain_DisConnect")->isEnabled(), connected);
    EXPECT_EQ(MenuItemEnabled("mnuDB", "mnuDB_Connect"), !connected);
    EXPECT_EQ(MenuItemEnabled("mnuDB", "mnuDB_DisConnect"), connected);
  }

  QTemporaryDir dir_;
};

TEST_F(ConnectCommandsTest, ConnectShowsTheDataSourceAndSwapsTheCommands) {
  ExpectCommandsFor(false);
  EXPECT_EQ(Window().StatusBar().Text(1), QStringLiteral("未接続"));

  ConnectThroughTheMenu(Enter("scott", "tiger"));
  ExpectCommandsFor(true);
  EXPECT_EQ(Window().StatusBar().Text(1), QString::fromLatin1(kGuiDsn));
  EXPECT_EQ(Window().Connection().OwnerName, "SCOTT");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(prompt_.shown.empty());

  mnuDB_DisConnectClick(Window());
  ExpectCommandsFor(false);
  EXPECT_EQ(Window().StatusBar().Text(1), QStringLiteral("未接続"));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ConnectCommandsTest, AWrongPasswordShowsTheDriversMessageAndThePanelSaysNotConnected) {
  ConnectThroughTheMenu(Enter("scott", "lion"));
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kError);
  EXPECT_NE(ShownTexts()[0].find("ORA-01017"), std::string::npos) << ShownTexts()[0];
  EXPECT_EQ(Window().StatusBar().Text(1), QStringLiteral("未接続"));
  ExpectCommandsFor(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ConnectCommandsTest, CancelChangesNothing) {
  ConnectThroughTheMenu(Cancel);
  ExpectCommandsFor(false);
  EXPECT_EQ(Window().StatusBar().Text(1), QStringLiteral("未接続"));
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(ConnectCommandsTest, TheDialogIsMadeOnceAndReused) {
  ConnectThroughTheMenu(Enter("scott", "tiger"));
  mnuDB_DisConnectClick(Window());
  ConnectThroughTheMenu(Cancel);
  EXPECT_EQ(Window().findChildren<TfrmConnect*>().size(), 1);

  ScriptedPrompt prompt;
  std::unique_ptr<TForms> forms = CreateForms(prompt, {QStringLiteral("morvane")});
  EXPECT_EQ(forms->connect, forms->main->Dialogs().Connect());
  EXPECT_EQ(forms->connect->parent(), forms->main.get());
}

TEST_F(ConnectCommandsTest, NewDisconnects) {
  ConnectToEmulator();
  Window().FileNew(Product::RedBrick);
  ExpectCommandsFor(false);
  EXPECT_EQ(Window().StatusBar().Text(1), QStringLiteral("未接続"));
}

TEST_F(ConnectCommandsTest, OpenDisconnectsBeforeReadingButNotWhenTheDialogIsCancelled) {
  QString path = dir_.filePath(QStringLiteral("sales.vnk"));
  chooser_.saveAnswers = {path};
  ASSERT_TRUE(Window().FileSave(true));

  ConnectToEmulator();
  mnuFile_OpenClick(Window());  // the Open dialog is cancelled
  EXPECT_TRUE(Window().Connected());

  chooser_.openAnswers = {path};
  mnuFile_OpenClick(Window());
  EXPECT_EQ(Store().fileName, path.toStdString());
  ExpectCommandsFor(false);
  EXPECT_EQ(Window().StatusBar().Text(1), QStringLiteral("未接続"));
}

TEST_F(ConnectCommandsTest, CloseDisconnectsUnlessTheSavePromptKeepsTheWindow) {
  ConnectToEmulator();
  Store().SetModified();
  prompt_.answers = {PromptButton::kCancel};
  EXPECT_FALSE(Window().close());
  EXPECT_TRUE(Window().Connected());

  prompt_.answers = {PromptButton::kNo};
  EXPECT_TRUE(Window().close());
  EXPECT_FALSE(Window().Connected());
}

TEST_F(ConnectCommandsTest, EnsureConnectedShowsTheDialogOnlyWhenNotConnected) {
  {
    ModalDriver driver({Cancel});
    EXPECT_FALSE(Window().EnsureConnected());
    EXPECT_EQ(driver.Remaining(), 0u);
  }
  {
    ModalDriver driver({Enter("scott", "tiger")});
    EXPECT_TRUE(Window().EnsureConnected());
    EXPECT_EQ(driver.Remaining(), 0u);
  }
  ExpectCommandsFor(true);
  {
    ModalDriver driver({Cancel});
    EXPECT_TRUE(Window().EnsureConnected());
    EXPECT_EQ(driver.Remaining(), 1u);  // no dialog
  }
}

TEST_F(ConnectCommandsTest, FetchingWhileNotConnectedAsksForTheConnectionFirst) {
  QTreeWidgetItem* tables = Window().Browser().DataKindNode(DataKind::Table);

  // Cancelled: nothing is fetched.
  prompt_.answers = {PromptButton::kYes};  // fetch the table information
  {
    ModalDriver driver({Cancel});
    tables->setExpanded(true);
    EXPECT_EQ(driver.Remaining(), 0u);
  }
  EXPECT_TRUE(Store().Records(DataKind::Table).empty());
  EXPECT_FALSE(Window().Connected());

  // Connected in the dialog: the fetch goes on through the new connection.
  prompt_.answers = {PromptButton::kYes};
  {
    ModalDriver driver({Enter("scott", "tiger")});
    tables->setExpanded(true);
    EXPECT_EQ(driver.Remaining(), 0u);
  }
  EXPECT_TRUE(Window().Connected());
  EXPECT_EQ(Store().Records(DataKind::Table).size(), 2u);
  EXPECT_EQ(Window().StatusBar().Text(1), QString::fromLatin1(kGuiDsn));
  ExpectCommandsFor(true);
}

}  // namespace
}  // namespace morvane
