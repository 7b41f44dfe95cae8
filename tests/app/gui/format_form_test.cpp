// The format settings dialog: what each showing loads, its enabling rules, editing the lists,
// Apply, OK and Close, the main-window toggle, and the main list after Apply.
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/report_view.h"
#include "app/gui/excel/format_form.h"
#include "main_window_fixture.h"
#include "model/standard_layout.h"
#include "project/new_project.h"

namespace morvane {
namespace {

using testing::MainWindowTest;
using testing::ModalDriver;

QStringList Row(const QTreeWidget* list, int row) {
  const QTreeWidgetItem* item = list->topLevelItem(row);
  QStringList texts{item->checkState(0) == Qt::Checked ? QStringLiteral("x") : QStringLiteral("-")};
  for (int c = 0; c < list->columnCount(); ++c) texts << item->text(c);
  return texts;
}

QStringList Headings(const QTreeWidget* list) {
  QStringList texts;
  for (int c = 0; c < list->columnCount(); ++c) texts << list->headerItem()->text(c);
  return texts;
}

// Everything the dialog shows, for comparing two showings.
QStringList Snapshot(const TfrmFormat& form) {
  QStringList shown{form.windowTitle(), Headings(form.ltvTable).join(',')};
  for (const QTreeWidget* list : {form.ltvTable, form.ltvColumn}) {
    for (int row = 0; row < list->topLevelItemCount(); ++row) shown << Row(list, row).join(',');
  }
  for (const QCheckBox* check : {form.chkTableNoOutput, form.chkTableOneSheet, form.chkTableHeader,
                                 form.chkColumnHeader, form.chkERType}) {
    shown << check->objectName() + (check->isChecked() ? "=1" : "=0");
  }
  for (const QLineEdit* box :
       {form.txtTableStartRow, form.txtColumnStartRow, form.txtERLeft, form.txtERTop}) {
    shown << box->objectName() + "=" + box->text();
  }
  for (const QRadioButton* option :
       {form.optLineTypeStraight, form.optLineTypeElbow, form.optLineTypeCurve}) {
    shown << option->objectName() + (option->isChecked() ? "=1" : "=0");
  }
  return shown;
}

class FormatFormTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Window().FileNew(Product::RedBrick);
  }
  TfrmFormat& Form() { return *Window().Dialogs().Format(); }
  void Load(DataKind kind, bool erShown = false) { Form().Load(Store(), kind, erShown); }
  // Clicks near the left end, where a check box's or option's box and caption are.
  void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }
  void Select(QTreeWidget* list, int row) { list->setCurrentItem(list->topLevelItem(row)); }
  void Type(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
  }
  // Shows the dialog from the menu and runs `step` while it is up.
  void FromMenu(std::function<void(TfrmFormat&)> step) {
    ModalDriver driver({[step](QWidget* modal) { step(*qobject_cast<TfrmFormat*>(modal)); }});
    mnuShow_FormatClick(Window());
    EXPECT_EQ(driver.Remaining(), 0u);
  }
  QStringList ListHeadings() {
    QStringList headings;
    const TListModel* model = ListModelOf(Window().ListPanel()->ltvData());
    for (int c = 0; c < model->columnCount(); ++c) {
      headings << model->headerData(c, Qt::Horizontal).toString();
    }
    return headings;
  }
};

