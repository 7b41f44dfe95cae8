// What the main window remembers between runs, tried with two windows over one settings file in
// a temporary folder: geometry, splitter, the connect dialog's data source and user, the
// folders of the file dialogs, and the recent projects in the File menu.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>

#include "app/gui/db/connect_form.h"
#include "app/gui/excel/workbook_file_dialogs.h"
#include "app/gui/paths/project_path_chooser.h"
#include "main_window_fixture.h"

namespace morvane {
namespace {

using testing::Cp932;
using testing::kGuiDsn;
using testing::kGuiPwd;
using testing::kGuiUid;
using testing::ModalDriver;

void Touch(const QString& path) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("x");
}

class RememberedSettingsTest : public testing::MainWindowTest {
 protected:
  void SetUp() override {
    settings_ = std::make_unique<QSettings>(config_.filePath("morvane.ini"), QSettings::IniFormat);
    OpenWindow();
  }

  // A new main window over the test's settings file, as the program starts.
  void OpenWindow() {
    window_.reset();
    window_ = std::make_unique<TfrmMain>(prompt_, QStringList{QStringLiteral("morvane")});
    window_->SetPathChooser(&chooser_);
    window_->SetSettings(settings_.get());
    window_->show();
    QCoreApplication::processEvents();
  }

  // Saves a new Oracle project as `name` in the projects folder; returns its path.
  QString SaveNewProject(const char* name) {
    Window().FileNew(Product::Oracle8);
    const QString path = projects_.filePath(QLatin1String(name));
    chooser_.saveAnswers = {path};
    EXPECT_TRUE(Window().FileSave(true));
    return path;
  }

  QSplitter* Splitter() { return Window().findChild<QSplitter*>(QStringLiteral("splData")); }

  QStringList RecentMenuPaths() {
    QStringList paths;
    auto* recent = Menu("mnuFile_Recent");
    for (QAction* entry : recent->actions()) paths << entry->data().toString();
    return paths;
  }
  void ChooseRecent(int number) {
    auto* entry = Window().findChild<QAction*>(QStringLiteral("mnuFile_Recent%1").arg(number));
    ASSERT_NE(entry, nullptr) << number;
    entry->trigger();
  }

