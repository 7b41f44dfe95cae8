// TFileDlg on Qt's own file dialog: filter, default extension, overwrite question, refusals.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>

#include "app/gui/paths/file_dlg.h"
#include "app/gui/paths/project_path_chooser.h"
#include "gui_test_support.h"

namespace morvane {
namespace {

using testing::Cp932;
using testing::ModalDriver;

// Types a path into the file dialog the way a user does: its folder, then the name.
void Type(QFileDialog* dialog, const QString& path) {
  dialog->setDirectory(QFileInfo(path).absolutePath());
  auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  ASSERT_NE(name, nullptr);
  name->setText(QFileInfo(path).fileName());
}

// A step that types `path` into the file dialog and confirms it.
ModalDriver::Step Choose(const QString& path) {
  return [path](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr) << modal->metaObject()->className();
    Type(dialog, path);
    static_cast<QDialog*>(dialog)->accept();
  };
}

ModalDriver::Step Cancel() {
  return [](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); };
}

void Touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("x");
}

TEST(FilterToQt, TurnsBarSeparatedPairsIntoNameFilters) {
  EXPECT_EQ(FilterToQt(QStringLiteral("VNK ﾌｧｲﾙ|*.vnk")),
            QStringList{QStringLiteral("VNK ﾌｧｲﾙ (*.vnk)")});
  EXPECT_EQ(FilterToQt(QStringLiteral("Text|*.txt;*.csv|All|*")),
            (QStringList{QStringLiteral("Text (*.txt *.csv)"), QStringLiteral("All (*)")}));
  EXPECT_TRUE(FilterToQt(QString()).isEmpty());
  EXPECT_TRUE(FilterToQt(QStringLiteral("No pattern")).isEmpty());
}

class FileDlgTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
  ScriptedPrompt prompt_;
  QString Path(const char* name) const { return dir_.filePath(QLatin1String(name)); }
};

TEST_F(FileDlgTest, SaveAppendsTheDefaultExtensionToANameWithoutOne) {
  TProjectFileDialogs dialogs(nullptr, prompt_);
  ModalDriver driver({Choose(Path("plan"))});
  std::optional<QString> chosen = dialogs.AskSavePath(QString());
  ASSERT_TRUE(chosen);
  EXPECT_EQ(QFileInfo(*chosen).fileName(), QStringLiteral("plan.vnk"));
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(FileDlgTest, SaveAsksBeforeOverwritingAndShowsTheDialogAgainOnNo) {
  Touch(Path("old.vnk"));
  TProjectFileDialogs dialogs(nullptr, prompt_);
  prompt_.answers = {PromptButton::kNo, PromptButton::kYes};
  ModalDriver driver({Choose(Path("old.vnk")), Choose(Path("old.vnk"))});
  std::optional<QString> chosen = dialogs.AskSavePath(Path("old.vnk"));
  ASSERT_TRUE(chosen);
  EXPECT_EQ(QFileInfo(*chosen).fileName(), QStringLiteral("old.vnk"));
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kConfirm);
  EXPECT_EQ(prompt_.shown[0].text, Cp932("「old.vnk」は既に存在します。\r\n上書きしますか？"));
}

TEST_F(FileDlgTest, CancelledSaveReturnsNothing) {
  TProjectFileDialogs dialogs(nullptr, prompt_);
  ModalDriver driver({Cancel()});
  EXPECT_EQ(dialogs.AskSavePath(QString()), std::nullopt);
}

TEST_F(FileDlgTest, SaveOffersTheCurrentFileNameInItsFolder) {
  Touch(Path("current.vnk"));
  TProjectFileDialogs dialogs(nullptr, prompt_);
  QString offered;
  ModalDriver driver({[&offered](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    offered = dialog->selectedFiles().value(0);
    dialog->reject();
  }});
  dialogs.AskSavePath(Path("current.vnk"));
  EXPECT_EQ(QFileInfo(offered).canonicalFilePath(),
            QFileInfo(Path("current.vnk")).canonicalFilePath());
}

TEST_F(FileDlgTest, OpenReturnsAnExistingProject) {
  Touch(Path("a.vnk"));
  TProjectFileDialogs dialogs(nullptr, prompt_);
  ModalDriver driver({Choose(Path("a.vnk"))});
  std::optional<QString> chosen = dialogs.AskOpenPath();
  ASSERT_TRUE(chosen);
  EXPECT_EQ(QFileInfo(*chosen).canonicalFilePath(), QFileInfo(Path("a.vnk")).canonicalFilePath());
}

TEST_F(FileDlgTest, OpenRefusesAFileThatDoesNotExistAndAsksAgain) {
  Touch(Path("real.vnk"));
  TProjectFileDialogs dialogs(nullptr, prompt_);
  ModalDriver driver({Choose(Path("missing.vnk")), Choose(Path("real.vnk"))});
  std::optional<QString> chosen = dialogs.AskOpenPath();
  ASSERT_TRUE(chosen);
  EXPECT_EQ(QFileInfo(*chosen).fileName(), QStringLiteral("real.vnk"));
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kWarning);
  EXPECT_EQ(prompt_.shown[0].text,
            Cp932("「missing.vnk」が見つかりません。\r\nファイル名を確認してください。"));
}

TEST_F(FileDlgTest, ReportsTheFilterIndexAndWhetherTheExtensionDiffers) {
  TFileDlg dialog(nullptr, prompt_);
  dialog.filter = QStringLiteral("VNK ﾌｧｲﾙ|*.vnk|All|*");
  dialog.filterIndex = 2;
  dialog.defaultExt = QStringLiteral("vnk");
  ModalDriver driver({Choose(Path("notes.txt"))});
  ASSERT_TRUE(dialog.ExecuteSave());
  EXPECT_EQ(dialog.filterIndex, 2);
  EXPECT_EQ(QFileInfo(dialog.fileName).fileName(), QStringLiteral("notes.txt"));
  EXPECT_EQ(dialog.fileNames, QStringList{dialog.fileName});
  EXPECT_TRUE(dialog.options.testFlag(TFileDlg::kExtensionDifferent));
}

}  // namespace
}  // namespace morvane
