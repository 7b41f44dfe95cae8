// The workbook window: opening, switching, previewing, saving and closing workbooks, and the
// program's close rule for workbooks it made. Files saved here are read back by LibreOffice and
// openpyxl when they are installed.
#include "app/gui/excel/workbook_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QProcess>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <deque>

#include "excel/excel_error.h"
#include "excel/sheet_preview.h"
#include "gui_test_support.h"
#include "main_window_fixture.h"
#include "missing_dependency.h"
#include "xlsx/workbook.h"

namespace morvane::testing {
namespace {

const QString kCalcTemplate = QStringLiteral(MORVANE_EXCEL_FIXTURES "/calc_template.xlsx");

class ScriptedWorkbookChooser : public IWorkbookPathChooser {
 public:
  std::deque<QString> openAnswers;
  std::deque<QString> saveAnswers;
  QString lastSaveInitial;

  std::optional<QString> AskOpenPath() override { return Next(openAnswers); }
  std::optional<QString> AskSavePath(const QString& current_name) override {
    lastSaveInitial = current_name;
    return Next(saveAnswers);
  }

 private:
  static std::optional<QString> Next(std::deque<QString>& answers) {
    if (answers.empty()) return std::nullopt;
    QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

// Names and states of the listed items: "book" or " sheet", with "*" when marked active.
std::vector<std::string> Listing(const QTreeWidget* tree) {
  std::vector<std::string> rows;
  auto row = [&rows](const QTreeWidgetItem* item, const char* indent) {
    rows.push_back(indent + item->text(0).toStdString() + (item->font(0).bold() ? "*" : ""));
  };
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    row(tree->topLevelItem(i), "");
    for (int j = 0; j < tree->topLevelItem(i)->childCount(); ++j) {
      row(tree->topLevelItem(i)->child(j), " ");
    }
  }
  return rows;
}

class WorkbookWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_.SetPathChooser(&chooser_);
    window_.SetUrlOpener([this](const QUrl& url) {
      opened_urls_.push_back(url);
      return desktop_accepts_;
    });
  }

  QAction* Command(const char* name) {
    auto* action = window_.findChild<QAction*>(QLatin1String(name));
    EXPECT_NE(action, nullptr) << name;
    return action;
  }
  QTreeWidgetItem* Item(int book, int sheet = 0) {
    QTreeWidgetItem* item = window_.trvWorkbooks->topLevelItem(book);
    return sheet == 0 ? item : item->child(sheet - 1);
  }
  QString PreviewCell(int row, int col) {
    return window_.grdPreview->model()->index(row - 1, col - 1).data().toString();
  }
  std::string ActiveSheetName() { return ToUtf8(window_.ActiveSheet().Name()); }
  QString File(const char* name) { return dir_.filePath(QString::fromUtf8(name)); }

