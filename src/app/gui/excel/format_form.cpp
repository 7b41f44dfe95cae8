#include "app/gui/excel/format_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/browse/wait_cursor.h"
#include "app/gui/qt_text.h"
#include "excel/format_address_clash.h"
#include "excel/standard_format.h"
#include "model/prompt.h"
#include "text/codec.h"

namespace morvane {
namespace {

const QString kCaption = QStringLiteral("フォーマット設定");
const QString kCellHeading = QStringLiteral("セル");
const QString kColumnHeading = QStringLiteral("列");
const QString kItemHeading = QStringLiteral("項目");
const QString kHideMain = QStringLiteral("メイン非表示(&V)");
const QString kShowMain = QStringLiteral("メイン表示(&V)");

// Where a row keeps what its texts do not show: the item's index and its name as stored.
constexpr int kItemRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

// The list moves by this many pixels with each up or down move.
constexpr int kMoveScrollPixels = 10;

// A check-box list whose in-place editing always edits the first column, wherever the row was
// clicked: only the cell or column letters are edited here.
class TFormatListView : public QTreeWidget {
 public:
  TFormatListView(const char* name, int columns, QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QLatin1String(name));
    setColumnCount(columns);
    setRootIsDecorated(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setMinimumSize(320, 240);
    // The addresses are short; the item names get the rest.
    for (int column = 0; column + 1 < columns; ++column) setColumnWidth(column, 64);
  }

 protected:
  using QTreeWidget::edit;
  bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override {
    if (!index.isValid()) return QTreeWidget::edit(index, trigger, event);
    return QTreeWidget::edit(index.sibling(index.row(), 0), trigger, event);
  }
};

QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  button->setAutoDefault(false);
  return button;
}

QCheckBox* NewCheck(const QString& caption, const char* name, QWidget* parent) {
  auto* check = new QCheckBox(caption, parent);
  check->setObjectName(QLatin1String(name));
  return check;
}

QLabel* NewLabel(const QString& caption, const char* name, QWidget* parent) {
  auto* label = new QLabel(caption, parent);
  label->setObjectName(QLatin1String(name));
  return label;
}

// A box for a whole number, typed without the input method.
QLineEdit* NewNumberBox(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setAttribute(Qt::WA_InputMethodEnabled, false);
  edit->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
  edit->setMaximumWidth(80);
  return edit;
}

// The up, down, re-set and check buttons beside a list.
QVBoxLayout* ListButtons(std::initializer_list<QPushButton*> buttons) {
  auto* column = new QVBoxLayout;
  for (QPushButton* button : buttons) column->addWidget(button);
  column->addStretch();
  return column;
}

int FirstSelectedRow(const QTreeWidget* list) {
  int first = -1;
  for (QTreeWidgetItem* item : list->selectedItems()) {
    const int row = list->indexOfTopLevelItem(item);
    if (row >= 0 && (first < 0 || row < first)) first = row;
  }
  return first;
}

void WriteRow(QTreeWidgetItem* item, const TFormatRow& row, int columns) {
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable |
                 Qt::ItemIsEditable);
  item->setCheckState(0, row.checked ? Qt::Checked : Qt::Unchecked);
  item->setText(0, FromCp932(row.first));
  if (columns == 3) item->setText(1, FromCp932(row.second));
  item->setText(columns - 1, FromCp932(row.name));
  item->setData(0, kItemRole, row.item);
  item->setData(0, kNameRole, QByteArray::fromStdString(row.name));
}

}  // namespace

TfrmFormat::TfrmFormat(QWidget* mainWindow) : QDialog(mainWindow) {
  setObjectName(QStringLiteral("frmFormat"));
  setWindowTitle(kCaption);
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                 Qt::WindowStaysOnTopHint);
  BuildControls();
  ConnectSignals();
  ShowTableHeadings();
  UpdateEnabling();
  cmdSave->setEnabled(false);
}

