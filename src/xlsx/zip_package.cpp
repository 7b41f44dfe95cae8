#include "xlsx/zip_package.h"

#include <zip.h>

#include <memory>

#include "xlsx/error.h"

namespace morvane::xlsx {
namespace {

constexpr const char* kContentTypes = "[Content_Types].xml";

std::string ZipErrorText(zip_error_t* error) {
  std::string text = zip_error_strerror(error);
  zip_error_fini(error);
  return text;
}

// Reads an entry in pieces: the size its header claims is only checked against what the data
// really holds, so a damaged header cannot make us reserve gigabytes up front.
std::string ReadEntry(zip_file_t* file, zip_uint64_t claimed_size, const std::string& name) {
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    zip_int64_t read = zip_fread(file, buffer, sizeof buffer);
    if (read < 0) throw Error("ブックの内容を読み取れません (" + name + ")");
    if (read == 0) break;
    bytes.append(buffer, static_cast<size_t>(read));
    if (bytes.size() > claimed_size) break;
  }
  if (bytes.size() != claimed_size) throw Error("ブックの内容を読み取れません (" + name + ")");
  return bytes;
}

ZipPackage ReadArchive(zip_t* archive) {
  ZipPackage package;
  zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0) continue;
    std::string name = stat.name;
    if (!name.empty() && name.back() == '/') continue;  // a directory entry
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
        zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0), &zip_fclose);
    if (!file) throw Error("ブックの内容を読み取れません (" + name + ")");
    package.Put(name, ReadEntry(file.get(), stat.size, name));
  }
  return package;
}

}  // namespace

ZipPackage ZipPackage::ReadFile(const std::string& path) {
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY, &code);
  if (archive == nullptr) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    throw Error("ブックを開けません: " + path + " (" + ZipErrorText(&error) + ")");
  }
  std::unique_ptr<zip_t, decltype(&zip_discard)> guard(archive, &zip_discard);
  return ReadArchive(archive);
}

ZipPackage ZipPackage::ReadBytes(std::string_view bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  if (source == nullptr) throw Error("ブックを開けません (" + ZipErrorText(&error) + ")");
  zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
  if (archive == nullptr) {
    zip_source_free(source);
    throw Error("ブックを開けません (" + ZipErrorText(&error) + ")");
  }
  std::unique_ptr<zip_t, decltype(&zip_discard)> guard(archive, &zip_discard);
  return ReadArchive(archive);
}

void ZipPackage::WriteFile(const std::string& path, int compression_level) const {
  int code = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  if (archive == nullptr) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    throw Error("ブックを保存できません: " + path + " (" + ZipErrorText(&error) + ")");
  }
  auto fail = [&](const std::string& what) {
    std::string reason = zip_strerror(archive);
    zip_discard(archive);
    throw Error("ブックを保存できません: " + path + " (" + what + ": " + reason + ")");
  };
  std::vector<const std::pair<const std::string, std::string>*> order;
  auto types = parts_.find(kContentTypes);
  if (types != parts_.end()) order.push_back(&*types);
  for (const auto& entry : parts_) {
    if (entry.first != kContentTypes) order.push_back(&entry);
  }
  for (const auto* entry : order) {
    zip_source_t* source =
        zip_source_buffer(archive, entry->second.data(), entry->second.size(), 0);
    if (source == nullptr) fail(entry->first);
    zip_int64_t index = zip_file_add(archive, entry->first.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      fail(entry->first);
    }
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE,
                             static_cast<zip_uint32_t>(compression_level));
  }
  if (zip_close(archive) != 0) fail("close");
}

const std::string& ZipPackage::Get(const std::string& name) const {
  auto it = parts_.find(name);
  if (it == parts_.end()) throw Error("ブックに必要な部分がありません: " + name);
  return it->second;
}

std::vector<std::string> ZipPackage::Names() const {
  std::vector<std::string> names;
  names.reserve(parts_.size());
  for (const auto& entry : parts_) names.push_back(entry.first);
  return names;
}

}  // namespace morvane::xlsx
