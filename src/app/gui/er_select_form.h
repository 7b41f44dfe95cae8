// TfrmERSelect: chooses the ER sheets to write into Excel. Its controls arrive with the Excel
// output.
#pragma once

#include <QDialog>

namespace morvane {

class TfrmERSelect : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmERSelect(QWidget* parent = nullptr);
};

}  // namespace morvane
