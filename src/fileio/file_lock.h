// Guarding a file against concurrent writers: an advisory lock (flock) that every Morvane
// program takes on a project from reading it until it is saved, and the identity of a file as
// it was read, to notice a change made by a program that does not lock.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace morvane::fileio {

// What identifies the content of a file as read: a save by rename gives a new inode, a write in
// place a new size or modification time.
struct FileStamp {
  uint64_t device = 0;
  uint64_t inode = 0;
  uint64_t size = 0;
  int64_t modified_ns = 0;
  bool operator==(const FileStamp&) const = default;
};

std::optional<FileStamp> StampOfFile(const std::string& path);
std::optional<FileStamp> StampOfDescriptor(int fd);

class FileLock {
 public:
  // How long a second writer waits for the first.
  static constexpr std::chrono::milliseconds kDefaultWait{5000};

  FileLock() = default;
  ~FileLock() { Release(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  FileLock& operator=(FileLock&& other) noexcept {
    if (this != &other) {
      Release();
      fd_ = other.fd_;
      other.fd_ = -1;
    }
    return *this;
  }

  // Takes the exclusive lock on the file at `path`, waiting up to `wait` for another holder.
  // A file that does not exist yet needs no lock: true. False (with errno set; EWOULDBLOCK when
  // another program holds it) when the lock could not be had.
  bool Acquire(const std::string& path, std::chrono::milliseconds wait = kDefaultWait);
  void Release();
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace morvane::fileio