void TfrmFormat::BuildControls() {
  tabFormat = new QTabWidget(this);
  tabFormat->setObjectName(QStringLiteral("tabFormat"));
  tabFormat->addTab(BuildTableTab(), QStringLiteral("データ"));
  tabFormat->addTab(BuildColumnTab(), QStringLiteral("明細"));
  tabFormat->addTab(BuildERTab(), QStringLiteral("ER図"));

  cmdMainVisible = NewButton(kHideMain, "cmdMainVisible", this);
  cmdOK = NewButton(QStringLiteral("OK"), "cmdOK", this);
  cmdSave = NewButton(QStringLiteral("適用(&A)"), "cmdSave", this);
  cmdClose = NewButton(QStringLiteral("閉じる"), "cmdClose", this);
  cmdStandard = NewButton(QStringLiteral("標準レイアウト"), "cmdStandard", this);
  cmdStandard->setToolTip(
      QStringLiteral("データベースごとに用意した、添付テンプレートに合うレイアウトを読み込みます"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdMainVisible);
  buttons->addWidget(cmdStandard);
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdSave);
  buttons->addWidget(cmdClose);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabFormat);
  layout->addLayout(buttons);
}

QWidget* TfrmFormat::BuildTableTab() {
  tabTable = new QWidget;
  tabTable->setObjectName(QStringLiteral("tabTable"));
  ltvTable = new TFormatListView("ltvTable", 3, tabTable);
  cmdTableUp = NewButton(QStringLiteral("↑"), "cmdTableUp", tabTable);
  cmdTableDown = NewButton(QStringLiteral("↓"), "cmdTableDown", tabTable);
  cmdTableSetCol = NewButton(QStringLiteral("列の再設定"), "cmdTableSetCol", tabTable);
  cmdTableAllTrue = NewButton(QStringLiteral("全選択"), "cmdTableAllTrue", tabTable);
  cmdTableAllFalse = NewButton(QStringLiteral("全解除"), "cmdTableAllFalse", tabTable);
  chkTableNoOutput = NewCheck(QStringLiteral("データは出力しない"), "chkTableNoOutput", tabTable);
  chkTableOneSheet = NewCheck(QStringLiteral("1シートに出力する"), "chkTableOneSheet", tabTable);
  lblTableOneSheet =
      NewLabel(QStringLiteral("(明細は出力されません)"), "lblTableOneSheet", tabTable);
  lblTableStartRow = NewLabel(QStringLiteral("開始行"), "lblTableStartRow", tabTable);
  txtTableStartRow = NewNumberBox("txtTableStartRow", tabTable);
  lblTableStartRow->setBuddy(txtTableStartRow);
  chkTableHeader = NewCheck(QStringLiteral("ヘッダを含める"), "chkTableHeader", tabTable);

  auto* list = new QHBoxLayout;
  list->addWidget(ltvTable, 1);
  list->addLayout(
      ListButtons({cmdTableUp, cmdTableDown, cmdTableSetCol, cmdTableAllTrue, cmdTableAllFalse}));
  auto* options = new QGridLayout;
  options->addWidget(chkTableNoOutput, 0, 0, 1, 3);
  options->addWidget(chkTableOneSheet, 1, 0);
  options->addWidget(lblTableOneSheet, 1, 1, 1, 2);
  options->addWidget(lblTableStartRow, 2, 0, Qt::AlignRight);
  options->addWidget(txtTableStartRow, 2, 1);
  options->addWidget(chkTableHeader, 2, 2);
  options->setColumnStretch(3, 1);
  auto* layout = new QVBoxLayout(tabTable);
  layout->addLayout(list, 1);
  layout->addLayout(options);
  return tabTable;
}

QWidget* TfrmFormat::BuildColumnTab() {
  tabColumn = new QWidget;
  tabColumn->setObjectName(QStringLiteral("tabColumn"));
  ltvColumn = new TFormatListView("ltvColumn", 2, tabColumn);
  ltvColumn->setHeaderLabels({kColumnHeading, kItemHeading});
  cmdColumnUp = NewButton(QStringLiteral("↑"), "cmdColumnUp", tabColumn);
  cmdColumnDown = NewButton(QStringLiteral("↓"), "cmdColumnDown", tabColumn);
  cmdColumnSetCol = NewButton(QStringLiteral("列の再設定"), "cmdColumnSetCol", tabColumn);
  cmdColumnAllTrue = NewButton(QStringLiteral("全選択"), "cmdColumnAllTrue", tabColumn);
  cmdColumnAllFalse = NewButton(QStringLiteral("全解除"), "cmdColumnAllFalse", tabColumn);
  auto* start_row = NewLabel(QStringLiteral("開始行"), "lblColumnStartRow", tabColumn);
  txtColumnStartRow = NewNumberBox("txtColumnStartRow", tabColumn);
  start_row->setBuddy(txtColumnStartRow);
  chkColumnHeader = NewCheck(QStringLiteral("ヘッダを含める"), "chkColumnHeader", tabColumn);

  auto* list = new QHBoxLayout;
  list->addWidget(ltvColumn, 1);
  list->addLayout(ListButtons(
      {cmdColumnUp, cmdColumnDown, cmdColumnSetCol, cmdColumnAllTrue, cmdColumnAllFalse}));
  auto* options = new QHBoxLayout;
  options->addWidget(start_row);
  options->addWidget(txtColumnStartRow);
  options->addWidget(chkColumnHeader);
  options->addStretch();
  auto* layout = new QVBoxLayout(tabColumn);
  layout->addLayout(list, 1);
  layout->addLayout(options);
  return tabColumn;
}

