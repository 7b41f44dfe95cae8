// The ER view in the main window: tables dropped from the tree, column-list drags, moving and
// closing windows, the sheet menu, and saving and reopening everything.
#include <QAbstractButton>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <QLineEdit>
#include <QToolButton>

#include "app/gui/er/er_sheet_list_form.h"
#include "er/er_sheets.h"
#include "er_view_fixture.h"

namespace morvane {
namespace {

using testing::Cp932;
using testing::ERViewTest;

TEST_F(ERViewTest, ATableDroppedFromTheTreeBecomesAWindowAtThePointer) {
  NewProject();
  const TTableRec& emp = AddTable("EMP", 3);
  Store().modified = false;
  ASSERT_TRUE(DropTable(emp, QPoint(200, 100)));
  ASSERT_EQ(Sheet().tables.size(), 1u);
  const TERTableRec& first = *Sheet().tables[0];
  EXPECT_EQ(first.name, "Table1");
  EXPECT_EQ(first.caption, "EMP");
  EXPECT_EQ(QRect(first.left, first.top, first.width, first.height), QRect(185, 85, 150, 150));
  EXPECT_TRUE(Store().modified);

  TfrmERTable& window = WindowOf(first);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.geometry(), QRect(185, 85, 150, 150));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("EMP"));
  ASSERT_EQ(window.lstColumn()->count(), 3);
  EXPECT_EQ(window.lstColumn()->item(0)->text(), QStringLiteral("*C1  NUMBER(10,2)"));
  EXPECT_EQ(window.lstColumn()->item(1)->text(), QStringLiteral(" C2  NUMBER(10,2)"));
  EXPECT_EQ(window.lstColumn()->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(window.lstColumn()->visualItemRect(window.lstColumn()->item(1)).height(), 12);

  // The same table again, near the corner: the next number, never outside the sheet.
  ASSERT_TRUE(DropTable(emp, QPoint(5, 5)));
  EXPECT_EQ(Sheet().tables[1]->name, "Table2");
  EXPECT_EQ(Sheet().tables[1]->left, 0);
  // Without a table drag the sheet refuses; a table window never takes a table.
  QMimeData mime;
  mime.setData(QLatin1String(kTableDragMime), "EMP");
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(SheetView().Surface(), &enter);
  EXPECT_FALSE(enter.isAccepted());
  Window().TableDragStarted(emp);
  QDragEnterEvent onWindow(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(window.lstColumn()->viewport(), &onWindow);
  EXPECT_EQ(onWindow.dropAction(), Qt::IgnoreAction);
  QDropEvent dropOnWindow(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &dropOnWindow);
  EXPECT_FALSE(dropOnWindow.isAccepted());
  Window().TableDragEnded(false);
  EXPECT_EQ(Sheet().tables.size(), 2u);
}

TEST_F(ERViewTest, DraggingAColumnListOntoAnotherWindowAndBackTogglesTheLine) {
  NewProject();
  const TTableRec& emp = AddTable("EMP", 2);
  DropTable(emp, QPoint(30, 30));
  DropTable(emp, QPoint(400, 30));
  TERTableRec& a = *Sheet().tables[0];
  TERTableRec& b = *Sheet().tables[1];
  Store().modified = false;
  EXPECT_FALSE(DragColumnList(a, a));
  ASSERT_TRUE(DragColumnList(a, b));
  EXPECT_EQ(Lines(), std::vector<std::string>{"Table1>Table2 4/2"});
  EXPECT_TRUE(Store().modified);
  ASSERT_TRUE(DragColumnList(b, a));
  EXPECT_TRUE(Lines().empty());
  // A column drag is no table drop.
  QMimeData mime;
  mime.setData(QLatin1String(kERWindowDragMime), "Table1");
  QDragEnterEvent enter(QPoint(5, 5), Qt::LinkAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(SheetView().Surface(), &enter);
  EXPECT_FALSE(enter.isAccepted());
}

TEST_F(ERViewTest, MovingAndResizingAWindowMovesItsLineAndMarksTheProjectModified) {
  NewProject();
  const TTableRec& emp = AddTable("EMP", 2);
  DropTable(emp, QPoint(30, 30));
  DropTable(emp, QPoint(400, 30));
  TERTableRec& a = *Sheet().tables[0];
  TERTableRec& b = *Sheet().tables[1];
  DragColumnList(a, b);
  Store().modified = false;
  MoveByTitleBar(b, QPoint(-380, 300));  // now below a
  EXPECT_EQ(QPoint(b.left, b.top), QPoint(5, 315));
  EXPECT_EQ(Lines(), std::vector<std::string>{"Table1>Table2 3/1"});
  EXPECT_TRUE(Store().modified);
  // The title bar cannot take a window past the sheet's top-left corner.
  MoveByTitleBar(b, QPoint(-100, -1000));
  EXPECT_EQ(QPoint(b.left, b.top), QPoint(0, 0));
  EXPECT_EQ(Lines(), std::vector<std::string>{"Table1>Table2 1/3"});

  // Resizing by the right border.
  TfrmERTable& window = WindowOf(a);
  const QPoint border(window.width() - 1, 60);
  QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, border);
  QTest::mouseMove(&window, border + QPoint(50, 0));
  QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, border + QPoint(50, 0));
  EXPECT_EQ(a.width, 200);
  EXPECT_EQ(a.left, 15);
}

TEST_F(ERViewTest, TheSheetGrowsToHoldItsWindowsAndKeepsItsScrollPosition) {
  NewProject();
  const TTableRec& emp = AddTable("EMP", 1);
  DropTable(emp, QPoint(30, 30));
  TERTableRec& far = *Sheet().tables[0];
  WindowOf(far).move(3000, 2500);
  EXPECT_EQ(QPoint(far.left, far.top), QPoint(3000, 2500));
  QWidget* surface = SheetView().Surface();
  EXPECT_GE(surface->width(), 3150);
  EXPECT_GE(surface->height(), 2650);

  SheetView().horizontalScrollBar()->setValue(2000);
  SheetView().verticalScrollBar()->setValue(1500);
  EXPECT_EQ(Sheet().scrollX, 2000);
  // Scrolling does not move the window on the sheet; a move is stored in sheet coordinates.
  MoveByTitleBar(far, QPoint(10, 20));
  EXPECT_EQ(QPoint(far.left, far.top), QPoint(3010, 2520));

  View().popBook_AddClick();
  EXPECT_EQ(View().pagER()->currentIndex(), 1);
  View().pagER()->setCurrentIndex(0);
  EXPECT_EQ(SheetView(0).horizontalScrollBar()->value(), 2000);
  EXPECT_EQ(SheetView(0).verticalScrollBar()->value(), 1500);
  EXPECT_EQ(SheetView(1).horizontalScrollBar()->value(), 0);
}

TEST_F(ERViewTest, ClosingAWindowAsksThenRemovesItAndItsLines) {
  NewProject();
  const TTableRec& emp = AddTable("EMP", 1);
  DropTable(emp, QPoint(30, 30));
  DropTable(emp, QPoint(400, 30));
  DragColumnList(*Sheet().tables[0], *Sheet().tables[1]);
  const TERTableRec* first = Sheet().tables[0].get();
  prompt_.answers = {PromptButton::kNo};
  WindowOf(*first).CloseButton()->click();
  EXPECT_EQ(Sheet().tables.size(), 2u);
  EXPECT_EQ(ShownTexts().back(), "「EMP」テーブルを削除しますか？");

  prompt_.answers = {PromptButton::kYes};
  QPointer<TfrmERTable> window = &WindowOf(*first);
  window->CloseButton()->click();
  ASSERT_EQ(Sheet().tables.size(), 1u);
  EXPECT_TRUE(Sheet().lines.empty());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  // The freed number goes to the next window.
  DropTable(emp, QPoint(30, 300));
  EXPECT_EQ(Sheet().tables.back()->name, "Table1");
}

TEST_F(ERViewTest, TheSheetMenuAddsRenamesDeletesAndTabsReorder) {
  NewProject();
  QAction* remove = Window().findChild<QAction*>(QStringLiteral("popBook_Delete"));
  ASSERT_NE(remove, nullptr);
  emit View().popBook->aboutToShow();
  EXPECT_FALSE(remove->isEnabled());
  View().popBook_AddClick();
  View().popBook_AddClick();
  emit View().popBook->aboutToShow();
  EXPECT_TRUE(remove->isEnabled());
  EXPECT_EQ(TabTexts(), (QStringList{"シート1", "シート2", "シート3"}));
  EXPECT_EQ(Store().er.currentIndex, 2);

  prompt_.text_answers = {"", Cp932("シート1"), Cp932(" 受注 ")};
  View().popBook_RenameClick();
  EXPECT_EQ(TabTexts(), (QStringList{"シート1", "シート2", "受注"}));
  EXPECT_EQ(SheetNames(), (std::vector<std::string>{"シート1", "シート2", "受注"}));

  // Dragging the first tab onto the third.
  View().pagER()->setCurrentIndex(0);
  View().pagER()->tabBar()->moveTab(0, 2);
  EXPECT_EQ(SheetNames(), (std::vector<std::string>{"シート2", "受注", "シート1"}));
  EXPECT_EQ(TabTexts(), (QStringList{"シート2", "受注", "シート1"}));
  EXPECT_EQ(Store().er.currentIndex, 2);

  // Deleting the rightmost sheet makes the new rightmost current.
  prompt_.answers = {PromptButton::kYes};
  View().popBook_DeleteClick();
  EXPECT_EQ(TabTexts(), (QStringList{"シート2", "受注"}));
  EXPECT_EQ(Store().er.currentIndex, 1);
  EXPECT_EQ(View().pagER()->currentIndex(), 1);
  View().pagER()->setCurrentIndex(0);
  View().popBook_DeleteClick();  // no answer left: the default, Yes
  EXPECT_EQ(TabTexts(), (QStringList{"受注"}));
  View().popBook_DeleteClick();
  EXPECT_EQ(ShownTexts().back(), "シートをすべて削除することはできません。");
  EXPECT_EQ(View().pagER()->count(), 1);
}

TEST_F(ERViewTest, AnyButtonPressedOnATabMakesItsSheetCurrentBeforeTheMenu) {
  NewProject();
  View().popBook_AddClick();
  View().popBook_AddClick();
  TERTabStrip* tabs = View().pagER()->tabBar();
  const std::vector<std::pair<Qt::MouseButton, int>> presses = {
      {Qt::RightButton, 0}, {Qt::MiddleButton, 2}, {Qt::RightButton, 1}};
  for (const auto& [button, target] : presses) {
    QTest::mousePress(tabs, button, {}, tabs->tabRect(target).center());
    QTest::mouseRelease(tabs, button, {}, tabs->tabRect(target).center());
    EXPECT_EQ(View().pagER()->currentIndex(), target);
    EXPECT_EQ(Store().er.currentIndex, target);
  }
  // The menu's 削除 acts on the sheet right-clicked last (シート2).
  prompt_.answers = {PromptButton::kYes};
  View().popBook_DeleteClick();
  EXPECT_EQ(TabTexts(), (QStringList{"シート1", "シート3"}));
  // A tab dragged with the left button onto another moves its sheet there.
  QTest::mousePress(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
  QTest::mouseRelease(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
  EXPECT_EQ(TabTexts(), (QStringList{"シート3", "シート1"}));
  EXPECT_EQ(SheetNames(), (std::vector<std::string>{"シート3", "シート1"}));
  EXPECT_EQ(Store().er.currentIndex, 1);
}

TEST_F(ERViewTest, SavingAndReopeningKeepsSheetsWindowsChecksAndLines) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("er.vnk"));
  NewProject();
  const TTableRec& emp = AddTable("EMP", 3);
  const TTableRec& dept = AddTable("DEPT", 2);
  DropTable(emp, QPoint(30, 30));
  DropTable(dept, QPoint(430, 230));
  DragColumnList(*Sheet().tables[0], *Sheet().tables[1]);
  WindowOf(*Sheet().tables[0]).lstColumn()->item(1)->setCheckState(Qt::Unchecked);
  EXPECT_FALSE(Sheet().tables[0]->columns[1].checked);
  View().popBook_AddClick();
  DropTable(dept, QPoint(2500, 1800));
  SheetView().horizontalScrollBar()->setValue(900);
  View().pagER()->setCurrentIndex(0);
  View().pagER()->tabBar()->moveTab(0, 1);
  chooser_.saveAnswers = {path};
  ASSERT_TRUE(Window().FileSave(true));

  Window().FileOpen(path);
  mnuShow_ERClick(Window());
  EXPECT_FALSE(Store().modified);
  EXPECT_EQ(TabTexts(), (QStringList{"シート2", "シート1"}));
  const TERSheetRec& second = *Store().er.sheets[0];
  ASSERT_EQ(second.tables.size(), 1u);
  EXPECT_EQ(QPoint(second.tables[0]->left, second.tables[0]->top), QPoint(2485, 1785));
  const TERSheetRec& first = *Store().er.sheets[1];
  ASSERT_EQ(first.tables.size(), 2u);
  EXPECT_EQ(QPoint(first.tables[1]->left, first.tables[1]->top), QPoint(415, 215));
  ASSERT_EQ(first.lines.size(), 1u);
  EXPECT_EQ(first.lines[0]->fromSide, LineSide::Right);  // known without painting
  EXPECT_EQ(first.lines[0]->toSide, LineSide::Left);
  TfrmERTable* emp_window = SheetView(1).WindowOf(first.tables[0].get());
  ASSERT_NE(emp_window, nullptr);
  EXPECT_EQ(emp_window->lstColumn()->item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(emp_window->lstColumn()->item(1)->checkState(), Qt::Unchecked);
  EXPECT_EQ(emp_window->geometry(), QRect(15, 15, 150, 150));
  EXPECT_GE(SheetView(0).Surface()->width(), 2635);
  // Kept for looking at by eye.
  View().pagER()->setCurrentIndex(1);
  QCoreApplication::processEvents();
  Window().grab().save(QStringLiteral(MORVANE_TEST_OUTPUT_DIR "/er-view.png"));
}

TEST_F(ERViewTest, TheRelationCommandPlacesTheReferencedTablesAndTells) {
  NewProject(Product::RedBrick);
  const TTableRec& a = AddTable("A", 1);
  AddTable("B", 1);
  Store().relations = {{"A", {"B"}}, {"B", {"A"}}};
  DropTable(a, QPoint(30, 30));
  TfrmERTable& window = WindowOf(*Sheet().tables[0]);
  ASSERT_NE(window.popERTable(), nullptr);
  QTest::mouseClick(window.lstColumn()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 5));
  EXPECT_EQ(View().CurrentTable(), &window);
  window.popERTable()->actions()[0]->trigger();
  EXPECT_EQ(ShownTexts().back(), "2件のテーブルを追加しました。");
  ASSERT_EQ(Sheet().tables.size(), 3u);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"Table1>Table2 4/2", "Table2>Table3 4/2",
                                               "Table3>Table2 2/4"}));
  for (const auto& table : Sheet().tables) {
    ASSERT_NE(SheetView().WindowOf(table.get()), nullptr);
    EXPECT_EQ(SheetView().WindowOf(table.get())->geometry().topLeft(),
              QPoint(table->left, table->top));
  }
}

