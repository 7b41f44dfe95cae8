#include "xlsx/zip_package.h"

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <set>

#include "fileio/file_save.h"
#include "xlsx/error.h"
#include "xlsx/made_part_source.h"
#include "xlsx/relationships.h"

namespace morvane::xlsx {
namespace {

constexpr const char* kContentTypes = "[Content_Types].xml";

// The reason of a libzip failure in Japanese; libzip's own texts are English.
std::string ZipErrorText(zip_error_t* error) {
  std::string text;
  switch (zip_error_code_zip(error)) {
    case ZIP_ER_NOENT:
      text = "ファイルがありません";
      break;
    case ZIP_ER_NOZIP:
      text = "zip 形式のファイルではありません";
      break;
    case ZIP_ER_INCONS:
    case ZIP_ER_CRC:
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_ENCRNOTSUPP:
      text = "ファイルが壊れているか、読めない形式です";
      break;
    case ZIP_ER_MEMORY:
      text = "メモリが足りません";
      break;
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_WRITE:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_RENAME:
    case ZIP_ER_CLOSE:
    case ZIP_ER_REMOVE:
      text = std::string("ファイルの入出力に失敗しました: ") +
             std::strerror(zip_error_code_system(error));
      break;
    default:
      text = "ファイルを処理できません (libzip のエラー " +
             std::to_string(zip_error_code_zip(error)) + ")";
  }
  zip_error_fini(error);
  return text;
}

std::string ArchiveErrorText(zip_t* archive) {
  zip_error_t copy;
  zip_error_init(&copy);
  zip_error_set(&copy, zip_error_code_zip(zip_get_error(archive)),
                zip_error_code_system(zip_get_error(archive)));
  return ZipErrorText(&copy);
}

struct Entry {
  zip_uint64_t index;
  zip_uint64_t size;
  zip_uint64_t compressed_size;
};

std::string TooLargeText(const std::string& name) {
  return "ブックの部分 " + name + " は展開すると大きすぎるため読み込めません (" +
         std::to_string(ZipPackage::kMaxPartBytes >> 20) + " MB まで、圧縮率 " +
         std::to_string(ZipPackage::kMaxRatio) + " 倍まで)";
}

// Whether `bytes` of inflated data are more than an entry may hold.
bool PassesLimit(zip_uint64_t bytes, zip_uint64_t compressed_size) {
  if (bytes > ZipPackage::kMaxPartBytes) return true;
  return bytes > ZipPackage::kRatioCheckedFrom &&
         bytes / std::max<zip_uint64_t>(compressed_size, 1) > ZipPackage::kMaxRatio;
}

// Reads an entry in pieces: the size its header claims is only checked against what the data
// really holds, so a damaged or hostile header cannot make us reserve gigabytes up front, and
// inflating stops as soon as the data passes the limits.
std::string ReadEntry(zip_t* archive, const Entry& entry, const std::string& name) {
  if (PassesLimit(entry.size, entry.compressed_size)) throw Error(TooLargeText(name));
  std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen_index(archive, entry.index, 0),
                                                          &zip_fclose);
  if (!file) throw Error("ブックの内容を読み取れません (" + name + ")");
  std::string bytes;
  char buffer[64 * 1024];
  for (;;) {
    zip_int64_t read = zip_fread(file.get(), buffer, sizeof buffer);
    if (read < 0) throw Error("ブックの内容を読み取れません (" + name + ")");
    if (read == 0) break;
    bytes.append(buffer, static_cast<size_t>(read));
    if (PassesLimit(bytes.size(), entry.compressed_size)) throw Error(TooLargeText(name));
    if (bytes.size() > entry.size) break;
  }
  if (bytes.size() != entry.size) throw Error("ブックの内容を読み取れません (" + name + ")");
  return bytes;
}

// Everything a finished in-memory archive holds.
std::string SourceBytes(zip_source_t* source) {
  std::string bytes;
  if (zip_source_open(source) != 0) throw Error("ブックを作れません");
  char chunk[64 * 1024];
  for (;;) {
    zip_int64_t n = zip_source_read(source, chunk, sizeof chunk);
    if (n < 0) {
      zip_source_close(source);
      throw Error("ブックを作れません");
    }
    if (n == 0) break;
    bytes.append(chunk, static_cast<size_t>(n));
  }
  zip_source_close(source);
  return bytes;
}

// The entries of an archive that inflate beyond the reader's ratio limit.
std::vector<std::string> FarDeflatedParts(const std::string& bytes) {
  std::vector<std::string> names;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* archive = source == nullptr ? nullptr : zip_open_from_source(source, ZIP_RDONLY, &error);
  if (archive == nullptr) {
    if (source != nullptr) zip_source_free(source);
    zip_error_fini(&error);
    return names;
  }
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0) continue;
    if (PassesLimit(stat.size, stat.comp_size)) names.push_back(stat.name);
  }
  zip_discard(archive);
  return names;
}

bool IsRelationshipPart(const std::string& name) {
  return name.size() > 5 && name.compare(name.size() - 5, 5, ".rels") == 0;
}

// The parts reachable from the package's root relationships, following each part's own
// relationships; relationship parts and the content types are always part of it.
std::set<std::string> NeededParts(const ZipPackage& index_parts) {
  std::set<std::string> needed = {kContentTypes};
  std::vector<std::string> pending = {""};
  std::set<std::string> visited;
  while (!pending.empty()) {
    const std::string source = pending.back();
    pending.pop_back();
    if (!visited.insert(source).second) continue;
    const std::string rels_part = RelsPartOf(source);
    if (!index_parts.Has(rels_part)) continue;
    needed.insert(rels_part);
    const Relationships rels = Relationships::Parse(index_parts.Get(rels_part), source);
    for (const Relationship& rel : rels.items()) {
      if (rel.external) continue;
      needed.insert(rel.target);
      pending.push_back(rel.target);
    }
  }
  return needed;
}

