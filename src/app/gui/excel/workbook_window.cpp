#include "app/gui/excel/workbook_window.h"

#include <QAction>
#include <QDesktopServices>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QSplitter>
#include <QTableView>
#include <QToolBar>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "app/gui/browse/wait_cursor.h"
#include "app/gui/excel/sheet_preview_model.h"
#include "app/gui/qt_text.h"
#include "excel/excel_error.h"
#include "excel/sheet_preview.h"
#include "model/prompt.h"
#include "xlsx/worksheet.h"

namespace morvane {
namespace {

// The preview reads at most this much of a sheet, so a huge sheet cannot stall the window.
constexpr uint32_t kPreviewRows = 1000;
constexpr uint32_t kPreviewColumns = 256;

constexpr int kBookRole = Qt::UserRole;       // the workbook of an item
constexpr int kSheetRole = Qt::UserRole + 1;  // the worksheet number of a sheet item, 0 else

excel::Workbook* BookOf(const QTreeWidgetItem* item) {
  return reinterpret_cast<excel::Workbook*>(item->data(0, kBookRole).value<quintptr>());
}

int SheetNumberOf(const QTreeWidgetItem* item) { return item->data(0, kSheetRole).toInt(); }

void SetBold(QTreeWidgetItem* item, bool bold) {
  QFont font = item->font(0);
  font.setBold(bold);
  item->setFont(0, font);
}

// The active sheet of a workbook, when it is a worksheet.
std::optional<excel::Worksheet> ActiveSheetOf(excel::Workbook& book) {
  try {
    return book.ActiveSheet();
  } catch (const excel::ExcelError&) {
    return std::nullopt;
  }
}

int WidestDigit(const QFontMetrics& metrics) {
  int widest = 1;
  for (char16_t digit = u'0'; digit <= u'9'; ++digit) {
    widest = std::max(widest, metrics.horizontalAdvance(QChar(digit)));
  }
  return widest;
}

QString Utf8Text(const char* utf8) { return QString::fromUtf8(utf8); }

}  // namespace

TWorkbookWindow::TWorkbookWindow(IPrompt& prompt, QWidget* parent)
    : QDockWidget(QStringLiteral("ブック一覧"), parent),
      prompt_(prompt),
      own_chooser_(std::make_unique<TWorkbookFileDialogs>(this, prompt)),
      chooser_(own_chooser_.get()),
      open_url_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  setObjectName(QStringLiteral("frmWorkbooks"));
  BuildWidgets();
  Refresh();
}

TWorkbookWindow::~TWorkbookWindow() {
  // The preview and the list point into the workbooks: let go of them first.
  previewModel_->SetPreview(std::nullopt);
  trvWorkbooks->clear();
}

QAction* TWorkbookWindow::AddCommand(const char* name, const QString& caption, const QString& hint,
                                     std::function<void()> command) {
  QAction* action = tlbWorkbooks->addAction(caption);
  action->setObjectName(QLatin1String(name));
  action->setToolTip(hint);
  connect(action, &QAction::triggered, this, std::move(command));
  return action;
}

