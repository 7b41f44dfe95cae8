// Reading a project file line by line without holding the whole file in memory.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace morvane {

// Hands out the lines of a text one at a time. A line ends at LF; a CR just before the LF is
// dropped. A last line without LF still counts; nothing follows a final line end.
class LineSource {
 public:
  virtual ~LineSource() = default;
  // The next line (valid until the next call), or false at the end.
  virtual bool Next(std::string_view& line) = 0;
  // How far the reading has come, 0..100.
  virtual int Percent() const = 0;
  // An errno value when reading stopped on an error, else 0.
  virtual int error() const { return 0; }
};

class MemoryLineSource : public LineSource {
 public:
  explicit MemoryLineSource(std::string_view text) : text_(text) {}
  bool Next(std::string_view& line) override;
  int Percent() const override;

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// Lines of an open file; a read error sets error() (an errno value) and ends the lines.
class FileLineSource : public LineSource {
 public:
  FileLineSource(std::FILE* file, long long size) : file_(file), size_(size) {}
  bool Next(std::string_view& line) override;
  int Percent() const override;
  int error() const override { return error_; }

 private:
  bool Refill();

  std::FILE* file_;
  long long size_;
  long long consumed_ = 0;
  std::string buffer_;
  size_t pos_ = 0;
  bool eof_ = false;
  int error_ = 0;
};

}  // namespace morvane