QWidget* TfrmFormat::BuildERTab() {
  tabER = new QWidget;
  tabER->setObjectName(QStringLiteral("tabER"));
  auto* left = NewLabel(QStringLiteral("左余白"), "lblERLeft", tabER);
  auto* top = NewLabel(QStringLiteral("上余白"), "lblERTop", tabER);
  txtERLeft = NewNumberBox("txtERLeft", tabER);
  txtERTop = NewNumberBox("txtERTop", tabER);
  left->setBuddy(txtERLeft);
  top->setBuddy(txtERTop);
  chkERType = NewCheck(QStringLiteral("データタイプを出力する"), "chkERType", tabER);

  fraLineType = new QGroupBox(QStringLiteral("接続線の種類"), tabER);
  fraLineType->setObjectName(QStringLiteral("fraLineType"));
  optLineTypeStraight = new QRadioButton(QStringLiteral("直線"), fraLineType);
  optLineTypeStraight->setObjectName(QStringLiteral("optLineTypeStraight"));
  optLineTypeElbow = new QRadioButton(QStringLiteral("折れ線"), fraLineType);
  optLineTypeElbow->setObjectName(QStringLiteral("optLineTypeElbow"));
  optLineTypeCurve = new QRadioButton(QStringLiteral("曲線"), fraLineType);
  optLineTypeCurve->setObjectName(QStringLiteral("optLineTypeCurve"));
  lineTypes_ = new QButtonGroup(this);
  lineTypes_->addButton(optLineTypeStraight, kLineTypeStraight);
  lineTypes_->addButton(optLineTypeElbow, kLineTypeElbow);
  lineTypes_->addButton(optLineTypeCurve, kLineTypeCurved);
  auto* types = new QVBoxLayout(fraLineType);
  types->addWidget(optLineTypeStraight);
  types->addWidget(optLineTypeElbow);
  types->addWidget(optLineTypeCurve);

  auto* margins = new QGridLayout;
  margins->addWidget(left, 0, 0);
  margins->addWidget(txtERLeft, 0, 1);
  margins->addWidget(top, 1, 0);
  margins->addWidget(txtERTop, 1, 1);
  margins->setColumnStretch(2, 1);
  auto* layout = new QVBoxLayout(tabER);
  layout->addLayout(margins);
  layout->addWidget(chkERType);
  layout->addWidget(fraLineType);
  layout->addStretch();
  return tabER;
}

