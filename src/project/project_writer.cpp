#include "project/project_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "project/project_format.h"
#include "project/temp_file_guard.h"

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

std::string SaveError(const std::string& path, int error) {
  return "ファイル「" + path + "」に保存できませんでした。(" + std::strerror(error) + ")";
}

// A file descriptor that is closed when it goes out of scope.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }
  // Closes now; returns false with errno set when closing reports an error.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

// Creates a new file beside `target` under a name no other file has.
int CreateTemporaryBeside(const std::filesystem::path& target, std::string& tempPath) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate =
        target.parent_path() / ("." + target.filename().string() + ".tmp" +
                                std::to_string(::getpid()) + "-" + std::to_string(random()));
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      tempPath = candidate.string();
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

// The file the save replaces: a symbolic link is followed so that the link stays a link.
std::filesystem::path SaveTarget(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_symlink(path, ec)) {
    std::filesystem::path resolved = std::filesystem::canonical(path, ec);
    if (!ec) return resolved;
  }
  return std::filesystem::absolute(path, ec);
}

void SyncDirectory(const std::filesystem::path& dir) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::string ProjectFileBytes(const TCatalogueStore& store) {
  LineSink out;
  NullProgress progress;
  WriteProject(out, store, progress);
  return std::move(out.buffer());
}

namespace {

// Writes the whole of `bytes` to `fd`; the errno value of a failure, else 0.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

// Overwrites the existing `target` itself, as a plain write would: the content is produced in
// full first, so the target is only touched once there is nothing left that could fail but the
// writing. A FIFO or a device gets the bytes and stays what it is.
int WriteInPlace(const TCatalogueStore& store, const std::filesystem::path& target, bool regular,
                 IProgress& progress) {
  LineSink out;
  WriteProject(out, store, progress);
  const int flags = O_WRONLY | O_CLOEXEC | O_NOCTTY | (regular ? O_TRUNC : 0);
  FileDescriptor fd(::open(target.c_str(), flags));
  if (fd.get() < 0) return errno;
  int error = WriteAll(fd.get(), out.buffer());
  if (error == 0 && regular && ::fsync(fd.get()) != 0) error = errno;
  if (error == 0 && !fd.Close()) error = errno;
  return error;
}

// Writes a new file beside the target and renames it over the target once complete.
// `made` tells whether the temporary file could be made at all.
int WriteAndReplace(const TCatalogueStore& store, const std::filesystem::path& target,
                    IProgress& progress, bool& made) {
  TempFileSignalGuard guard;
  std::string tempPath;
  FileDescriptor fd(guard.CreateArmed(tempPath, [&target](std::string& made_path) {
    return CreateTemporaryBeside(target, made_path);
  }));
  made = fd.get() >= 0;
  if (!made) return errno;

  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) ::fchmod(fd.get(), existing.st_mode & 07777);

  LineSink out(fd.get());
  WriteProject(out, store, progress);
  int error = out.Flush() ? 0 : out.error();
  if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
  if (error == 0 && !fd.Close()) error = errno;
  if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) error = errno;
  guard.Disarm();
  if (error != 0) {
    ::unlink(tempPath.c_str());
    return error;
  }
  SyncDirectory(target.parent_path());
  return 0;
}

// Folder refusals that a write into the existing file itself does not meet.
bool FolderRefused(int error) { return error == EACCES || error == EPERM; }

}  // namespace

ProjectWriteResult SaveProjectFile(TCatalogueStore& store, const std::string& path,
                                   IProgress* progress) {
  NullProgress noProgress;
  IProgress& report = progress != nullptr ? *progress : noProgress;
  const std::filesystem::path target = SaveTarget(path);
  // Replacing by rename would bypass a read-only file's protection; refuse as writing would.
  if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) {
    return {false, SaveError(path, errno)};
  }
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  const bool regular = exists && S_ISREG(existing.st_mode);
  // A FIFO or a device must not become a plain file, and a file with other hard links must stay
  // the one file they all name: those are written in place.
  int error = 0;
  if (exists && (!regular || existing.st_nlink > 1)) {
    error = WriteInPlace(store, target, regular, report);
  } else {
    bool made = false;
    error = WriteAndReplace(store, target, report, made);
    // A folder the user may not write to still holds a file the user may write.
    if (!made && exists && FolderRefused(error)) error = WriteInPlace(store, target, true, report);
  }
  if (error != 0) return {false, SaveError(path, error)};
  store.fileName = path;
  store.modified = false;
  return {true, {}};
}

}  // namespace morvane
