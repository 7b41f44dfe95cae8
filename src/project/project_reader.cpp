#include "project/project_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "er/er_sheets.h"
#include "er/er_tables.h"
#include "fileio/file_lock.h"
#include "fileio/system_error_text.h"
#include "project/line_source.h"
#include "project/new_project.h"
#include "project/project_format.h"
#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

// Stops the reading; `message` (UTF-8) says why. Without a message only kMsgReadFailed is shown.
struct ReadFailure {
  std::string message;
};

enum class Section {
  kNone,
  kDatabaseType,
  kFormat,
  kFormatTable,
  kFormatColumn,
  kFormatEr,
  kTable,
  kTableValue,
  kTableColumn,
  kEr,
  kErTable,
  kErTableColumn,
  kErLine,
  kErFkTable,
  kErPkTable,
  kExcelImport,
  kSqlText,
  kSqlMaxRow,
};

Section SectionOf(std::string_view tag) {
  static const std::unordered_map<std::string_view, Section> sections = {
      {kTagDatabaseType, Section::kDatabaseType},
      {kTagFormat, Section::kFormat},
      {kTagFormatTable, Section::kFormatTable},
      {kTagFormatColumn, Section::kFormatColumn},
      {kTagFormatEr, Section::kFormatEr},
      {kTagTable, Section::kTable},
      {kTagTableValue, Section::kTableValue},
      {kTagTableColumn, Section::kTableColumn},
      {kTagEr, Section::kEr},
      {kTagErTable, Section::kErTable},
      {kTagErTableColumn, Section::kErTableColumn},
      {kTagErLine, Section::kErLine},
      {kTagErFkTable, Section::kErFkTable},
      {kTagErPkTable, Section::kErPkTable},
      {kTagExcelImport, Section::kExcelImport},
      {kTagSqlText, Section::kSqlText},
      {kTagSqlMaxRow, Section::kSqlMaxRow},
  };
  auto found = sections.find(tag);
  return found == sections.end() ? Section::kNone : found->second;
}

// How much of a field a message quotes, in characters.
constexpr size_t kQuotedChars = 40;

// A field as a message quotes it: at most kQuotedChars characters, marked when cut, so a huge
// damaged field never becomes a huge message.
std::string Quoted(std::string_view cp932) {
  size_t end = 0;
  for (size_t chars = 0; end < cp932.size() && chars < kQuotedChars; ++chars) {
    end += IsCp932LeadByte(static_cast<unsigned char>(cp932[end])) ? 2 : 1;
  }
  end = std::min(end, cp932.size());
  if (end == cp932.size()) return Cp932ForDisplay(cp932);
  return Cp932ForDisplay(cp932.substr(0, end)) + "…(以下省略)";
}

// Hands out the fields of a line one at a time, as SplitFields would list them.
class FieldCursor {
 public:
  explicit FieldCursor(std::string_view line) : line_(line) {}
  std::string_view Next() {
    const size_t end = line_.find(kFieldEnd, pos_);
    const std::string_view field = line_.substr(pos_, end - pos_);
    pos_ = end + 1;
    return field;
  }

 private:
  std::string_view line_;
  size_t pos_ = 0;
};

// The most fields any section with fixed fields reads (EXCEL_IMPORT); the rest is ignored.
constexpr size_t kFixedFieldsMax = 14;

// The fields of one data line, decoded. Lines without escapes are only split, and only up to
// the fields the section reads.
class DataFields {
 public:
  void Load(std::string_view line, size_t max_fields) {
    views_.clear();
    size_t start = 0;
    while (views_.size() < max_fields) {
      const size_t end = line.find(kFieldEnd, start);
      if (end == std::string_view::npos) break;
      views_.push_back(line.substr(start, end - start));
      start = end + 1;
    }
    if (!HasEscape(line)) return;
    decoded_.clear();
    decoded_.reserve(views_.size());
    for (std::string_view v : views_) decoded_.push_back(Unescape(v));
    for (size_t i = 0; i < views_.size(); ++i) views_[i] = decoded_[i];
  }
  size_t size() const { return views_.size(); }
  std::string_view operator[](size_t i) const { return views_[i]; }
  const std::vector<std::string_view>& all() const { return views_; }

 private:
  std::vector<std::string_view> views_;
  std::vector<std::string> decoded_;
};