void TfrmFormat::ConnectSignals() {
  connect(cmdTableUp, &QPushButton::clicked, this, &TfrmFormat::cmdTableUpClick);
  connect(cmdTableDown, &QPushButton::clicked, this, &TfrmFormat::cmdTableDownClick);
  connect(cmdTableSetCol, &QPushButton::clicked, this, &TfrmFormat::cmdTableSetColClick);
  connect(cmdTableAllTrue, &QPushButton::clicked, this, &TfrmFormat::cmdTableAllTrueClick);
  connect(cmdTableAllFalse, &QPushButton::clicked, this, &TfrmFormat::cmdTableAllFalseClick);
  connect(cmdColumnUp, &QPushButton::clicked, this, &TfrmFormat::cmdColumnUpClick);
  connect(cmdColumnDown, &QPushButton::clicked, this, &TfrmFormat::cmdColumnDownClick);
  connect(cmdColumnSetCol, &QPushButton::clicked, this, &TfrmFormat::cmdColumnSetColClick);
  connect(cmdColumnAllTrue, &QPushButton::clicked, this, &TfrmFormat::cmdColumnAllTrueClick);
  connect(cmdColumnAllFalse, &QPushButton::clicked, this, &TfrmFormat::cmdColumnAllFalseClick);
  connect(chkTableNoOutput, &QCheckBox::clicked, this, &TfrmFormat::chkTableNoOutputClick);
  connect(chkTableOneSheet, &QCheckBox::clicked, this, &TfrmFormat::chkTableOneSheetClick);
  connect(cmdMainVisible, &QPushButton::clicked, this, &TfrmFormat::cmdMainVisibleClick);
  connect(cmdStandard, &QPushButton::clicked, this, &TfrmFormat::cmdStandardClick);
  connect(cmdOK, &QPushButton::clicked, this, &TfrmFormat::cmdOKClick);
  connect(cmdSave, &QPushButton::clicked, this, &TfrmFormat::cmdSaveClick);
  connect(cmdClose, &QPushButton::clicked, this, &TfrmFormat::cmdCloseClick);

  // Every other edit only enables Apply.
  for (QCheckBox* check : {chkTableHeader, chkColumnHeader, chkERType}) {
    connect(check, &QCheckBox::clicked, this, &TfrmFormat::Edited);
  }
  for (QLineEdit* box : {txtTableStartRow, txtColumnStartRow, txtERLeft, txtERTop}) {
    connect(box, &QLineEdit::textEdited, this, &TfrmFormat::Edited);
  }
  connect(lineTypes_, &QButtonGroup::idClicked, this, &TfrmFormat::Edited);
  for (QTreeWidget* list : {ltvTable, ltvColumn}) {
    // A check mark or the first column changed; selecting a row changes nothing.
    connect(list, &QTreeWidget::itemChanged, this, [this] {
      if (!loading_) Edited();
    });
  }
}

// --- showing -------------------------------------------------------------------------------

void TfrmFormat::Load(TCatalogueStore& store, DataKind dataKind, bool erViewShown) {
  store_ = &store;
  dataKind_ = IsDataKind(dataKind) ? dataKind : DataKind::None;
  loading_ = true;
  QString caption = kCaption;
  if (dataKind_ == DataKind::Table || dataKind_ == DataKind::Index ||
      dataKind_ == DataKind::TableIndex) {
    caption += QStringLiteral(" - [%1]").arg(QString::fromUtf8(DataKindCaption(dataKind_)));
  }
  setWindowTitle(caption);

  WriteState(LoadFormatState(store, dataKind_));
  standardLoaded_ = false;
  cmdStandard->setEnabled(store.product != Product::None);

  const bool has_kind = dataKind_ != DataKind::None;
  tabFormat->setTabVisible(tabFormat->indexOf(tabTable), has_kind && dataKind_ != DataKind::Sql);
  tabFormat->setTabVisible(tabFormat->indexOf(tabColumn), has_kind);
  if (erViewShown || !has_kind) {
    tabFormat->setCurrentWidget(tabER);
  } else if (store.currentListLevel == 1 && dataKind_ != DataKind::Sql) {
    tabFormat->setCurrentWidget(tabTable);
  } else {
    tabFormat->setCurrentWidget(tabColumn);
  }

  UpdateEnabling();
  cmdMainVisible->setText(kHideMain);
  cmdSave->setEnabled(false);
  loading_ = false;
}

void TfrmFormat::WriteState(const TFormatDialogState& state) {
  if (dataKind_ != DataKind::None) {
    chkTableNoOutput->setChecked(state.tableNoOutput);
    chkTableOneSheet->setChecked(state.tableOneSheet);
    txtTableStartRow->setText(QString::fromStdString(state.tableStartRow));
    chkTableHeader->setChecked(state.tableHeader);
    ShowTableHeadings();
    ltvTable->clear();
    WriteList(ltvTable, state.table);
    ltvColumn->clear();
    WriteList(ltvColumn, state.column);
    txtColumnStartRow->setText(QString::fromStdString(state.columnStartRow));
    chkColumnHeader->setChecked(state.columnHeader);
  }
  txtERLeft->setText(QString::fromStdString(state.erLeft));
  txtERTop->setText(QString::fromStdString(state.erTop));
  chkERType->setChecked(state.erType);
  SetLineType(state.lineType);
}

void TfrmFormat::cmdStandardClick() {
  if (!store_ || store_->product == Product::None) return;
  if (prompt_ && !prompt_->AskYesNo(ToCp932(StandardLayoutQuestion(store_->product)))) return;
  loading_ = true;
  WriteState(StandardFormatState(*store_, dataKind_));
  loading_ = false;
  UpdateEnabling();
  standardLoaded_ = true;
  Edited();
}

