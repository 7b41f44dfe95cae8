// Saving a file complete or not at all.
//
// The content is written beside the target under a temporary name and renamed over the target
// once it is complete and flushed, so a failed save never damages the previous file; a SIGINT or
// SIGTERM meanwhile removes the temporary file. A symbolic link is followed: the link stays and
// the file it names gets the content.
//
// Where a new file cannot or must not replace the target, the target itself is written: a FIFO
// or a device node gets the bytes and stays what it is, a file with other hard links stays the
// one file they all name, and a writable file in a folder the user may not write to can still be
// saved. Such a write in place first reserves the space the new content needs and keeps the old
// bytes; should writing fail anyway, the old bytes are put back, so the file is left as it was.
//
// A write-protected file (one the user may not write, or with no write permission for anyone)
// is refused rather than replaced.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace morvane::fileio {

struct FileContent {
  // Writes the whole content to `fd`; 0, or the errno value of a failure.
  std::function<int(int fd)> stream;
  // The whole content at once, for a write in place.
  std::function<std::string()> bytes;
};

// Saves the content to `path`; 0, or the errno value of the failure.
int SaveFile(const std::string& path, const FileContent& content);
int SaveFileBytes(const std::string& path, std::string_view bytes);

// "ファイル「path」に保存できませんでした。(reason)"
std::string SaveFailureText(const std::string& path, int error);

// Writes all of `bytes` to `fd`; 0, or the errno value of a failure.
int WriteAll(int fd, std::string_view bytes);

}  // namespace morvane::fileio