void TWorkbookWindow::BuildWidgets() {
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(2, 2, 2, 2);

  tlbWorkbooks = new QToolBar(body);
  tlbWorkbooks->setObjectName(QStringLiteral("tlbWorkbooks"));
  tlbWorkbooks->setToolButtonStyle(Qt::ToolButtonTextOnly);
  AddCommand("cmdOpen", QStringLiteral("開く"), QStringLiteral("ブックのファイルを開きます"),
             [this] { OpenWorkbook(QString()); });
  AddCommand("cmdOpenTemplate", QStringLiteral("標準テンプレートを開く"),
             QStringLiteral("標準レイアウトに合う添付のテンプレート (テーブル定義・テーブル一覧・"
                            "インデックス定義・ER図) を開きます"),
             [this] { OpenDefaultTemplate(); });
  tlbWorkbooks->addSeparator();
  cmdSave = AddCommand("cmdSave", QStringLiteral("保存"),
                       QStringLiteral("アクティブなブックを上書き保存します"),
                       [this] { SaveActive(false); });
  cmdSaveAs = AddCommand("cmdSaveAs", QStringLiteral("名前を付けて保存"),
                         QStringLiteral("アクティブなブックを名前を付けて保存します"),
                         [this] { SaveActive(true); });
  cmdClose = AddCommand("cmdClose", QStringLiteral("閉じる"),
                        QStringLiteral("アクティブなブックを閉じます"), [this] { CloseActive(); });
  tlbWorkbooks->addSeparator();
  cmdOpenDesktop = AddCommand("cmdOpenDesktop", QStringLiteral("表計算ソフトで開く"),
                              QStringLiteral("保存したブックを表計算ソフトで開きます"),
                              [this] { OpenActiveInSpreadsheetProgram(); });
  layout->addWidget(tlbWorkbooks);

  auto* splitter = new QSplitter(Qt::Vertical, body);
  trvWorkbooks = new QTreeWidget(splitter);
  trvWorkbooks->setObjectName(QStringLiteral("trvWorkbooks"));
  trvWorkbooks->setHeaderLabels({QStringLiteral("ブック / シート"), QStringLiteral("ファイル")});
  trvWorkbooks->setRootIsDecorated(true);
  connect(trvWorkbooks, &QTreeWidget::currentItemChanged, this,
          &TWorkbookWindow::trvWorkbooksCurrentItemChanged);

  auto* preview = new QWidget(splitter);
  auto* preview_layout = new QVBoxLayout(preview);
  preview_layout->setContentsMargins(0, 0, 0, 0);
  lblPreview = new QLabel(preview);
  lblPreview->setObjectName(QStringLiteral("lblPreview"));
  grdPreview = new QTableView(preview);
  grdPreview->setObjectName(QStringLiteral("grdPreview"));
  grdPreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grdPreview->setSelectionMode(QAbstractItemView::ContiguousSelection);
  // Long texts are cut at the cell's edge, as a spreadsheet shows them, rather than elided.
  grdPreview->setTextElideMode(Qt::ElideNone);
  grdPreview->setWordWrap(false);
  grdPreview->verticalHeader()->setDefaultSectionSize(grdPreview->fontMetrics().height() + 6);
  previewModel_ = new TSheetPreviewModel(grdPreview);
  grdPreview->setModel(previewModel_);
  preview_layout->addWidget(lblPreview);
  preview_layout->addWidget(grdPreview);
  splitter->setStretchFactor(1, 2);
  layout->addWidget(splitter);
  setWidget(body);
}

void TWorkbookWindow::Install(QMainWindow* main, QMenu* view_menu, QToolBar* toolbar,
                              QAction* button_after) {
  main->addDockWidget(Qt::RightDockWidgetArea, this);
  hide();
  QAction* menu_item = toggleViewAction();
  menu_item->setObjectName(QStringLiteral("mnuShow_Workbooks"));
  menu_item->setText(QStringLiteral("ブック一覧(&W)"));
  view_menu->addSeparator();
  view_menu->addAction(menu_item);

  auto* button = new QAction(QIcon(QStringLiteral(":/icons/tree_excel.svg")),
                             QStringLiteral("ブック一覧"), toolbar);
  QList<QAction*> buttons = toolbar->actions();
  qsizetype after = buttons.indexOf(button_after);
  toolbar->insertAction(after >= 0 && after + 1 < buttons.size() ? buttons[after + 1] : nullptr,
                        button);
  button->setObjectName(QStringLiteral("tlbMain_Workbooks"));
  button->setCheckable(true);
  connect(button, &QAction::triggered, this, &QDockWidget::setVisible);
  connect(menu_item, &QAction::toggled, button, &QAction::setChecked);
}

bool TWorkbookWindow::LetUserOpenWorkbook() {
  show();
  raise();
  return OpenWorkbook(QString());
}

bool TWorkbookWindow::LetUserOpenTemplateOrWorkbook() {
  if (LetUserOpenWorkbook()) return true;
  if (!prompt_.AskYesNo(ToCp932(QStringLiteral("同梱のテンプレートを開きますか？")))) return false;
  return OpenDefaultTemplate();
}

bool TWorkbookWindow::OpenWorkbook(const QString& path) {
  QString chosen = path;
  if (chosen.isEmpty()) {
    std::optional<QString> asked = chooser_->AskOpenPath();
    if (!asked) return false;
    chosen = *asked;
  }
  try {
    WaitCursor wait;
    session_.Open(chosen.toStdString());
  } catch (const std::exception& e) {
    ReportFailure(QStringLiteral("ブック「%1」を開けませんでした。").arg(chosen), e);
    return false;
  }
  Refresh();
  return true;
}