  QTemporaryDir dir_;
  ScriptedPrompt prompt_;
  ScriptedWorkbookChooser chooser_;
  std::vector<QUrl> opened_urls_;
  bool desktop_accepts_ = true;
  TWorkbookWindow window_{prompt_};
};

TEST_F(WorkbookWindowTest, OpensACalcTemplateAndTheBundledOneAndMarksTheLastActive) {
  EXPECT_THROW(window_.Attach(), excel::ExcelError);
  EXPECT_EQ(window_.lblPreview->text(), QStringLiteral("ブックが開かれていません"));
  EXPECT_FALSE(Command("cmdSave")->isEnabled());

  chooser_.openAnswers = {kCalcTemplate};
  Command("cmdOpen")->trigger();
  EXPECT_EQ(ActiveSheetName(), "定義書");
  Command("cmdOpenTemplate")->trigger();
  EXPECT_EQ(Listing(window_.trvWorkbooks),
            (std::vector<std::string>{"calc_template.xlsx", " 定義書", "default.xlsx*",
                                      " テーブル定義*", " テーブル一覧", " インデックス定義",
                                      " テーブル・インデックス", " ER図", " 変更履歴"}));
  EXPECT_EQ(ActiveSheetName(), "テーブル定義");
  EXPECT_EQ(window_.trvWorkbooks->currentItem(), Item(1, 1));
  EXPECT_TRUE(Command("cmdSave")->isEnabled());
  EXPECT_FALSE(Command("cmdOpenDesktop")->isEnabled());  // the bundled one has no file
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(WorkbookWindowTest, ClickingAWorkbookOrSheetMakesItActive) {
  window_.OpenWorkbook(kCalcTemplate);
  window_.Application().SetSheetsInNewWorkbook(2);
  excel::Workbook& added = window_.AddWorkbook();
  EXPECT_EQ(
      Listing(window_.trvWorkbooks),
      (std::vector<std::string>{"calc_template.xlsx", " 定義書", "Book1*", " Sheet1*", " Sheet2"}));
  EXPECT_EQ(Item(1)->text(1), QStringLiteral("（未保存）"));

  window_.trvWorkbooks->setCurrentItem(Item(1, 2));
  EXPECT_EQ(ActiveSheetName(), "Sheet2");
  EXPECT_EQ(&window_.ActiveWorkbook(), &added);
  window_.trvWorkbooks->setCurrentItem(Item(0, 1));
  EXPECT_EQ(ActiveSheetName(), "定義書");
  EXPECT_EQ(
      Listing(window_.trvWorkbooks),
      (std::vector<std::string>{"calc_template.xlsx*", " 定義書*", "Book1", " Sheet1", " Sheet2"}));
  EXPECT_EQ(PreviewCell(2, 3), QStringLiteral("サイズ"));
  // A workbook item activates the workbook, whose own active sheet stays.
  window_.trvWorkbooks->setCurrentItem(Item(1));
  EXPECT_EQ(ActiveSheetName(), "Sheet2");
  EXPECT_EQ(window_.trvWorkbooks->currentItem(), Item(1, 2));
  EXPECT_TRUE(window_.lblPreview->text().startsWith(QStringLiteral("「Sheet2」")));
}

TEST_F(WorkbookWindowTest, PreviewShowsTheActiveSheetsValuesInItsColumnWidths) {
  window_.OpenDefaultTemplate();
  EXPECT_EQ(PreviewCell(1, 1), QStringLiteral("テーブル定義書"));
  EXPECT_EQ(window_.grdPreview->model()->columnCount(), 11);
  EXPECT_EQ(window_.grdPreview->model()->headerData(10, Qt::Horizontal).toString(),
            QStringLiteral("K"));
  int digit = 0;
  for (QChar c : QStringLiteral("0123456789")) {
    digit = std::max(digit, window_.grdPreview->fontMetrics().horizontalAdvance(c));
  }
  QHeaderView* header = window_.grdPreview->horizontalHeader();
  EXPECT_EQ(header->sectionSize(0), excel::ColumnWidthPixels(5.5, digit));
  EXPECT_EQ(header->sectionSize(1), excel::ColumnWidthPixels(26, digit));
  EXPECT_GT(header->sectionSize(1), header->sectionSize(0));
  EXPECT_EQ(window_.grdPreview->editTriggers(), QAbstractItemView::NoEditTriggers);

  // Values written through the Excel operations show after a refresh.
  window_.ActiveSheet().Range("B1").SetValue(Cp932("社員"));
  window_.Refresh();
  EXPECT_EQ(PreviewCell(1, 2), QStringLiteral("社員"));
}

TEST_F(WorkbookWindowTest, TextOutsideCp932OpensPreviewsAndReadsAsQuestionMarks) {
  auto engine = xlsx::Workbook::Create(1);
  engine->Rename(engine->Sheet(0), "表🙂");
  engine->SetCellText(engine->Sheet(0), {1, 1}, "A𠮷B");
  engine->SetCellText(engine->Sheet(0), {1, 2}, "社員");
  engine->Save(File("ブック🙂.xlsx").toStdString());

  ASSERT_TRUE(window_.OpenWorkbook(File("ブック🙂.xlsx")));
  EXPECT_EQ(Listing(window_.trvWorkbooks), (std::vector<std::string>{"ブック?.xlsx*", " 表?*"}));
  EXPECT_EQ(PreviewCell(1, 1), QStringLiteral("A?B"));
  EXPECT_EQ(PreviewCell(1, 2), QStringLiteral("社員"));
  EXPECT_EQ(window_.ActiveSheet().Range("A1").Value(), "A?B");
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(WorkbookWindowTest, AFileThatIsNoWorkbookIsReportedAndNothingOpens) {
  QFile text(File("notes.xlsx"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("not a zip");
  text.close();
  EXPECT_FALSE(window_.OpenWorkbook(File("notes.xlsx")));
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kError);
  EXPECT_EQ(window_.trvWorkbooks->topLevelItemCount(), 0);
  // Cancelling the Open dialog opens nothing either.
  EXPECT_FALSE(window_.LetUserOpenWorkbook());
  chooser_.openAnswers = {kCalcTemplate};
  EXPECT_TRUE(window_.LetUserOpenWorkbook());
  EXPECT_TRUE(window_.isVisible());
}

TEST_F(WorkbookWindowTest, ACancelledOpenDialogOffersTheBundledTemplate) {
  prompt_.answers = {PromptButton::kNo};
  EXPECT_FALSE(window_.LetUserOpenTemplateOrWorkbook());
  EXPECT_EQ(window_.trvWorkbooks->topLevelItemCount(), 0);
  prompt_.answers = {PromptButton::kYes};
  EXPECT_TRUE(window_.LetUserOpenTemplateOrWorkbook());
  EXPECT_EQ(window_.ActiveWorkbook().Name(), "default.xlsx");
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[1].kind, PromptKind::kConfirm);
  // A workbook chosen in the dialog asks nothing more.
  chooser_.openAnswers = {kCalcTemplate};
  EXPECT_TRUE(window_.LetUserOpenTemplateOrWorkbook());
  EXPECT_EQ(prompt_.shown.size(), 2u);
}

TEST_F(WorkbookWindowTest, SaveAsNamesTheWorkbookAfterItsFileAndTheDesktopOpensIt) {
  window_.OpenDefaultTemplate();
  excel::Workbook& out = window_.AddWorkbook();
  window_.Session().Open(kCalcTemplate.toStdString());  // another workbook is active meanwhile
  out.Activate();
  chooser_.saveAnswers = {File("定義書.xlsx")};
  Command("cmdSave")->trigger();  // never saved: Save asks where
  EXPECT_EQ(chooser_.lastSaveInitial, QStringLiteral("Book1"));
  EXPECT_TRUE(QFile::exists(File("定義書.xlsx")));
  EXPECT_EQ(out.Name(), Cp932("定義書.xlsx"));
  EXPECT_EQ(Item(1)->text(0), QStringLiteral("定義書.xlsx"));
  EXPECT_EQ(Item(1)->text(1), File("定義書.xlsx"));

  ASSERT_TRUE(Command("cmdOpenDesktop")->isEnabled());
  Command("cmdOpenDesktop")->trigger();
  ASSERT_EQ(opened_urls_.size(), 1u);
  EXPECT_EQ(opened_urls_[0], QUrl::fromLocalFile(File("定義書.xlsx")));
  desktop_accepts_ = false;
  Command("cmdOpenDesktop")->trigger();
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(prompt_.shown[0].kind, PromptKind::kWarning);

  // Saving over the file of another open workbook is refused with a message.
  chooser_.saveAnswers = {kCalcTemplate};
  Command("cmdSaveAs")->trigger();
  ASSERT_EQ(prompt_.shown.size(), 2u);
  EXPECT_EQ(prompt_.shown[1].kind, PromptKind::kError);
  EXPECT_EQ(out.Name(), Cp932("定義書.xlsx"));
}

TEST_F(WorkbookWindowTest, ClosingAnOutputNeverSavedAsksToSaveIt) {
  window_.OpenWorkbook(kCalcTemplate);
  window_.AddWorkbook();
  prompt_.answers = {PromptButton::kCancel};
  EXPECT_FALSE(window_.CloseActive());
  ASSERT_EQ(prompt_.shown.size(), 1u);
  EXPECT_EQ(ToUtf8(prompt_.shown[0].text), "「Book1」は保存されていません。\r\n保存しますか？");
  EXPECT_EQ(window_.trvWorkbooks->topLevelItemCount(), 2);

  // Yes, then cancelling the Save As dialog, keeps it open too.
  prompt_.answers = {PromptButton::kYes};
  EXPECT_FALSE(window_.CloseActive());
  EXPECT_EQ(window_.trvWorkbooks->topLevelItemCount(), 2);

  chooser_.saveAnswers = {File("out.xlsx")};
  prompt_.answers = {PromptButton::kYes};
  EXPECT_TRUE(window_.CloseActive());
  EXPECT_TRUE(QFile::exists(File("out.xlsx")));
  EXPECT_EQ(Listing(window_.trvWorkbooks),
            (std::vector<std::string>{"calc_template.xlsx*", " 定義書*"}));

  // An opened file closes without a question; so does an output the user lets go.
  window_.AddWorkbook();
  prompt_.answers = {PromptButton::kNo};
  EXPECT_TRUE(window_.CloseActive());
  size_t asked = prompt_.shown.size();
  EXPECT_TRUE(window_.CloseActive());
  EXPECT_EQ(prompt_.shown.size(), asked);
  EXPECT_EQ(window_.trvWorkbooks->topLevelItemCount(), 0);
  EXPECT_FALSE(Command("cmdClose")->isEnabled());
}

// The main window with its workbook window.
class ProgramCloseTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Window().WorkbookWindow().SetPathChooser(&workbookChooser_);
  }
  ScriptedWorkbookChooser workbookChooser_;
  QTemporaryDir dir_;
};

TEST_F(ProgramCloseTest, MenuItemAndToolbarButtonShowTheWindow) {
  TWorkbookWindow& workbooks = Window().WorkbookWindow();
  EXPECT_FALSE(workbooks.isVisible());
  Action("mnuShow_Workbooks")->trigger();
  EXPECT_TRUE(workbooks.isVisible());
  EXPECT_TRUE(Action("tlbMain_Workbooks")->isChecked());
  Action("tlbMain_Workbooks")->trigger();
  EXPECT_FALSE(workbooks.isVisible());
  EXPECT_FALSE(Action("mnuShow_Workbooks")->isChecked());
  // A workbook made by the program shows the window, so the user sees where it went.
  workbooks.AddWorkbook();
  EXPECT_TRUE(workbooks.isVisible());
}

TEST_F(ProgramCloseTest, ClosingTheProgramAsksToSaveEachOutputNeverSaved) {
  TWorkbookWindow& workbooks = Window().WorkbookWindow();
  workbooks.OpenDefaultTemplate();
  workbooks.AddWorkbook();
  workbooks.AddWorkbook();

  prompt_.answers = {PromptButton::kCancel};
  EXPECT_FALSE(Window().close());
  EXPECT_TRUE(Window().isVisible());
  EXPECT_EQ(ShownTexts(),
            std::vector<std::string>{"「Book1」は保存されていません。\r\n保存しますか？"});

  workbookChooser_.saveAnswers = {dir_.filePath(QStringLiteral("first.xlsx"))};
  prompt_.answers = {PromptButton::kYes, PromptButton::kNo};
  EXPECT_TRUE(Window().close());
  EXPECT_TRUE(QFile::exists(dir_.filePath(QStringLiteral("first.xlsx"))));
  EXPECT_EQ(ShownTexts().back(), "「Book2」は保存されていません。\r\n保存しますか？");
}

// Reads files back with the spreadsheet programs of the platform.
class ReadBackTest : public WorkbookWindowTest {
 protected:
  // Runs a program, giving its standard output; fails the test when it does not succeed.
  QString Run(const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), dir_.filePath(QStringLiteral("home")));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(300000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
  }

