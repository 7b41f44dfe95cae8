// A small document for the Excel output tests: item lists of data kind 2 with known cells,
// records built from names, ER sheets, and a prompt and progress that remember what they saw.
#pragma once

#include <string>
#include <vector>

#include "excel/application.h"
#include "model/catalogue_store.h"
#include "model/progress.h"
#include "model/prompt.h"

namespace morvane::excel::testing {

// Data kind 2 with table-level items OWNER (A1), NAME (B1), TYPE (C1) and COMMENT (D1, not
// written), and column-level items NO (A), COLUMN (B), TYPE (C) from row 5 with a header.
void SetUpTableItems(TCatalogueStore& store);

// A data kind 2 record with `columns` column rows "1", "COL_1", "NUMBER" ...
TTableRec& AddTable(TCatalogueStore& store, const std::string& owner, const std::string& name,
                    int columns);

struct RecordingProgress : IProgress {
  int total = -1;
  int last = 0;
  int steps = 0;
  int ends = 0;
  std::string activity;
  void Begin(const std::string& a, int t) override {
    activity = a;
    total = t;
  }
  void Step(int done) override {
    last = done;
    ++steps;
  }
  void End() override { ++ends; }
};

// The texts a scripted prompt showed, as UTF-8.
std::vector<std::string> ShownTexts(const ScriptedPrompt& prompt);

}  // namespace morvane::excel::testing
