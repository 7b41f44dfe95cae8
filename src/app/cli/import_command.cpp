#include "app/cli/import_command.h"

#include <algorithm>
#include <array>
#include <istream>
#include <optional>
#include <ostream>

#include "app/cli/command.h"
#include "app/cli/project_summary.h"
#include "app/cli/text_progress.h"
#include "db/column_size.h"
#include "excel/application.h"
#include "excel/excel_error.h"
#include "excel/import_excel.h"
#include "excel/import_layout_check.h"
#include "model/data_kind.h"
#include "project/project_lock.h"
#include "project/project_reader.h"
#include "project/project_writer.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {

const char kImportUsage[] =
    "  morvane-cli import PROJECT.vnk --workbook BOOK.xlsx (--sheets NAME,...|--all-sheets)\n"
    "      [--layout-from-project | --table-name-cell A1 --first-item-row 5 --name-column A\n"
    "       --type-column C --length-column C --precision-column C --scale-column C\n"
    "       --size-column C --not-null-column C --unique-column C --primary-column C\n"
    "       --comment1-column C --comment2-column C --comment3-column C]\n"
    "      [--overwrite ask|yes|no|all]\n";

namespace {

// The options of the fourteen layout values, in layout order.
constexpr std::array<const char*, excel::kLayoutFieldCount> kLayoutOptions = {
    "--table-name-cell", "--first-item-row",   "--name-column",    "--type-column",
    "--length-column",   "--precision-column", "--scale-column",   "--size-column",
    "--not-null-column", "--unique-column",    "--primary-column", "--comment1-column",
    "--comment2-column", "--comment3-column"};

enum class OverwriteMode { kAsk, kYes, kNo, kAll };

struct ImportArguments {
  std::string project;
  std::string workbook;
  std::vector<std::string> sheets;  // UTF-8, as given
  bool all_sheets = false;
  bool layout_from_project = false;
  std::array<std::optional<std::string>, excel::kLayoutFieldCount> layout;
  OverwriteMode overwrite = OverwriteMode::kAsk;
};

std::optional<OverwriteMode> OverwriteFromWord(const std::string& word) {
  if (word == "ask") return OverwriteMode::kAsk;
  if (word == "yes") return OverwriteMode::kYes;
  if (word == "no") return OverwriteMode::kNo;
  if (word == "all") return OverwriteMode::kAll;
  return std::nullopt;
}

// Fills `arguments`; returns a reason when the arguments are not usable.
std::optional<std::string> Parse(const std::vector<std::string>& args, ImportArguments& arguments) {
  bool any_layout_option = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--all-sheets") {
      arguments.all_sheets = true;
      continue;
    }
    if (arg == "--layout-from-project") {
      arguments.layout_from_project = true;
      continue;
    }
    if (arg.rfind("--", 0) != 0) {
      if (!arguments.project.empty()) return "余分な引数があります: " + arg;
      arguments.project = arg;
      continue;
    }
    if (i + 1 >= args.size()) return arg + " の値がありません";
    const std::string& value = args[++i];
    if (arg == "--workbook") {
      arguments.workbook = value;
    } else if (arg == "--sheets") {
      arguments.sheets = SplitNames(value);
    } else if (arg == "--overwrite") {
      std::optional<OverwriteMode> mode = OverwriteFromWord(value);
      if (!mode) return "--overwrite は ask, yes, no, all のいずれかです: " + value;
      arguments.overwrite = *mode;
    } else {
      size_t field = 0;
      while (field < kLayoutOptions.size() && arg != kLayoutOptions[field]) ++field;
      if (field == kLayoutOptions.size()) return "不明なオプションです: " + arg;
      arguments.layout[field] = value;
      any_layout_option = true;
    }
  }
  if (arguments.project.empty()) return "プロジェクトファイルが指定されていません";
  if (arguments.workbook.empty()) return "--workbook が指定されていません";
  if (arguments.all_sheets == !arguments.sheets.empty()) {
    return "--sheets と --all-sheets のどちらか一方を指定してください";
  }
  if (arguments.layout_from_project && any_layout_option) {
    return "--layout-from-project とレイアウトのオプションは同時に指定できません";
  }
  return std::nullopt;
}

