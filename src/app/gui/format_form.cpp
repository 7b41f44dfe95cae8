#include "app/gui/format_form.h"

namespace morvane {

TfrmFormat::TfrmFormat(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmFormat"));
  setWindowTitle(QStringLiteral("フォーマット設定"));
}

}  // namespace morvane
