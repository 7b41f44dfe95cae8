// Relationship parts (_rels/*.rels): which parts a part refers to, by id.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane::xlsx {

namespace rel_type {
inline constexpr const char* kOfficeDocument =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument";
inline constexpr const char* kWorksheet =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet";
inline constexpr const char* kStyles =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles";
inline constexpr const char* kSharedStrings =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings";
inline constexpr const char* kTheme =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme";
inline constexpr const char* kDrawing =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/drawing";
inline constexpr const char* kCoreProperties =
    "http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties";
inline constexpr const char* kExtendedProperties =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties";
}  // namespace rel_type

// The last segment of a relationship type ("worksheet"), so that the transitional and the
// strict namespaces compare equal.
std::string_view RelKind(std::string_view type);

struct Relationship {
  std::string id;
  std::string type;
  std::string target;  // absolute part name (no leading slash) unless external
  bool external = false;
};

class Relationships {
 public:
  // Parses the relationships of source_part; internal targets become absolute part names.
  static Relationships Parse(std::string_view xml, const std::string& source_part);
  // Writes targets relative to source_part.
  std::string ToXml(const std::string& source_part) const;

  const Relationship* Find(std::string_view id) const;
  const Relationship* FirstOfKind(std::string_view kind) const;
  // Adds a relationship with a fresh id and returns the id.
  std::string Add(std::string type, std::string target, bool external = false);
  void Remove(std::string_view id);
  bool empty() const { return items_.empty(); }
  const std::vector<Relationship>& items() const { return items_; }
  std::vector<Relationship>& items() { return items_; }

 private:
  std::vector<Relationship> items_;
};

// "xl/worksheets/sheet1.xml" -> "xl/worksheets/_rels/sheet1.xml.rels"; "" -> "_rels/.rels".
std::string RelsPartOf(const std::string& part);
// Resolves a target written relative to source_part (or absolute with a leading slash).
std::string ResolvePartTarget(const std::string& source_part, std::string_view target);
// The target to write in source_part's relationships for an absolute part name.
std::string RelativePartTarget(const std::string& source_part, const std::string& part);

}  // namespace morvane::xlsx
