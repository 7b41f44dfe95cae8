#include "driver/fault_patterns.h"

namespace morvane::emulator {
namespace {

bool Compile(const char* option, const std::string& text, std::unique_ptr<RE2>& target,
             std::string* error) {
  if (text.empty()) return true;
  // Statements reach the driver as CP932 bytes: the pattern matches bytes, as the option's
  // text (read from the same CP932 ini file or connection string) gives them.
  RE2::Options options;
  options.set_encoding(RE2::Options::EncodingLatin1);
  options.set_log_errors(false);
  auto pattern = std::make_unique<RE2>(text, options);
  if (!pattern->ok()) {
    if (error) {
      *error = std::string(option) + " \"" + text +
               "\" is not a valid regular expression: " + pattern->error();
    }
    return false;
  }
  target = std::move(pattern);
  return true;
}

}  // namespace

bool CompileFaultPatterns(const DataSourceOptions& o, FaultPatterns& patterns, std::string* error) {
  return Compile("FailPattern", o.fail_pattern, patterns.fail, error) &&
         Compile("ExecInfoPattern", o.exec_info_pattern, patterns.exec_info, error) &&
         Compile("FailAfterRowsPattern", o.fail_after_rows_pattern, patterns.fail_after_rows,
                 error);
}

bool Matches(const std::unique_ptr<RE2>& pattern, const std::string& text) {
  return pattern && RE2::PartialMatch(text, *pattern);
}

}  // namespace morvane::emulator
