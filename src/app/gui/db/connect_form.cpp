#include "app/gui/db/connect_form.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "app/gui/app_settings.h"
#include "app/gui/qt_text.h"
#include "db/db_connection.h"
#include "model/catalogue_store.h"

namespace morvane {
namespace {

// Masks a password with "*" whatever character the platform's style would use.
class AsteriskPasswordStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* answer) const override {
    if (hint == SH_LineEdit_PasswordCharacter) return '*';
    return QProxyStyle::styleHint(hint, option, widget, answer);
  }
};

QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QLatin1String(name));
  return button;
}

QLineEdit* NewEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QLatin1String(name));
  edit->setMinimumWidth(200);
  return edit;
}

}  // namespace

TfrmConnect::TfrmConnect(TDbConnection& connection, const TCatalogueStore& store, IPrompt& prompt,
                         IStatusBar& status, QWidget* parent)
    : QDialog(parent), connection_(connection), store_(store), prompt_(prompt), status_(status) {
  setObjectName(QStringLiteral("frmConnect"));
  setWindowTitle(QStringLiteral("データベース接続"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  BuildControls();
  connect(cmdOK, &QPushButton::clicked, this, &TfrmConnect::cmdOKClick);
  connect(cmdCancel, &QPushButton::clicked, this, &TfrmConnect::cmdCancelClick);
}

void TfrmConnect::BuildControls() {
  gbxConnect = new QGroupBox(this);
  gbxConnect->setObjectName(QStringLiteral("gbxConnect"));

  cmbDSN = new QComboBox(gbxConnect);  // not editable: a data source is chosen, never typed
  cmbDSN->setObjectName(QStringLiteral("cmbDSN"));
  txtUID = NewEdit("txtUID", gbxConnect);
  txtPWD = NewEdit("txtPWD", gbxConnect);
  txtPWD->setEchoMode(QLineEdit::Password);
  auto* mask = new AsteriskPasswordStyle;
  mask->setParent(txtPWD);
  txtPWD->setStyle(mask);
  // No input method: a password is typed key by key, never composed.
  txtPWD->setAttribute(Qt::WA_InputMethodEnabled, false);
  txtPWD->setInputMethodHints(txtPWD->inputMethodHints() | Qt::ImhHiddenText |
                              Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);

  auto* fields = new QFormLayout(gbxConnect);
  fields->addRow(QStringLiteral("DSN"), cmbDSN);
  fields->addRow(QStringLiteral("UID"), txtUID);
  fields->addRow(QStringLiteral("PWD"), txtPWD);

  cmdOK = NewButton(QStringLiteral("OK"), "cmdOK", this);
  cmdOK->setDefault(true);
  cmdCancel = NewButton(QStringLiteral("キャンセル"), "cmdCancel", this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gbxConnect);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmConnect::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen();
  FormShow();
}

void TfrmConnect::CentreOnScreen() {
  QScreen* display = screen();
  if (!display) return;
  QRect frame = frameGeometry();
  frame.moveCenter(display->availableGeometry().center());
  move(frame.topLeft());
}

void TfrmConnect::FormShow() {
  dataSources_ = ListDataSources(store_.product, prompt_);
  cmbDSN->clear();
  for (const std::string& name : dataSources_) cmbDSN->addItem(FromCp932(name));
  cmbDSN->setCurrentIndex(dataSources_.empty() ? -1 : 0);
  cmbDSN->setFocus();
  txtUID->clear();
  txtPWD->clear();
  if (settings_) FillRememberedLogin();
}

void TfrmConnect::FillRememberedLogin() {
  const TAppSettings::Login login = settings_->LastLogin(store_.product);
  const int index = cmbDSN->findText(login.dataSource);
  if (index >= 0) cmbDSN->setCurrentIndex(index);
  txtUID->setText(login.user);
  // With the data source and user known, the password is what is left to type.
  if (index >= 0 && !login.user.isEmpty()) txtPWD->setFocus();
}

void TfrmConnect::cmdOKClick() {
  int chosen = cmbDSN->currentIndex();
  std::string dsn = chosen >= 0 ? dataSources_.at(chosen) : std::string();
  if (connection_.Connect(store_.product, dsn, ToCp932(txtUID->text()), ToCp932(txtPWD->text()),
                          prompt_, status_)) {
    if (settings_) {
      settings_->SetLastLogin(store_.product, {FromCp932(dsn), txtUID->text()});
    }
    accept();
  } else {
    cmbDSN->setFocus();
  }
}

void TfrmConnect::cmdCancelClick() { reject(); }

}  // namespace morvane
