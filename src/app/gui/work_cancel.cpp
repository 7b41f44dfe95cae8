#include "app/gui/work_cancel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace morvane {

namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::Close:
      return true;
    default:
      return false;
  }
}

}  // namespace

TWorkCancel::TWorkCancel(QWidget* window, QWidget* beside) : QObject(window), beside_(beside) {
  cmdCancel = new QPushButton(QStringLiteral("中止"), window);
  cmdCancel->setObjectName(QStringLiteral("cmdWorkCancel"));
  cmdCancel->setToolTip(QStringLiteral("データ取得を中止します (Esc)"));
  cmdCancel->hide();
  connect(cmdCancel, &QPushButton::clicked, this, [this] { requested_ = true; });
}

TWorkCancel::~TWorkCancel() { Stop(); }

void TWorkCancel::Start() {
  requested_ = false;
  if (watching_) return;
  watching_ = true;
  const QRect bar = beside_->geometry();
  cmdCancel->setGeometry(bar.right() + 4, bar.top() - 2, 60, bar.height() + 4);
  cmdCancel->show();
  cmdCancel->raise();
  qApp->installEventFilter(this);
}

bool TWorkCancel::Poll() {
  if (!watching_) Start();
  QApplication::processEvents();
  return requested_;
}

void TWorkCancel::Stop() {
  if (!watching_) return;
  watching_ = false;
  qApp->removeEventFilter(this);
  cmdCancel->hide();
}

bool TWorkCancel::eventFilter(QObject* watched, QEvent* event) {
  if (!watching_ || !IsUserInput(event->type())) return false;
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    requested_ = true;
    return true;
  }
  // Only the button takes input while the work runs.
  return watched != cmdCancel || event->type() == QEvent::Close;
}

}  // namespace morvane
