// The About box, the order the forms are created in, and opening the user guide.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/gui/db/connect_form.h"
#include "app/gui/er/er_table_form.h"
#include "app/gui/excel/er_select_form.h"
#include "app/gui/excel/format_form.h"
#include "app/gui/excel/import_form.h"
#include "app/gui/forms.h"
#include "app/gui/help/about_form.h"
#include "app/gui/help/help_viewer.h"
#include "app/gui/main_window.h"
#include "gui_test_support.h"

namespace morvane {
namespace {

using testing::Cp932;
using testing::ModalDriver;

TEST(AboutBox, ShowsTitleAndVersionAndClosesWithOk) {
  TfrmAbout about;
  EXPECT_EQ(about.windowTitle(), QStringLiteral("バージョン情報"));
  EXPECT_EQ(about.size(), QSize(291, 91));
  auto* version = about.findChild<QLabel*>(QStringLiteral("lblVersion"));
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(version->text(), QStringLiteral("Version 2.8.1"));
  EXPECT_TRUE(version->font().bold());
  EXPECT_TRUE(version->alignment() & Qt::AlignRight);
  auto* title = about.findChild<QLabel*>(QStringLiteral("lblTitle"));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), QStringLiteral("Morvane"));
  EXPECT_EQ(title->font().pixelSize(), 15);

  auto* ok = about.findChild<QPushButton*>(QStringLiteral("cmdOK"));
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(ok->size(), QSize(91, 21));
  ModalDriver driver({[](QWidget* modal) {
    QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
  }});
  EXPECT_EQ(about.exec(), QDialog::Accepted);
}

TEST(Forms, AreCreatedInTheirFixedOrderWithOnlyTheMainWindowShown) {
  ScriptedPrompt prompt;
  std::unique_ptr<TForms> forms = CreateForms(prompt, {QStringLiteral("morvane")});
  ASSERT_TRUE(forms->main);
  QStringList created;
  for (QObject* child : forms->main->children()) {
    if (qobject_cast<TfrmERTable*>(child) || qobject_cast<TfrmAbout*>(child) ||
        qobject_cast<TfrmConnect*>(child) || qobject_cast<TfrmFormat*>(child) ||
        qobject_cast<TfrmERSelect*>(child) || qobject_cast<TfrmImport*>(child)) {
      created << child->objectName();
    }
  }
  EXPECT_EQ(created, (QStringList{"frmERTable", "frmAbout", "frmConnect", "frmFormat",
                                  "frmERSelect", "frmImport"}));
  forms->main->show();
  for (QWidget* form : {static_cast<QWidget*>(forms->erTable), static_cast<QWidget*>(forms->about),
                        static_cast<QWidget*>(forms->connect)}) {
    EXPECT_FALSE(form->isVisible()) << form->objectName().toStdString();
  }
}

class HelpTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  ScriptedPrompt prompt_;
  QList<QUrl> opened_;
  void ShipGuide() {
    QDir(dir_.path()).mkpath(QStringLiteral("help"));
    QFile guide(dir_.filePath(QStringLiteral("help/index.html")));
    ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
  }
  UrlOpener Opener(bool accepts) {
    return [this, accepts](const QUrl& url) {
      opened_ << url;
      return accepts;
    };
  }
};

TEST_F(HelpTest, OpensTheGuideBesideTheProgram) {
  ShipGuide();
  EXPECT_TRUE(ShowHelp(dir_.path(), Opener(true), prompt_));
  ASSERT_EQ(opened_.size(), 1);
  EXPECT_TRUE(opened_[0].isLocalFile());
  EXPECT_TRUE(opened_[0].toLocalFile().endsWith(QStringLiteral("help/index.html")));
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(HelpTest, WarnsWhenTheGuideIsMissing) {
  EXPECT_FALSE(ShowHelp(dir_.filePath(QStringLiteral("bin")), Opener(true), prompt_));
  EXPECT_TRUE(opened_.isEmpty());
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kWarning);
  EXPECT_EQ(prompt_.shown[0].text.rfind(Cp932("ヘルプファイルが見つかりません。"), 0), 0u);
}

TEST_F(HelpTest, WarnsWhenTheDesktopCannotShowIt) {
  ShipGuide();
  EXPECT_FALSE(ShowHelp(dir_.path(), Opener(false), prompt_));
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kWarning);
}

TEST(HelpGuide, IsShippedBesideTheBuiltProgram) {
  // The build copies the guide next to morvane; the tests run from the build tree.
  QString app_dir = QStringLiteral(MORVANE_APP_DIR);
  EXPECT_FALSE(FindHelpFile(app_dir).isEmpty()) << app_dir.toStdString();
}

}  // namespace
}  // namespace morvane
