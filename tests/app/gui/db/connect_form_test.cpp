// The connect dialog on its own: its controls, the data sources it offers per product, and
// connecting to an emulator database through unixODBC.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest/QTest>
#include <cstdlib>

#include "app/gui/db/connect_form.h"
#include "db/db_connection.h"
#include "emulator_source.h"
#include "gui_test_support.h"
#include "model/catalogue_store.h"
#include "recorders.h"

namespace morvane::testing {
namespace {

using emulator::test::FixtureDatabase;

class ConnectFormTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    db_ = MakeGuiDatabase().release();
    // More data sources, in an order no sorting would give; only their drivers matter here.
    db_->sources->Add("RB_SALES", {{"Driver", "Morvane Red Brick"}});
    db_->sources->Add("ORA_ZETA", {{"Driver", "Morvane Oracle"}});
    db_->sources->Add("BB_SALES", {{"Driver", "Morvane Broadbase"}});
    db_->sources->Add("ORA_ALPHA", {{"Driver", "Morvane Oracle"}});
  }
  static void TearDownTestSuite() {
    delete db_;
    db_ = nullptr;
  }

  void SetUp() override { store.product = Product::Oracle8; }

  QStringList Listed() const {
    QStringList names;
    for (int i = 0; i < form.cmbDSN->count(); ++i) names << form.cmbDSN->itemText(i);
    return names;
  }
  void Choose(const QString& dsn) {
    int index = form.cmbDSN->findText(dsn);
    ASSERT_GE(index, 0) << dsn.toStdString();
    form.cmbDSN->setCurrentIndex(index);
  }
  void Type(const QString& uid, const QString& pwd) {
    QTest::keyClicks(form.txtUID, uid);
    QTest::keyClicks(form.txtPWD, pwd);
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& shown : prompt.shown) texts.push_back(ToUtf8(shown.text));
    return texts;
  }

  static inline FixtureDatabase* db_ = nullptr;
  TCatalogueStore store;
  TDbConnection connection;
  ScriptedPrompt prompt;
  RecordingStatusBar status;
  TfrmConnect form{connection, store, prompt, status};
};

