#include "app/cli/format_command.h"

#include <optional>
#include <ostream>
#include <string>

#include "app/cli/command.h"
#include "model/standard_layout.h"
#include "project/project_lock.h"
#include "project/project_reader.h"
#include "project/project_writer.h"

namespace morvane {

const char kFormatUsage[] = "  morvane-cli format PROJECT.vnk --preset standard [--out OUT.vnk]\n";

namespace {

struct FormatArguments {
  std::string project, preset, out;
};

bool Parse(const std::vector<std::string>& args, FormatArguments& parsed) {
  if (args.empty() || args[0].starts_with("--")) return false;
  parsed.project = args[0];
  for (size_t i = 1; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return false;
    if (args[i] == "--preset") {
      parsed.preset = args[i + 1];
    } else if (args[i] == "--out") {
      parsed.out = args[i + 1];
    } else {
      return false;
    }
  }
  return parsed.preset == "standard";
}

}  // namespace

int RunFormatCommand(const std::vector<std::string>& args, std::ostream& /*out*/,
                     std::ostream& err) {
  FormatArguments parsed;
  if (!Parse(args, parsed)) {
    err << kUsageHeading << kFormatUsage;
    return kExitUsage;
  }
  const std::string& target = parsed.out.empty() ? parsed.project : parsed.out;
  ProjectLock lock;
  if (std::optional<std::string> busy = lock.Lock(target)) {
    err << *busy << "\n";
    return kExitFailure;
  }
  TCatalogueStore store;
  if (!OpenProjectReporting(store, parsed.project, err, nullptr)) return kExitFailure;
  if (store.product == Product::None) {
    err << "データベースが選択されていないプロジェクトです。\n";
    return kExitFailure;
  }
  ApplyStandardLayout(store);
  return SaveProjectReporting(store, target, err) ? kExitOk : kExitFailure;
}

}  // namespace morvane