TEST_F(ERViewTest, ALongTableFitsItsWindowAndTheMenusFitWindowsAgain) {
  NewProject();
  DropTable(AddTable(std::string(40, 'T'), 25), QPoint(100, 100));
  TERTableRec& table = *Sheet().tables[0];
  EXPECT_EQ(table.height, 16 + 6 + 25 * 12 + 8);  // title bar, frame, every line, slack
  EXPECT_GT(table.width, 150);                    // the caption whole
  TfrmERTable& window = WindowOf(table);
  EXPECT_EQ(window.lstColumn()->verticalScrollBar()->maximum(), 0);  // nothing scrolls
  EXPECT_EQ(window.popERTable(), nullptr);
  const QSize fitted = window.size();
  View().Commands().SetWindowBounds(table, table.left, table.top, 150, 150);
  SheetView().SyncWindows();
  window.popERWindow()->actions()[0]->trigger();  // 内容に合わせる
  EXPECT_EQ(window.size(), fitted);
  View().Commands().SetWindowBounds(table, table.left, table.top, 150, 150);
  View().popBook->findChild<QAction*>(QStringLiteral("popBook_FitAll"))->trigger();
  EXPECT_EQ(QSize(table.width, table.height), fitted);
  QCoreApplication::processEvents();
  Window().grab().save(QStringLiteral(MORVANE_TEST_OUTPUT_DIR "/er-fit.png"));
}

