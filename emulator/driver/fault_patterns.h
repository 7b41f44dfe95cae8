// The regular expressions of a data source's fault options (FailPattern, ExecInfoPattern,
// FailAfterRowsPattern), compiled once when connecting. RE2 matches in time linear in the
// statement and without recursion, so no statement or pattern can hang or overflow the client.
#pragma once

#include <re2/re2.h>

#include <memory>
#include <string>

#include "driver/data_source.h"

namespace morvane::emulator {

struct FaultPatterns {
  std::unique_ptr<RE2> fail;
  std::unique_ptr<RE2> exec_info;
  std::unique_ptr<RE2> fail_after_rows;
};

// Compiles the patterns of the options (empty ones stay unset). An invalid pattern gives
// false and a message that names the option and RE2's reason.
bool CompileFaultPatterns(const DataSourceOptions& options, FaultPatterns& patterns,
                          std::string* error);

// True when the pattern is set and found somewhere in the statement's text (CP932 bytes).
bool Matches(const std::unique_ptr<RE2>& pattern, const std::string& text);

}  // namespace morvane::emulator