TEST_F(FormatFormTest, EachDataKindGetsItsCaptionAndTabs) {
  struct Case {
    DataKind kind;
    int listLevel;
    bool erShown;
    QString caption;
    bool tableTab, columnTab;
    const char* active;
  } cases[] = {
      {DataKind::None, 0, true, "フォーマット設定", false, false, "tabER"},
      {DataKind::Excel, 1, false, "フォーマット設定", true, true, "tabTable"},
      {DataKind::Table, 1, false, "フォーマット設定 - [テーブル情報]", true, true, "tabTable"},
      {DataKind::Index, 2, false, "フォーマット設定 - [インデックス情報]", true, true, "tabColumn"},
      {DataKind::TableIndex, 1, true, "フォーマット設定 - [テーブル・インデックス情報]", true, true,
       "tabER"},
      {DataKind::Sql, 2, false, "フォーマット設定", false, true, "tabColumn"},
  };
  for (const Case& c : cases) {
    Store().currentListLevel = c.listLevel;
    Load(c.kind, c.erShown);
    QTabWidget* tabs = Form().tabFormat;
    EXPECT_EQ(Form().windowTitle(), c.caption) << DataKindCode(c.kind);
    EXPECT_EQ(tabs->isTabVisible(tabs->indexOf(Form().tabTable)), c.tableTab)
        << DataKindCode(c.kind);
    EXPECT_EQ(tabs->isTabVisible(tabs->indexOf(Form().tabColumn)), c.columnTab)
        << DataKindCode(c.kind);
    EXPECT_TRUE(tabs->isTabVisible(tabs->indexOf(Form().tabER))) << DataKindCode(c.kind);
    EXPECT_EQ(tabs->currentWidget()->objectName(), QLatin1String(c.active)) << DataKindCode(c.kind);
    EXPECT_FALSE(Form().cmdSave->isEnabled()) << DataKindCode(c.kind);
    EXPECT_EQ(Form().cmdMainVisible->text(), QStringLiteral("メイン非表示(&V)"));
  }
}