ZipPackage ReadArchive(zip_t* archive) {
  std::map<std::string, Entry> entries;
  zip_int64_t count = zip_get_num_entries(archive, 0);
  for (zip_int64_t i = 0; i < count; ++i) {
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) != 0) continue;
    std::string name = stat.name;
    if (!name.empty() && name.back() == '/') continue;  // a directory entry
    entries[name] = {static_cast<zip_uint64_t>(i), stat.size, stat.comp_size};
  }
  // First the relationships, which say which other parts the workbook is made of; parts that
  // nothing refers to are never inflated.
  ZipPackage package;
  for (const auto& [name, entry] : entries) {
    if (name == kContentTypes || IsRelationshipPart(name)) {
      // These are parsed before anything else; none of a real workbook comes near the limit.
      if (entry.size > ZipPackage::kMaxIndexPartBytes) {
        throw Error("ブックの部分 " + name + " が大きすぎるため読み込めません (" +
                    std::to_string(ZipPackage::kMaxIndexPartBytes >> 20) + " MB まで)");
      }
      package.Put(name, ReadEntry(archive, entry, name));
    }
  }
  const std::set<std::string> needed = NeededParts(package);
  for (const auto& [name, entry] : entries) {
    if (needed.count(name) != 0 && !package.Has(name)) {
      package.Put(name, ReadEntry(archive, entry, name));
    }
  }
  // Relationship parts of parts that are not read are left out as well.
  for (const std::string& name : package.Names()) {
    if (needed.count(name) == 0) package.Remove(name);
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

std::string ZipPackage::ToBytes(int compression_level) const {
  std::set<std::string> stored;
  std::string bytes = Archive(compression_level, stored);
  // A part that deflates more than the reader accepts is stored instead: what is written here
  // must read back.
  for (const std::string& name : FarDeflatedParts(bytes)) stored.insert(name);
  return stored.empty() ? bytes : Archive(compression_level, stored);
}

std::string ZipPackage::Archive(int compression_level, const std::set<std::string>& stored) const {
  for (const auto& [name, bytes] : parts_) CheckPartSize(name, bytes);
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
  if (buffer == nullptr) throw Error("ブックを作れません (" + ZipErrorText(&error) + ")");
  std::unique_ptr<zip_source_t, decltype(&zip_source_free)> keep(buffer, &zip_source_free);
  zip_source_keep(buffer);
  zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
  if (archive == nullptr) throw Error("ブックを作れません (" + ZipErrorText(&error) + ")");
  auto fail = [&](const std::string& what) {
    std::string reason = ArchiveErrorText(archive);
    zip_discard(archive);
    throw Error("ブックを作れません (" + what + ": " + reason + ")");
  };
  std::vector<std::unique_ptr<MadePartSource>> made;
  for (const std::string& name : Names()) {
    auto held = parts_.find(name);
    zip_source_t* source = nullptr;
    if (held != parts_.end()) {
      source = zip_source_buffer(archive, held->second.data(), held->second.size(), 0);
    } else {
      made.push_back(std::make_unique<MadePartSource>(MakerChecking(name)));
      source = made.back()->Open(archive);
    }
    if (source == nullptr) fail(name);
    zip_int64_t index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      fail(name);
    }
    const bool store = stored.count(name) != 0;
    zip_set_file_compression(archive, static_cast<zip_uint64_t>(index),
                             store ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                             store ? 0 : static_cast<zip_uint32_t>(compression_level));
  }
  if (zip_close(archive) != 0) {
    for (const auto& part : made) {
      if (part->failure()) {
        zip_discard(archive);
        std::rethrow_exception(part->failure());
      }
    }
    fail("close");
  }
  return SourceBytes(buffer);
}

std::function<std::string()> ZipPackage::MakerChecking(const std::string& name) const {
  const std::function<std::string()>& make = made_.at(name);
  return [&make, name] {
    std::string bytes = make();
    CheckPartSize(name, bytes);
    return bytes;
  };
}

void ZipPackage::CheckPartSize(const std::string& name, const std::string& bytes) {
  if (bytes.size() > kMaxPartBytes) {
    throw Error("ブックの部分 " + name + " が大きすぎるため保存できません (" +
                std::to_string(kMaxPartBytes >> 20) + " MB まで)");
  }
}

void ZipPackage::WriteFile(const std::string& path, int compression_level) const {
  const std::string bytes = ToBytes(compression_level);
  if (const int error = fileio::SaveFileBytes(path, bytes)) {
    throw Error(fileio::SaveFailureText(path, error));
  }
}

const std::string& ZipPackage::Get(const std::string& name) const {
  auto it = parts_.find(name);
  if (it == parts_.end()) throw Error("ブックに必要な部分がありません: " + name);
  return it->second;
}

void ZipPackage::Put(const std::string& name, std::string bytes) {
  made_.erase(name);
  parts_[name] = std::move(bytes);
}

void ZipPackage::PutMade(const std::string& name, std::function<std::string()> make) {
  parts_.erase(name);
  made_[name] = std::move(make);
}

void ZipPackage::Remove(const std::string& name) {
  parts_.erase(name);
  made_.erase(name);
}

// In name order, "[Content_Types].xml" first, as the archive holds them.
std::vector<std::string> ZipPackage::Names() const {
  std::vector<std::string> names;
  names.reserve(parts_.size() + made_.size());
  for (const auto& entry : parts_) names.push_back(entry.first);
  for (const auto& entry : made_) names.push_back(entry.first);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return (a == kContentTypes) != (b == kContentTypes) ? a == kContentTypes : a < b;
  });
  return names;
}

}  // namespace morvane::xlsx
