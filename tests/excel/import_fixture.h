// Workbooks made for the import tests: sheets with cells written through the Excel layer.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "excel/application.h"
#include "model/progress.h"

namespace morvane::excel::testing {

// One sheet: its name and cells (address, UTF-8 text).
struct SheetContent {
  std::string name;
  std::vector<std::pair<std::string, std::string>> cells;
};

// Adds a workbook holding the sheets, in order; it becomes the active workbook.
Workbook& AddBook(ExcelApplication& app, const std::vector<SheetContent>& sheets);

// Counts the steps reported.
class CountingProgress : public IProgress {
 public:
  int total = -1;
  int steps = 0;
  bool ended = false;
  void Begin(const std::string&, int count) override { total = count; }
  void Step(int) override { ++steps; }
  void End() override { ended = true; }
};

}  // namespace morvane::excel::testing
