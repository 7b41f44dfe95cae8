// morvane-cli: creates, re-saves and summarises project files without a display.
//
//   morvane-cli new PRODUCT OUT.vnk   (PRODUCT: a product's word, see app/cli/product_words.h)
//   morvane-cli resave IN.vnk OUT.vnk
//   morvane-cli info IN.vnk
//   morvane-cli fetch --dsn NAME ... (see app/cli/fetch_command.h)
//   morvane-cli sql PROJECT.vnk --dsn NAME ... (see app/cli/sql_command.h)
//   morvane-cli count PROJECT.vnk --dsn NAME ... (see app/cli/count_command.h)
//   morvane-cli format PROJECT.vnk --preset standard (see app/cli/format_command.h)
//   morvane-cli excel IN.vnk ... --out OUT.xlsx (see app/cli/excel_command.h)
//   morvane-cli er-place IN.vnk --sheet NAME ... --out OUT.vnk (see app/cli/er_place_command.h)
//   morvane-cli er-image IN.vnk --sheet NAME --out FILE.svg|.png (see app/cli/er_image_command.h)
//   morvane-cli import PROJECT.vnk --workbook BOOK.xlsx ... (see app/cli/import_command.h)
//   morvane-cli diff OLD.vnk NEW.vnk ... (see app/cli/diff_command.h)
//
// Messages go to standard error with the texts the GUI shows; any failure exits non-zero.
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/cli/command.h"
#include "app/cli/count_command.h"
#include "app/cli/diff_command.h"
#include "app/cli/er_image_command.h"
#include "app/cli/er_place_command.h"
#include "app/cli/excel_command.h"
#include "app/cli/fetch_command.h"
#include "app/cli/format_command.h"
#include "app/cli/import_command.h"
#include "app/cli/product_words.h"
#include "app/cli/project_summary.h"
#include "app/cli/sql_command.h"
#include "app/cli/text_progress.h"
#include "excel/text_boundary.h"
#include "project/new_project.h"
#include "project/project_lock.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/utf8_locale.h"

namespace morvane {
namespace {

void PrintMessage(const std::string& utf8) {
  std::string text;
  for (char c : utf8) {
    if (c != '\r') text += c;  // messages use CR LF line breaks
  }
  std::fprintf(stderr, "%s\n", text.c_str());
}

int Usage() {
  const std::string usage = std::string(kUsageHeading) + "  morvane-cli new " + ProductWords("|") +
                            " OUT.vnk\n"
                            "  morvane-cli resave IN.vnk OUT.vnk\n"
                            "  morvane-cli info IN.vnk\n";
  std::fputs(usage.c_str(), stderr);
#ifdef MORVANE_CLI_FETCH
  std::fputs(FetchUsage().c_str(), stderr);
  std::fputs(kSqlUsage, stderr);
  std::fputs(kCountUsage, stderr);
#endif
  std::fputs(kFormatUsage, stderr);
  std::fputs(kExcelUsage, stderr);
  std::fputs(kErPlaceUsage, stderr);
#ifdef MORVANE_CLI_ER_IMAGE
  std::fputs(kErImageUsage, stderr);
#endif
#ifdef MORVANE_CLI_IMPORT
  std::fputs(kImportUsage, stderr);
  std::fputs(kDiffUsage, stderr);
#endif
  return kExitUsage;
}

bool Save(TCatalogueStore& store, const std::string& path) {
  TextProgressBar progress;
  ProjectWriteResult result = SaveProjectFile(store, path, &progress);
  if (!result.ok) PrintMessage(result.error);
  return result.ok;
}

bool Open(TCatalogueStore& store, const std::string& path) {
  TextProgressBar progress;
  ProjectReadResult result = OpenProjectFile(store, path, EstimateTextWidth, &progress);
  for (const std::string& warning : result.warnings) PrintMessage(warning);
  for (const std::string& error : result.errors) PrintMessage(error);
  return result.ok;
}

// Takes the lock of the project a command writes; false (with the message printed) when it is
// another program's.
bool LockProject(ProjectLock& lock, const std::string& path) {
  std::optional<std::string> busy = lock.Lock(path);
  if (busy) PrintMessage(*busy);
  return !busy;
}

int CommandNew(const std::string& productName, const std::string& out) {
  const std::optional<Product> product = ProductFromWord(productName);
  if (!product) {
    PrintMessage(UnknownProductMessage(productName));
    return kExitUsage;
  }
  ProjectLock lock;
  if (!LockProject(lock, out)) return kExitFailure;
  TCatalogueStore store;
  NewProject(store, *product, EstimateTextWidth);
  return Save(store, out) ? kExitOk : kExitFailure;
}

int CommandResave(const std::string& in, const std::string& out) {
  ProjectLock lock;
  if (!LockProject(lock, out)) return kExitFailure;
  TCatalogueStore store;
  if (!Open(store, in)) return kExitFailure;
  return Save(store, out) ? kExitOk : kExitFailure;
}

int CommandInfo(const std::string& in) {
  TCatalogueStore store;
  if (!Open(store, in)) return kExitFailure;
  std::fputs(ProjectSummary(store).c_str(), stdout);
  return kExitOk;
}

int Run(const std::vector<std::string>& args) {
  if (args.size() == 3 && args[0] == "new") return CommandNew(args[1], args[2]);
  if (args.size() == 3 && args[0] == "resave") return CommandResave(args[1], args[2]);
  if (args.size() == 2 && args[0] == "info") return CommandInfo(args[1]);
  if (!args.empty() && args[0] == "format") {
    return RunFormatCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
  }
  if (!args.empty() && args[0] == "excel") {
    return RunExcelCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
  }
  if (!args.empty() && args[0] == "er-place") {
    return RunErPlaceCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
  }
#ifdef MORVANE_CLI_FETCH
  if (!args.empty() && args[0] == "fetch") {
    return RunFetchCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
  }
  if (!args.empty() && args[0] == "sql") {
    return RunSqlCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
  }
  if (!args.empty() && args[0] == "count") {
    return RunCountCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
  }
#endif
#ifdef MORVANE_CLI_ER_IMAGE
  if (!args.empty() && args[0] == "er-image") {
    return RunErImageCommand({args.begin() + 1, args.end()});
  }
#endif
#ifdef MORVANE_CLI_IMPORT
  if (!args.empty() && args[0] == "diff")
    return RunDiffCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
  if (!args.empty() && args[0] == "import") {
    return RunImportCommand({args.begin() + 1, args.end()}, std::cin, std::cout, std::cerr,
                            isatty(STDIN_FILENO) != 0);
  }
#endif
  return Usage();
}

}  // namespace
}  // namespace morvane

int main(int argc, char** argv) {
  morvane::UseUtf8CharacterLocale();
  try {
    return morvane::Run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    // A library's own text ("std::bad_alloc", "filesystem error: ...") means nothing to a user.
    morvane::PrintMessage(morvane::excel::FailureText(e) + "。中止しました。");
    return morvane::kExitFailure;
  }
}