// Fills an empty value list with every field of `line`, decoded, in one allocation and without
// a separate view per field: a line of millions of empty fields costs a byte per field.
void AssignFields(std::string_view line, TValueList& values) {
  const size_t count = static_cast<size_t>(std::count(line.begin(), line.end(), kFieldEnd));
  if (count == 0) {
    values.clear();
    return;
  }
  const std::string_view fields = line.substr(0, line.rfind(kFieldEnd) + 1);
  FieldCursor cursor(fields);
  if (!HasEscape(fields)) {
    values.Assign(count, fields.size() - count, [&cursor] { return cursor.Next(); });
    return;
  }
  size_t bytes = 0;
  for (size_t i = 0; i < count; ++i) bytes += Unescape(cursor.Next()).size();
  FieldCursor again(fields);
  std::string decoded;
  values.Assign(count, bytes, [&again, &decoded] {
    decoded = Unescape(again.Next());
    return std::string_view(decoded);
  });
}

class ProjectReader {
 public:
  ProjectReader(TCatalogueStore& doc, const TextMeasurer& measure) : doc_(doc), measure_(measure) {}

  // Reads the header line; returns the file version.
  int ReadHeader(std::string_view line) {
    lineNumber_ = 1;
    std::vector<std::string_view> fields;
    SplitFields(line, fields);
    if (fields.empty() || fields[0].size() != kHeaderTag.size() + 1 || fields[0][0] != kTagMark ||
        fields[0].substr(1) != kHeaderTag) {
      throw ReadFailure{};
    }
    if (fields.size() == 1) return kUnversionedFileVersion;
    return ParseInt(fields[1]);
  }

  void ReadLine(std::string_view line) {
    ++lineNumber_;
    if (!line.empty() && line[0] == kTagMark) {
      StartTag(line);
      return;
    }
    if (section_ == Section::kNone) return;
    if (section_ == Section::kTableValue || section_ == Section::kTableColumn) {
      ReadValueLine(line);
      return;
    }
    const bool every_field = section_ == Section::kErPkTable || section_ == Section::kSqlText;
    fields_.Load(line, every_field ? SIZE_MAX : kFixedFieldsMax);
    HandleData();
  }

  void Finish() {
    if (doc_.er.sheets.empty()) throw ReadFailure{"ERシートがありません。"};
    if (current_record_ != nullptr) current_record_->columns.shrink_to_fit();
    if (doc_.sqlMaxRow.empty()) doc_.sqlMaxRow = "1000";
  }

 private:
  void StartTag(std::string_view line) {
    // Only the name and the two parameters a tag can have (data kind, item level) are kept.
    tagFields_.clear();
    FieldCursor cursor(line);
    const size_t count = std::min<size_t>(3, std::count(line.begin(), line.end(), kFieldEnd));
    for (size_t i = 0; i < count; ++i) tagFields_.emplace_back(cursor.Next());
    const std::string_view name =
        tagFields_.empty() ? std::string_view() : std::string_view(tagFields_[0]).substr(1);
    const Section section = SectionOf(name);
    if (section != Section::kNone) {
      section_ = section;
      sectionName_ = std::string(name);
    }
  }

  [[noreturn]] void Fail(const std::string& what) const {
    throw ReadFailure{std::to_string(lineNumber_) + "行目: " + what};
  }

  int ParseInt(std::string_view text) const {
    int value = 0;
    if (!ParseInt32(text, value)) Fail("「" + Quoted(text) + "」は整数ではありません。");
    return value;
  }

  int IntInRange(std::string_view text, int low, int high) const {
    const int value = ParseInt(text);
    if (value < low || value > high) {
      Fail("値「" + Quoted(text) + "」が範囲外です。");
    }
    return value;
  }

  uint8_t Flag(std::string_view text) const { return static_cast<uint8_t>(IntInRange(text, 0, 1)); }

  void NeedFields(size_t count) const {
    if (fields_.size() < count) Fail(sectionName_ + " の項目の数が足りません。");
  }

  std::string_view TagField(size_t i) const {
    if (i >= tagFields_.size()) Fail(sectionName_ + " のパラメータが足りません。");
    return tagFields_[i];
  }

  DataKind TagDataKind() const {
    const std::string_view text = TagField(1);
    const std::optional<DataKind> kind = DataKindFromCode(ParseInt(text));
    if (!kind) Fail("データ種別「" + Quoted(text) + "」は不正です。");
    return *kind;
  }