TEST_F(FormatFormTest, ShowsTheItemsOfANewProject) {
  Load(DataKind::Excel);
  EXPECT_EQ(Headings(Form().ltvTable), (QStringList{"セル", "列", "項目"}));
  ASSERT_EQ(Form().ltvTable->topLevelItemCount(), 3);
  EXPECT_EQ(Row(Form().ltvTable, 1), (QStringList{"x", "B1", "B", "NAME"}));
  EXPECT_EQ(Headings(Form().ltvColumn), (QStringList{"列", "項目"}));
  ASSERT_EQ(Form().ltvColumn->topLevelItemCount(), 15);
  EXPECT_EQ(Row(Form().ltvColumn, 2), (QStringList{"x", "C", "TYPE"}));
  EXPECT_EQ(Form().txtTableStartRow->text(), "1");
  EXPECT_EQ(Form().txtColumnStartRow->text(), "5");
  EXPECT_TRUE(Form().chkColumnHeader->isChecked());
  EXPECT_TRUE(Form().optLineTypeStraight->isChecked());
  EXPECT_TRUE(Form().chkERType->isChecked());
  // Own-sheet mode: the one-sheet start row and header are off.
  EXPECT_FALSE(Form().txtTableStartRow->isEnabled());
  EXPECT_FALSE(Form().chkTableHeader->isEnabled());
  EXPECT_TRUE(Form().chkTableNoOutput->isEnabled());
  EXPECT_FALSE(Form().txtTableStartRow->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(FormatFormTest, CheckBoxesEnableAndDisableTheirDependants) {
  Load(DataKind::Table);
  Form().show();
  Click(Form().chkTableNoOutput);
  EXPECT_FALSE(Form().chkTableOneSheet->isEnabled());
  EXPECT_FALSE(Form().lblTableOneSheet->isEnabled());
  EXPECT_TRUE(Form().cmdSave->isEnabled());
  Click(Form().chkTableNoOutput);
  EXPECT_TRUE(Form().chkTableOneSheet->isEnabled());

  Click(Form().chkTableOneSheet);
  EXPECT_FALSE(Form().chkTableNoOutput->isEnabled());
  EXPECT_TRUE(Form().txtTableStartRow->isEnabled());
  EXPECT_TRUE(Form().lblTableStartRow->isEnabled());
  EXPECT_TRUE(Form().chkTableHeader->isEnabled());
  Click(Form().chkTableOneSheet);
  EXPECT_TRUE(Form().chkTableNoOutput->isEnabled());
  EXPECT_FALSE(Form().txtTableStartRow->isEnabled());

  // A stored one-sheet mode comes with its rules when the dialog is shown.
  Store().formatSettings.tableOneSheet[1] = 1;
  Load(DataKind::Table);
  EXPECT_FALSE(Form().chkTableNoOutput->isEnabled());
  EXPECT_TRUE(Form().chkTableHeader->isEnabled());
  EXPECT_EQ(Headings(Form().ltvTable), (QStringList{"列", "セル", "項目"}));
  EXPECT_EQ(Row(Form().ltvTable, 1), (QStringList{"x", "B", "B1", "NAME"}));
}

TEST_F(FormatFormTest, OneSheetModeSwapsTheHeadingsWithTheirValues) {
  Load(DataKind::Table);
  Form().show();
  Click(Form().chkTableOneSheet);
  EXPECT_EQ(Headings(Form().ltvTable), (QStringList{"列", "セル", "項目"}));
  EXPECT_EQ(Row(Form().ltvTable, 3), (QStringList{"x", "D", "D1", "SIZE(byte)"}));
  // Re-set columns now numbers the column letters.
  Form().ltvTable->topLevelItem(0)->setText(0, "c");
  Click(Form().cmdTableSetCol);
  EXPECT_EQ(Row(Form().ltvTable, 3), (QStringList{"x", "F", "D1", "SIZE(byte)"}));
  Click(Form().chkTableOneSheet);
  EXPECT_EQ(Headings(Form().ltvTable), (QStringList{"セル", "列", "項目"}));
  EXPECT_EQ(Row(Form().ltvTable, 3), (QStringList{"x", "D1", "F", "SIZE(byte)"}));
  Click(Form().cmdSave);
  EXPECT_EQ(Store().Items(DataKind::Table, kItemLevelTable)[3].excelColumn, "F");
  EXPECT_EQ(Store().Items(DataKind::Table, kItemLevelTable)[3].excelCell, "D1");
}

TEST_F(FormatFormTest, OnlyEditsEnableApply) {
  Load(DataKind::Excel);
  Form().show();
  Select(Form().ltvTable, 1);
  EXPECT_FALSE(Form().cmdSave->isEnabled()) << "selecting a row is no edit";
  Click(Form().cmdTableUp);
  EXPECT_TRUE(Form().cmdSave->isEnabled());

  using Edit = std::function<void(TfrmFormat&)>;
  const std::vector<std::pair<const char*, Edit>> edits = {
      {"check mark",
       [](TfrmFormat& f) { f.ltvColumn->topLevelItem(0)->setCheckState(0, Qt::Unchecked); }},
      {"first column", [](TfrmFormat& f) { f.ltvColumn->topLevelItem(0)->setText(0, "Q"); }},
      {"header", [this](TfrmFormat& f) { Click(f.chkColumnHeader); }},
      {"ER type", [this](TfrmFormat& f) { Click(f.chkERType); }},
      {"line type", [this](TfrmFormat& f) { Click(f.optLineTypeCurve); }},
      {"margin", [this](TfrmFormat& f) { Type(f.txtERTop, "3"); }},
      {"start row", [this](TfrmFormat& f) { Type(f.txtColumnStartRow, "9"); }},
      {"down",
       [this](TfrmFormat& f) {
         Select(f.ltvColumn, 0);
         Click(f.cmdColumnDown);
       }},
      {"check all", [this](TfrmFormat& f) { Click(f.cmdColumnAllTrue); }},
      {"uncheck all", [this](TfrmFormat& f) { Click(f.cmdTableAllFalse); }},
      {"re-set", [this](TfrmFormat& f) { Click(f.cmdColumnSetCol); }},
  };
  for (const auto& [name, edit] : edits) {
    Load(DataKind::Excel);
    edit(Form());
    EXPECT_TRUE(Form().cmdSave->isEnabled()) << name;
  }
}

TEST_F(FormatFormTest, UpAndDownMoveTheSelectedRowAndKeepItSelected) {
  Load(DataKind::Excel);
  Form().show();
  QTreeWidget* list = Form().ltvColumn;
  Click(Form().cmdColumnUp);  // nothing selected
  EXPECT_FALSE(Form().cmdSave->isEnabled());
  Select(list, 0);
  Click(Form().cmdColumnUp);  // already first
  EXPECT_FALSE(Form().cmdSave->isEnabled());
  list->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
  Click(Form().cmdColumnDown);
  EXPECT_EQ(Row(list, 1), (QStringList{"-", "A", "NO"}));
  EXPECT_EQ(Row(list, 0), (QStringList{"x", "B", "NAME"}));
  EXPECT_EQ(list->currentItem(), list->topLevelItem(1));
  EXPECT_TRUE(list->topLevelItem(1)->isSelected());
  Select(list, 14);
  Click(Form().cmdColumnDown);  // already last
  EXPECT_EQ(Row(list, 14), (QStringList{"x", "O", "COMMENT3"}));
}

TEST_F(FormatFormTest, F2EditsTheFirstColumnOfTheSelectedRow) {
  Load(DataKind::Excel);
  Form().show();
  Form().activateWindow();
  // The main window may still be active: the form counts as active through it as its parent.
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &Form(); }));
  QTreeWidget* list = Form().ltvTable;
  list->setFocus();
  list->setCurrentItem(list->topLevelItem(2), 2);  // the item column is current
  QTest::keyClick(list, Qt::Key_F2);
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "C1");
  editor->selectAll();
  QTest::keyClicks(editor, "Z9");
  QTest::keyClick(editor, Qt::Key_Return);
  QApplication::processEvents();  // the list takes the text once the editor has seen the key
  EXPECT_EQ(Row(list, 2), (QStringList{"x", "Z9", "C", "SIZE(byte)"}));
  EXPECT_TRUE(Form().cmdSave->isEnabled());
}

