// TfrmAbout: the version information box of the Help menu.
#pragma once

#include <QDialog>

class QPushButton;

namespace morvane {

class TfrmAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmAbout(QWidget* parent = nullptr);

 private slots:
  void cmdOKClick();

 private:
  QPushButton* cmdOK_;
};

}  // namespace morvane