TEST_F(ConnectFormTest, HasTheControlsOfAFixedCentredDialog) {
  form.show();
  EXPECT_EQ(form.objectName(), QStringLiteral("frmConnect"));
  EXPECT_EQ(form.windowTitle(), QStringLiteral("データベース接続"));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  QPoint off_centre = form.frameGeometry().center() - form.screen()->availableGeometry().center();
  EXPECT_LE(std::abs(off_centre.x()), 1);
  EXPECT_LE(std::abs(off_centre.y()), 1);

  QStringList labels;
  for (auto* label : form.gbxConnect->findChildren<QLabel*>()) labels << label->text();
  EXPECT_EQ(labels, (QStringList{"DSN", "UID", "PWD"}));
  EXPECT_EQ(form.cmbDSN->parentWidget(), form.gbxConnect);
  EXPECT_FALSE(form.cmbDSN->isEditable());

  Type(QStringLiteral("scott"), QStringLiteral("tiger"));
  EXPECT_EQ(form.txtUID->displayText(), QStringLiteral("scott"));
  EXPECT_EQ(form.txtPWD->text(), QStringLiteral("tiger"));
  EXPECT_EQ(form.txtPWD->displayText(), QStringLiteral("*****"));
  EXPECT_FALSE(form.txtPWD->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_TRUE(form.txtPWD->inputMethodHints().testFlag(Qt::ImhHiddenText));

  EXPECT_EQ(form.cmdOK->text(), QStringLiteral("OK"));
  EXPECT_TRUE(form.cmdOK->isDefault());
  EXPECT_EQ(form.cmdCancel->text(), QStringLiteral("キャンセル"));
}

TEST_F(ConnectFormTest, ListsTheDataSourcesOfTheProjectsProductInTheDriverManagersOrder) {
  // The test's own data sources come first, then the build tree's demo data sources.
  const QStringList oracle{"GUI_ORA", "ORA_ZETA", "ORA_ALPHA", "MorvaneOracle8", "MorvaneOracle7"};
  for (Product product : {Product::Oracle8, Product::Oracle7}) {
    store.product = product;
    form.show();
    EXPECT_EQ(Listed(), oracle) << ProductName(product);
    EXPECT_EQ(form.cmbDSN->currentText(), QStringLiteral("GUI_ORA"));
    form.hide();
  }
  store.product = Product::RedBrick;
  form.show();
  EXPECT_EQ(Listed(), (QStringList{"RB_SALES", "MorvaneRedBrick"}));
  form.hide();
  store.product = Product::Broadbase;
  form.show();
  EXPECT_EQ(Listed(), (QStringList{"BB_SALES", "MorvaneBroadbase"}));
  form.hide();
  // The generic ODBC product offers every data source, whatever its driver.
  store.product = Product::Odbc;
  form.show();
  const QStringList every = Listed();
  for (const char* name :
       {"GUI_ORA", "RB_SALES", "MorvaneRedBrick", "BB_SALES", "MorvaneBroadbase"}) {
    EXPECT_TRUE(every.contains(QLatin1String(name))) << name;
  }
  form.hide();

  store.product = Product::None;
  form.show();
  EXPECT_EQ(form.cmbDSN->count(), 0);
  EXPECT_EQ(form.cmbDSN->currentIndex(), -1);
  EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ConnectFormTest, EveryShowingListsAfreshAndStartsWithAnEmptyAccount) {
  form.show();
  Choose(QStringLiteral("ORA_ALPHA"));
  Type(QStringLiteral("scott"), QStringLiteral("tiger"));
  form.cmdCancel->click();

  db_->sources->Add("ORA_LATE", {{"Driver", "Morvane Oracle"}});
  form.show();
  EXPECT_TRUE(Listed().contains(QStringLiteral("ORA_LATE")));
  EXPECT_EQ(form.cmbDSN->currentIndex(), 0);
  EXPECT_TRUE(form.txtUID->text().isEmpty());
  EXPECT_TRUE(form.txtPWD->text().isEmpty());
  EXPECT_EQ(form.focusWidget(), form.cmbDSN);
}

TEST_F(ConnectFormTest, OkConnectsWithTheChosenDataSourceAndCloses) {
  form.show();
  Choose(QStringLiteral("GUI_ORA"));
  Type(QStringLiteral("scott"), QStringLiteral("tiger"));
  form.cmdOK->click();

  EXPECT_TRUE(connection.Connected);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(status.connection_texts, (std::vector<std::string>{Cp932("接続中"), "GUI_ORA"}));
  EXPECT_EQ(status.busy_depth, 0);
  // Oracle catalogues are read for the user name in upper case.
  EXPECT_EQ(connection.OwnerName, "SCOTT");
  EXPECT_TRUE(prompt.shown.empty()) << Messages()[0];
}

TEST_F(ConnectFormTest, EnterPressesOk) {
  form.show();
  Type(QStringLiteral("SCOTT"), QStringLiteral("tiger"));
  QTest::keyClick(form.txtPWD, Qt::Key_Return);
  EXPECT_TRUE(connection.Connected);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(ConnectFormTest, AWrongPasswordIsReportedAndTheDialogStaysOpenForAnotherTry) {
  form.show();
  Type(QStringLiteral("scott"), QStringLiteral("lion"));
  form.txtPWD->setFocus();
  form.cmdOK->click();

  EXPECT_FALSE(connection.Connected);
  EXPECT_FALSE(connection.Env);
  EXPECT_FALSE(connection.Dbc);
  ASSERT_EQ(prompt.shown.size(), 1u);
  EXPECT_EQ(prompt.shown[0].kind, PromptKind::kError);
  EXPECT_NE(Messages()[0].find("ORA-01017"), std::string::npos) << Messages()[0];
  EXPECT_EQ(status.connection_texts, (std::vector<std::string>{Cp932("接続中"), Cp932("未接続")}));
  EXPECT_EQ(status.busy_depth, 0);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.focusWidget(), form.cmbDSN);

  form.txtPWD->setText(QStringLiteral("tiger"));
  form.cmdOK->click();
  EXPECT_TRUE(connection.Connected);
  EXPECT_FALSE(form.isVisible());
}

TEST_F(ConnectFormTest, WithNoDataSourceOkReportsAnInternalError) {
  store.product = Product::None;
  form.show();
  form.cmdOK->click();
  EXPECT_EQ(Messages(), std::vector<std::string>{"内部エラー"});
  EXPECT_FALSE(connection.Connected);
  EXPECT_TRUE(form.isVisible());
}

TEST_F(ConnectFormTest, CancelAndEscapeCloseWithoutTouchingTheConnection) {
  form.show();
  Type(QStringLiteral("scott"), QStringLiteral("tiger"));
  form.cmdCancel->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);

  form.show();
  Type(QStringLiteral("scott"), QStringLiteral("tiger"));
  QTest::keyClick(form.txtPWD, Qt::Key_Escape);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Rejected);

  EXPECT_FALSE(connection.Connected);
  EXPECT_TRUE(status.connection_texts.empty());
  EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
}  // namespace morvane::testing