TEST_F(FormatFormTest, ASecondClickOnTheSelectedRowEditsItsFirstColumn) {
  Load(DataKind::Excel);
  Form().show();
  Form().activateWindow();
  // The main window may still be active: the form counts as active through it as its parent.
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &Form(); }));
  QTreeWidget* list = Form().ltvTable;
  const QRect name_cell = list->visualItemRect(list->topLevelItem(1));
  const QPoint on_name(list->columnViewportPosition(2) + 5, name_cell.center().y());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, on_name);
  EXPECT_EQ(QApplication::focusWidget(), list) << "the first click only selects";
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, on_name);
  // Editing starts once no double click can follow.
  ASSERT_TRUE(
      QTest::qWaitFor([] { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }));
  EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), "B1");
}

TEST_F(FormatFormTest, ADoubleClickOnAColumnCellEditsItAtOnce) {
  Load(DataKind::Excel);
  Form().tabFormat->setCurrentWidget(Form().tabColumn);
  Form().show();
  Form().activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == &Form(); }));
  QTreeWidget* list = Form().ltvColumn;
  const QRect row = list->visualItemRect(list->topLevelItem(3));
  const QPoint on_letters(list->columnViewportPosition(0) + 40, row.center().y());
  // Press, release, then the second press as the window system reports it: a double click.
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
    QMouseEvent event(type, QPointF(on_letters), list->viewport()->mapToGlobal(QPointF(on_letters)),
                      Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
  }
  auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(editor, nullptr) << "no editor right after the double click; visible "
                             << list->isVisible() << " tab " << Form().tabFormat->currentIndex()
                             << " focus "
                             << (QApplication::focusWidget()
                                     ? QApplication::focusWidget()->metaObject()->className()
                                     : "none");
  EXPECT_EQ(editor->text(), list->topLevelItem(3)->text(0));
}

