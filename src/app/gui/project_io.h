// The project file as the main window sees it: open and save with their outcome, messages
// ready to show. Wraps the core's reader and writer.
#pragma once

#include <string>
#include <vector>

namespace morvane {

class TCatalogueStore;
class IProgress;

struct TOpenOutcome {
  bool ok = false;
  std::string earlierVersionWarning;  // CP932; shown before anything else when not empty
  std::vector<std::string> errors;    // CP932; shown in order when the read failed
};

struct TSaveOutcome {
  bool ok = false;
  std::string error;  // CP932
};

// Resets the store and reads the project at `path` (a local path, UTF-8) into it.
TOpenOutcome OpenProjectFile(TCatalogueStore& store, const std::string& path, IProgress& progress);

// Writes the store to `path`. On failure an existing file at `path` is left as it was.
TSaveOutcome SaveProjectFile(TCatalogueStore& store, const std::string& path, IProgress& progress);

}  // namespace morvane