TEST_F(ERViewTest, OnlyRedBrickWindowsHaveTheRelationMenu) {
  NewProject();
  DropTable(AddTable("A", 1), QPoint(30, 30));
  EXPECT_EQ(WindowOf(*Sheet().tables[0]).popERTable(), nullptr);
}

TEST_F(ERViewTest, TheSheetMenuSavesPicturesOfTheCurrentSheetOrOfEverySheetWithTables) {
  QTemporaryDir dir;
  NewProject();
  Store().fileName = dir.filePath(QStringLiteral("demo.vnk")).toStdString();
  QStringList suggested;
  QString answer = dir.filePath(QStringLiteral("one.svg"));
  View().SetPicturePathAsker([&](const QString& proposal) {
    suggested << proposal;
    return answer;
  });
  View().popBook_AllPicturesClick();  // nothing on any sheet yet
  View().popBook_PictureClick();
  EXPECT_EQ(ShownTexts(),
            (std::vector<std::string>{"テーブルのあるシートがありません。",
                                      "「シート1」シートにはテーブルがありません。"}));
  DropTable(AddTable("EMP", 2), QPoint(30, 30));
  View().popBook_PictureClick();
  EXPECT_TRUE(QFile::exists(answer));
  View().popBook_AddClick();
  View().popBook_AddClick();
  DropTable(AddTable("DEPT", 1), QPoint(30, 30));
  answer = dir.filePath(QStringLiteral("all.png"));
  View().popBook_AllPicturesClick();
  // The dialog starts in the project's folder.
  EXPECT_EQ(suggested, (QStringList{dir.filePath(QStringLiteral("シート1.png")),
                                    dir.filePath(QStringLiteral("ER.png"))}));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("all_シート1.png"))));
  EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("all_シート2.png"))));
  EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("all_シート3.png"))));
  answer.clear();  // cancelled
  View().popBook_AllPicturesClick();
  EXPECT_EQ(prompt_.shown.size(), 2u);
}

