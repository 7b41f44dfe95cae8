// TfrmConnect: the data source connection dialog. Its controls arrive with the connection work.
#pragma once

#include <QDialog>

namespace morvane {

class TfrmConnect : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmConnect(QWidget* parent = nullptr);
};

}  // namespace morvane