TEST_F(FormatFormTest, AColumnAnotherCheckedItemUsesIsAskedAboutBeforeApplying) {
  Load(DataKind::Excel);
  auto column_of = [this](const char* name) {
    for (const TItemDef& item : Store().Items(DataKind::Excel, kItemLevelColumn)) {
      if (item.name == name) return item.excelColumn;
    }
    return std::string();
  };
  ASSERT_EQ(Row(Form().ltvColumn, 1), (QStringList{"x", "B", "NAME"}));
  Form().ltvColumn->topLevelItem(2)->setText(0, QStringLiteral("b"));  // TYPE onto NAME's column

  prompt_.answers = {PromptButton::kNo};
  EXPECT_FALSE(Form().Apply());
  ASSERT_EQ(ShownTexts().size(), 1u);
  EXPECT_EQ(ShownTexts()[0],
            "列「B」は「NAME」と「TYPE」の両方に設定されています。\r\nこのまま設定しますか？");
  EXPECT_EQ(column_of("TYPE"), "C");
  EXPECT_TRUE(Form().cmdSave->isEnabled());

  // OK asks too, and stays open when declined.
  prompt_.answers = {PromptButton::kNo};
  Form().show();
  Form().cmdOK->click();
  EXPECT_TRUE(Form().isVisible());

  prompt_.answers = {PromptButton::kYes};
  EXPECT_TRUE(Form().Apply());
  EXPECT_EQ(column_of("TYPE"), "b");  // stored as typed
  // Unchecking one of them settles it without a question.
  Form().ltvColumn->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
  EXPECT_TRUE(Form().Apply());
  EXPECT_EQ(ShownTexts().size(), 3u);
}

TEST_F(FormatFormTest, NumbersThatAreNoIntegersAreStoredAsZero) {
  Store().currentListLevel = 1;
  Load(DataKind::Table);
  Form().show();
  Click(Form().chkTableOneSheet);
  Type(Form().txtTableStartRow, "x");
  Type(Form().txtERLeft, "1.5");
  Type(Form().txtERTop, "12");
  Click(Form().optLineTypeElbow);
  Click(Form().cmdSave);
  EXPECT_EQ(Form().txtTableStartRow->text(), "0");
  EXPECT_EQ(Form().txtERLeft->text(), "0");
  EXPECT_EQ(Store().formatSettings.tableStartRow[1], 0);
  EXPECT_EQ(Store().formatSettings.tableOneSheet[1], 1);
  EXPECT_EQ(Store().formatSettings.erLeft, 0);
  EXPECT_EQ(Store().formatSettings.erTop, 12);
  EXPECT_EQ(Store().formatSettings.lineType, kLineTypeElbow);
  EXPECT_FALSE(Form().cmdSave->isEnabled());
  EXPECT_TRUE(Store().modified);
}

TEST_F(FormatFormTest, ALineTypeOutsideTheThreeSelectsNoButton) {
  Store().formatSettings.lineType = 7;
  Load(DataKind::None, true);
  for (QRadioButton* option :
       {Form().optLineTypeStraight, Form().optLineTypeElbow, Form().optLineTypeCurve}) {
    EXPECT_FALSE(option->isChecked());
  }
  Form().Apply();  // with none selected the connector is curved
  EXPECT_EQ(Store().formatSettings.lineType, kLineTypeCurved);
}

