// Opening and saving projects from the main window: Save As, Save, the dialog, the command
// line, dropped files, earlier-version files and failures.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstdlib>

#include "er/er_sheets.h"
#include "main_window_fixture.h"
#include "project/project_writer.h"

namespace morvane {
namespace {

using testing::Cp932;
using testing::MainWindowTest;

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

class ProjectCommandsTest : public MainWindowTest {
 protected:
  QString Path(const char* name) const { return dir_.filePath(QLatin1String(name)); }

  // Saves a new project of `product` with two ER sheets and some SQL at `path`, from a window
  // of its own, and returns the file's bytes.
  QByteArray MakeProject(const QString& path, Product product) {
    ScriptedPrompt prompt;
    testing::ScriptedChooser chooser;
    TfrmMain maker(prompt, {QStringLiteral("morvane")});
    maker.SetPathChooser(&chooser);
    maker.FileNew(product);
    maker.Store().sqlText = {"SELECT *", "FROM EMP"};
    maker.Store().sqlMaxRow = "250";
    AddERSheet(maker.Store().er);
    chooser.saveAnswers = {path};
    EXPECT_TRUE(maker.FileSave(true));
    return ReadAll(path);
  }

  void ExpectOpened(const QString& path, Product product) {
    EXPECT_EQ(Store().product, product);
    EXPECT_EQ(Store().fileName, path.toStdString());
    EXPECT_FALSE(Store().modified);
    EXPECT_EQ(Window().windowTitle(),
              QStringLiteral("Morvane - [%1]").arg(QFileInfo(path).fileName()));
  }

