#include "app/cli/er_image_command.h"

#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <optional>

#include "app/cli/command.h"
#include "er_picture/er_picture.h"
#include "model/catalogue_store.h"
#include "project/project_reader.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

struct ErImageArgs {
  std::string project;
  std::optional<std::string> sheet;  // UTF-8
  std::string out;
};

std::optional<ErImageArgs> ParseArgs(const std::vector<std::string>& args) {
  ErImageArgs parsed;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--sheet" && i + 1 < args.size()) {
      parsed.sheet = args[++i];
    } else if (arg == "--out" && i + 1 < args.size()) {
      parsed.out = args[++i];
    } else if (!arg.empty() && arg[0] != '-' && parsed.project.empty()) {
      parsed.project = arg;
    } else {
      return std::nullopt;
    }
  }
  if (parsed.project.empty() || parsed.out.empty()) return std::nullopt;
  return parsed;
}

void Print(const std::string& utf8) { std::fprintf(stderr, "%s\n", utf8.c_str()); }

// Fonts and painting need a QGuiApplication; the offscreen platform needs no display.
std::unique_ptr<QGuiApplication> StartGui() {
  if (QGuiApplication::instance() != nullptr) return nullptr;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "morvane-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

const TERSheetRec* FindSheet(const TCatalogueStore& store, const std::optional<std::string>& name) {
  if (store.er.sheets.empty()) return nullptr;
  if (!name) return store.er.sheets.front().get();
  const CodecResult cp932 = Utf8ToCp932(*name);
  if (!cp932.ok) return nullptr;
  for (const auto& sheet : store.er.sheets) {
    if (EqualsIgnoringAsciiCase(sheet->name, cp932.text)) return sheet.get();
  }
  return nullptr;
}

}  // namespace

int RunErImageCommand(const std::vector<std::string>& args) {
  const std::optional<ErImageArgs> parsed = ParseArgs(args);
  if (!parsed) {
    std::fputs(kErImageUsage, stderr);
    return kExitUsage;
  }
  TCatalogueStore store;
  const ProjectReadResult read =
      OpenProjectFile(store, parsed->project, EstimateTextWidth, nullptr);
  for (const std::string& warning : read.warnings) Print(warning);
  for (const std::string& error : read.errors) Print(error);
  if (!read.ok) return kExitFailure;
  const TERSheetRec* sheet = FindSheet(store, parsed->sheet);
  if (sheet == nullptr) {
    Print("シート「" + parsed->sheet.value_or("") + "」がありません。");
    return kExitFailure;
  }
  const std::unique_ptr<QGuiApplication> gui = StartGui();
  QString error;
  QString note;
  if (!SaveERSheetPicture(*sheet, QString::fromStdString(parsed->out), &error, &note)) {
    Print(error.toStdString());
    return kExitFailure;
  }
  if (!note.isEmpty()) Print(note.toStdString());
  return kExitOk;
}

}  // namespace morvane
