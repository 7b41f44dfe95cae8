// The import dialog and the main window's import: the boxes and the sheet list, the checks of
// OK with the control they focus, and the tree, list and modified flag after an import, also
// after one that failed half-way.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>

#include "app/gui/browse/list_model.h"
#include "app/gui/browse/report_view.h"
#include "app/gui/excel/import_form.h"
#include "app/gui/excel/workbook_window.h"
#include "excel/application.h"
#include "import_fixture.h"
#include "main_window_fixture.h"
#include "model/data_kind.h"
#include "scripted_workbook_chooser.h"

namespace morvane {
namespace {

using excel::testing::AddBook;
using testing::MainWindowTest;
using testing::ModalDriver;

class ImportFormTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Window().FileNew(Product::Oracle8);
    AddBook(Excel(), {{"顧客", {{"A1", "CUSTOMER"}, {"A5", "ID"}, {"A6", "NAME"}}},
                      {"注文", {{"A1", "ORDERS"}, {"A5", "NO"}}},
                      {"メモ", {}}});
  }
  TfrmImport& Form() { return *Window().Dialogs().Import(); }
  // The store's layout and the workbook window's active workbook.
  TImportChoice Choice() {
    TImportChoice choice;
    choice.book = &Excel().ActiveWorkbook();
    choice.layout = Store().importLayout;
    return choice;
  }
  void Select(std::initializer_list<int> rows) {
    for (int row : rows) Form().lstExcelSheet->item(row)->setSelected(true);
  }
  // Runs the import from the tree's popup entry, answering the workbook question with Yes and
  // running `inDialog` while the dialog is up.
  bool Import(std::function<void(TfrmImport&)> inDialog) {
    prompt_.answers.insert(prompt_.answers.begin(), PromptButton::kYes);
    ModalDriver driver(
        {[inDialog](QWidget* modal) { inDialog(*qobject_cast<TfrmImport*>(modal)); }});
    const bool result = Window().ImportExcel();
    EXPECT_EQ(driver.Remaining(), 0u);
    return result;
  }
  int ExcelNodes() { return Window().Browser().ExcelRoot()->childCount(); }
  int ListRows() { return ListModelOf(Window().ListPanel()->ltvData())->rowCount(); }

  excel::ExcelApplication& Excel() { return Window().WorkbookWindow().Application(); }
};

TEST_F(ImportFormTest, LoadsTheLayoutAndTheSheetsAndUpperCasesWhatIsTyped) {
  Store().importLayout.sizeColumn = "F";
  Store().importLayout.firstItemRow = 7;
  Form().Load(Choice());
  EXPECT_EQ(Form().windowTitle(), QStringLiteral("Excel ファイルインポート"));
  EXPECT_EQ(Form().txtTableNameCell->text(), "A1");
  EXPECT_EQ(Form().txtColumnStartRow->text(), "7");
  EXPECT_EQ(Form().txtColumnNameCol->text(), "A");
  EXPECT_EQ(Form().txtColumnSizeCol->text(), "F");
  EXPECT_EQ(Form().txtColumnComment3Col->text(), "");
  ASSERT_EQ(Form().lstExcelSheet->count(), 3);
  EXPECT_EQ(Form().lstExcelSheet->item(1)->text(), QStringLiteral("注文"));
  QTest::keyClicks(Form().txtColumnTypeCol, "bc");
  EXPECT_EQ(Form().txtColumnTypeCol->text(), "BC");
}

TEST_F(ImportFormTest, OKChecksTheSelectionThenEachBoxInOrder) {
  QWidget parent;
  TfrmImport form(prompt_, &parent);
  parent.show();
  form.Load(Choice());
  form.show();
  EXPECT_TRUE(parent.isVisible());  // the workbook stays in sight beside the dialog

  form.cmdOK->click();
  EXPECT_EQ(ShownTexts().back(), "シートが選択されていません。");
  EXPECT_EQ(form.focusWidget(), form.lstExcelSheet);
  EXPECT_TRUE(form.isVisible());

  form.lstExcelSheet->item(0)->setSelected(true);
  struct Case {
    QLineEdit* box;
    QString text;
  };
  const Case cases[] = {
      {form.txtTableNameCell, ""},       {form.txtTableNameCell, "A"},
      {form.txtColumnStartRow, "0"},     {form.txtColumnStartRow, "X"},
      {form.txtColumnNameCol, ""},       {form.txtColumnNameCol, "1"},
      {form.txtColumnTypeCol, "?"},      {form.txtColumnLengthCol, "A1:B1"},
      {form.txtColumnPrecisionCol, "!"}, {form.txtColumnScaleCol, "ZZZZ"},
      {form.txtColumnSizeCol, "-"},      {form.txtColumnNotNullCol, "*"},
      {form.txtColumnUniqueCol, "%"},    {form.txtColumnPrimaryCol, "$"},
      {form.txtColumnComment1Col, "."},  {form.txtColumnComment2Col, "#"},
      {form.txtColumnComment3Col, "+"},
  };
  for (const Case& c : cases) {
    form.Load(Choice());
    form.lstExcelSheet->item(0)->setSelected(true);
    c.box->setText(c.text);
    prompt_.shown.clear();
    form.cmdOK->click();
    ASSERT_EQ(ShownTexts(), std::vector<std::string>{"レイアウトが不正です。"})
        << c.box->objectName().toStdString();
    EXPECT_EQ(form.focusWidget(), c.box) << c.box->objectName().toStdString();
    EXPECT_TRUE(form.isVisible());
  }

  form.Load(Choice());
  form.lstExcelSheet->item(2)->setSelected(true);
  form.txtTableNameCell->setText(" B2 ");
  form.txtColumnStartRow->setText("3");
  form.txtColumnComment2Col->setText("K");
  form.cmdOK->click();
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.txtTableNameCell->text(), "B2");
  TImportChoice choice;
  form.Apply(choice);
  EXPECT_EQ(choice.layout.tableNameCell, "B2");
  EXPECT_EQ(choice.layout.firstItemRow, 3);
  EXPECT_EQ(choice.layout.comment2Column, "K");
  EXPECT_EQ(choice.sheets, std::vector<std::string>{ToCp932("メモ")});
}

