#include "app/gui/excel/import_form.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "app/gui/qt_text.h"
#include "excel/application.h"
#include "excel/excel_error.h"
#include "model/catalogue_store.h"
#include "model/prompt.h"

namespace morvane {
namespace {

// Turns what is typed into upper case.
class UpperCaseValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    input = input.toUpper();
    return Acceptable;
  }
};

constexpr int kSheetNameRole = Qt::UserRole;

}  // namespace

TfrmImport::TfrmImport(IPrompt& prompt, QWidget* mainWindow)
    : QDialog(mainWindow), prompt_(prompt) {
  setObjectName(QStringLiteral("frmImport"));
  setWindowTitle(QStringLiteral("Excel ファイルインポート"));
  BuildWidgets();
}

void TfrmImport::BuildWidgets() {
  lstExcelSheet = new QListWidget(this);
  lstExcelSheet->setObjectName(QStringLiteral("lstExcelSheet"));
  lstExcelSheet->setSelectionMode(QAbstractItemView::ExtendedSelection);

  fraLayout = new QGroupBox(QStringLiteral("インポートするExcelシートのレイアウト"), this);
  fraLayout->setObjectName(QStringLiteral("fraLayout"));
  auto* form = new QFormLayout(fraLayout);
  auto box = [&](QLineEdit*& edit, const char* name, const QString& label) {
    edit = new QLineEdit(fraLayout);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setValidator(new UpperCaseValidator(edit));
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    edit->setMaximumWidth(80);
    form->addRow(label, edit);
  };
  box(txtTableNameCell, "txtTableNameCell", QStringLiteral("*テーブル名のセル"));
  box(txtColumnStartRow, "txtColumnStartRow", QStringLiteral("*項目の開始行"));
  box(txtColumnNameCol, "txtColumnNameCol", QStringLiteral("*項目名の列"));
  box(txtColumnTypeCol, "txtColumnTypeCol", QStringLiteral("データ型の列"));
  box(txtColumnLengthCol, "txtColumnLengthCol", QStringLiteral(" Length の列"));
  box(txtColumnPrecisionCol, "txtColumnPrecisionCol", QStringLiteral(" Precision の列"));
  box(txtColumnScaleCol, "txtColumnScaleCol", QStringLiteral(" Scale の列"));
  box(txtColumnSizeCol, "txtColumnSizeCol", QStringLiteral(" Size の列"));
  box(txtColumnNotNullCol, "txtColumnNotNullCol", QStringLiteral(" Not Null の列"));
  box(txtColumnUniqueCol, "txtColumnUniqueCol", QStringLiteral(" Unique の列"));
  box(txtColumnPrimaryCol, "txtColumnPrimaryCol", QStringLiteral(" Primary の列"));
  box(txtColumnComment1Col, "txtColumnComment1Col", QStringLiteral(" Comment1 の列"));
  box(txtColumnComment2Col, "txtColumnComment2Col", QStringLiteral(" Comment2 の列"));
  box(txtColumnComment3Col, "txtColumnComment3Col", QStringLiteral(" Comment3 の列"));

  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cmdOK, &QPushButton::clicked, this, &TfrmImport::cmdOKClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);  // Esc rejects as well

  auto* body = new QHBoxLayout;
  body->addWidget(lstExcelSheet, 1);
  body->addWidget(fraLayout);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* root = new QVBoxLayout(this);
  root->addLayout(body);
  root->addLayout(buttons);
}

std::array<QLineEdit*, excel::kLayoutFieldCount> TfrmImport::LayoutBoxes() const {
  return {txtTableNameCell,     txtColumnStartRow,     txtColumnNameCol,    txtColumnTypeCol,
          txtColumnLengthCol,   txtColumnPrecisionCol, txtColumnScaleCol,   txtColumnSizeCol,
          txtColumnNotNullCol,  txtColumnUniqueCol,    txtColumnPrimaryCol, txtColumnComment1Col,
          txtColumnComment2Col, txtColumnComment3Col};
}

void TfrmImport::Load(const TImportChoice& choice) {
  book_ = choice.book;
  excel::Workbook& book = *choice.book;
  const excel::ImportLayoutTexts texts = excel::LayoutTexts(choice.layout);
  const auto boxes = LayoutBoxes();
  for (size_t i = 0; i < boxes.size(); ++i) boxes[i]->setText(FromCp932(texts[i]));
  lstExcelSheet->clear();
  const int count = book.Worksheets().Count();
  for (int i = 1; i <= count; ++i) {
    const std::string name = book.Worksheets().Item(i).Name();
    auto* item = new QListWidgetItem(FromCp932(name), lstExcelSheet);
    item->setData(kSheetNameRole, QByteArray::fromStdString(name));
  }
  lstExcelSheet->setFocus();
}

std::vector<std::string> TfrmImport::SelectedSheets() const {
  std::vector<std::string> names;
  for (int row = 0; row < lstExcelSheet->count(); ++row) {
    QListWidgetItem* item = lstExcelSheet->item(row);
    if (item->isSelected()) names.push_back(item->data(kSheetNameRole).toByteArray().toStdString());
  }
  return names;
}

void TfrmImport::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The main window stays shown: its workbook window holds the sheets the layout describes.
  lstExcelSheet->setFocus();
}

void TfrmImport::Apply(TImportChoice& choice) const {
  choice.layout = excel::LayoutFromTexts(BoxTexts());
  choice.sheets = SelectedSheets();
}

excel::ImportLayoutTexts TfrmImport::BoxTexts() const {
  const auto boxes = LayoutBoxes();
  excel::ImportLayoutTexts texts;
  for (size_t i = 0; i < boxes.size(); ++i) texts[i] = ToCp932(boxes[i]->text());
  return texts;
}

void TfrmImport::cmdOKClick() {
  if (CheckEntries()) accept();
}

bool TfrmImport::CheckEntries() {
  if (lstExcelSheet->selectedItems().isEmpty()) {
    prompt_.Warn(ToCp932(QStringLiteral("シートが選択されていません。")));
    lstExcelSheet->setFocus();
    return false;
  }
  if (!book_) return false;
  const auto boxes = LayoutBoxes();
  excel::ImportLayoutTexts texts = BoxTexts();
  std::optional<int> bad;
  try {
    bad = excel::FirstInvalidLayoutField(texts, book_->Worksheets().Item(1));
  } catch (const excel::ExcelError& e) {
    prompt_.Error(ToCp932(QString::fromUtf8(e.what())));
    return false;
  }
  // The boxes checked so far show their trimmed text.
  const int checked = bad ? *bad : excel::kLayoutFieldCount - 1;
  for (int i = 0; i <= checked; ++i) boxes[i]->setText(FromCp932(texts[i]));
  if (bad) {
    prompt_.Warn(ToCp932(QStringLiteral("レイアウトが不正です。")));
    boxes[*bad]->setFocus();
    return false;
  }
  return true;
}

}  // namespace morvane
