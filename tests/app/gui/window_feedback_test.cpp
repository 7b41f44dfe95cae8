// What the user sees around the commands: the Edit menu opened from the keyboard, status panel
// 2, grid lines in the lists, repainting during long work, and messages about a project opened
// at start.
#include <QExposeEvent>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTreeView>
#include <QTreeWidget>
#include <QWindow>

#include "main_window_fixture.h"
#include "project/new_project.h"
#include "project/project_writer.h"

namespace morvane {
namespace {

using testing::Cp932;
using testing::MainWindowTest;

// A table list of data kind 2 with two rows, shown and focused.
void ShowTwoTables(TfrmMain& window) {
  window.FileNew(Product::Oracle8);
  for (const char* name : {"EMP", "DEPT"}) {
    TTableRec& table = window.Store().AddRecord(DataKind::Table);
    table.owner = "SCOTT";
    table.type = "TABLE";
    table.name = name;
    table.values = {"SCOTT", name, "TABLE"};
  }
  window.Browser().RebuildTree();
  window.DataTree()->setCurrentItem(window.Browser().DataKindNode(DataKind::Table));
  window.ListPanel()->ltvData()->setFocus();
}

TEST_F(MainWindowTest, TheEditMenuOpenedWithAltEWorksOnTheFocusedList) {
  ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
  ShowTwoTables(Window());
  ASSERT_EQ(Window().ListPanel()->ltvData()->model()->rowCount(), 2);
  ASSERT_EQ(QApplication::focusWidget(), Window().ListPanel()->ltvData());

  QTest::keyClick(&Window(), Qt::Key_E, Qt::AltModifier);
  QMenu* edit = Menu("mnuEdit");
  ASSERT_TRUE(edit->isVisible());
  EXPECT_TRUE(Action("mnuEdit_SelectAll")->isEnabled());
  EXPECT_TRUE(Action("mnuEdit_SelectChange")->isEnabled());
  edit->close();
  Window().menuBar()->setActiveAction(nullptr);
}

TEST_F(MainWindowTest, StatusPanel2NamesOnlyItsActivitiesAndShowsTheCountAfterwards) {
  ShowTwoTables(Window());
  Window().ListPanel()->ltvData()->selectAll();
  QCoreApplication::processEvents();
  const QString count = QStringLiteral("2個を選択");
  ASSERT_EQ(Window().StatusBar().Text(2), count);

  Window().Progress().Begin("プロジェクトの保存", 3);
  EXPECT_EQ(Window().StatusBar().Text(2), count);
  Window().Progress().End();
  for (const char* activity : {"データ取得", "件数取得", "Excel出力", "インポート", "表示中"}) {
    Window().Progress().Begin(activity, 3);
    EXPECT_EQ(Window().StatusBar().Text(2), QString::fromUtf8(activity));
    Window().Progress().End();
    EXPECT_EQ(Window().StatusBar().Text(2), count);
  }
}

TEST_F(MainWindowTest, ReportListsDrawGridLines) {
  ShowTwoTables(Window());
  QTreeView* list = Window().ListPanel()->ltvData();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  // No current row: its focus frame would cover the lines.
  list->clearSelection();
  list->setCurrentIndex(QModelIndex());
  const QRect cell = list->visualRect(list->model()->index(1, 0));
  ASSERT_FALSE(cell.isEmpty());
  const QImage image = list->viewport()->grab().toImage();
  QStyleOptionViewItem option;
  option.initFrom(list);
  const QColor grid = QColor::fromRgba(
      static_cast<QRgb>(list->style()->styleHint(QStyle::SH_Table_GridLineColor, &option, list)));
  // The line under the cell, the line right of it, and no line inside it.
  EXPECT_EQ(image.pixelColor(cell.left() + 3, cell.bottom()).rgb(), grid.rgb());
  EXPECT_EQ(image.pixelColor(cell.right(), cell.top() + 3).rgb(), grid.rgb());
  EXPECT_NE(image.pixelColor(cell.left() + 3, cell.top() + 3).rgb(), grid.rgb());
}

// Counts the requests to draw a window again that the window has handled.
class ExposeCounter : public QObject {
 public:
  int handled = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Expose) ++handled;
    return false;
  }
};

