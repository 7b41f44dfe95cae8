#include "app/gui/excel/er_select_form.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/qt_text.h"
#include "model/catalogue_store.h"
#include "model/prompt.h"

namespace morvane {

TfrmERSelect::TfrmERSelect(IPrompt& prompt, QWidget* parent) : QDialog(parent), prompt_(prompt) {
  setObjectName(QStringLiteral("frmERSelect"));
  setWindowTitle(QStringLiteral("ER図シート選択"));
  lstSheet = new QListWidget(this);
  lstSheet->setObjectName(QStringLiteral("lstSheet"));
  lstSheet->setSelectionMode(QAbstractItemView::ExtendedSelection);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setDefault(true);
  cmdCancel = new QPushButton(QStringLiteral("キャンセル"), this);
  cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
  connect(cmdOK, &QPushButton::clicked, this, &TfrmERSelect::cmdOKClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);  // Esc rejects as well

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lstSheet);
  layout->addLayout(buttons);
  resize(300, 320);
}

void TfrmERSelect::Load(const TCatalogueStore& store) {
  names_.clear();
  lstSheet->clear();
  for (const auto& sheet : store.er.sheets) {
    names_.push_back(sheet->name);
    lstSheet->addItem(FromCp932(sheet->name));
  }
}

std::vector<std::string> TfrmERSelect::SelectedSheets() const {
  std::vector<std::string> selected;
  for (int row = 0; row < lstSheet->count() && row < static_cast<int>(names_.size()); ++row) {
    if (lstSheet->item(row)->isSelected()) selected.push_back(names_[row]);
  }
  return selected;
}

void TfrmERSelect::Apply(TCatalogueStore& store) const { store.erOutputSheets = SelectedSheets(); }

void TfrmERSelect::cmdOKClick() {
  if (SelectedSheets().empty()) {
    prompt_.Warn(ToCp932(QStringLiteral("選択されていません。")));
    return;
  }
  accept();
}

}  // namespace morvane
