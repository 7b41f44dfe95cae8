#include "app/gui/help/about_form.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace morvane {

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("バージョン情報"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(291, 91);

  auto* imgIcon = new QLabel(this);
  imgIcon->setObjectName(QStringLiteral("imgIcon"));
  imgIcon->setGeometry(8, 8, 33, 33);
  imgIcon->setPixmap(QIcon(QStringLiteral(":/icons/morvane.svg")).pixmap(33, 33));

  QFont bold = font();
  bold.setBold(true);

  auto* lblTitle = new QLabel(QStringLiteral("Morvane"), this);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  QFont title_font = bold;
  title_font.setPixelSize(15);
  lblTitle->setFont(title_font);
  lblTitle->setGeometry(52, 10, 230, 22);

  auto* lblVersion = new QLabel(QStringLiteral("Version 2.8.1"), this);
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  lblVersion->setFont(bold);
  lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  lblVersion->setGeometry(52, 36, 230, 18);

  cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
  cmdOK_->setObjectName(QStringLiteral("cmdOK"));
  cmdOK_->setGeometry(100, 62, 91, 21);
  cmdOK_->setDefault(true);
  connect(cmdOK_, &QPushButton::clicked, this, &TfrmAbout::cmdOKClick);
}

void TfrmAbout::cmdOKClick() { accept(); }

}  // namespace morvane
