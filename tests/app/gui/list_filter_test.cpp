// The filter box of the table list in the main window: its shortcut, the count in status panel 2
// and the keys that must stay with the box.
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/report_view.h"
#include "main_window_fixture.h"

namespace morvane {
namespace {

using testing::MainWindowTest;

class ListFilterTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Window().FileNew(Product::Oracle8);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    for (const char* name : {"EMP", "DEPT", "EMP_HISTORY", "SALGRADE"}) {
      TTableRec& table = Store().AddRecord(DataKind::Table);
      table.owner = "SCOTT";
      table.type = "TABLE";
      table.name = name;
      table.values = {"SCOTT", name, "TABLE"};
    }
    Window().Browser().RebuildTree();
    Window().DataTree()->setCurrentItem(Window().Browser().DataKindNode(DataKind::Table));
    Window().ListPanel()->ltvData()->setFocus();
    ASSERT_EQ(Window().ListPanel()->ltvData()->model()->rowCount(), 4);
    Store().modified = false;
  }
  QLineEdit* Box() { return Window().ListPanel()->edtFilter(); }
};

TEST_F(ListFilterTest, ItsShortcutIsTakenByNoOtherCommand) {
  QAction* filter = Action("mnuShow_Filter");
  ASSERT_NE(filter, nullptr);
  EXPECT_EQ(filter->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+F")));
  EXPECT_TRUE(Menu("mnuShow")->actions().contains(filter));
  for (const QAction* other : Window().findChildren<QAction*>()) {
    if (other != filter && !other->shortcut().isEmpty()) {
      EXPECT_NE(other->shortcut(), filter->shortcut()) << other->objectName().toStdString();
    }
  }
}

TEST_F(ListFilterTest, TheShortcutFocusesTheBoxAndTypingCountsSelectedOverShown) {
  QTest::keyClick(Window().ListPanel()->ltvData(), Qt::Key_F,
                  Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_EQ(QApplication::focusWidget(), Box());
  QTest::keyClicks(Box(), QStringLiteral("emp"));
  EXPECT_EQ(Window().ListPanel()->ltvData()->model()->rowCount(), 2);
  EXPECT_EQ(Window().StatusBar().Text(2), QStringLiteral("0 / 2個を選択"));

  // Backspace edits the box; the tree stays where it is.
  QTreeWidgetItem* node = Window().DataTree()->currentItem();
  QTest::keyClick(Box(), Qt::Key_Backspace);
  EXPECT_EQ(Box()->text(), QStringLiteral("em"));
  EXPECT_EQ(Window().DataTree()->currentItem(), node);

  Window().ListPanel()->ltvData()->setFocus();
  mnuEdit_SelectAllClick(Window());
  EXPECT_EQ(SelectedRowCount(Window().ListPanel()->ltvData()), 2);
  EXPECT_EQ(Window().StatusBar().Text(2), QStringLiteral("2 / 2個を選択"));
  Box()->clear();
  EXPECT_EQ(Window().ListPanel()->ltvData()->model()->rowCount(), 4);
  EXPECT_EQ(Window().StatusBar().Text(2), QStringLiteral("2個を選択"));
  EXPECT_FALSE(Store().modified);
}

TEST_F(ListFilterTest, TheBoxShowsOnlyWithTheTableList) {
  EXPECT_TRUE(Box()->isVisible());
  mnuShow_ERClick(Window());
  EXPECT_FALSE(Box()->isVisible());
  mnuShow_FilterClick(Window());
  EXPECT_NE(QApplication::focusWidget(), Box());
  mnuShow_ListClick(Window());
  EXPECT_TRUE(Box()->isVisible());
  Window().DataTree()->setCurrentItem(Window().Browser().SqlRoot());
  EXPECT_FALSE(Box()->isVisible());
}

}  // namespace
}  // namespace morvane
