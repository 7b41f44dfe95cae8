#include "app/gui/er/er_sheet_list_form.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace morvane {

TfrmERSheetList::TfrmERSheetList(QWidget* parent)
    : QDialog(parent), edtFilter_(new QLineEdit(this)), lstSheets_(new QListWidget(this)) {
  setObjectName(QStringLiteral("frmERSheetList"));
  setWindowTitle(QStringLiteral("シートの一覧"));
  edtFilter_->setObjectName(QStringLiteral("edtFilter"));
  edtFilter_->setPlaceholderText(QStringLiteral("シート名で絞り込み"));
  edtFilter_->setClearButtonEnabled(true);
  lstSheets_->setObjectName(QStringLiteral("lstSheets"));
  lstSheets_->setUniformItemSizes(true);  // thousands of sheets lay out at once
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(edtFilter_);
  layout->addWidget(lstSheets_);
  layout->addWidget(buttons);
  resize(320, 420);
  connect(edtFilter_, &QLineEdit::textChanged, this, &TfrmERSheetList::Narrow);
  connect(lstSheets_, &QListWidget::itemActivated, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void TfrmERSheetList::Load(const TERSheetChoice& choice) {
  const int current = choice.current;
  lstSheets_->clear();
  lstSheets_->addItems(choice.names);
  for (int i = 0; i < lstSheets_->count(); ++i) lstSheets_->item(i)->setData(Qt::UserRole, i);
  if (current >= 0 && current < lstSheets_->count()) lstSheets_->setCurrentRow(current);
  edtFilter_->clear();
  edtFilter_->setFocus();
}

void TfrmERSheetList::Narrow(const QString& text) {
  QListWidgetItem* first = nullptr;
  for (int i = 0; i < lstSheets_->count(); ++i) {
    QListWidgetItem* item = lstSheets_->item(i);
    const bool hidden = !item->text().contains(text, Qt::CaseInsensitive);
    item->setHidden(hidden);
    if (!hidden && first == nullptr) first = item;
  }
  QListWidgetItem* current = lstSheets_->currentItem();
  if (first != nullptr && (current == nullptr || current->isHidden())) {
    lstSheets_->setCurrentItem(first);
  }
}

void TfrmERSheetList::Apply(TERSheetChoice& choice) const {
  const QListWidgetItem* item = lstSheets_->currentItem();
  choice.current = item == nullptr || item->isHidden() ? -1 : item->data(Qt::UserRole).toInt();
}

}  // namespace morvane