  int TagItemLevel() const {
    const std::string_view text = TagField(2);
    const int level = ParseInt(text);
    if (!IsItemLevel(level)) Fail("項目レベル「" + Quoted(text) + "」は不正です。");
    return level;
  }

  [[noreturn]] void FailMissing(std::string_view needed) const {
    Fail(sectionName_ + " の前に " + std::string(needed) + " がありません。");
  }

  void HandleData() {
    switch (section_) {
      case Section::kNone:
        return;
      case Section::kDatabaseType:
        return ReadDatabaseType();
      case Section::kFormat:
        return ReadItem();
      case Section::kFormatTable:
        return ReadFormatTable();
      case Section::kFormatColumn:
        return ReadFormatColumn();
      case Section::kFormatEr:
        return ReadFormatEr();
      case Section::kTable:
        return ReadTable();
      case Section::kTableValue:
      case Section::kTableColumn:
        return;  // read by ReadValueLine
      case Section::kEr:
        return ReadSheet();
      case Section::kErTable:
        return ReadWindow();
      case Section::kErTableColumn:
        return ReadWindowColumn();
      case Section::kErLine:
        return ReadLine();
      case Section::kErFkTable:
        return ReadFkTable();
      case Section::kErPkTable:
        return ReadPkTables();
      case Section::kExcelImport:
        return ReadImportLayout();
      case Section::kSqlText:
        return ReadSqlText();
      case Section::kSqlMaxRow:
        return ReadSqlMaxRow();
    }
  }

  void ReadDatabaseType() {
    NeedFields(1);
    const std::optional<Product> product = ProductFromCode(ParseInt(fields_[0]));
    if (!product) Fail("データベース種別「" + Quoted(fields_[0]) + "」は不正です。");
    doc_.product = *product;
  }

  void ReadItem() {
    const DataKind kind = TagDataKind();
    const int level = TagItemLevel();
    NeedFields(6);
    TItemDef item;
    item.name = std::string(fields_[0]);
    item.valueKind = ParseInt(fields_[1]);
    item.index = IntInRange(fields_[2], 0, INT32_MAX);
    item.output = Flag(fields_[3]);
    item.excelColumn = std::string(fields_[4]);
    item.excelCell = std::string(fields_[5]);
    item.width =
        kind == DataKind::TableIndex ? 100 : DefaultItemWidth(item.name, item.valueKind, measure_);
    doc_.Items(kind, level).push_back(std::move(item));
  }

  void ReadFormatTable() {
    const size_t i = DataKindIndex(TagDataKind());
    NeedFields(4);
    TFormatSettings& s = doc_.formatSettings;
    s.tableNoOutput[i] = Flag(fields_[0]);
    s.tableOneSheet[i] = Flag(fields_[1]);
    s.tableStartRow[i] = ParseInt(fields_[2]);
    s.tableHeader[i] = Flag(fields_[3]);
  }

  void ReadFormatColumn() {
    const size_t i = DataKindIndex(TagDataKind());
    NeedFields(2);
    doc_.formatSettings.columnStartRow[i] = ParseInt(fields_[0]);
    doc_.formatSettings.columnHeader[i] = Flag(fields_[1]);
  }

  void ReadFormatEr() {
    NeedFields(4);
    TFormatSettings& s = doc_.formatSettings;
    s.erLeft = ParseInt(fields_[0]);
    s.erTop = ParseInt(fields_[1]);
    s.erType = Flag(fields_[2]);
    s.lineType = ParseInt(fields_[3]);
  }

  void ReadTable() {
    const DataKind kind = TagDataKind();
    NeedFields(3);
    if (current_record_ != nullptr) current_record_->columns.shrink_to_fit();
    current_record_ = &doc_.AddRecord(kind);
    current_record_->owner = std::string(fields_[0]);
    current_record_->type = std::string(fields_[1]);
    current_record_->name = std::string(fields_[2]);
  }

  // TABLE_VALUE and TABLE_COLUMN: every field of the line becomes a value.
  void ReadValueLine(std::string_view line) {
    if (current_record_ == nullptr) FailMissing(kTagTable);
    TValueList& values = section_ == Section::kTableValue
                             ? current_record_->values
                             : current_record_->columns.emplace_back().values;
    if (values.empty()) {
      AssignFields(line, values);
    } else {
      // A second TABLE_VALUE line for one record adds to the first.
      fields_.Load(line, SIZE_MAX);
      values.Append(fields_.all());
    }
  }

