#include "app/gui/browse/list_panel.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/gui/browse/list_filter_box.h"
#include "app/gui/browse/report_view.h"

namespace morvane {

TpnlList::TpnlList(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pnlList"));
  ltvData_ = MakeReportView("ltvData");
  ltvColumn_ = MakeReportView("ltvColumn");
  ltvColumn_->hide();
  ltvDatabase_ = new QListWidget;
  ltvDatabase_->setObjectName(QStringLiteral("ltvDatabase"));
  ltvDatabase_->setViewMode(QListView::IconMode);
  ltvDatabase_->setIconSize(QSize(32, 32));
  ltvDatabase_->setGridSize(QSize(150, 72));
  ltvDatabase_->setMovement(QListView::Static);
  ltvDatabase_->setWordWrap(true);
  ltvDatabase_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildPathLine());
  edtFilter_ = MakeListFilterBox();
  layout->addWidget(edtFilter_);
  layout->addWidget(ltvData_, 1);
  layout->addWidget(ltvColumn_, 1);
  layout->addWidget(ltvDatabase_, 1);
}

QWidget* TpnlList::BuildPathLine() {
  pnlPath_ = new QWidget;
  pnlPath_->setObjectName(QStringLiteral("pnlPath"));
  sbtUp_ = new QToolButton;
  sbtUp_->setObjectName(QStringLiteral("sbtUp"));
  sbtUp_->setArrowType(Qt::UpArrow);
  sbtUp_->setAutoRaise(true);
  sbtUp_->setToolTip(QStringLiteral("上へ"));
  sbtUp_->setEnabled(false);
  txtPath_ = new QLineEdit;
  txtPath_->setObjectName(QStringLiteral("txtPath"));
  txtPath_->setReadOnly(true);
  auto* path_layout = new QHBoxLayout(pnlPath_);
  path_layout->setContentsMargins(2, 2, 2, 2);
  path_layout->addWidget(sbtUp_);
  path_layout->addWidget(txtPath_);
  return pnlPath_;
}

}  // namespace morvane
