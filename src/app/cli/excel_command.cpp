#include "app/cli/excel_command.h"

#include <optional>
#include <ostream>
#include <sstream>
#include <system_error>

#include "app/cli/command.h"
#include "app/cli/text_progress.h"
#include "excel/application.h"
#include "excel/excel_error.h"
#include "excel/output_excel.h"
#include "excel/standard_sheet.h"
#include "excel/text_boundary.h"
#include "project/project_reader.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {

const char kExcelUsage[] =
    "  morvane-cli excel PROJECT.vnk [--template BOOK.xlsx] [--sheet NAME] --out OUT.xlsx\n"
    "      (--kind 1..5 (--tables NAME,... | --all-tables) | --er SHEET,...)\n"
    "      (--template がなければ同梱のテンプレートを使います)\n";

namespace {

struct ExcelArguments {
  std::string project;
  std::string templateBook;
  std::optional<std::string> sheet;  // CP932
  std::string out;
  DataKind kind = DataKind::None;
  std::vector<std::string> tables;  // CP932
  bool allTables = false;
  std::vector<std::string> erSheets;  // CP932
};

// A comma-separated list of names, converted to CP932; nothing when a name does not convert.
std::optional<std::vector<std::string>> NameList(const std::string& list) {
  std::vector<std::string> names;
  std::stringstream items(list);
  std::string item;
  while (std::getline(items, item, ',')) {
    CodecResult name = Utf8ToCp932(item);
    if (!name.ok || name.text.empty()) return std::nullopt;
    names.push_back(name.text);
  }
  if (names.empty()) return std::nullopt;
  return names;
}

std::optional<std::string> ParseArguments(const std::vector<std::string>& args,
                                          ExcelArguments& parsed) {
  if (args.empty()) return "プロジェクトファイルを指定してください。";
  parsed.project = args[0];
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option == "--all-tables") {
      parsed.allTables = true;
      continue;
    }
    if (i + 1 >= args.size()) return option + " の値がありません。";
    const std::string& value = args[++i];
    if (option == "--template") {
      parsed.templateBook = value;
    } else if (option == "--sheet") {
      CodecResult sheet = Utf8ToCp932(value);
      if (!sheet.ok) return sheet.error;
      parsed.sheet = sheet.text;
    } else if (option == "--out") {
      parsed.out = value;
    } else if (option == "--kind") {
      const std::optional<DataKind> kind =
          value.size() == 1 ? DataKindFromCode(value[0] - '0') : std::nullopt;
      if (!kind) return "データの種類「" + value + "」は使えません (1 から 5)。";
      parsed.kind = *kind;
    } else if (option == "--tables" || option == "--er") {
      std::optional<std::vector<std::string>> names = NameList(value);
      if (!names) return option + " の名前「" + value + "」は使えません。";
      (option == "--er" ? parsed.erSheets : parsed.tables) = *names;
    } else {
      return "オプション「" + option + "」は使えません。";
    }
  }
  if (parsed.out.empty()) return "--out を指定してください。";
  const bool er = !parsed.erSheets.empty();
  const bool tables = parsed.kind != DataKind::None;
  if (er == tables) return "--kind か --er のどちらかを指定してください。";
  if (tables && parsed.kind != DataKind::Sql && parsed.allTables == !parsed.tables.empty()) {
    return "--tables か --all-tables のどちらかを指定してください。";
  }
  return std::nullopt;
}

// The records to write, in store order; an unknown name is reported in `problem`.
std::vector<const TTableRec*> ChosenRecords(const TCatalogueStore& store,
                                            const ExcelArguments& arguments, std::string& problem) {
  std::vector<const TTableRec*> records;
  const RecordList& all = store.Records(arguments.kind);
  if (arguments.kind == DataKind::Sql || arguments.allTables) {
    for (const auto& record : all) records.push_back(record.get());
    if (arguments.kind == DataKind::Sql && records.size() > 1) records.resize(1);
    return records;
  }
  for (const auto& record : all) {
    for (const std::string& name : arguments.tables) {
      if (record->name == name) {
        records.push_back(record.get());
        break;
      }
    }
  }
  for (const std::string& name : arguments.tables) {
    bool found = false;
    for (const TTableRec* record : records) found = found || record->name == name;
    if (!found) problem = "テーブル「" + Cp932ForDisplay(name) + "」がありません。";
  }
  return records;
}

std::optional<std::string> UnknownERSheet(const TCatalogueStore& store,
                                          const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    bool found = false;
    for (const auto& sheet : store.er.sheets) found = found || sheet->name == name;
    if (!found) return "ER図シート「" + Cp932ForDisplay(name) + "」がありません。";
  }
  return std::nullopt;
}

// Opens the template book and activates the chosen sheet; without one, the bundled template's
// sheet made for the output (the index sheet for indexes, the ER sheet for ER output, ...).
void OpenTemplate(excel::ExcelApplication& app, const TCatalogueStore& store,
                  const ExcelArguments& arguments) {
  excel::Workbook& book = arguments.templateBook.empty()
                              ? app.Workbooks().OpenDefaultTemplate()
                              : app.Workbooks().Open(arguments.templateBook);
  if (arguments.sheet) {
    book.Worksheets().Item(*arguments.sheet).Activate();
  } else if (IsDataKind(arguments.kind) || !arguments.erSheets.empty()) {
    const bool one_sheet = IsDataKind(arguments.kind) &&
                           store.formatSettings.tableOneSheet[DataKindIndex(arguments.kind)] != 0;
    excel::OfferStandardSheet(
        app, excel::StandardSheetFor(arguments.kind, one_sheet, !arguments.erSheets.empty()));
  }
}

int Output(const ExcelArguments& arguments, std::ostream& out, std::ostream& err) {
  TCatalogueStore store;
  TextProgressBar progress;
  if (!OpenProjectReporting(store, arguments.project, err, &progress)) return kExitFailure;

  std::string problem;
  std::vector<const TTableRec*> records;
  if (arguments.erSheets.empty()) {
    records = ChosenRecords(store, arguments, problem);
  } else if (std::optional<std::string> unknown = UnknownERSheet(store, arguments.erSheets)) {
    problem = *unknown;
  }
  if (!problem.empty()) {
    err << problem << "\n";
    return kExitUsage;
  }
  if (arguments.erSheets.empty() && records.empty()) {
    err << "出力するテーブルがありません (" << arguments.project << ")\n";
    return kExitFailure;
  }

  excel::ExcelApplication app;
  ScriptedPrompt prompt;
  excel::ExcelOutput output(app, prompt, progress, {});
  excel::OutputResult result;
  try {
    OpenTemplate(app, store, arguments);
    result = arguments.erSheets.empty() ? output.WriteTables(store, arguments.kind, records)
                                        : output.WriteERSheets(store, arguments.erSheets);
    if (result.end != excel::OutputEnd::kFinished) {
      PrintShownMessages(prompt, err);
      return kExitFailure;
    }
    // What the output reported ("終了しました") is shown once the file is really there.
    result.book->SaveAs(arguments.out);
    PrintShownMessages(prompt, err);
  } catch (const std::exception& e) {
    PrintShownMessages(prompt, err, false);
    err << excel::FailureText(e) << "\n";
    return kExitFailure;
  }
  out << arguments.out << ": " << result.book->Worksheets().Count() << " シート\n";
  return kExitOk;
}

}  // namespace

int RunExcelCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  return ParseThenRun<ExcelArguments>(
      args, err, kExcelUsage, ParseArguments,
      [&](const ExcelArguments& arguments) { return Output(arguments, out, err); });
}

}  // namespace morvane