TEST_F(FormatFormTest, MovingAnItemUpReordersTheMainListAndResetsItsSort) {
  ASSERT_EQ(Store().currentDataKind, DataKind::Excel);
  ASSERT_EQ(Store().currentListLevel, 1);
  for (const char* name : {"B_TABLE", "A_TABLE", "C_TABLE"}) {
    TTableRec& record = Store().AddRecord(DataKind::Excel);
    record.name = name;
    record.values = TValueList{std::string(name) == "A_TABLE" ? "2" : "1", name, "100"};
  }
  Store().sortColumn[0] = 2;
  Store().sortDirection[0] = 1;
  Store().listRebuild = true;
  Window().Browser().SetList(Window().DataTree()->currentItem());
  ASSERT_EQ(ListHeadings(), (QStringList{"NO", "NAME", "SIZE(byte)"}));

  FromMenu([this](TfrmFormat& form) {
    EXPECT_TRUE(form.isModal());
    EXPECT_EQ(form.tabFormat->currentWidget(), form.tabTable);
    Select(form.ltvTable, 1);
    Click(form.cmdTableUp);
    form.ltvTable->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
    Click(form.cmdOK);
  });
  EXPECT_EQ(ListHeadings(), (QStringList{"NAME", "NO"}));
  const TListModel* rows = ListModelOf(Window().ListPanel()->ltvData());
  ASSERT_EQ(rows->rowCount(), 3);
  EXPECT_EQ(rows->Cell(0, 0), "A_TABLE");
  EXPECT_EQ(rows->Cell(2, 0), "C_TABLE");
  EXPECT_EQ(rows->Cell(0, 1), "2");
  EXPECT_EQ(Store().sortColumn[0], 0);
  EXPECT_EQ(Store().sortDirection[0], 0);
  EXPECT_EQ(Window().ListPanel()->ltvData()->header()->sortIndicatorSection(), 0);
  EXPECT_EQ(Window().ListPanel()->ltvData()->header()->sortIndicatorOrder(), Qt::AscendingOrder);
  EXPECT_TRUE(ButtonEnabled("tlbMain_Save"));
}

TEST_F(FormatFormTest, CloseAfterEditsLeavesTheSettingsUnchanged) {
  const ItemList items = Store().Items(DataKind::Excel, kItemLevelTable);
  const TFormatSettings settings = Store().formatSettings;
  FromMenu([this](TfrmFormat& form) {
    Select(form.ltvTable, 2);
    Click(form.cmdTableUp);
    Click(form.chkTableOneSheet);
    Type(form.txtERLeft, "40");
    Click(form.cmdClose);
  });
  EXPECT_EQ(Store().Items(DataKind::Excel, kItemLevelTable), items);
  EXPECT_EQ(Store().formatSettings, settings);
  EXPECT_FALSE(Store().modified);
  // The next showing shows the stored settings again.
  Load(DataKind::Excel);
  EXPECT_EQ(Row(Form().ltvTable, 2), (QStringList{"x", "C1", "C", "SIZE(byte)"}));
  EXPECT_FALSE(Form().chkTableOneSheet->isChecked());
  EXPECT_EQ(Form().txtERLeft->text(), "0");
}

TEST_F(FormatFormTest, EscapeClosesWithoutApplying) {
  const TFormatSettings settings = Store().formatSettings;
  FromMenu([](TfrmFormat& form) {
    form.txtERLeft->setText("40");
    emit form.txtERLeft->textEdited("40");
    QTest::keyClick(&form, Qt::Key_Escape);
  });
  EXPECT_EQ(Store().formatSettings, settings);
  EXPECT_FALSE(Form().isVisible());
}

TEST_F(FormatFormTest, OkAfterEditsKeepsThem) {
  FromMenu([this](TfrmFormat& form) {
    Type(form.txtColumnStartRow, "8");
    Click(form.chkColumnHeader);
    Click(form.cmdOK);
  });
  EXPECT_EQ(Store().formatSettings.columnStartRow[0], 8);
  EXPECT_EQ(Store().formatSettings.columnHeader[0], 0);
  EXPECT_TRUE(Store().modified);
  EXPECT_FALSE(Form().isVisible());
}

