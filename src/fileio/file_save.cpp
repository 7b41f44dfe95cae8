#include "fileio/file_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "fileio/system_error_text.h"
#include "fileio/temp_file_guard.h"

namespace morvane::fileio {
namespace {

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
int CreateTemporaryBeside(const std::filesystem::path& target, std::string& temp_path) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate =
        target.parent_path() / ("." + target.filename().string() + ".tmp" +
                                std::to_string(::getpid()) + "-" + std::to_string(random()));
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      temp_path = candidate.string();
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
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, ec);
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

int ReadAll(int fd, std::string& bytes) {
  char buffer[64 * 1024];
  for (off_t offset = 0;;) {
    const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return 0;
    bytes.append(buffer, static_cast<size_t>(n));
    offset += n;
  }
}

int WriteAllAt(int fd, std::string_view bytes) {
  for (off_t offset = 0; !bytes.empty();) {
    const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    bytes.remove_prefix(static_cast<size_t>(n));
    offset += n;
  }
  return 0;
}

// Room for `size` bytes, taken before anything is overwritten. A file system that cannot
// reserve space is written all the same (the old bytes are still put back on failure).
int Reserve(int fd, size_t size) {
  if (size == 0) return 0;
  const int error = ::posix_fallocate(fd, 0, static_cast<off_t>(size));
  return error == EOPNOTSUPP || error == EINVAL ? 0 : error;
}

// Overwrites a regular file with `bytes`, or leaves it byte for byte as it was.
int OverwriteRegular(const std::filesystem::path& target, std::string_view bytes) {
  FileDescriptor fd(::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return errno;
  std::string old_bytes;
  if (int error = ReadAll(fd.get(), old_bytes)) return error;
  int error = Reserve(fd.get(), bytes.size());
  if (error != 0) {
    ::ftruncate(fd.get(), static_cast<off_t>(old_bytes.size()));
    return error;
  }
  error = WriteAllAt(fd.get(), bytes);
  if (error == 0 && ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0) error = errno;
  if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
  if (error != 0) {
    WriteAllAt(fd.get(), old_bytes);
    ::ftruncate(fd.get(), static_cast<off_t>(old_bytes.size()));
    ::fsync(fd.get());
    return error;
  }
  return fd.Close() ? 0 : errno;
}

// Writes into a FIFO or a device, which stays what it is.
int WriteSpecial(const std::filesystem::path& target, std::string_view bytes) {
  FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return errno;
  const int error = WriteAll(fd.get(), bytes);
  if (error != 0) return error;
  return fd.Close() ? 0 : errno;
}

// Writes a new file beside the target and renames it over the target once complete.
// `made` tells whether the temporary file could be made at all.
int WriteAndReplace(const std::filesystem::path& target, const FileContent& content, bool& made) {
  TempFileSignalGuard guard;
  std::string temp_path;
  FileDescriptor fd(guard.CreateArmed(temp_path, [&target](std::string& made_path) {
    return CreateTemporaryBeside(target, made_path);
  }));
  made = fd.get() >= 0;
  if (!made) return errno;

  struct stat existing {};
  if (::stat(target.c_str(), &existing) == 0) ::fchmod(fd.get(), existing.st_mode & 07777);

  int error = content.stream(fd.get());
  if (error == 0 && ::fsync(fd.get()) != 0) error = errno;
  if (error == 0 && !fd.Close()) error = errno;
  if (error == 0 && ::rename(temp_path.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp_path.c_str());
  guard.Disarm();
  if (error != 0) return error;
  SyncDirectory(target.parent_path());
  return 0;
}

// Folder refusals that a write into the existing file itself does not meet.
bool FolderRefused(int error) { return error == EACCES || error == EPERM || error == EROFS; }

bool WriteProtected(const std::filesystem::path& target, const struct stat& existing) {
  if (::access(target.c_str(), W_OK) != 0) return true;
  return S_ISREG(existing.st_mode) && (existing.st_mode & 0222) == 0;
}

}  // namespace

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return 0;
}

int SaveFile(const std::string& path, const FileContent& content) {
  const std::filesystem::path target = SaveTarget(path);
  struct stat existing {};
  const bool exists = ::stat(target.c_str(), &existing) == 0;
  // Replacing by rename would bypass a protected file's protection; refuse as writing would.
  if (exists && WriteProtected(target, existing)) return EACCES;
  const bool regular = exists && S_ISREG(existing.st_mode);
  if (exists && S_ISDIR(existing.st_mode)) return EISDIR;
  if (exists && !regular) return WriteSpecial(target, content.bytes());
  if (exists && existing.st_nlink > 1) return OverwriteRegular(target, content.bytes());
  bool made = false;
  int error = WriteAndReplace(target, content, made);
  // A folder the user may not write to still holds a file the user may write.
  if (!made && exists && FolderRefused(error)) error = OverwriteRegular(target, content.bytes());
  return error;
}

int SaveFileBytes(const std::string& path, std::string_view bytes) {
  FileContent content;
  content.stream = [bytes](int fd) { return WriteAll(fd, bytes); };
  content.bytes = [bytes] { return std::string(bytes); };
  return SaveFile(path, content);
}

std::string SaveFailureText(const std::string& path, int error) {
  return "ファイル「" + path + "」に保存できませんでした。(" + SystemErrorText(error) + ")";
}

}  // namespace morvane::fileio
