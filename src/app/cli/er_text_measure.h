// Text measurement for sizing ER table windows from the command line: the window fonts through
// Qt's offscreen platform where the program is built with pictures, else a fixed estimate.
#pragma once

#include <memory>

#include "er/er_fit.h"

namespace morvane {

class CliERTextMeasure {
 public:
  CliERTextMeasure();
  ~CliERTextMeasure();
  const TERTextMeasure& measure() const { return measure_; }

 private:
  struct Gui;
  std::unique_ptr<Gui> gui_;
  TERTextMeasure measure_;
};

}  // namespace morvane