TEST_F(ImportFormTest, ImportShowsTheRecordsInTheTreeAndList) {
  Store().modified = false;
  EXPECT_TRUE(Import([](TfrmImport& form) {
    form.lstExcelSheet->item(0)->setSelected(true);
    form.lstExcelSheet->item(1)->setSelected(true);
    form.txtColumnComment2Col->setText("k");
    form.cmdOK->click();
  }));
  EXPECT_TRUE(Window().isVisible());
  EXPECT_TRUE(Store().modified);
  EXPECT_EQ(Store().importLayout.comment2Column, "K");  // the layout the import used is kept
  ASSERT_EQ(Store().Records(DataKind::Excel).size(), 2u);
  EXPECT_EQ(Store().Records(DataKind::Excel)[0]->columns.size(), 2u);
  EXPECT_EQ(ExcelNodes(), 2);
  EXPECT_EQ(Window().DataTree()->currentItem(), Window().Browser().ExcelRoot());
  EXPECT_EQ(ListRows(), 2);
  EXPECT_EQ(ShownTexts().back(), "Excelファイルをインポートしました。");

  // Again, replacing one: no node or row may keep the replaced record.
  prompt_.answers = {PromptButton::kYes};
  EXPECT_TRUE(Import([](TfrmImport& form) {
    form.lstExcelSheet->item(0)->setSelected(true);
    form.cmdOK->click();
  }));
  ASSERT_EQ(Store().Records(DataKind::Excel).size(), 2u);
  EXPECT_EQ(Store().Records(DataKind::Excel)[1]->name, "CUSTOMER");
  EXPECT_EQ(ExcelNodes(), 2);
  EXPECT_EQ(ListRows(), 2);
  EXPECT_EQ(Window().Browser().ExcelRoot()->child(1)->text(0), "CUSTOMER");

  // Cancel in the dialog imports nothing.
  EXPECT_FALSE(Import([](TfrmImport& form) { form.cmdCancel->click(); }));
  EXPECT_TRUE(Window().isVisible());
}

TEST_F(ImportFormTest, AFailureHalfWayStillShowsWhatWasImported) {
  Store().modified = false;
  EXPECT_FALSE(Import([this](TfrmImport& form) {
    form.lstExcelSheet->item(0)->setSelected(true);
    form.lstExcelSheet->item(1)->setSelected(true);
    // The second sheet goes away before it is read.
    Excel().ActiveWorkbook().Worksheets().Item(2).Delete();
    form.cmdOK->click();
  }));
  EXPECT_EQ(ShownTexts().back().rfind("Excelファイルのインポートに失敗しました。", 0), 0u);
  EXPECT_TRUE(Store().modified);
  EXPECT_EQ(ExcelNodes(), 1);
  EXPECT_EQ(ListRows(), 1);
}

TEST_F(ImportFormTest, TheSourceIsTheWorkbookTheUserOpensInTheWorkbookWindow) {
  QTemporaryDir dir;
  excel::ExcelApplication maker;
  AddBook(maker, {{"部署", {{"A1", "DEPT"}, {"A5", "CODE"}}}});
  const QString path = dir.filePath(QStringLiteral("部署.xlsx"));
  maker.ActiveWorkbook().SaveAs(path.toStdString());
  testing::ScriptedWorkbookPaths paths;
  paths.openAnswers = {path};
  Window().WorkbookWindow().SetPathChooser(&paths);

  // No about the active workbook, OK to open a file, then Yes about the workbook opened.
  prompt_.answers = {PromptButton::kNo, PromptButton::kOk, PromptButton::kYes};
  ModalDriver driver({[this](QWidget* modal) {
    auto& form = *qobject_cast<TfrmImport*>(modal);
    // The workbook the layout is read from stays in sight while the dialog is up.
    EXPECT_TRUE(Window().isVisible());
    EXPECT_TRUE(Window().WorkbookWindow().isVisible());
    ASSERT_EQ(form.lstExcelSheet->count(), 1);
    EXPECT_EQ(form.lstExcelSheet->item(0)->text(), QStringLiteral("部署"));
    form.lstExcelSheet->item(0)->setSelected(true);
    form.cmdOK->click();
  }});
  EXPECT_TRUE(Window().ImportExcel());
  EXPECT_EQ(driver.Remaining(), 0u);
  EXPECT_EQ(paths.openCalls, 1);
  EXPECT_EQ(ShownTexts()[2], "「部署.xlsx」からインポートします。\r\nよろしいですか？");
  EXPECT_TRUE(Window().WorkbookWindow().isVisible());
  EXPECT_EQ(Window().WorkbookWindow().trvWorkbooks->topLevelItemCount(), 2);
  ASSERT_EQ(Store().Records(DataKind::Excel).size(), 1u);
  EXPECT_EQ(Store().Records(DataKind::Excel)[0]->name, "DEPT");
}

}  // namespace
}  // namespace morvane
