// The progress of long work in the main window: the bar pgbWait over the status bar, the work's
// name in panel 2, and the cancel button and Esc that show once the work first asks.
#pragma once

#include <functional>

#include "model/progress.h"

class QMainWindow;
class QProgressBar;

namespace morvane {

class TWindowStatusBar;
class TWorkCancel;

class TWorkProgress : public IProgress {
 public:
  // `ended` runs when the work ends (panel 2 shows the selection count again).
  TWorkProgress(QMainWindow* window, TWindowStatusBar& status, std::function<void()> ended);

  QProgressBar* Bar() const { return pgbWait_; }
  // Keeps the bar beside the status panels, moved right when they grew.
  void Place();

  void Begin(const std::string& activity_utf8, int total) override;
  void Step(int done) override;
  void End() override;
  bool Cancelled() const override;

 private:
  QMainWindow* window_;
  TWindowStatusBar& status_;
  std::function<void()> ended_;
  QProgressBar* pgbWait_ = nullptr;
  mutable TWorkCancel* cancel_ = nullptr;  // made on the first cancellable work
};

}  // namespace morvane
