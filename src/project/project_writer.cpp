#include "project/project_writer.h"

#include <unistd.h>

#include <cerrno>

#include "fileio/file_lock.h"
#include "fileio/file_save.h"
#include "project/project_format.h"

namespace morvane {
namespace {

constexpr size_t kFlushSize = 1 << 20;

// Collects lines in a buffer; when connected to a file descriptor it hands the buffer over
// whenever it grows past kFlushSize, so saving a large project needs little extra memory.
class LineSink {
 public:
  explicit LineSink(int fd = -1) : fd_(fd) {}

  void Tag(std::string_view name) { Tag(name, {}); }
  void Tag(std::string_view name, std::initializer_list<int> params) {
    buffer_ += kTagMark;
    buffer_ += name;
    buffer_ += kFieldEnd;
    for (int p : params) Int(p);
    EndLine();
  }
  void Field(std::string_view value) {
    AppendEscaped(buffer_, value);
    buffer_ += kFieldEnd;
  }
  void Int(int value) {
    buffer_ += std::to_string(value);
    buffer_ += kFieldEnd;
  }
  void Flag(bool value) { buffer_ += value ? "1\x02" : "0\x02"; }
  // A list of values on one line; an empty list writes a single \x02.
  template <typename List>
  void ValueLine(const List& values) {
    if (values.empty()) buffer_ += kFieldEnd;
    for (std::string_view v : values) Field(v);
    EndLine();
  }
  void EndLine() {
    buffer_ += kLineEnd;
    if (fd_ >= 0 && buffer_.size() >= kFlushSize) Flush();
  }

  // Writes out what is buffered; false (with errno kept) on a write error.
  bool Flush() {
    size_t done = 0;
    while (done < buffer_.size() && error_ == 0) {
      const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0)
        error_ = errno;
      else
        done += static_cast<size_t>(n);
    }
    buffer_.clear();
    return error_ == 0;
  }
  int error() const { return error_; }
  std::string& buffer() { return buffer_; }