  // A workbook made as the output makes one: a copy of the template, filled in and renamed.
  QString SaveOutput() {
    window_.OpenWorkbook(kCalcTemplate);
    excel::Worksheet format = window_.ActiveSheet();
    excel::Workbook& out = window_.AddWorkbook();
    format.Copy(out.Worksheets().Item(1));
    out.Worksheets().Item(1).Delete();
    excel::Worksheet sheet = window_.ActiveSheet();
    sheet.SetName(Cp932("受注"));
    sheet.Range("A1").SetValue(Cp932("受注明細"));
    sheet.Range("B6").SetValue("ORDER_NO");
    window_.Refresh();
    chooser_.saveAnswers = {File("受注.xlsx")};
    EXPECT_TRUE(window_.SaveActive(true));
    return File("受注.xlsx");
  }
};

TEST_F(ReadBackTest, LibreOfficeReadsTheSavedWorkbook) {
  if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty()) {
    MORVANE_SKIP_MISSING_DEPENDENCY("LibreOffice (soffice) is not installed");
  }
  QString file = SaveOutput();
  Run(QStringLiteral("soffice"),
      {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
       QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,false,false"),
       QStringLiteral("--outdir"), dir_.path(), file});
  QFile csv(File("受注.csv"));
  ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
  QString text = QString::fromUtf8(csv.readAll());
  EXPECT_TRUE(text.startsWith(QStringLiteral("受注明細"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral(",サイズ"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral(",ORDER_NO"))) << text.toStdString();
}

TEST_F(ReadBackTest, OpensATemplateLibreOfficeJustMade) {
  if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty()) {
    MORVANE_SKIP_MISSING_DEPENDENCY("LibreOffice (soffice) is not installed");
  }
  Run(QStringLiteral("soffice"), {QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                                  QStringLiteral("xlsx"), QStringLiteral("--outdir"), dir_.path(),
                                  QStringLiteral(MORVANE_EXCEL_FIXTURES "/calc_template.fods")});
  ASSERT_TRUE(window_.OpenWorkbook(File("calc_template.xlsx")));
  EXPECT_EQ(ActiveSheetName(), "定義書");
  EXPECT_EQ(PreviewCell(2, 3), QStringLiteral("サイズ"));
  EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(ReadBackTest, OpenpyxlReadsTheSavedWorkbook) {
  if (QProcess::execute(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral("-c"), QStringLiteral("import openpyxl")}) != 0) {
    MORVANE_SKIP_MISSING_DEPENDENCY("python3-openpyxl is not installed");
  }
  QString file = SaveOutput();
  QString script = QStringLiteral(
      "import sys, openpyxl\n"
      "book = openpyxl.load_workbook(sys.argv[1])\n"
      "sheet = book.active\n"
      "sys.stdout.buffer.write('|'.join([','.join(book.sheetnames), sheet.title,\n"
      "    str(sheet['A1'].value), str(sheet['C2'].value), str(sheet['B6'].value),\n"
      "    str(sheet.column_dimensions['B'].width)]).encode('utf-8'))\n");
  QString out = Run(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), script, file});
  EXPECT_EQ(out.section(QLatin1Char('|'), 0, 4),
            QStringLiteral("受注|受注|受注明細|サイズ|ORDER_NO"));
  EXPECT_EQ(out.section(QLatin1Char('|'), 5).toDouble(), 20.09);
}

}  // namespace
}  // namespace morvane::testing
