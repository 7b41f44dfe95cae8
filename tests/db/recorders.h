// Status bar and progress that remember what the database code showed.
#pragma once

#include <string>
#include <vector>

#include "db/status_bar.h"
#include "model/progress.h"

namespace morvane {

class RecordingStatusBar : public IStatusBar {
 public:
  std::vector<std::string> connection_texts;  // panel 1, in order
  std::vector<std::string> activity_texts;    // panel 2, in order
  int busy_depth = 0;                         // back to 0 once the work is over

  void SetPanelText(int panel, const std::string& text) override {
    if (panel == kConnectionPanel) connection_texts.push_back(text);
    if (panel == kActivityPanel) activity_texts.push_back(text);
  }
  void SetBusy(bool busy) override { busy_depth += busy ? 1 : -1; }
};

class RecordingProgress : public IProgress {
 public:
  std::string activity;
  int total = -1;
  std::vector<int> steps;
  int runs = 0;   // Begin calls
  int ended = 0;  // End calls

  void Begin(const std::string& activity_utf8, int total_steps) override {
    activity = activity_utf8;
    total = total_steps;
    steps.clear();
    ++runs;
  }
  void Step(int done) override { steps.push_back(done); }
  void End() override { ++ended; }
};

}  // namespace morvane
