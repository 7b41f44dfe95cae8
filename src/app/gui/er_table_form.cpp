#include "app/gui/er_table_form.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace morvane {

TfrmERTable::TfrmERTable(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName(QStringLiteral("frmERTable"));
  resize(150, 150);
  lstColumn_ = new QListWidget(this);
  lstColumn_->setObjectName(QStringLiteral("lstColumn"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lstColumn_);
}

}  // namespace morvane
