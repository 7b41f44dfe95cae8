// TfrmConnect: the database connection dialog. It offers the ODBC data sources whose driver
// matches the project's database product, takes user name and password, and connects the
// program's one connection. Created once at start and reused: every showing lists the data
// sources afresh and starts with empty user name and password.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace morvane {

class IPrompt;
class TAppSettings;
class IStatusBar;
class TDbConnection;
class TCatalogueStore;

class TfrmConnect : public QDialog {
  Q_OBJECT

 public:
  // The data sources offered follow the product of `store`; `status` shows the connection's
  // state (status panel 1) and the hourglass; failures are shown through `prompt`.
  TfrmConnect(TDbConnection& connection, const TCatalogueStore& store, IPrompt& prompt,
              IStatusBar& status, QWidget* parent = nullptr);

  QGroupBox* gbxConnect = nullptr;
  QComboBox* cmbDSN = nullptr;
  QLineEdit* txtUID = nullptr;
  QLineEdit* txtPWD = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;

  // Where the last data source and user name per product are remembered: each showing then
  // starts with them instead of empty. The password is never remembered. Not owned.
  void SetLoginMemory(TAppSettings* settings) { settings_ = settings; }

 public slots:
  // Lists the data sources, selects the first, empties user name and password.
  void FormShow();
  // Connects with the chosen data source; closes the dialog only when connected.
  void cmdOKClick();
  // Closes the dialog; the connection stays as it was.
  void cmdCancelClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void CentreOnScreen();
  void FillRememberedLogin();

  TDbConnection& connection_;
  const TCatalogueStore& store_;
  IPrompt& prompt_;
  IStatusBar& status_;
  TAppSettings* settings_ = nullptr;
  // The data source names as the driver manager gave them (CP932), in cmbDSN's order.
  std::vector<std::string> dataSources_;
};

}  // namespace morvane
