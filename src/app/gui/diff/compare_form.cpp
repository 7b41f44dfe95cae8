#include "app/gui/diff/compare_form.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/prompt.h"
#include "text/codec.h"

namespace morvane {

TfrmCompare::TfrmCompare(IPrompt& prompt, std::function<std::optional<QString>()> askProject,
                         QWidget* parent)
    : QDialog(parent), prompt_(prompt), askProject_(std::move(askProject)) {
  setObjectName(QStringLiteral("frmCompare"));
  setWindowTitle(QStringLiteral("比較"));
  auto* source = new QGroupBox(QStringLiteral("比較する相手"), this);
  auto* grid = new QGridLayout(source);
  optFile = new QRadioButton(QStringLiteral("プロジェクトファイル"), source);
  txtFile = new QLineEdit(source);
  cmdBrowse = new QPushButton(QStringLiteral("参照..."), source);
  optDatabase = new QRadioButton(QStringLiteral("接続中のデータベース"), source);
  optDesign = new QRadioButton(QStringLiteral("Excelファイル (設計) とテーブル情報"), source);
  grid->addWidget(optFile, 0, 0);
  grid->addWidget(txtFile, 0, 1);
  grid->addWidget(cmdBrowse, 0, 2);
  grid->addWidget(optDatabase, 1, 0, 1, 3);
  grid->addWidget(optDesign, 2, 0, 1, 3);
  auto* kinds = new QGroupBox(QStringLiteral("データの種類"), this);
  auto* kindRow = new QHBoxLayout(kinds);
  chkTable = new QCheckBox(QStringLiteral("テーブル情報"), kinds);
  chkIndex = new QCheckBox(QStringLiteral("インデックス情報"), kinds);
  chkTableIndex = new QCheckBox(QStringLiteral("テーブル・インデックス情報"), kinds);
  for (QCheckBox* box : {chkTable, chkIndex, chkTableIndex}) kindRow->addWidget(box);
  chkAllItems = new QCheckBox(QStringLiteral("件数・統計の項目も比較する"), this);
  cmdOK = new QPushButton(QStringLiteral("OK"), this);
  cmdCancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cmdOK->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(source);
  layout->addWidget(kinds);
  layout->addWidget(chkAllItems);
  layout->addLayout(buttons);
  connect(cmdOK, &QPushButton::clicked, this, &TfrmCompare::cmdOKClick);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdBrowse, &QPushButton::clicked, this, [this] {
    if (std::optional<QString> path = askProject_()) txtFile->setText(*path);
  });
  for (QRadioButton* option : {optFile, optDatabase, optDesign}) {
    connect(option, &QRadioButton::toggled, this, &TfrmCompare::UpdateEnabled);
  }
}

void TfrmCompare::Load(const TCompareRequest& request) {
  using Source = TCompareRequest::Source;
  optFile->setChecked(request.source == Source::kProjectFile);
  optDatabase->setChecked(request.source == Source::kDatabase);
  optDesign->setChecked(request.source == Source::kDesign);
  txtFile->setText(request.projectPath);
  auto has = [&](DataKind kind) {
    return std::find(request.kinds.begin(), request.kinds.end(), kind) != request.kinds.end();
  };
  chkTable->setChecked(has(DataKind::Table));
  chkIndex->setChecked(has(DataKind::Index));
  chkTableIndex->setChecked(has(DataKind::TableIndex));
  chkAllItems->setChecked(request.allItems);
  UpdateEnabled();
}

void TfrmCompare::Apply(TCompareRequest& request) const {
  using Source = TCompareRequest::Source;
  request.source = optDatabase->isChecked() ? Source::kDatabase
                   : optDesign->isChecked() ? Source::kDesign
                                            : Source::kProjectFile;
  request.projectPath = txtFile->text().trimmed();
  request.kinds.clear();
  for (auto [box, kind] :
       {std::pair{chkTable, DataKind::Table}, std::pair{chkIndex, DataKind::Index},
        std::pair{chkTableIndex, DataKind::TableIndex}}) {
    if (box->isChecked()) request.kinds.push_back(kind);
  }
  request.allItems = chkAllItems->isChecked();
}

void TfrmCompare::cmdOKClick() {
  TCompareRequest request;
  Apply(request);
  if (request.source == TCompareRequest::Source::kProjectFile && request.projectPath.isEmpty()) {
    prompt_.Warn(ToCp932("比較するプロジェクトファイルを指定してください。"));
    return;
  }
  if (request.source != TCompareRequest::Source::kDesign && request.kinds.empty()) {
    prompt_.Warn(ToCp932("比較するデータの種類を選んでください。"));
    return;
  }
  accept();
}

void TfrmCompare::UpdateEnabled() {
  const bool file = optFile->isChecked();
  txtFile->setEnabled(file);
  cmdBrowse->setEnabled(file);
  const bool kinds = !optDesign->isChecked();
  for (QCheckBox* box : {chkTable, chkIndex, chkTableIndex, chkAllItems}) box->setEnabled(kinds);
}

}  // namespace morvane
