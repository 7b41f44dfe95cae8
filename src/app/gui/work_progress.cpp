#include "app/gui/work_progress.h"

#include <QLayout>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>

#include "app/gui/window_status_bar.h"
#include "app/gui/work_cancel.h"
#include "app/gui/work_repaint.h"

namespace morvane {
namespace {

constexpr int kProgressLeft = 270;
constexpr int kProgressWidth = 151;
constexpr int kProgressHeight = 11;

}  // namespace

TWorkProgress::TWorkProgress(QMainWindow* window, TWindowStatusBar& status,
                             std::function<void()> ended)
    : window_(window), status_(status), ended_(std::move(ended)) {
  pgbWait_ = new QProgressBar(window);
  pgbWait_->setObjectName(QStringLiteral("pgbWait"));
  pgbWait_->setTextVisible(false);
  pgbWait_->setGeometry(kProgressLeft, window->height() - kProgressHeight - 3, kProgressWidth,
                        kProgressHeight);
  pgbWait_->hide();
}

void TWorkProgress::Place() {
  if (QLayout* panels = window_->statusBar()->layout()) panels->activate();
  const QWidget* last_panel = status_.LastPanel();
  const int panels_right = last_panel->mapTo(window_, QPoint(last_panel->width(), 0)).x();
  pgbWait_->move(std::max(kProgressLeft, panels_right + 4),
                 window_->height() - pgbWait_->height() - 3);
}

void TWorkProgress::Begin(const std::string& activity_utf8, int total) {
  const QString activity = QString::fromStdString(activity_utf8);
  if (IsStatusActivity(activity)) status_.SetText(2, activity);
  pgbWait_->setRange(0, std::max(total, 1));
  pgbWait_->setValue(0);
  pgbWait_->show();
  pgbWait_->raise();
  RepaintDuringWork(true);
}

void TWorkProgress::Step(int done) {
  if (pgbWait_->value() == done) return;
  pgbWait_->setValue(done);
  RepaintDuringWork();
}

void TWorkProgress::End() {
  pgbWait_->hide();
  if (cancel_) cancel_->Stop();
  if (ended_) ended_();
}

bool TWorkProgress::Cancelled() const {
  if (!cancel_) cancel_ = new TWorkCancel(window_, pgbWait_);
  return cancel_->Poll();
}

}  // namespace morvane
