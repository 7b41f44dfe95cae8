// Handing a file to the desktop's own viewer.
#pragma once

#include <QUrl>
#include <functional>

class QObject;

namespace morvane {

// Opens `url` with xdg-open without waiting for it. `on_failure` runs (in `context`'s thread,
// and only while `context` lives) when xdg-open cannot be started, or ends with an error within
// a few seconds: the desktop has no viewer for the file, so the caller can show it itself.
// A viewer that xdg-open keeps in the foreground is left running, also after `context` is gone.
void OpenInDesktopViewer(const QUrl& url, QObject* context, std::function<void()> on_failure);

}  // namespace morvane
