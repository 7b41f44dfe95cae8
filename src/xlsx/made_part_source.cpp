#include "xlsx/made_part_source.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace morvane::xlsx {

MadePartSource::MadePartSource(std::function<std::string()> make)
    : make_(std::move(make)), mtime_(std::time(nullptr)) {
  zip_error_init(&error_);
}

MadePartSource::~MadePartSource() { zip_error_fini(&error_); }

zip_source_t* MadePartSource::Open(zip_t* archive) {
  return zip_source_function(archive, &MadePartSource::Call, this);
}

zip_int64_t MadePartSource::Call(void* self, void* data, zip_uint64_t length,
                                 zip_source_cmd_t command) {
  return static_cast<MadePartSource*>(self)->Answer(data, length, command);
}

zip_int64_t MadePartSource::Answer(void* data, zip_uint64_t length, zip_source_cmd_t command) {
  switch (command) {
    case ZIP_SOURCE_OPEN:
      offset_ = 0;
      return Make() ? 0 : -1;
    case ZIP_SOURCE_READ:
      return Read(data, length);
    case ZIP_SOURCE_CLOSE:
      std::string().swap(bytes_);  // the memory goes back for the next part
      made_ = false;
      return 0;
    case ZIP_SOURCE_STAT:
      return Stat(data, length);
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&error_, data, length);
    case ZIP_SOURCE_FREE:
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                            ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      zip_error_set(&error_, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

bool MadePartSource::Make() {
  if (made_) return true;
  try {
    bytes_ = make_();
    made_ = true;
    size_ = bytes_.size();
    return true;
  } catch (...) {
    failure_ = std::current_exception();
    zip_error_set(&error_, ZIP_ER_INTERNAL, 0);
    return false;
  }
}

zip_int64_t MadePartSource::Read(void* data, zip_uint64_t length) {
  const size_t n = std::min<size_t>(length, bytes_.size() - offset_);
  std::memcpy(data, bytes_.data() + offset_, n);
  offset_ += n;
  return static_cast<zip_int64_t>(n);
}

// The size is known before the part is read, as for a part held in memory: an archive entry
// of unknown size would be written for the large-file form.
zip_int64_t MadePartSource::Stat(void* data, zip_uint64_t length) {
  zip_stat_t* stat = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, length, &error_);
  if (stat == nullptr) return -1;
  if (!size_ && !Make()) return -1;  // asked again once read, the size is still known
  zip_stat_init(stat);
  stat->mtime = mtime_;
  stat->size = *size_;
  stat->comp_size = *size_;
  stat->comp_method = ZIP_CM_STORE;
  stat->encryption_method = ZIP_EM_NONE;
  stat->valid = ZIP_STAT_MTIME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD |
                ZIP_STAT_ENCRYPTION_METHOD;
  return sizeof(zip_stat_t);
}

}  // namespace morvane::xlsx
