// The frame every morvane-cli command shares: the exit codes, parsing the arguments with the
// usage text on a problem, and opening and saving the project with the messages printed.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "model/catalogue_store.h"
#include "model/progress.h"
#include "model/prompt.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/cp932_text.h"

namespace morvane {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;        // the command ran and did not succeed
inline constexpr int kExitUsage = 2;          // the command line, or a name on it, is not usable
inline constexpr int kExitInterrupted = 130;  // stopped by Ctrl+C, as shells report SIGINT

// The heading before the usage text of the commands that print one.
inline constexpr char kUsageHeading[] = "使い方:\n";

// Parses args into a fresh Arguments with parse (which returns the problem, if any). A problem
// is printed with usage below it and gives kExitUsage; otherwise run decides the exit code.
template <typename Arguments, typename Parse, typename Run>
int ParseThenRun(const std::vector<std::string>& args, std::ostream& err, const std::string& usage,
                 Parse parse, Run run) {
  Arguments arguments;
  if (std::optional<std::string> problem = parse(args, arguments)) {
    err << *problem << "\n" << usage;
    return kExitUsage;
  }
  return run(arguments);
}

// The pieces of a comma-separated list, empty ones included ("a,,b" gives three).
inline std::vector<std::string> SplitNames(const std::string& list) {
  std::vector<std::string> names;
  size_t start = 0;
  for (;;) {
    size_t comma = list.find(',', start);
    names.push_back(list.substr(start, comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return names;
}

// Opens the project at path, printing the reader's warnings (unless left out) and errors to err,
// one a line. True when the project was read.
inline bool OpenProjectReporting(TCatalogueStore& store, const std::string& path, std::ostream& err,
                                 IProgress* progress, bool print_warnings = true) {
  ProjectReadResult read = OpenProjectFile(store, path, EstimateTextWidth, progress);
  if (print_warnings) {
    for (const std::string& warning : read.warnings) err << warning << "\n";
  }
  for (const std::string& error : read.errors) err << error << "\n";
  return read.ok;
}

// Saves the project to path, printing the writer's error to err. True when saved.
inline bool SaveProjectReporting(TCatalogueStore& store, const std::string& path, std::ostream& err,
                                 IProgress* progress = nullptr) {
  ProjectWriteResult saved = SaveProjectFile(store, path, progress);
  if (!saved.ok) err << saved.error << "\n";
  return saved.ok;
}

// Prints every message the command showed, converted for the terminal, and forgets them. After a
// failure (succeeded false) a word of success is left out.
inline void PrintShownMessages(ScriptedPrompt& prompt, std::ostream& err, bool succeeded = true) {
  for (const ScriptedPrompt::Shown& shown : prompt.shown) {
    if (!succeeded && shown.kind == PromptKind::kInformation) continue;
    for (char c : Cp932ForDisplay(shown.text)) {
      if (c != '\r') err << c;  // messages break lines with CR LF
    }
    err << "\n";
  }
  prompt.shown.clear();
}

}  // namespace morvane