// Many sheets: the tabs scroll, and the sheet list finds a sheet by part of its name and goes
// to it.
TEST_F(ERViewTest, ManySheetsCanBeFoundByNameInTheSheetList) {
  NewProject();
  for (int i = 2; i <= 400; ++i) AddERSheet(Store().er, "S" + std::to_string(i));
  View().Rebuild();
  ASSERT_EQ(View().SheetCount(), 400);
  EXPECT_TRUE(View().pagER()->isVisible());
  // The tabs scroll: the buttons show, and stepping on brings later tabs into view.
  QCoreApplication::processEvents();
  TERTabStrip* tabs = View().pagER()->tabBar();
  QToolButton* on = View().pagER()->ScrollOnButton();
  ASSERT_TRUE(on->isVisible());
  EXPECT_GT(tabs->tabAt(QPoint(0, 0)), 300);  // the last sheet, current, is in view
  View().pagER()->setCurrentIndex(0);
  EXPECT_FALSE(View().pagER()->ScrollBackButton()->isEnabled());
  EXPECT_EQ(tabs->tabAt(QPoint(0, 0)), 0);
  on->click();
  on->click();
  EXPECT_EQ(tabs->tabAt(QPoint(0, 0)), 2);
  EXPECT_TRUE(View().pagER()->ScrollBackButton()->isEnabled());
  auto* button = View().pagER()->findChild<QToolButton*>(QStringLiteral("btnERSheetList"));
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->isVisible());
  View().SetSheetListShower([](TfrmERSheetList& form) {
    form.edtFilter()->setText(QStringLiteral("s37"));  // S37, S370 ... S379: S37 comes first
    return int(QDialog::Accepted);
  });
  button->click();
  EXPECT_EQ(View().pagER()->currentIndex(), 36);
  EXPECT_EQ(Store().er.currentIndex, 36);
  EXPECT_EQ(View().pagER()->tabText(36), QStringLiteral("S37"));
}

}  // namespace
}  // namespace morvane
