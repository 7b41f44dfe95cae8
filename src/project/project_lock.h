// The lock a program holds on a project file from reading it until it has saved it, so that two
// programs writing one project never lose each other's changes: the second waits a few seconds
// for the first and then gives up with a message naming the project.
#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "fileio/file_lock.h"

namespace morvane {

class ProjectLock {
 public:
  // Locks the project at `path` (a project that does not exist yet needs no lock). Nothing when
  // locked, else the message for the user.
  std::optional<std::string> Lock(const std::string& path,
                                  std::chrono::milliseconds wait = fileio::FileLock::kDefaultWait);
  void Unlock() { lock_.Release(); }
  bool held() const { return lock_.held(); }

 private:
  fileio::FileLock lock_;
};

}  // namespace morvane