bool TWorkbookWindow::OpenDefaultTemplate() {
  try {
    session_.OpenDefaultTemplate();
  } catch (const std::exception& e) {
    ReportFailure(QStringLiteral("テンプレートを開けませんでした。"), e);
    return false;
  }
  Refresh();
  return true;
}

bool TWorkbookWindow::SaveActive(bool force_dialog) {
  if (session_.Books().empty()) return false;
  return Save(session_.Application().ActiveWorkbook(), force_dialog);
}

bool TWorkbookWindow::Save(excel::Workbook& book, bool force_dialog) {
  QString path = QString::fromStdString(book.Path());
  if (path.isEmpty() || force_dialog) {
    std::optional<QString> asked =
        chooser_->AskSavePath(path.isEmpty() ? FromCp932(book.Name()) : path);
    if (!asked) return false;
    path = *asked;
  }
  try {
    WaitCursor wait;
    if (force_dialog || book.Path().empty()) {
      session_.SaveAs(book, path.toStdString());
    } else {
      session_.Save(book);
    }
  } catch (const std::exception& e) {
    ReportFailure(QStringLiteral("ブックを保存できませんでした。"), e);
    return false;
  }
  Refresh();
  return true;
}

bool TWorkbookWindow::AskToSave(excel::Workbook& book) {
  QString text =
      QStringLiteral("「%1」は保存されていません。\r\n保存しますか？").arg(FromCp932(book.Name()));
  switch (prompt_.AskYesNoCancel(ToCp932(text))) {
    case PromptButton::kYes:
      return Save(book, true);
    case PromptButton::kNo:
      return true;
    default:
      return false;
  }
}

bool TWorkbookWindow::CloseActive() {
  if (session_.Books().empty()) return false;
  excel::Workbook& book = session_.Application().ActiveWorkbook();
  if (session_.IsUnsavedOutput(book) && !AskToSave(book)) return false;
  previewModel_->SetPreview(std::nullopt);
  session_.Close(book);
  Refresh();
  return true;
}

bool TWorkbookWindow::QueryClose() {
  for (excel::Workbook* book : session_.UnsavedOutputs()) {
    book->Activate();
    ShowActive();
    if (!AskToSave(*book)) return false;
  }
  return true;
}

bool TWorkbookWindow::OpenActiveInSpreadsheetProgram() {
  if (session_.Books().empty()) return false;
  excel::Workbook& book = session_.Application().ActiveWorkbook();
  if (book.Path().empty()) {
    prompt_.Warn(ToCp932(QStringLiteral("ブックを保存してから開いてください。")));
    return false;
  }
  if (!open_url_(QUrl::fromLocalFile(QString::fromStdString(book.Path())))) {
    prompt_.Warn(ToCp932(QStringLiteral("表計算ソフトでブックを開けませんでした。")));
    return false;
  }
  return true;
}

void TWorkbookWindow::Refresh() {
  std::vector<excel::Workbook*> books = session_.Books();
  filling_ = true;
  trvWorkbooks->clear();
  for (excel::Workbook* book : books) {
    auto* book_item = new QTreeWidgetItem(trvWorkbooks);
    book_item->setText(0, FromCp932(book->Name()));
    book_item->setText(1, session_.IsUnsavedOutput(*book) ? QStringLiteral("（未保存）")
                                                          : QString::fromStdString(book->Path()));
    book_item->setToolTip(1, book_item->text(1));
    book_item->setData(0, kBookRole, QVariant::fromValue(reinterpret_cast<quintptr>(book)));
    book_item->setData(0, kSheetRole, 0);
    excel::Worksheets sheets = book->Worksheets();
    for (int n = 1; n <= sheets.Count(); ++n) {
      excel::Worksheet sheet = sheets.Item(n);
      auto* sheet_item = new QTreeWidgetItem(book_item);
      sheet_item->setText(0, FromCp932(sheet.Name()));
      sheet_item->setData(0, kBookRole, QVariant::fromValue(reinterpret_cast<quintptr>(book)));
      sheet_item->setData(0, kSheetRole, n);
      if (!sheet.Visible()) {
        // Excel cannot make a hidden sheet active.
        sheet_item->setText(1, QStringLiteral("（非表示）"));
        sheet_item->setFlags(sheet_item->flags() & ~Qt::ItemIsEnabled);
      }
    }
    book_item->setExpanded(true);
  }
  filling_ = false;
  trvWorkbooks->resizeColumnToContents(0);
  if (static_cast<int>(books.size()) > listedBooks_) show();
  listedBooks_ = static_cast<int>(books.size());
  ShowActive();
}

