// The one way long operations (open, save, fetch, queries, Excel output and import) report how
// far they have come. The main window shows it in its progress bar, the command-line tool as a
// text bar, tests may ignore it.
#pragma once

#include <string>

namespace morvane {

class IProgress {
 public:
  virtual ~IProgress() = default;
  // Starts a new run of work with `total` steps; `activity` is shown beside the bar.
  virtual void Begin(const std::string& activity_utf8, int total) = 0;
  // Reports that `done` of the `total` steps are finished.
  virtual void Step(int done) = 0;
  // Ends the run and hides the bar.
  virtual void End() = 0;
  // Whether the user has asked to stop the run (a cancel button, Esc, Ctrl+C). Work that can
  // stop asks between its steps.
  virtual bool Cancelled() const { return false; }
};

// Progress that goes nowhere.
class NullProgress : public IProgress {
 public:
  void Begin(const std::string&, int) override {}
  void Step(int) override {}
  void End() override {}
};

}  // namespace morvane