void Print(std::ostream& stream, const std::string& cp932) {
  std::string text;
  for (char c : ToUtf8(cp932)) {
    if (c != '\r') text += c;
  }
  stream << text << "\n";
}

// Answers the overwrite question as the command line says, shows everything else. Without a
// terminal to ask at, the first overwrite question stops the import (`Unanswered` names its
// table).
class CommandLinePrompt : public IPrompt {
 public:
  CommandLinePrompt(OverwriteMode mode, bool interactive, std::istream& in, std::ostream& out,
                    std::ostream& err)
      : mode_(mode), interactive_(interactive), in_(in), out_(out), err_(err) {}

  PromptButton Ask(PromptKind kind, const std::string& text,
                   const std::vector<PromptButton>& buttons, PromptButton default_button,
                   PromptButton escape_button) override {
    // Once the import has stopped at an unanswered question, its closing report is not true.
    if (!unanswered_.empty()) return default_button;
    const bool overwrite_question =
        std::find(buttons.begin(), buttons.end(), PromptButton::kAll) != buttons.end();
    if (overwrite_question && mode_ == OverwriteMode::kAsk && !interactive_) {
      unanswered_ = text.substr(0, text.find("\r\n"));  // the question starts with the table
      return PromptButton::kCancel;
    }
    // Information ("インポートしました") waits until the project is saved.
    if (kind == PromptKind::kInformation) {
      held_.push_back(text);
    } else {
      Print(err_, text);
    }
    if (!overwrite_question) return default_button;
    switch (mode_) {
      case OverwriteMode::kYes:
        return PromptButton::kYes;
      case OverwriteMode::kNo:
        return PromptButton::kNo;
      case OverwriteMode::kAll:
        return PromptButton::kAll;
      case OverwriteMode::kAsk:
        break;
    }
    for (;;) {
      err_ << "[y] はい / [n] いいえ / [c] キャンセル / [a] すべて: " << std::flush;
      std::string line;
      if (!std::getline(in_, line)) return escape_button;
      if (line == "y") return PromptButton::kYes;
      if (line == "n") return PromptButton::kNo;
      if (line == "c") return PromptButton::kCancel;
      if (line == "a") return PromptButton::kAll;
    }
  }

  std::optional<std::string> AskText(const std::string&, const std::string&,
                                     const std::string&) override {
    return std::nullopt;
  }

  // The table (CP932) whose overwrite question had no one to answer it; empty when none had.
  const std::string& Unanswered() const { return unanswered_; }

  // Shows the held information, once the outcome is known to be a success.
  void ShowHeld() {
    for (const std::string& text : held_) Print(out_, text);
    held_.clear();
  }

 private:
  std::vector<std::string> held_;
  OverwriteMode mode_;
  bool interactive_;
  std::string unanswered_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
};

// The sheets to import, CP932, in the workbook's order; a reason when one is missing.
std::optional<std::string> ChooseSheets(excel::Workbook& book, const ImportArguments& arguments,
                                        std::vector<std::string>& chosen) {
  std::vector<std::string> wanted;
  for (const std::string& name : arguments.sheets) {
    CodecResult cp932 = Utf8ToCp932(name);
    if (!cp932.ok) return cp932.error;
    wanted.push_back(cp932.text);
  }
  std::vector<bool> found(wanted.size(), false);
  const int count = book.Worksheets().Count();
  for (int i = 1; i <= count; ++i) {
    const std::string name = book.Worksheets().Item(i).Name();
    bool take = arguments.all_sheets;
    for (size_t w = 0; w < wanted.size(); ++w) {
      if (!found[w] && EqualsIgnoringAsciiCase(wanted[w], name)) take = found[w] = true;
    }
    if (take) chosen.push_back(name);
  }
  for (size_t w = 0; w < wanted.size(); ++w) {
    if (!found[w]) return "シートがありません: " + arguments.sheets[w];
  }
  if (chosen.empty()) return ToUtf8(ToCp932("シートが選択されていません。"));
  return std::nullopt;
}

