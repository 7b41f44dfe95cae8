#include "app/gui/er_select_form.h"

namespace morvane {

TfrmERSelect::TfrmERSelect(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmERSelect"));
  setWindowTitle(QStringLiteral("ER図シート選択"));
}

}  // namespace morvane