void TfrmFormat::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (QScreen* display = screen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(display->availableGeometry().center());
    move(frame.topLeft());
  }
}

// --- the lists -----------------------------------------------------------------------------

TFormatList TfrmFormat::ReadList(const QTreeWidget* list) const {
  TFormatList rows;
  const int columns = list->columnCount();
  rows.firstColumn = list == ltvTable ? TableFirstColumn() : TFirstColumn::kColumn;
  for (int i = 0; i < list->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = list->topLevelItem(i);
    TFormatRow row;
    row.checked = item->checkState(0) == Qt::Checked;
    row.first = ToCp932(item->text(0));
    if (columns == 3) row.second = ToCp932(item->text(1));
    row.name = item->data(0, kNameRole).toByteArray().toStdString();
    row.item = item->data(0, kItemRole).toInt();
    rows.rows.push_back(std::move(row));
  }
  return rows;
}

void TfrmFormat::WriteList(QTreeWidget* list, const TFormatList& rows) {
  const bool was_loading = loading_;
  loading_ = true;
  const int count = static_cast<int>(rows.rows.size());
  if (list->topLevelItemCount() != count) {
    list->clear();
    for (int i = 0; i < count; ++i) list->addTopLevelItem(new QTreeWidgetItem);
  }
  for (int i = 0; i < count; ++i)
    WriteRow(list->topLevelItem(i), rows.rows[i], list->columnCount());
  loading_ = was_loading;
}

TFirstColumn TfrmFormat::TableFirstColumn() const {
  return chkTableOneSheet->isChecked() ? TFirstColumn::kColumn : TFirstColumn::kCell;
}

void TfrmFormat::ShowTableHeadings() {
  if (TableFirstColumn() == TFirstColumn::kCell) {
    ltvTable->setHeaderLabels({kCellHeading, kColumnHeading, kItemHeading});
  } else {
    ltvTable->setHeaderLabels({kColumnHeading, kCellHeading, kItemHeading});
  }
}

void TfrmFormat::MoveRow(QTreeWidget* list, bool up) {
  const int selected = FirstSelectedRow(list);
  TFormatList rows = ReadList(list);
  const int moved = up ? MoveRowUp(rows, selected) : MoveRowDown(rows, selected);
  if (moved == selected) return;
  WriteList(list, rows);
  list->setCurrentItem(list->topLevelItem(moved));
  QScrollBar* bar = list->verticalScrollBar();
  bar->setValue(bar->value() + (up ? -kMoveScrollPixels : kMoveScrollPixels));
  Edited();
}

void TfrmFormat::EditList(QTreeWidget* list, void (*rule)(TFormatList&)) {
  TFormatList rows = ReadList(list);
  rule(rows);
  WriteList(list, rows);
  Edited();
}

void TfrmFormat::cmdTableUpClick() { MoveRow(ltvTable, true); }
void TfrmFormat::cmdTableDownClick() { MoveRow(ltvTable, false); }
void TfrmFormat::cmdTableSetColClick() { EditList(ltvTable, ResetColumns); }
void TfrmFormat::cmdTableAllTrueClick() {
  EditList(ltvTable, [](TFormatList& rows) { SetAllChecked(rows, true); });
}
void TfrmFormat::cmdTableAllFalseClick() {
  EditList(ltvTable, [](TFormatList& rows) { SetAllChecked(rows, false); });
}
void TfrmFormat::cmdColumnUpClick() { MoveRow(ltvColumn, true); }
void TfrmFormat::cmdColumnDownClick() { MoveRow(ltvColumn, false); }
void TfrmFormat::cmdColumnSetColClick() { EditList(ltvColumn, ResetColumns); }
void TfrmFormat::cmdColumnAllTrueClick() {
  EditList(ltvColumn, [](TFormatList& rows) { SetAllChecked(rows, true); });
}
void TfrmFormat::cmdColumnAllFalseClick() {
  EditList(ltvColumn, [](TFormatList& rows) { SetAllChecked(rows, false); });
}

// --- check boxes and enabling --------------------------------------------------------------

void TfrmFormat::chkTableNoOutputClick() {
  UpdateEnabling();
  Edited();
}

void TfrmFormat::chkTableOneSheetClick() {
  // The rows were read under the headings of the mode just left.
  TFormatList rows = ReadList(ltvTable);
  rows.firstColumn =
      TableFirstColumn() == TFirstColumn::kCell ? TFirstColumn::kColumn : TFirstColumn::kCell;
  SwapFirstColumns(rows);
  ShowTableHeadings();
  WriteList(ltvTable, rows);
  UpdateEnabling();
  Edited();
}