TEST_F(MainWindowTest, TheWindowIsRedrawnWhileLongWorkRuns) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
  QCoreApplication::processEvents();
  QWindow* window = Window().windowHandle();
  ExposeCounter counter;
  window->installEventFilter(&counter);
  // A question box closed just before the work uncovered the window: the windowing system's
  // request to draw it again waits in the queue, and is handled as soon as the work begins.
  auto uncover = [window] {
    QCoreApplication::postEvent(window, new QExposeEvent(QRegion(0, 0, 200, 200)));
  };
  uncover();
  Window().Progress().Begin("データ取得", 10);
  EXPECT_EQ(counter.handled, 1);
  // Steps draw a few times a second, not at every row.
  QThread::msleep(50);
  uncover();
  Window().Progress().Step(5);
  EXPECT_EQ(counter.handled, 2);
  EXPECT_EQ(Window().Progress().Bar()->value(), 5);
  Window().Progress().End();
  window->removeEventFilter(&counter);
}

// Notes, for every message, whether the main window was on screen and what it held.
class WindowWatchingPrompt : public ScriptedPrompt {
 public:
  TfrmMain* window = nullptr;
  std::vector<bool> window_on_screen;
  std::vector<size_t> tables_loaded;

  PromptButton Ask(PromptKind kind, const std::string& text,
                   const std::vector<PromptButton>& buttons, PromptButton default_button,
                   PromptButton escape_button) override {
    QWindow* handle = window != nullptr ? window->windowHandle() : nullptr;
    window_on_screen.push_back(handle != nullptr && handle->isVisible());
    tables_loaded.push_back(window != nullptr ? window->Store().Records(DataKind::Table).size()
                                              : 0);
    return ScriptedPrompt::Ask(kind, text, buttons, default_button, escape_button);
  }
};

class StartFileTest : public ::testing::Test {
 protected:
  QString Write(const char* name, const QByteArray& bytes) {
    const QString path = dir_.filePath(QLatin1String(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  void Start(const QString& path) {
    window_ = std::make_unique<TfrmMain>(prompt_, QStringList{QStringLiteral("morvane"), path});
    prompt_.window = window_.get();
    window_->show();
    QCoreApplication::processEvents();
  }

  QTemporaryDir dir_;
  WindowWatchingPrompt prompt_;
  std::unique_ptr<TfrmMain> window_;
};

TEST_F(StartFileTest, AFileThatFailsAtStartIsReportedOverTheWindowWithItsNameAndReason) {
  const QString path = Write("broken.vnk", QByteArray("\x01Velnorak\x02"
                                                      "280\x02\r\n\x01"
                                                      "DATABASE_TYPE\x02\r\n9\x02\r\n"));
  Start(path);
  // One box: what failed, the file and the reason.
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].text,
            Cp932("ファイルの読み込みに失敗しました。\r\nファイル「" + path.toStdString() +
                  "」\r\n3行目: データベース種別「9」は不正です。"));
  EXPECT_EQ(prompt_.window_on_screen, (std::vector<bool>{true}));
}

TEST_F(StartFileTest, TheEarlierVersionWarningComesBeforeTheContentsAreLoaded) {
  TCatalogueStore store;
  NewProject(store, Product::Oracle8, EstimateTextWidth);
  store.fileVersion = 200;
  store.AddRecord(DataKind::Table).name = "EMP";
  Start(Write("old.vnk", QByteArray::fromStdString(ProjectFileBytes(store))));
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kWarning);
  EXPECT_EQ(prompt_.tables_loaded, std::vector<size_t>{0});
  EXPECT_EQ(window_->Store().Records(DataKind::Table).size(), 1u);
}

}  // namespace
}  // namespace morvane
