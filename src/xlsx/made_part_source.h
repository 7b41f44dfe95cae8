// A libzip source for a part whose bytes are made only when the archive is being written, and
// dropped again once libzip has read them.
#pragma once

#include <zip.h>

#include <ctime>
#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace morvane::xlsx {

class MadePartSource {
 public:
  explicit MadePartSource(std::function<std::string()> make);
  MadePartSource(const MadePartSource&) = delete;
  MadePartSource& operator=(const MadePartSource&) = delete;
  ~MadePartSource();

  // A source of `archive` reading from this object, which must outlive zip_close.
  zip_source_t* Open(zip_t* archive);
  // What `make` threw, if it did: libzip only learns that the source failed.
  std::exception_ptr failure() const { return failure_; }

 private:
  static zip_int64_t Call(void* self, void* data, zip_uint64_t length, zip_source_cmd_t command);
  zip_int64_t Answer(void* data, zip_uint64_t length, zip_source_cmd_t command);
  bool Make();
  zip_int64_t Read(void* data, zip_uint64_t length);
  zip_int64_t Stat(void* data, zip_uint64_t length);

  std::function<std::string()> make_;
  std::string bytes_;
  bool made_ = false;
  size_t offset_ = 0;
  std::optional<size_t> size_;
  std::time_t mtime_;
  std::exception_ptr failure_;
  zip_error_t error_;
};

}  // namespace morvane::xlsx
