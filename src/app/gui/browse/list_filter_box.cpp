#include "app/gui/browse/list_filter_box.h"

#include <QLineEdit>

namespace morvane {

QLineEdit* MakeListFilterBox(QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(QStringLiteral("edtFilter"));
  box->setPlaceholderText(QStringLiteral("テーブル名で絞り込み"));
  box->setClearButtonEnabled(true);
  box->setToolTip(
      QStringLiteral("テーブル名に含まれる文字で一覧を絞り込みます（大文字小文字を区別せず、"
                     "* は任意の文字列）"));
  box->hide();
  return box;
}

}  // namespace morvane
