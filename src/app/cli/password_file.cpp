#include "app/cli/password_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace morvane {
namespace {

// Longer than any password; a file this long holds something else.
constexpr size_t kMaxLineBytes = 4096;

std::string Problem(const std::string& path, const std::string& reason) {
  return "パスワードファイル「" + path + "」を使えません。(" + reason + ")";
}

}  // namespace

PasswordFileResult ReadPasswordFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return {std::nullopt, Problem(path, std::strerror(errno))};
  struct stat info {};
  std::string problem;
  if (::fstat(fd, &info) != 0) {
    problem = std::strerror(errno);
  } else if (!S_ISREG(info.st_mode)) {
    problem = "通常のファイルではありません";
  } else if ((info.st_mode & (S_IRGRP | S_IROTH)) != 0) {
    problem = "他のユーザーが読めます。chmod 600 で読めないようにしてください";
  }
  std::string text;
  if (problem.empty()) {
    char buffer[kMaxLineBytes];
    ssize_t got;
    while ((got = ::read(fd, buffer, sizeof buffer)) != 0 && text.size() <= kMaxLineBytes) {
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        problem = std::strerror(errno);
        break;
      }
      text.append(buffer, static_cast<size_t>(got));
      if (text.find('\n') != std::string::npos) break;
    }
  }
  ::close(fd);
  if (!problem.empty()) return {std::nullopt, Problem(path, problem)};
  text = text.substr(0, text.find('\n'));
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return {std::move(text), {}};
}

}  // namespace morvane
