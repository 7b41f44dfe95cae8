#include "fileio/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

namespace morvane::fileio {
namespace {

FileStamp StampOf(const struct stat& st) {
  return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
          static_cast<uint64_t>(st.st_size),
          static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::optional<FileStamp> StampOfFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return StampOf(st);
}

std::optional<FileStamp> StampOfDescriptor(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) return std::nullopt;
  return StampOf(st);
}

bool FileLock::Acquire(const std::string& path, std::chrono::milliseconds wait) {
  Release();
  const auto give_up = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return errno == ENOENT;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
      ::close(fd);  // a FIFO or a device is not shared through a file's content
      return true;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      // A save by rename may have put a new file under the name meanwhile: lock that one.
      struct stat now {};
      if (::stat(path.c_str(), &now) == 0 && SameFile(now, opened)) {
        fd_ = fd;
        return true;
      }
      ::close(fd);
      continue;
    }
    const int error = errno;
    ::close(fd);
    if (error != EWOULDBLOCK && error != EINTR) {
      errno = error;
      return false;
    }
    if (std::chrono::steady_clock::now() >= give_up) {
      errno = EWOULDBLOCK;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

void FileLock::Release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

}  // namespace morvane::fileio
