// The parts of an Open Packaging Conventions file (a zip archive), held in memory.
#pragma once

#include <map>
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

  // Reads the content types and the parts reachable through relationships from the package
  // root (parts nothing refers to are skipped); throws xlsx::Error when the archive cannot be
  // read or a part passes the limits.
  static ZipPackage ReadFile(const std::string& path);
  static ZipPackage ReadBytes(std::string_view bytes);

  // Writes the parts as a new archive; "[Content_Types].xml" goes first. The file is replaced
  // only once the archive is complete.
  void WriteFile(const std::string& path, int compression_level = 6) const;

  bool Has(const std::string& name) const { return parts_.count(name) != 0; }
  // The bytes of a part; throws when the part is missing.
  const std::string& Get(const std::string& name) const;
  void Put(const std::string& name, std::string bytes) { parts_[name] = std::move(bytes); }
  void Remove(const std::string& name) { parts_.erase(name); }
  std::vector<std::string> Names() const;
  const std::map<std::string, std::string>& parts() const { return parts_; }

 private:
  std::map<std::string, std::string> parts_;  // part name without leading slash -> bytes
};

}  // namespace morvane::xlsx
