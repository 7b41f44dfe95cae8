#include "fileio/temp_file_guard.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace morvane {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM};

// Read by the handler: only plain data, written while the signals are held back.
char g_path[PATH_MAX + 1];
volatile sig_atomic_t g_armed = 0;
struct sigaction g_previous[2];
bool g_installed[2];

void RemoveAndPassOn(int signal) {
  const int saved_errno = errno;
  if (g_armed) ::unlink(g_path);
  g_armed = 0;
  // The signal then does what it did before the save: usually end the program.
  for (size_t i = 0; i < 2; ++i) {
    if (kSignals[i] == signal) ::sigaction(signal, &g_previous[i], nullptr);
  }
  ::raise(signal);
  errno = saved_errno;
}

}  // namespace

TempFileSignalGuard::TempFileSignalGuard() {
  struct sigaction action {};
  action.sa_handler = &RemoveAndPassOn;
  sigemptyset(&action.sa_mask);
  for (int s : kSignals) sigaddset(&action.sa_mask, s);
  for (size_t i = 0; i < 2; ++i) {
    g_installed[i] = false;
    if (::sigaction(kSignals[i], nullptr, &g_previous[i]) != 0) continue;
    if (g_previous[i].sa_handler == SIG_IGN) continue;
    g_installed[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
  }
}

TempFileSignalGuard::~TempFileSignalGuard() {
  Disarm();
  for (size_t i = 0; i < 2; ++i) {
    if (g_installed[i]) ::sigaction(kSignals[i], &g_previous[i], nullptr);
  }
}

void TempFileSignalGuard::Arm(const std::string& path) {
  if (path.size() > PATH_MAX) return;
  std::memcpy(g_path, path.c_str(), path.size() + 1);
  g_armed = 1;
}

void TempFileSignalGuard::Disarm() { g_armed = 0; }

int TempFileSignalGuard::CreateArmed(std::string& path,
                                     const std::function<int(std::string&)>& create) {
  // Held back between making the file and arming, so no signal falls in between.
  sigset_t hold;
  sigset_t before;
  sigemptyset(&hold);
  for (int s : kSignals) sigaddset(&hold, s);
  ::pthread_sigmask(SIG_BLOCK, &hold, &before);
  const int fd = create(path);
  if (fd >= 0) Arm(path);
  ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
  return fd;
}

}  // namespace morvane
