#include "project/project_lock.h"

#include <cerrno>

#include "fileio/system_error_text.h"

namespace morvane {

std::optional<std::string> ProjectLock::Lock(const std::string& path,
                                             std::chrono::milliseconds wait) {
  if (lock_.Acquire(path, wait)) return std::nullopt;
  if (errno == EWOULDBLOCK) {
    return "プロジェクト「" + path + "」は他のプログラムが使用中です。" +
           std::to_string((wait.count() + 999) / 1000) +
           " 秒待ちましたが空かないため、中止しました。";
  }
  return "プロジェクト「" + path + "」を開けませんでした。(" + fileio::SystemErrorText(errno) + ")";
}

}  // namespace morvane
