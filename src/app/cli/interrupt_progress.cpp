#include "app/cli/interrupt_progress.h"

namespace morvane {

namespace {

volatile sig_atomic_t interrupted = 0;

void OnInterrupt(int) { interrupted = 1; }

}  // namespace

InterruptProgress::InterruptProgress(IProgress& inner) : inner_(inner) {
  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previous_);
}

InterruptProgress::~InterruptProgress() { sigaction(SIGINT, &previous_, nullptr); }

bool InterruptProgress::Cancelled() const { return interrupted != 0 || inner_.Cancelled(); }

}  // namespace morvane
