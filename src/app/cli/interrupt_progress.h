// Ctrl+C (SIGINT) as the cancel request of a long command-line operation.
#pragma once

#include <signal.h>

#include "model/progress.h"

namespace morvane {

// Passes progress on to `inner` and reports Cancelled once SIGINT has arrived. While it lives,
// SIGINT only sets that flag; the previous handling comes back when it is destroyed.
class InterruptProgress : public IProgress {
 public:
  explicit InterruptProgress(IProgress& inner);
  ~InterruptProgress() override;
  InterruptProgress(const InterruptProgress&) = delete;
  InterruptProgress& operator=(const InterruptProgress&) = delete;

  void Begin(const std::string& activity_utf8, int total) override {
    inner_.Begin(activity_utf8, total);
  }
  void Step(int done) override { inner_.Step(done); }
  void End() override { inner_.End(); }
  bool Cancelled() const override;

 private:
  IProgress& inner_;
  struct sigaction previous_ {};
};

}  // namespace morvane
