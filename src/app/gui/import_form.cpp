#include "app/gui/import_form.h"

namespace morvane {

TfrmImport::TfrmImport(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmImport"));
  setWindowTitle(QStringLiteral("インポート"));
}

}  // namespace morvane
