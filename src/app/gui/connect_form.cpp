#include "app/gui/connect_form.h"

namespace morvane {

TfrmConnect::TfrmConnect(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmConnect"));
  setWindowTitle(QStringLiteral("データベース接続"));
}

}  // namespace morvane