  void ReadSheet() {
    NeedFields(1);
    AddERSheet(doc_.er, std::string(fields_[0]));
    current_window_ = nullptr;
    // A fresh map: clearing keeps the buckets of a sheet with many windows for every sheet after.
    if (!sheet_windows_.empty()) sheet_windows_ = {};
  }

  void ReadWindow() {
    TERSheetRec* sheet = doc_.er.Current();
    if (sheet == nullptr) FailMissing(kTagEr);
    NeedFields(6);
    std::string key = UpperAsciiLetters(fields_[0]);
    if (!window_names_.insert(key).second) {
      Fail("テーブルウィンドウ名「" + Quoted(fields_[0]) + "」は既に使われています。");
    }
    const int left = ParseInt(fields_[2]);
    const int top = ParseInt(fields_[3]);
    const int width = IntInRange(fields_[4], 0, INT32_MAX);
    const int height = IntInRange(fields_[5], 0, INT32_MAX);
    current_window_ = &AddERTable(*sheet, std::string(fields_[0]), std::string(fields_[1]), left,
                                  top, width, height);
    sheet_windows_[std::move(key)] = current_window_;
  }

  void ReadWindowColumn() {
    if (current_window_ == nullptr) FailMissing(kTagErTable);
    NeedFields(3);
    TERColumnRec column;
    column.keyMark = std::string(fields_[0]);
    column.columnName = std::string(fields_[1]);
    column.typeText = std::string(fields_[2]);
    column.checked = fields_.size() < 4 || fields_[3] == "TRUE";
    column.listText = ERColumnListText(column, 1);
    current_window_->columns.push_back(std::move(column));
  }

  TERTableRec* WindowOnSheet(std::string_view name) const {
    auto found = sheet_windows_.find(UpperAsciiLetters(name));
    if (found == sheet_windows_.end()) {
      Fail("テーブルウィンドウ「" + Quoted(name) + "」がシート上にありません。");
    }
    return found->second;
  }

  void ReadLine() {
    TERSheetRec* sheet = doc_.er.Current();
    if (sheet == nullptr) FailMissing(kTagEr);
    NeedFields(2);
    TERTableRec* from = WindowOnSheet(fields_[0]);
    TERTableRec* to = WindowOnSheet(fields_[1]);
    AddERLine(*sheet, from, to);
  }

  void ReadFkTable() {
    NeedFields(1);
    doc_.relations.push_back({std::string(fields_[0]), {}});
    has_relation_ = true;
  }

  void ReadPkTables() {
    if (!has_relation_) FailMissing(kTagErFkTable);
    std::vector<std::string>& pkTables = doc_.relations.back().pkTables;
    for (std::string_view v : fields_.all()) pkTables.emplace_back(v);
  }

  void ReadImportLayout() {
    NeedFields(14);
    TImportLayout& layout = doc_.importLayout;
    layout.tableNameCell = std::string(fields_[0]);
    layout.firstItemRow = ParseInt(fields_[1]);
    std::array<std::string*, 12> columns = layout.Columns();
    for (size_t i = 0; i < columns.size(); ++i) *columns[i] = std::string(fields_[i + 2]);
  }

  void ReadSqlText() { doc_.sqlText.assign(fields_.all().begin(), fields_.all().end()); }

  void ReadSqlMaxRow() {
    int value = 0;
    if (fields_.size() >= 1 && ParseInt32(fields_[0], value)) {
      doc_.sqlMaxRow = std::to_string(value);
    } else {
      doc_.sqlMaxRow = "1000";
    }
  }

  TCatalogueStore& doc_;
  const TextMeasurer& measure_;
  long long lineNumber_ = 0;
  Section section_ = Section::kNone;
  std::string sectionName_;
  std::vector<std::string> tagFields_;
  DataFields fields_;
  TTableRec* current_record_ = nullptr;
  TERTableRec* current_window_ = nullptr;
  bool has_relation_ = false;
  std::unordered_set<std::string> window_names_;                 // every sheet, upper-cased
  std::unordered_map<std::string, TERTableRec*> sheet_windows_;  // the current sheet's
};

std::string ReadErrorMessage(int error) {
  return std::string("ファイルの読み込み中にエラーが発生しました。(") + std::strerror(error) + ")";
}

