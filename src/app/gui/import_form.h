// TfrmImport: the Excel import layout and sheet choice. Its controls arrive with the Excel import.
#pragma once

#include <QDialog>

namespace morvane {

class TfrmImport : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmImport(QWidget* parent = nullptr);
};

}  // namespace morvane
