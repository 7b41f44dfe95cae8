// The parts of an Open Packaging Conventions file (a zip archive), held in memory.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace morvane::xlsx {

class ZipPackage {
 public:
  // Limits on one inflated part: its size, and above kRatioCheckedFrom bytes its ratio to
  // the compressed size. A part beyond them is refused rather than inflated.
  static constexpr unsigned long long kMaxPartBytes = 256ull << 20;
  static constexpr unsigned long long kRatioCheckedFrom = 8ull << 20;
  static constexpr unsigned long long kMaxRatio = 200;
  // Limit on the content types and each relationship part, which are all parsed.
  static constexpr unsigned long long kMaxIndexPartBytes = 16ull << 20;

  // Reads the content types and the parts reachable through relationships from the package
  // root (parts nothing refers to are skipped); throws xlsx::Error when the archive cannot be
  // read or a part passes the limits.
  static ZipPackage ReadFile(const std::string& path);
  static ZipPackage ReadBytes(std::string_view bytes);

  // The parts as an archive; "[Content_Types].xml" goes first. Parts are deflated, except one
  // that would then pass the ratio limit above, which is stored, so the archive reads back.
  std::string ToBytes(int compression_level = 6) const;
  // Writes the archive complete or not at all (see fileio/file_save.h); throws xlsx::Error
  // naming the file and the reason in Japanese.
  void WriteFile(const std::string& path, int compression_level = 6) const;

  bool Has(const std::string& name) const { return parts_.count(name) + made_.count(name) != 0; }
  // The bytes of a part put with Put; throws when there is none.
  const std::string& Get(const std::string& name) const;
  void Put(const std::string& name, std::string bytes);
  // A part made only while the archive is written, each time it is: the archive then never
  // needs the bytes of all such parts at once. `make` may throw; the write then fails with it.
  void PutMade(const std::string& name, std::function<std::string()> make);
  void Remove(const std::string& name);
  std::vector<std::string> Names() const;
  const std::map<std::string, std::string>& parts() const { return parts_; }

 private:
  std::string Archive(int compression_level, const std::set<std::string>& stored) const;
  // The maker of a made part, refusing a part beyond kMaxPartBytes.
  std::function<std::string()> MakerChecking(const std::string& name) const;
  static void CheckPartSize(const std::string& name, const std::string& bytes);

  std::map<std::string, std::string> parts_;  // part name without leading slash -> bytes
  std::map<std::string, std::function<std::string()>> made_;
};

}  // namespace morvane::xlsx
