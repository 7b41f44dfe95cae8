#include "app/cli/er_place_command.h"

#include <cstdio>
#include <map>
#include <optional>
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/er_text_measure.h"
#include "er/er_fit.h"
#include "er/er_from_record.h"
#include "er/er_sheets.h"
#include "er/er_tables.h"
#include "er/line_geometry.h"
#include "project/project_lock.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {

const char kErPlaceUsage[] =
    "  morvane-cli er-place IN.vnk --sheet NAME --table NAME@LEFT,TOP[,WIDTH,HEIGHT] ...\n"
    "      [--line FROM:TO ...] [--fit] --out OUT.vnk\n";

namespace {

struct Placement {
  std::string table;  // CP932
  int left = 0, top = 0, width = 0, height = 0;
};

struct PlaceArguments {
  std::string in, out;
  std::string sheet;  // CP932
  std::vector<Placement> tables;
  std::vector<std::pair<std::string, std::string>> lines;  // CP932 table names
  bool fit = false;  // every window of the sheet is sized to its content
};

std::optional<Placement> ParsePlacement(const std::string& text) {
  size_t at = text.rfind('@');
  if (at == std::string::npos || at == 0) return std::nullopt;
  CodecResult name = Utf8ToCp932(text.substr(0, at));
  if (!name.ok) return std::nullopt;
  Placement placement{name.text};
  int* fields[] = {&placement.left, &placement.top, &placement.width, &placement.height};
  int count = 0;
  char rest = 0;
  count = std::sscanf(text.c_str() + at + 1, "%d,%d,%d,%d%c", fields[0], fields[1], fields[2],
                      fields[3], &rest);
  if (count != 2 && count != 4) return std::nullopt;
  if (placement.width < 0 || placement.height < 0) return std::nullopt;
  return placement;
}

std::optional<std::string> ParseArguments(const std::vector<std::string>& args,
                                          PlaceArguments& parsed) {
  if (args.empty()) return "プロジェクトファイルを指定してください。";
  parsed.in = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--fit") {
      parsed.fit = true;
      continue;
    }
    if (i + 1 >= args.size()) return option + " の値がありません。";
    const std::string& value = args[++i];
    if (option == "--sheet") {
      CodecResult sheet = Utf8ToCp932(value);
      if (!sheet.ok || TrimBlanks(sheet.text).empty())
        return "シート名「" + value + "」は使えません。";
      parsed.sheet = TrimBlanks(sheet.text);
    } else if (option == "--table") {
      std::optional<Placement> placement = ParsePlacement(value);
      if (!placement) return "テーブルの配置「" + value + "」は使えません (NAME@LEFT,TOP)。";
      parsed.tables.push_back(*placement);
    } else if (option == "--line") {
      size_t colon = value.find(':');
      CodecResult from = Utf8ToCp932(value.substr(0, colon == std::string::npos ? 0 : colon));
      CodecResult to = Utf8ToCp932(colon == std::string::npos ? "" : value.substr(colon + 1));
      if (!from.ok || !to.ok || from.text.empty() || to.text.empty()) {
        return "線「" + value + "」は使えません (FROM:TO)。";
      }
      parsed.lines.emplace_back(from.text, to.text);
    } else if (option == "--out") {
      parsed.out = value;
    } else {
      return "オプション「" + option + "」は使えません。";
    }
  }
  if (parsed.sheet.empty()) return "--sheet を指定してください。";
  if (parsed.out.empty()) return "--out を指定してください。";
  return std::nullopt;
}

TERSheetRec& TargetSheet(TERDiagram& diagram, const std::string& name) {
  for (int i = 0; i < static_cast<int>(diagram.sheets.size()); ++i) {
    if (EqualsIgnoringAsciiCase(diagram.sheets[i]->name, name)) {
      diagram.currentIndex = i;
      return *diagram.sheets[i];
    }
  }
  TERSheetRec& sheet = diagram.sheets.size() == 1 && diagram.sheets[0]->tables.empty()
                           ? *diagram.sheets[0]
                           : AddERSheet(diagram);
  sheet.name = name;
  return sheet;
}

const TTableRec* FindTable(const TCatalogueStore& store, const std::string& name) {
  for (const auto& record : store.Records(DataKind::Table)) {
    if (record->name == name) return record.get();
  }
  return nullptr;
}

int Place(const PlaceArguments& arguments, std::ostream& out, std::ostream& err) {
  ProjectLock lock;
  if (std::optional<std::string> busy = lock.Lock(arguments.out)) {
    err << *busy << "\n";
    return kExitFailure;
  }
  TCatalogueStore store;
  if (!OpenProjectReporting(store, arguments.in, err, nullptr, false)) return kExitFailure;

  const CliERTextMeasure measure;
  TERSheetRec& sheet = TargetSheet(store.er, arguments.sheet);
  const TColumnValuePositions positions = ColumnValuePositionsFor(store.product, false);
  std::map<std::string, TERTableRec*> placed;
  for (const Placement& placement : arguments.tables) {
    const TTableRec* record = FindTable(store, placement.table);
    if (!record) {
      err << "テーブル「" << Cp932ForDisplay(placement.table) << "」がありません。\n";
      return kExitUsage;
    }
    placed[placement.table] =
        &AddERTableFromRecord(store.er, sheet, *record, positions, placement.left, placement.top,
                              placement.width, placement.height, &measure.measure());
  }
  for (const auto& [from, to] : arguments.lines) {
    if (!placed.count(from) || !placed.count(to)) {
      err << "線「" << Cp932ForDisplay(from) << ":" << Cp932ForDisplay(to)
          << "」のテーブルが配置されていません。\n";
      return kExitUsage;
    }
    ToggleERLine(sheet, placed[from], placed[to]);
  }
  if (arguments.fit) FitERTables(sheet, measure.measure());
  UpdateLineSides(sheet);
  store.SetModified();

  if (!SaveProjectReporting(store, arguments.out, err)) return kExitFailure;
  out << Cp932ForDisplay(sheet.name) << ": " << sheet.tables.size() << " テーブル, "
      << sheet.lines.size() << " 線\n";
  return kExitOk;
}

}  // namespace

int RunErPlaceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return ParseThenRun<PlaceArguments>(
      args, err, kErPlaceUsage, ParseArguments,
      [&](const PlaceArguments& arguments) { return Place(arguments, out, err); });
}

}  // namespace morvane