  QTemporaryDir dir_;
};

TEST_F(ProjectCommandsTest, SaveAsWritesTheFileAndNamesItInTheCaption) {
  Window().FileNew(Product::Oracle7);
  Store().SetModified();
  chooser_.saveAnswers = {Path("sales.vnk")};
  mnuFile_SaveAsClick(Window());
  EXPECT_EQ(chooser_.saveCalls, 1);
  EXPECT_TRUE(ReadAll(Path("sales.vnk"))
                  .startsWith("\x01Velnorak\x02"
                              "280\x02\r\n"));
  EXPECT_EQ(Window().windowTitle(), QStringLiteral("Morvane - [sales.vnk]"));
  EXPECT_FALSE(Store().modified);
  EXPECT_FALSE(Action("tlbMain_Save")->isEnabled());

  // Save of a named project writes to the same file without asking.
  EditRowLimit(QStringLiteral("77"));
  mnuFile_SaveClick(Window());
  EXPECT_EQ(chooser_.saveCalls, 1);
  EXPECT_TRUE(ReadAll(Path("sales.vnk")).contains("\x01SQL_MAXROW\x02\r\n77\x02"));
  EXPECT_FALSE(Store().modified);

  // Save As offers the current path.
  mnuFile_SaveAsClick(Window());
  EXPECT_EQ(chooser_.lastSaveInitial, Path("sales.vnk"));
}

// Save As onto a project another program holds locked: the save waits, then fails with one
// message naming the file, which keeps its bytes; once the lock is let go the save goes through.
TEST_F(ProjectCommandsTest, SaveAsOntoAProjectAnotherProgramHoldsFailsAndLeavesIt) {
  const QByteArray theirs = MakeProject(Path("theirs.vnk"), Product::Oracle8);
  const int held = ::open(QFile::encodeName(Path("theirs.vnk")).constData(), O_RDONLY);
  ASSERT_GE(held, 0);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  Window().FileNew(Product::RedBrick);
  chooser_.saveAnswers = {Path("theirs.vnk")};
  EXPECT_FALSE(Window().FileSave(true));
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kError);
  EXPECT_NE(prompt_.shown[0].text.find(Path("theirs.vnk").toStdString() +
                                       Cp932("」は他のプログラムが使用中です。")),
            std::string::npos);
  EXPECT_TRUE(ReadAll(Path("theirs.vnk")) == theirs);
  EXPECT_TRUE(Store().fileName.empty());
  ::close(held);
  chooser_.saveAnswers = {Path("theirs.vnk")};
  EXPECT_TRUE(Window().FileSave(true));
  EXPECT_FALSE(ReadAll(Path("theirs.vnk")) == theirs);
  EXPECT_EQ(Store().fileName, Path("theirs.vnk").toStdString());
}

TEST_F(ProjectCommandsTest, SavePromptYesSavesAndTheCommandGoesOn) {
  Window().FileNew(Product::Oracle8);
  Store().SetModified();
  prompt_.answers = {PromptButton::kYes};
  chooser_.saveAnswers = {Path("kept.vnk")};
  Window().FileNew(Product::RedBrick);
  EXPECT_TRUE(QFileInfo::exists(Path("kept.vnk")));
  EXPECT_EQ(Store().product, Product::RedBrick);
  EXPECT_EQ(Window().windowTitle(), QStringLiteral("Morvane - [Red Brick 新規作成]"));
}

TEST_F(ProjectCommandsTest, CloseWithYesSavesAndCloses) {
  Window().FileNew(Product::Oracle8);
  Store().SetModified();
  prompt_.answers = {PromptButton::kYes};
  chooser_.saveAnswers = {Path("closing.vnk")};
  EXPECT_TRUE(Window().close());
  EXPECT_TRUE(QFileInfo::exists(Path("closing.vnk")));
}

TEST_F(ProjectCommandsTest, OpenFromTheDialogShowsTheProject) {
  MakeProject(Path("a.vnk"), Product::Broadbase);
  chooser_.openAnswers = {Path("a.vnk")};
  mnuFile_OpenClick(Window());
  ExpectOpened(Path("a.vnk"), Product::Broadbase);
  EXPECT_TRUE(prompt_.shown.empty()) << ShownTexts().front();
  EXPECT_EQ(Window().StatusBar().Text(0), QStringLiteral("Broadbase"));
  EXPECT_EQ(Window().SqlPanel()->txtSQLMaxRow->text(), QStringLiteral("250"));
  EXPECT_EQ(Window().SqlPanel()->memSQL->toPlainText(), QStringLiteral("SELECT *\nFROM EMP"));
  ASSERT_EQ(Window().ERPanel()->Sheets()->count(), 2);
  EXPECT_EQ(Window().ERPanel()->Sheets()->tabText(1), QStringLiteral("シート2"));
  EXPECT_EQ(Window().ERPanel()->Sheets()->currentIndex(), 0);
  Window().ERPanel()->Sheets()->setCurrentIndex(1);
  EXPECT_EQ(Store().er.currentIndex, 1);
  EXPECT_FALSE(Window().ERPanel()->isVisible());
  EXPECT_EQ(Window().DataTree()->topLevelItemCount(), 3);
  EXPECT_EQ(Window().DataTree()->currentItem(), Window().DataTree()->topLevelItem(0));
  EXPECT_TRUE(Window().DataTree()->topLevelItem(1)->isExpanded());
  EXPECT_TRUE(Action("tlbMain_Connect")->isEnabled());
}

TEST_F(ProjectCommandsTest, TheFirstCommandLineArgumentIsOpenedAtStart) {
  MakeProject(Path("start.vnk"), Product::Oracle7);
  Start({QStringLiteral("morvane"), Path("start.vnk"), Path("ignored.vnk")});
  ExpectOpened(Path("start.vnk"), Product::Oracle7);
  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_FALSE(Action("tlbMain_Save")->isEnabled());
}

TEST_F(ProjectCommandsTest, AMissingCommandLineFileStartsAnEmptyProgramSilently) {
  Start({QStringLiteral("morvane"), Path("missing.vnk")});
  EXPECT_EQ(Store().product, Product::None);
  EXPECT_EQ(Window().windowTitle(), QStringLiteral("Morvane"));
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(ProjectCommandsTest, DroppingSeveralFilesOpensOnlyTheFirst) {
  MakeProject(Path("first.vnk"), Product::RedBrick);
  MakeProject(Path("second.vnk"), Product::Oracle8);
  Drop({Path("first.vnk"), Path("second.vnk")});
  ExpectOpened(Path("first.vnk"), Product::RedBrick);
}

TEST_F(ProjectCommandsTest, DroppingOnAModifiedProjectAsksAndYesSavesToItsFileFirst) {
  MakeProject(Path("mine.vnk"), Product::RedBrick);
  MakeProject(Path("theirs.vnk"), Product::Oracle8);
  chooser_.openAnswers = {Path("mine.vnk")};
  mnuFile_OpenClick(Window());
  EditRowLimit(QStringLiteral("5"));
  ASSERT_TRUE(Store().modified);

  prompt_.answers = {PromptButton::kYes};
  Drop({Path("theirs.vnk")});
  EXPECT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(chooser_.saveCalls, 0);
  EXPECT_TRUE(ReadAll(Path("mine.vnk")).contains("\x01SQL_MAXROW\x02\r\n5\x02"));
  ExpectOpened(Path("theirs.vnk"), Product::Oracle8);
}

TEST_F(ProjectCommandsTest, EarlierVersionFileWarnsAndAllowsNoDatabaseWork) {
  QByteArray bytes = MakeProject(Path("old.vnk"), Product::Oracle8);
  QByteArray header = QByteArray("\x01Velnorak\x02") + "280\x02\r\n";
  ASSERT_TRUE(bytes.startsWith(header));
  WriteAll(Path("old.vnk"), QByteArray("\x01Velnorak\x02\r\n") + bytes.mid(header.size()));

  chooser_.openAnswers = {Path("old.vnk")};
  mnuFile_OpenClick(Window());
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kWarning);
  EXPECT_EQ(prompt_.shown[0].text, Cp932("このファイルは以前のバージョンで作成されているため、\r\n"
                                         "  「Excelインポート」\r\n"
                                         "  「データベース情報の更新」\r\n"
                                         "  「データ件数取得」\r\n"
                                         "  「SQL入力」\r\n"
                                         "  「ER図へのテーブル追加」\r\n"
                                         "はできません。"));
  ExpectOpened(Path("old.vnk"), Product::Oracle8);
  EXPECT_EQ(Store().fileVersion, 200);

  QStringList roots;
  for (int i = 0; i < Window().DataTree()->topLevelItemCount(); ++i) {
    roots << Window().DataTree()->topLevelItem(i)->text(0);
  }
  EXPECT_EQ(roots, (QStringList{"Excelファイル", "データベース"}));
  for (bool connected : {false, true}) {
    if (connected) ConnectToEmulator();
    EXPECT_FALSE(MenuItemEnabled("mnuDB", "mnuDB_Connect"));
    EXPECT_FALSE(MenuItemEnabled("mnuDB", "mnuDB_DisConnect"));
    EXPECT_FALSE(ButtonEnabled("tlbMain_Connect"));
    EXPECT_FALSE(ButtonEnabled("tlbMain_DisConnect"));
  }

  // New leaves the earlier-version state.
  Window().FileNew(Product::Oracle8);
  EXPECT_TRUE(MenuItemEnabled("mnuDB", "mnuDB_Connect"));
  EXPECT_EQ(Window().DataTree()->topLevelItemCount(), 3);
}

TEST_F(ProjectCommandsTest, AFileThatIsNoProjectIsReportedAndLeavesAnEmptyWindow) {
  WriteAll(Path("notes.vnk"), "just some text\r\n");
  Window().FileNew(Product::Oracle8);
  chooser_.openAnswers = {Path("notes.vnk")};
  mnuFile_OpenClick(Window());
  // One box, naming the file and the reason.
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kError);
  EXPECT_EQ(prompt_.shown[0].text, Cp932("ファイルの読み込みに失敗しました。\r\nファイル「") +
                                       Path("notes.vnk").toStdString() +
                                       Cp932("」\r\nプロジェクトファイルではありません。"));
  EXPECT_EQ(Window().windowTitle(), QStringLiteral("Morvane"));
  EXPECT_EQ(Window().DataTree()->topLevelItemCount(), 0);
  EXPECT_EQ(Store().product, Product::None);
  EXPECT_EQ(Window().StatusBar().Text(0), QStringLiteral("未選択"));
  EXPECT_EQ(Window().ERPanel()->Sheets()->count(), 0);
  EXPECT_FALSE(Action("tlbMain_Save")->isEnabled());
}

