// morvane-cli diff: what changed between two projects, between a project and its database as it
// is now, or between a project's design workbook and its database definitions.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace morvane {

// Usage lines of the command.
extern const char kDiffUsage[];

// Runs, with the arguments after the command word,
//   diff OLD.vnk NEW.vnk [--kinds 2,3,4] [--all-items] [--format text|tsv|markdown]
//        [--out CHANGES.xlsx]
//   diff PROJECT.vnk --dsn NAME [--uid USER] [--pwd-file FILE | --pwd P] [same options]
//   diff PROJECT.vnk --kinds 1:2 [--format ...] [--out ...]
// The changes go to `out` in UTF-8; with --out they are also appended to the workbook's
// 「変更履歴」 sheet. Returns 0 when nothing differs, 1 when something does, 2 on an error.
int RunDiffCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace morvane
