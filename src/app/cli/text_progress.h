// A progress bar drawn with text on standard error, for the command-line tool.
#pragma once

#include <cstdio>
#include <string>

#include "model/progress.h"

namespace morvane {

// Draws "activity [#####.....]  50%" on one line, redrawn in place when the percentage
// changes. Draws nothing unless the stream is a terminal, so logs stay clean.
class TextProgressBar : public IProgress {
 public:
  explicit TextProgressBar(std::FILE* out = stderr);
  void Begin(const std::string& activity_utf8, int total) override;
  void Step(int done) override;
  void End() override;

 private:
  void Draw(int percent);

  std::FILE* out_;
  bool enabled_;
  std::string activity_;
  int total_ = 0;
  int shown_ = -1;
};

}  // namespace morvane