// Applies the layout options to the project's layout and checks the result; false (with the
// message shown) when a value is not usable.
bool SetLayout(TCatalogueStore& store, excel::Workbook& book, const ImportArguments& arguments,
               std::ostream& err) {
  excel::ImportLayoutTexts texts = excel::LayoutTexts(store.importLayout);
  for (size_t field = 0; field < texts.size(); ++field) {
    if (arguments.layout[field]) texts[field] = UpperAsciiLetters(*arguments.layout[field]);
  }
  std::optional<int> bad = excel::FirstInvalidLayoutField(texts, book.Worksheets().Item(1));
  if (bad) {
    Print(err, ToCp932("レイアウトが不正です。"));
    err << kLayoutOptions[*bad] << " \"" << texts[*bad] << "\"\n";
    return false;
  }
  store.importLayout = excel::LayoutFromTexts(texts);
  return true;
}

int Import(const ImportArguments& arguments, bool interactive, std::istream& in, std::ostream& out,
           std::ostream& err) {
  ProjectLock lock;
  if (std::optional<std::string> busy = lock.Lock(arguments.project)) {
    err << *busy << "\n";
    return kExitFailure;
  }
  TCatalogueStore store;
  TextProgressBar progress;
  if (!OpenProjectReporting(store, arguments.project, err, &progress)) return kExitFailure;
  if (store.fileVersion < kCurrentFileVersion) {
    err << "古い形式のプロジェクトにはインポートできません (バージョン " << store.fileVersion
        << ")\n";
    return kExitFailure;
  }

  excel::ExcelApplication excel;
  excel::Workbook* book = nullptr;
  try {
    book = &excel.Workbooks().Open(arguments.workbook);
  } catch (const excel::ExcelError& e) {
    err << e.what() << "\n";
    return kExitFailure;
  }
  std::vector<std::string> sheets;
  if (std::optional<std::string> problem = ChooseSheets(*book, arguments, sheets)) {
    err << *problem << "\n";
    return kExitUsage;
  }
  if (!SetLayout(store, *book, arguments, err)) return kExitUsage;

  CommandLinePrompt prompt(arguments.overwrite, interactive, in, out, err);
  const excel::ImportOutcome outcome =
      excel::ImportSheets(store, *book, sheets, {prompt, progress, ColumnByteSize});
  if (!prompt.Unanswered().empty()) {
    // Nothing is saved: the user has not said what to do with that table.
    err << ToUtf8(ToCp932("「") + prompt.Unanswered() + ToCp932("」"))
        << "は既にあります。端末からの実行ではないため上書きを確かめられません。"
           "--overwrite yes, no, all のいずれかを指定してください\n";
    return kExitUsage;
  }
  if (!outcome.completed) {
    // The project file is left as it was: nothing of a failed import reaches it.
    Print(err, excel::ImportFailureText(outcome));
    return kExitFailure;
  }
  if (outcome.named == 0) {
    err << "インポートしたテーブルはありません: " << arguments.workbook
        << " のシートのテーブル名のセル " << store.importLayout.tableNameCell
        << " はどれも空です。プロジェクトは変更していません\n";
    return kExitFailure;
  }
  if (outcome.appended > 0) store.SetModified();
  if (!SaveProjectReporting(store, arguments.project, err, &progress)) return kExitFailure;
  prompt.ShowHeld();
  out << outcome.appended << " 件のテーブルをインポートしました: " << arguments.project << "\n";
  return kExitOk;
}

}  // namespace

int RunImportCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                     std::ostream& err, bool interactive) {
  return ParseThenRun<ImportArguments>(args, err, kImportUsage, Parse,
                                       [&](const ImportArguments& arguments) {
                                         return Import(arguments, interactive, in, out, err);
                                       });
}

}  // namespace morvane