void TWorkbookWindow::ShowActive() {
  excel::Workbook* active = session_.Books().empty() ? nullptr : &Application().ActiveWorkbook();
  std::optional<excel::Worksheet> active_sheet;
  if (active) active_sheet = ActiveSheetOf(*active);
  QTreeWidgetItem* current = nullptr;
  for (int i = 0; i < trvWorkbooks->topLevelItemCount(); ++i) {
    QTreeWidgetItem* book_item = trvWorkbooks->topLevelItem(i);
    bool book_active = BookOf(book_item) == active;
    SetBold(book_item, book_active);
    if (book_active) current = book_item;
    for (int j = 0; j < book_item->childCount(); ++j) {
      QTreeWidgetItem* sheet_item = book_item->child(j);
      bool sheet_active =
          book_active && active_sheet &&
          active->Worksheets().Item(SheetNumberOf(sheet_item)).SameSheet(*active_sheet);
      SetBold(sheet_item, sheet_active);
      if (sheet_active) current = sheet_item;
    }
  }
  filling_ = true;
  trvWorkbooks->setCurrentItem(current);
  filling_ = false;
  ShowPreview();
  UpdateCommands();
}

void TWorkbookWindow::ShowPreview() {
  std::optional<excel::Worksheet> sheet;
  if (!session_.Books().empty()) sheet = ActiveSheetOf(Application().ActiveWorkbook());
  if (!sheet) {
    previewModel_->SetPreview(std::nullopt);
    lblPreview->setText(session_.Books().empty()
                            ? QStringLiteral("ブックが開かれていません")
                            : QStringLiteral("アクティブなシートはワークシートではありません"));
    return;
  }
  excel::SheetPreview preview = excel::ReadPreview(*sheet, kPreviewRows, kPreviewColumns);
  QString label = QStringLiteral("「%1」 - %2")
                      .arg(FromCp932(sheet->Name()), FromCp932(sheet->Parent().Name()));
  if (preview.cut) label += QStringLiteral("（先頭の部分）");
  lblPreview->setText(label);
  std::vector<double> widths = preview.widths;
  std::vector<bool> hidden = preview.hidden;
  previewModel_->SetPreview(std::move(preview));
  int digit = WidestDigit(grdPreview->fontMetrics());
  QHeaderView* header = grdPreview->horizontalHeader();
  for (size_t c = 0; c < widths.size(); ++c) {
    int column = static_cast<int>(c);
    grdPreview->setColumnHidden(column, hidden[c]);
    if (!hidden[c]) header->resizeSection(column, excel::ColumnWidthPixels(widths[c], digit));
  }
}

void TWorkbookWindow::UpdateCommands() {
  bool any = !session_.Books().empty();
  bool saved = any && !Application().ActiveWorkbook().Path().empty();
  cmdSave->setEnabled(any);
  cmdSaveAs->setEnabled(any);
  cmdClose->setEnabled(any);
  cmdOpenDesktop->setEnabled(saved);
}

void TWorkbookWindow::trvWorkbooksCurrentItemChanged(QTreeWidgetItem* current) {
  if (filling_ || current == nullptr) return;
  excel::Workbook* book = BookOf(current);
  try {
    int number = SheetNumberOf(current);
    if (number > 0) {
      book->Worksheets().Item(number).Activate();
    } else {
      book->Activate();
    }
  } catch (const std::exception& e) {
    ReportFailure(QStringLiteral("シートをアクティブにできませんでした。"), e);
  }
  ShowActive();
}

void TWorkbookWindow::ReportFailure(const QString& what, const std::exception& e) {
  prompt_.Error(ToCp932(what + QStringLiteral("\r\n") + Utf8Text(e.what())));
}

}  // namespace morvane