// A fresh document that starts with what opening a file leaves in place until the file says
// otherwise: format settings, import layout, ER sheets chosen for output, SQL text, row limit.
TCatalogueStore StartDocument(const TCatalogueStore& store) {
  TCatalogueStore doc;
  doc.formatSettings = store.formatSettings;
  doc.importLayout = store.importLayout;
  doc.erOutputSheets = store.erOutputSheets;
  doc.sqlText = store.sqlText;
  doc.sqlMaxRow = store.sqlMaxRow;
  ResetLayoutState(doc);
  return doc;
}

// The store after a failed open: reset, without sheets or file name, nothing to save.
void LeaveReset(TCatalogueStore& store) {
  store.Reset();
  ResetLayoutState(store);
  store.fileName.clear();
  store.modified = false;
}

ProjectReadResult ReadFrom(TCatalogueStore& store, LineSource& lines, const TextMeasurer& measure,
                           IProgress& progress, const WarningSink& show_warning) {
  ProjectReadResult result;
  LeaveReset(store);
  TCatalogueStore doc = StartDocument(store);
  try {
    ProjectReader reader(doc, measure);
    std::string_view line;
    if (!lines.Next(line)) {
      if (lines.error() != 0) throw ReadFailure{ReadErrorMessage(lines.error())};
      throw ReadFailure{};
    }
    doc.fileVersion = reader.ReadHeader(line);
    store.fileVersion = doc.fileVersion;
    if (doc.fileVersion < kCurrentFileVersion) {
      // Said before the rest is read, and so before any message about the contents.
      if (show_warning) {
        show_warning(std::string(kMsgEarlierVersion));
      } else {
        result.warnings.emplace_back(kMsgEarlierVersion);
      }
    }
    progress.Begin("プロジェクトの読み込み", 100);
    int shown = 0;
    while (lines.Next(line)) {
      reader.ReadLine(line);
      if (lines.Percent() != shown) progress.Step(shown = lines.Percent());
    }
    progress.End();
    if (lines.error() != 0) throw ReadFailure{ReadErrorMessage(lines.error())};
    reader.Finish();
  } catch (const ReadFailure& failure) {
    progress.End();
    result.errors.emplace_back(kMsgReadFailed);
    if (!failure.message.empty()) result.errors.push_back(failure.message);
    return result;
  } catch (const std::exception& error) {
    // Out of memory, or a list grown past its limits: the file is too large to hold.
    progress.End();
    result.errors.emplace_back(kMsgReadFailed);
    result.errors.emplace_back(std::string("読み込みを続けられませんでした。(") + error.what() +
                               ")");
    return result;
  }
  doc.currentDataKind = DataKind::None;
  doc.listRebuild = true;
  doc.er.currentIndex = 0;
  doc.modified = false;
  store = std::move(doc);
  result.ok = true;
  return result;
}

// After the general "reading failed" box, the second one names the file and the reason.
void NameFileInReason(const std::string& path, ProjectReadResult& result) {
  if (result.errors.empty() || result.errors[0] != kMsgReadFailed) return;
  const std::string reason =
      result.errors.size() > 1 ? result.errors[1] : "プロジェクトファイルではありません。";
  result.errors.resize(1);
  result.errors.push_back("ファイル「" + path + "」\r\n" + reason);
}

}  // namespace

ProjectReadResult OpenProjectFile(TCatalogueStore& store, const std::string& path,
                                  const TextMeasurer& measure, IProgress* progress,
                                  const WarningSink& show_warning) {
  NullProgress noProgress;
  IProgress& report = progress != nullptr ? *progress : noProgress;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                       &std::fclose);
  if (!file) {
    const int error = errno;
    LeaveReset(store);
    ProjectReadResult result;
    result.errors.push_back("ファイル「" + path + "」を開けませんでした。(" +
                            fileio::SystemErrorText(error) + ")");
    return result;
  }
  long long size = 0;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) size = std::ftell(file.get());
  std::rewind(file.get());
  FileLineSource lines(file.get(), size);
  const std::optional<fileio::FileStamp> stamp = fileio::StampOfDescriptor(::fileno(file.get()));
  ProjectReadResult result = ReadFrom(store, lines, measure, report, show_warning);
  if (result.ok) {
    store.fileName = path;
    store.fileStamp = stamp.value_or(fileio::FileStamp{});
  } else {
    NameFileInReason(path, result);
  }
  return result;
}

ProjectReadResult ReadProjectBytes(TCatalogueStore& store, std::string_view bytes,
                                   const TextMeasurer& measure) {
  MemoryLineSource lines(bytes);
  NullProgress progress;
  return ReadFrom(store, lines, measure, progress, {});
}

}  // namespace morvane