 private:
  int fd_;
  int error_ = 0;
  std::string buffer_;
};

void WriteFormats(LineSink& out, const TCatalogueStore& store) {
  for (DataKind kind : kDataKinds) {
    for (int level = kItemLevelTable; level <= kItemLevelColumn; ++level) {
      out.Tag(kTagFormat, {DataKindCode(kind), level});
      for (const TItemDef& item : store.Items(kind, level)) {
        out.Field(item.name);
        out.Int(item.valueKind);
        out.Int(item.index);
        out.Flag(item.output != 0);
        out.Field(item.excelColumn);
        out.Field(item.excelCell);
        out.EndLine();
      }
    }
  }
  const TFormatSettings& s = store.formatSettings;
  for (DataKind kind : kDataKinds) {
    const size_t i = DataKindIndex(kind);
    out.Tag(kTagFormatTable, {DataKindCode(kind)});
    out.Flag(s.tableNoOutput[i] != 0);
    out.Flag(s.tableOneSheet[i] != 0);
    out.Int(s.tableStartRow[i]);
    out.Flag(s.tableHeader[i] != 0);
    out.EndLine();
  }
  for (DataKind kind : kDataKinds) {
    const size_t i = DataKindIndex(kind);
    out.Tag(kTagFormatColumn, {DataKindCode(kind)});
    out.Int(s.columnStartRow[i]);
    out.Flag(s.columnHeader[i] != 0);
    out.EndLine();
  }
  out.Tag(kTagFormatEr);
  out.Int(s.erLeft);
  out.Int(s.erTop);
  out.Flag(s.erType != 0);
  out.Int(s.lineType);
  out.EndLine();
}

void WriteRecords(LineSink& out, const TCatalogueStore& store, IProgress& progress, int& done) {
  for (DataKind kind : kDataKinds) {
    for (const auto& record : store.Records(kind)) {
      out.Tag(kTagTable, {DataKindCode(kind)});
      out.Field(record->owner);
      out.Field(record->type);
      out.Field(record->name);
      out.EndLine();
      out.Tag(kTagTableValue);
      out.ValueLine(record->values);
      for (const TColumnRow& row : record->columns) {
        out.Tag(kTagTableColumn);
        out.ValueLine(row.values);
      }
      progress.Step(++done);
    }
  }
}

void WriteDiagram(LineSink& out, const TCatalogueStore& store) {
  for (const auto& sheet : store.er.sheets) {
    out.Tag(kTagEr);
    out.Field(sheet->name);
    out.EndLine();
    for (const auto& table : sheet->tables) {
      out.Tag(kTagErTable);
      out.Field(table->name);
      out.Field(table->caption);
      out.Int(table->left);
      out.Int(table->top);
      out.Int(table->width);
      out.Int(table->height);
      out.EndLine();
      out.Tag(kTagErTableColumn);
      for (const TERColumnRec& column : table->columns) {
        out.Field(column.keyMark);
        out.Field(column.columnName);
        out.Field(column.typeText);
        out.Field(column.checked ? "TRUE" : "FALSE");
        out.EndLine();
      }
    }
    for (const auto& line : sheet->lines) {
      out.Tag(kTagErLine);
      out.Field(line->fromWindow != nullptr ? line->fromWindow->name : std::string());
      out.Field(line->toWindow != nullptr ? line->toWindow->name : std::string());
      out.EndLine();
    }
  }
  for (const TRelationRec& relation : store.relations) {
    out.Tag(kTagErFkTable);
    out.Field(relation.fkTable);
    out.EndLine();
    out.Tag(kTagErPkTable);
    out.ValueLine(relation.pkTables);
  }
}

void WriteTail(LineSink& out, const TCatalogueStore& store) {
  const TImportLayout& layout = store.importLayout;
  out.Tag(kTagExcelImport);
  out.Field(layout.tableNameCell);
  out.Int(layout.firstItemRow);
  for (const std::string* column : layout.Columns()) out.Field(*column);
  out.EndLine();
  out.Tag(kTagSqlText);
  for (const std::string& line : store.sqlText) out.Field(line);
  out.EndLine();
  out.Tag(kTagSqlMaxRow);
  out.Field(store.sqlMaxRow);
  out.EndLine();
}

int RecordCount(const TCatalogueStore& store) {
  size_t count = 0;
  for (DataKind kind : kDataKinds) count += store.Records(kind).size();
  return static_cast<int>(std::min<size_t>(count, INT32_MAX));
}

void WriteProject(LineSink& out, const TCatalogueStore& store, IProgress& progress) {
  int done = 0;
  progress.Begin("プロジェクトの保存", RecordCount(store));
  out.buffer() += kTagMark;
  out.buffer() += kHeaderTag;
  out.buffer() += kFieldEnd;
  out.Int(store.fileVersion);
  out.EndLine();
  out.Tag(kTagDatabaseType);
  out.Int(ProductCode(store.product));
  out.EndLine();
  WriteFormats(out, store);
  WriteRecords(out, store, progress, done);
  WriteDiagram(out, store);
  WriteTail(out, store);
  progress.End();
}

}  // namespace

std::string ProjectFileBytes(const TCatalogueStore& store) {
  LineSink out;
  NullProgress progress;
  WriteProject(out, store, progress);
  return std::move(out.buffer());
}

ProjectWriteResult SaveProjectFile(TCatalogueStore& store, const std::string& path,
                                   IProgress* progress) {
  NullProgress noProgress;
  IProgress& report = progress != nullptr ? *progress : noProgress;
  fileio::FileContent content;
  content.stream = [&](int fd) {
    LineSink out(fd);
    WriteProject(out, store, report);
    return out.Flush() ? 0 : out.error();
  };
  content.bytes = [&] {
    LineSink out;
    WriteProject(out, store, report);
    return std::move(out.buffer());
  };
  // A file changed by someone else since it was read is not overwritten with what we hold.
  const bool same_file = !store.fileName.empty() && store.fileName == path;
  if (same_file && store.fileStamp != fileio::FileStamp{}) {
    std::optional<fileio::FileStamp> now = fileio::StampOfFile(path);
    if (now && *now != store.fileStamp) {
      return {false, "プロジェクト「" + path +
                         "」は読み込んだ後に他のプログラムが変更しました。上書きせずに保存を中止"
                         "しました。"};
    }
  }
  if (const int error = fileio::SaveFile(path, content)) {
    return {false, fileio::SaveFailureText(path, error)};
  }
  store.fileStamp = fileio::StampOfFile(path).value_or(fileio::FileStamp{});
  store.fileName = path;
  store.modified = false;
  return {true, {}};
}

}  // namespace morvane