  QTemporaryDir config_;
  QTemporaryDir projects_;
  std::unique_ptr<QSettings> settings_;
};

TEST_F(RememberedSettingsTest, ASecondWindowStartsAsTheFirstWasLeft) {
  database_ = testing::MakeGuiDatabase();
  const QString project = SaveNewProject("first.vnk");
  const QRect geometry(40, 30, 640, 420);
  Window().setGeometry(geometry);
  Splitter()->setSizes({290, 350});
  const QList<int> splitter_sizes = Splitter()->sizes();
  {
    ModalDriver driver({[](QWidget* modal) {
      auto* form = qobject_cast<TfrmConnect*>(modal);
      ASSERT_NE(form, nullptr);
      form->cmbDSN->setCurrentIndex(form->cmbDSN->findText(QLatin1String(kGuiDsn)));
      form->txtUID->setText(QLatin1String(kGuiUid));
      form->txtPWD->setText(QLatin1String(kGuiPwd));
      form->cmdOK->click();
    }});
    mnuDB_ConnectClick(Window());
    ASSERT_EQ(driver.Remaining(), 0u);
  }
  ASSERT_TRUE(Window().Connected());
  ASSERT_TRUE(Window().close());

  QFile stored(settings_->fileName());
  ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
  EXPECT_FALSE(stored.readAll().contains(kGuiPwd)) << "the password must not be stored";

  OpenWindow();
  EXPECT_EQ(Window().geometry(), geometry);
  EXPECT_EQ(Splitter()->sizes(), splitter_sizes);
  EXPECT_EQ(Window().RecentMenu().Projects().Paths(), QStringList{project});
  EXPECT_EQ(RecentMenuPaths(), QStringList{project});
  EXPECT_EQ(Window().Settings().LastFolder(TAppSettings::Folder::kProjects), projects_.path());

  // The connect dialog starts with the data source and user of the last connect, for this
  // product only, and never with a password.
  struct Offered {
    QString dsn, uid, pwd;
  };
  auto offered_for = [this](Product product) {
    Window().FileNew(product);
    Offered seen;
    ModalDriver driver({[&seen](QWidget* modal) {
      auto* form = qobject_cast<TfrmConnect*>(modal);
      ASSERT_NE(form, nullptr);
      seen = {form->cmbDSN->currentText(), form->txtUID->text(), form->txtPWD->text()};
      form->cmdCancel->click();
    }});
    mnuDB_ConnectClick(Window());
    EXPECT_EQ(driver.Remaining(), 0u);
    return seen;
  };
  Offered oracle = offered_for(Product::Oracle8);
  EXPECT_EQ(oracle.dsn, QLatin1String(kGuiDsn));
  EXPECT_EQ(oracle.uid, QLatin1String(kGuiUid));
  EXPECT_TRUE(oracle.pwd.isEmpty());
  Offered red_brick = offered_for(Product::RedBrick);
  EXPECT_NE(red_brick.dsn, QLatin1String(kGuiDsn));
  EXPECT_TRUE(red_brick.uid.isEmpty());
}

TEST_F(RememberedSettingsTest, AWindowLeftOnALargerScreenStartsWhollyOnThisOne) {
  const QRect available = Window().screen()->availableGeometry();
  Window().setGeometry(QRect(available.center(), available.size() * 3 / 2));
  ASSERT_TRUE(Window().close());

  OpenWindow();
  QCoreApplication::processEvents();
  EXPECT_TRUE(available.contains(Window().frameGeometry()))
      << Window().frameGeometry().x() << "," << Window().frameGeometry().y() << " "
      << Window().frameGeometry().width() << "x" << Window().frameGeometry().height();
}

TEST_F(RememberedSettingsTest, WorkbookDialogsStartInTheProjectsFolderElseAtHome) {
  QTemporaryDir project;
  QString started_in;
  auto note_folder_and_cancel = [&started_in](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    started_in = dialog->directory().absolutePath();
    dialog->reject();
  };
  TWorkbookFileDialogs book_dialogs(nullptr, prompt_);
  QString project_folder;
  book_dialogs.SetProjectFolder([&project_folder] { return project_folder; });
  const struct {
    QString project;
    bool save;
    QString expected;
  } cases[] = {
      {QString(), false, QDir::homePath()},
      {project.path(), false, project.path()},
      {project.path(), true, project.path()},
  };
  for (const auto& c : cases) {
    project_folder = c.project;
    started_in.clear();
    ModalDriver driver({note_folder_and_cancel});
    EXPECT_FALSE(c.save ? book_dialogs.AskSavePath(QStringLiteral("Book1"))
                        : book_dialogs.AskOpenPath());
    EXPECT_EQ(started_in, c.expected) << c.project.toStdString() << " " << c.save;
  }
}

TEST_F(RememberedSettingsTest, FileDialogsStartInTheFoldersLastUsed) {
  QTemporaryDir workbooks;
  Touch(workbooks.filePath("book.xlsx"));
  TAppSettings& memory = Window().Settings();
  memory.SetLastFolder(TAppSettings::Folder::kProjects, projects_.path());

  QString started_in;
  auto note_folder_and_cancel = [&started_in](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    started_in = dialog->directory().absolutePath();
    dialog->reject();
  };
  {
    ModalDriver driver({note_folder_and_cancel});
    EXPECT_FALSE(TProjectFileDialogs(nullptr, prompt_, &memory).AskOpenPath());
  }
  EXPECT_EQ(started_in, projects_.path());

  TWorkbookFileDialogs book_dialogs(nullptr, prompt_);
  book_dialogs.SetFolderMemory(&memory);
  {
    ModalDriver driver({[&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      ASSERT_NE(dialog, nullptr);
      dialog->setDirectory(workbooks.path());
      auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_NE(name, nullptr);
      name->setText(QStringLiteral("book.xlsx"));
      static_cast<QDialog*>(dialog)->accept();
    }});
    EXPECT_TRUE(book_dialogs.AskOpenPath());
  }
  EXPECT_EQ(memory.LastFolder(TAppSettings::Folder::kWorkbooks), workbooks.path());
  {
    ModalDriver driver({note_folder_and_cancel});
    EXPECT_FALSE(book_dialogs.AskSavePath(QStringLiteral("Book1")));
  }
  EXPECT_EQ(started_in, workbooks.path());
}

TEST_F(RememberedSettingsTest, RecentProjectsOpenFromTheFileMenu) {
  const QString first = SaveNewProject("first.vnk");
  const QString second = SaveNewProject("second.vnk");
  EXPECT_EQ(RecentMenuPaths(), (QStringList{second, first}));

  // Opening goes through the save question like Open does.
  Window().Store().SetModified();
  prompt_.answers = {PromptButton::kNo};
  ChooseRecent(2);
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"保存しますか？"});
  EXPECT_EQ(Window().Store().fileName, first.toStdString());
  EXPECT_EQ(RecentMenuPaths(), (QStringList{first, second}));

  // Cancelling the question keeps the project.
  Window().Store().SetModified();
  prompt_.shown.clear();
  prompt_.answers = {PromptButton::kCancel};
  ChooseRecent(2);
  EXPECT_EQ(Window().Store().fileName, first.toStdString());

  // A file that is gone is removed with a message, and is gone for the next window too.
  ASSERT_TRUE(QFile::remove(second));
  prompt_.shown.clear();
  ChooseRecent(2);
  const std::string gone = "ファイル \"" + second.toStdString() +
                           "\" が見つかりません。最近使ったファイルの一覧から削除します。";
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{gone});
  EXPECT_EQ(RecentMenuPaths(), QStringList{first});
  Window().Store().modified = false;
  OpenWindow();
  EXPECT_EQ(RecentMenuPaths(), QStringList{first});
}

}  // namespace
}  // namespace morvane
