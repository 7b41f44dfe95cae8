#include "app/gui/db/schema_choice_form.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/qt_text.h"

namespace morvane {

TfrmSchemaChoice::TfrmSchemaChoice(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmSchemaChoice"));
  setWindowTitle(QStringLiteral("スキーマの選択"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("データを取得するスキーマを選んでください。"), this));
  lstSchema = new QListWidget(this);
  lstSchema->setObjectName(QStringLiteral("lstSchema"));
  layout->addWidget(lstSchema);
  auto* all_row = new QHBoxLayout;
  auto* all = new QPushButton(QStringLiteral("すべて選択"), this);
  auto* none = new QPushButton(QStringLiteral("すべて解除"), this);
  all_row->addWidget(all);
  all_row->addWidget(none);
  all_row->addStretch();
  layout->addLayout(all_row);
  auto* buttons = new QDialogButtonBox(this);
  cmdOK = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  cmdCancel = buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  cmdOK->setDefault(true);
  layout->addWidget(buttons);
  connect(all, &QPushButton::clicked, this, [this] { SetAllChecked(true); });
  connect(none, &QPushButton::clicked, this, [this] { SetAllChecked(false); });
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(lstSchema, &QListWidget::itemChanged, this, [this] { UpdateOk(); });
}

void TfrmSchemaChoice::Load(const TSchemaChoice& choice) {
  const std::optional<QStringList>& remembered = choice.checked;
  lstSchema->clear();
  for (const OdbcSchemaEntry& schema : choice.schemas) {
    if (schema.system) continue;
    auto* item = new QListWidgetItem(FromCp932(schema.name), lstSchema);
    item->setData(Qt::UserRole, QByteArray::fromStdString(schema.name));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    const bool checked = !remembered || remembered->contains(item->text());
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
  UpdateOk();
}

void TfrmSchemaChoice::Apply(TSchemaChoice& choice) const {
  choice.checked = CheckedNames();
  choice.chosen = Chosen();
}

std::vector<std::string> TfrmSchemaChoice::Chosen() const {
  std::vector<std::string> names;
  for (int i = 0; i < lstSchema->count(); ++i) {
    const QListWidgetItem* item = lstSchema->item(i);
    if (item->checkState() == Qt::Checked) {
      names.push_back(item->data(Qt::UserRole).toByteArray().toStdString());
    }
  }
  return names;
}

QStringList TfrmSchemaChoice::CheckedNames() const {
  QStringList names;
  for (int i = 0; i < lstSchema->count(); ++i) {
    if (lstSchema->item(i)->checkState() == Qt::Checked) names << lstSchema->item(i)->text();
  }
  return names;
}

void TfrmSchemaChoice::SetAllChecked(bool checked) {
  for (int i = 0; i < lstSchema->count(); ++i) {
    lstSchema->item(i)->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
  }
}

// Nothing to read is no choice: OK needs at least one schema.
void TfrmSchemaChoice::UpdateOk() { cmdOK->setEnabled(!Chosen().empty()); }

}  // namespace morvane
