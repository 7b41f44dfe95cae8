#include "app/gui/help/desktop_viewer.h"

#include <QElapsedTimer>
#include <QProcess>
#include <memory>

namespace morvane {
namespace {

// xdg-open reports a missing viewer at once; a failure after this long comes from a viewer the
// user has used and closed, and is no reason to show the file a second time.
constexpr qint64 kFailureWindowMs = 5000;

}  // namespace

void OpenInDesktopViewer(const QUrl& url, QObject* context, std::function<void()> on_failure) {
  // No parent: closing the window must not end a viewer that xdg-open runs in the foreground.
  auto* process = new QProcess;
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
  QObject::connect(process, &QProcess::finished, context,
                   [clock, on_failure](int code, QProcess::ExitStatus status) {
                     bool failed = status != QProcess::NormalExit || code != 0;
                     if (failed && clock->elapsed() < kFailureWindowMs) on_failure();
                   });
  QObject::connect(process, &QProcess::errorOccurred, context,
                   [process, on_failure](QProcess::ProcessError error) {
                     if (error != QProcess::FailedToStart) return;
                     process->deleteLater();
                     on_failure();
                   });
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  process->start(QStringLiteral("xdg-open"),
                 {url.isLocalFile() ? url.toLocalFile() : url.toString()});
}

}  // namespace morvane
