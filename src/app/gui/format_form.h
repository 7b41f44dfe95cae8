// TfrmFormat: the output format settings dialog. Its controls arrive with the format settings work.
#pragma once

#include <QDialog>

namespace morvane {

class TfrmFormat : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmFormat(QWidget* parent = nullptr);
};

}  // namespace morvane
