#include "project/line_source.h"

#include <algorithm>
#include <cerrno>

namespace morvane {
namespace {

constexpr size_t kChunkSize = 1 << 20;

std::string_view WithoutCr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

int PercentOf(long long done, long long total) {
  if (total <= 0) return 100;
  return static_cast<int>(done * 100 / total);
}

}  // namespace

bool MemoryLineSource::Next(std::string_view& line) {
  if (pos_ >= text_.size()) return false;
  size_t end = text_.find('\n', pos_);
  if (end == std::string_view::npos) end = text_.size();
  line = WithoutCr(text_.substr(pos_, end - pos_));
  pos_ = end + 1;
  return true;
}

int MemoryLineSource::Percent() const {
  return PercentOf(static_cast<long long>(std::min(pos_, text_.size())),
                   static_cast<long long>(text_.size()));
}

bool FileLineSource::Refill() {
  buffer_.erase(0, pos_);
  pos_ = 0;
  const size_t old = buffer_.size();
  buffer_.resize(old + kChunkSize);
  const size_t got = std::fread(buffer_.data() + old, 1, kChunkSize, file_);
  buffer_.resize(old + got);
  if (got < kChunkSize) {
    if (std::ferror(file_)) error_ = errno != 0 ? errno : EIO;
    eof_ = true;
  }
  return got > 0;
}

bool FileLineSource::Next(std::string_view& line) {
  // Bytes after pos_ already searched for the line end: a long line is searched once.
  size_t searched = 0;
  for (;;) {
    const size_t end = buffer_.find('\n', pos_ + searched);
    if (end != std::string::npos) {
      line = WithoutCr(std::string_view(buffer_).substr(pos_, end - pos_));
      consumed_ += static_cast<long long>(end + 1 - pos_);
      pos_ = end + 1;
      return true;
    }
    if (eof_ || error_ != 0) break;
    searched = buffer_.size() - pos_;
    Refill();
  }
  if (error_ != 0 || pos_ >= buffer_.size()) return false;
  line = WithoutCr(std::string_view(buffer_).substr(pos_));
  consumed_ += static_cast<long long>(buffer_.size() - pos_);
  pos_ = buffer_.size();
  return true;
}

int FileLineSource::Percent() const { return PercentOf(consumed_, size_); }

}  // namespace morvane