TEST_F(ProjectCommandsTest, AFailedSaveIntoAMissingFolderKeepsTheDocumentModified) {
  Window().FileNew(Product::Oracle8);
  Store().SetModified();
  chooser_.saveAnswers = {Path("no/such/folder/x.vnk")};
  mnuFile_SaveAsClick(Window());
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kError);
  EXPECT_TRUE(Store().modified);
  EXPECT_TRUE(Action("tlbMain_Save")->isEnabled());
  EXPECT_EQ(Window().windowTitle(), QStringLiteral("Morvane - [Oracle 8 新規作成]"));
  EXPECT_TRUE(Store().fileName.empty());
}

// Makes a folder refuse new files, also for root where chmod is not enough. Returns false when
// this machine offers no way to do that.
bool MakeFolderUnwritable(const QString& folder) {
  QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  QByteArray native = QFile::encodeName(folder);
  if (::access(native.constData(), W_OK) == 0) {
    std::string command = "chattr +i '" + native.toStdString() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return false;
  }
  QFile probe(folder + QStringLiteral("/probe"));
  if (probe.open(QIODevice::WriteOnly)) {
    probe.remove();
    return false;
  }
  return true;
}

void MakeFolderWritable(const QString& folder) {
  std::string command = "chattr -i '" + QFile::encodeName(folder).toStdString() + "' 2>/dev/null";
  [[maybe_unused]] int ignored = std::system(command.c_str());
  QFile::setPermissions(folder,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(ProjectCommandsTest, SavingAWritableFileInAReadOnlyFolderWritesItInPlace) {
  QDir(dir_.path()).mkdir(QStringLiteral("locked"));
  QString folder = Path("locked");
  QString path = folder + QStringLiteral("/plan.vnk");
  MakeProject(path, Product::Oracle7);
  chooser_.openAnswers = {path};
  mnuFile_OpenClick(Window());
  EditRowLimit(QStringLiteral("12"));

  if (!MakeFolderUnwritable(folder)) {
    MakeFolderWritable(folder);
    GTEST_SKIP() << "no way to make a folder read-only here";
  }
  mnuFile_SaveClick(Window());
  MakeFolderWritable(folder);

  EXPECT_TRUE(prompt_.shown.empty());
  EXPECT_FALSE(Store().modified);
  EXPECT_EQ(ReadAll(path), QByteArray::fromStdString(ProjectFileBytes(Store())));
  EXPECT_TRUE(ReadAll(path).contains("\x01SQL_MAXROW\x02\r\n12\x02"));
  EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"plan.vnk"});
}

}  // namespace
}  // namespace morvane