TEST_F(FormatFormTest, TheStandardLayoutLoadsAfterAskingAndIsStoredOnlyByApply) {
  const TFormatSettings settings = Store().formatSettings;
  const TImportLayout layout = Store().importLayout;
  Load(DataKind::Table);
  prompt_.answers = {PromptButton::kNo};
  Form().cmdStandard->click();
  EXPECT_FALSE(Form().cmdSave->isEnabled());  // refused: nothing loaded
  prompt_.answers = {PromptButton::kYes, PromptButton::kYes};
  Form().cmdStandard->click();
  EXPECT_NE(ShownTexts().back().find("Excel インポートのレイアウト"), std::string::npos);
  EXPECT_EQ(Form().txtColumnStartRow->text(), QStringLiteral("6"));
  EXPECT_EQ(Form().ltvTable->topLevelItem(0)->text(0), QStringLiteral("C2"));
  Form().cmdCloseClick();
  EXPECT_EQ(Store().formatSettings, settings);
  EXPECT_EQ(Store().importLayout, layout);

  Load(DataKind::Table);
  Form().cmdStandard->click();
  Form().cmdSaveClick();
  TCatalogueStore expected;
  NewProject(expected, Product::RedBrick, EstimateTextWidth);
  ApplyStandardLayout(expected);
  EXPECT_EQ(Store().formatSettings, expected.formatSettings);
  EXPECT_EQ(Store().importLayout, StandardImportLayout());
  EXPECT_EQ(Store().Items(DataKind::Index, kItemLevelTable)[0].name, "NAME");  // all kinds
}

TEST_F(FormatFormTest, TheToggleHidesAndShowsTheMainWindow) {
  FromMenu([this](TfrmFormat& form) {
    Click(form.cmdMainVisible);
    EXPECT_FALSE(Window().isVisible());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.cmdMainVisible->text(), QStringLiteral("メイン表示(&V)"));
    Click(form.cmdMainVisible);
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(form.cmdMainVisible->text(), QStringLiteral("メイン非表示(&V)"));
    Click(form.cmdMainVisible);
    Click(form.cmdClose);  // closing brings the main window back
  });
  EXPECT_TRUE(Window().isVisible());
}

TEST_F(FormatFormTest, IsCreatedOnceAndShownModelessForTheOutput) {
  TfrmFormat* form = Window().Dialogs().Format();
  EXPECT_EQ(Window().Dialogs().Format(), form);
  EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
  Window().Dialogs().ShowFormat(false);
  EXPECT_TRUE(form->isVisible());
  EXPECT_FALSE(form->isModal());
  Click(form->cmdClose);
  EXPECT_FALSE(form->isVisible());
}

TEST_F(FormatFormTest, ASavedProjectShowsTheSameDialogStateWhenOpenedAgain) {
  QTemporaryDir dir;
  Store().currentListLevel = 1;
  Load(DataKind::Table);
  Form().show();
  Select(Form().ltvTable, 3);
  Click(Form().cmdTableUp);
  Click(Form().cmdTableUp);
  Form().ltvTable->topLevelItem(4)->setCheckState(0, Qt::Unchecked);
  Form().ltvTable->topLevelItem(0)->setText(0, "B3");
  Click(Form().cmdTableSetCol);
  Select(Form().ltvColumn, 0);
  Click(Form().cmdColumnDown);
  Click(Form().chkTableOneSheet);
  Type(Form().txtTableStartRow, "4");
  Type(Form().txtERTop, "15");
  Click(Form().optLineTypeCurve);
  Click(Form().chkERType);
  Click(Form().cmdSave);
  const QStringList applied = Snapshot(Form());
  Form().hide();

  const QString path = dir.filePath("format.vnk");
  chooser_.saveAnswers = {path};
  ASSERT_TRUE(Window().FileSave(true));
  Window().FileNew(Product::Oracle8);
  Window().FileOpen(path);
  ASSERT_EQ(Store().fileName, path.toStdString());
  Load(DataKind::Table);
  EXPECT_EQ(Snapshot(Form()), applied);
}

}  // namespace
}  // namespace morvane
