// Removes a save's temporary file when the program is stopped by SIGINT or SIGTERM while the
// file exists, so an interrupted save leaves nothing behind. One save at a time.
#pragma once

#include <functional>
#include <string>

namespace morvane {

class TempFileSignalGuard {
 public:
  // Installs the handlers (a signal the program ignores stays ignored); nothing is removed until
  // a file is made.
  TempFileSignalGuard();
  // Restores the handlers that were there before.
  ~TempFileSignalGuard();
  TempFileSignalGuard(const TempFileSignalGuard&) = delete;
  TempFileSignalGuard& operator=(const TempFileSignalGuard&) = delete;

  // Creates the file with `create` (which returns a descriptor and sets `path`) while the two
  // signals are held back, and arms the guard for that path when it was made.
  int CreateArmed(std::string& path, const std::function<int(std::string&)>& create);
  // The file is gone or renamed: a signal no longer removes anything.
  void Disarm();

 private:
  void Arm(const std::string& path);
};

}  // namespace morvane
