#include "app/gui/help/help_window.h"

#include <QHBoxLayout>
#include <QScreen>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/gui/qt_text.h"
#include "app/gui/screen_fit.h"
#include "model/prompt.h"

namespace morvane {
namespace {

QToolButton* MakeButton(const char* name, const QString& text, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setText(text);
  button->setAutoRaise(true);
  return button;
}

}  // namespace

TfrmHelp::TfrmHelp(UrlOpener open_url, QWidget* parent)
    : QWidget(parent, Qt::Window), open_url_(std::move(open_url)) {
  setObjectName(QStringLiteral("frmHelp"));
  setWindowTitle(QStringLiteral("ヘルプ"));
  resize(760, 560);

  cmdBack = MakeButton("cmdBack", QStringLiteral("戻る"), this);
  cmdForward = MakeButton("cmdForward", QStringLiteral("進む"), this);
  cmdHome = MakeButton("cmdHome", QStringLiteral("目次"), this);
  cmdBrowser = MakeButton("cmdBrowser", QStringLiteral("ブラウザで開く"), this);
  cmdBack->setEnabled(false);
  cmdForward->setEnabled(false);

  txtHelp = new QTextBrowser(this);
  txtHelp->setObjectName(QStringLiteral("txtHelp"));
  txtHelp->setOpenExternalLinks(true);

  auto* buttons = new QHBoxLayout;
  for (QToolButton* button : {cmdBack, cmdForward, cmdHome}) buttons->addWidget(button);
  buttons->addStretch(1);
  buttons->addWidget(cmdBrowser);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addLayout(buttons);
  layout->addWidget(txtHelp, 1);

  connect(cmdBack, &QToolButton::clicked, txtHelp, &QTextBrowser::backward);
  connect(cmdForward, &QToolButton::clicked, txtHelp, &QTextBrowser::forward);
  connect(cmdHome, &QToolButton::clicked, txtHelp, &QTextBrowser::home);
  connect(txtHelp, &QTextBrowser::backwardAvailable, cmdBack, &QToolButton::setEnabled);
  connect(txtHelp, &QTextBrowser::forwardAvailable, cmdForward, &QToolButton::setEnabled);
  connect(txtHelp, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = txtHelp->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("ヘルプ") : title);
  });
  connect(cmdBrowser, &QToolButton::clicked, this, [this] {
    if (open_url_) open_url_(txtHelp->source());
  });
}

bool TfrmHelp::ShowGuide(const QString& program_dir, IPrompt& prompt) {
  const QString path = FindHelpFile(program_dir);
  if (path.isEmpty()) {
    WarnHelpMissing(program_dir, prompt);
    return false;
  }
  const QUrl first_page = QUrl::fromLocalFile(path);
  if (txtHelp->source() != first_page) {
    txtHelp->clearHistory();
    txtHelp->setSource(first_page);
  }
  PlaceOverParent();
  show();
  raise();
  activateWindow();
  return true;
}

void TfrmHelp::PlaceOverParent() {
  if (placed_ || parentWidget() == nullptr) return;
  placed_ = true;
  const QWidget* owner = parentWidget()->window();
  QRect frame(QPoint(0, 0), size());
  frame.moveCenter(owner->frameGeometry().center());
  if (const QScreen* screen = owner->screen()) {
    frame = FitIntoArea(frame, screen->availableGeometry());
  }
  move(frame.topLeft());
}

}  // namespace morvane