void TfrmFormat::UpdateEnabling() {
  const bool no_output = chkTableNoOutput->isChecked();
  const bool one_sheet = chkTableOneSheet->isChecked();
  chkTableOneSheet->setEnabled(!no_output);
  lblTableOneSheet->setEnabled(!no_output);
  chkTableNoOutput->setEnabled(!one_sheet);
  txtTableStartRow->setEnabled(one_sheet);
  lblTableStartRow->setEnabled(one_sheet);
  chkTableHeader->setEnabled(one_sheet);
}

void TfrmFormat::Edited() {
  if (!loading_) cmdSave->setEnabled(true);
}

// --- state ---------------------------------------------------------------------------------

TFormatDialogState TfrmFormat::ReadState() const {
  TFormatDialogState state;
  state.table = ReadList(ltvTable);
  state.column = ReadList(ltvColumn);
  state.tableNoOutput = chkTableNoOutput->isChecked();
  state.tableOneSheet = chkTableOneSheet->isChecked();
  state.tableStartRow = ToCp932(txtTableStartRow->text());
  state.tableHeader = chkTableHeader->isChecked();
  state.columnStartRow = ToCp932(txtColumnStartRow->text());
  state.columnHeader = chkColumnHeader->isChecked();
  state.erLeft = ToCp932(txtERLeft->text());
  state.erTop = ToCp932(txtERTop->text());
  state.erType = chkERType->isChecked();
  state.lineType = std::max(lineTypes_->checkedId(), 0);
  return state;
}

void TfrmFormat::WriteNumbers(const TFormatDialogState& state) {
  if (dataKind_ != DataKind::None) {
    txtTableStartRow->setText(QString::fromStdString(state.tableStartRow));
    txtColumnStartRow->setText(QString::fromStdString(state.columnStartRow));
  }
  txtERLeft->setText(QString::fromStdString(state.erLeft));
  txtERTop->setText(QString::fromStdString(state.erTop));
}

void TfrmFormat::SetLineType(int lineType) {
  QAbstractButton* chosen = lineTypes_->button(lineType);
  if (chosen) {
    chosen->setChecked(true);
    return;
  }
  // An exclusive group cannot be emptied button by button.
  lineTypes_->setExclusive(false);
  for (QAbstractButton* button : lineTypes_->buttons()) button->setChecked(false);
  lineTypes_->setExclusive(true);
}

// --- buttons -------------------------------------------------------------------------------

bool TfrmFormat::AcceptAddressClashes(const TFormatDialogState& state) {
  if (!prompt_ || dataKind_ == DataKind::None) return true;
  for (const TFormatList* list : {&state.table, &state.column}) {
    if (list == &state.table && state.tableNoOutput) continue;
    const std::optional<TAddressClash> clash = FirstAddressClash(*list);
    if (clash && !prompt_->AskYesNo(AddressClashQuestion(*list, *clash))) return false;
  }
  return true;
}

bool TfrmFormat::Apply() {
  if (!store_) return false;
  TFormatDialogState state = ReadState();
  if (!AcceptAddressClashes(state)) return false;
  WaitCursor wait;
  if (standardLoaded_) {
    ApplyStandardFormatState(state, *store_, dataKind_);
    standardLoaded_ = false;
  } else {
    ApplyFormatState(state, *store_, dataKind_);
  }
  WriteNumbers(state);
  cmdSave->setEnabled(false);
  emit Applied();
  return true;
}

void TfrmFormat::cmdSaveClick() { Apply(); }

void TfrmFormat::cmdOKClick() {
  if (cmdSave->isEnabled() && !Apply()) return;
  ShowMainWindow();
  accept();
}

void TfrmFormat::cmdCloseClick() { reject(); }

void TfrmFormat::reject() {
  ShowMainWindow();
  QDialog::reject();
}

void TfrmFormat::cmdMainVisibleClick() {
  QWidget* main = parentWidget();
  if (!main) return;
  main->setVisible(!main->isVisible());
  cmdMainVisible->setText(main->isVisible() ? kHideMain : kShowMain);
  raise();
  activateWindow();
}

void TfrmFormat::ShowMainWindow() {
  if (QWidget* main = parentWidget()) main->show();
}

}  // namespace morvane
