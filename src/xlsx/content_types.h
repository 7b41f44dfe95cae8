// [Content_Types].xml: the content type of every part, by extension or by part name.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace morvane::xlsx {

namespace content_type {
inline constexpr const char* kWorksheet =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
inline constexpr const char* kDrawing = "application/vnd.openxmlformats-officedocument.drawing+xml";
inline constexpr const char* kSharedStrings =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";
inline constexpr const char* kStyles =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
inline constexpr const char* kTheme = "application/vnd.openxmlformats-officedocument.theme+xml";
inline constexpr const char* kWorkbook =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
inline constexpr const char* kRelationships =
    "application/vnd.openxmlformats-package.relationships+xml";
inline constexpr const char* kCoreProperties =
    "application/vnd.openxmlformats-package.core-properties+xml";
inline constexpr const char* kExtendedProperties =
    "application/vnd.openxmlformats-officedocument.extended-properties+xml";
}  // namespace content_type

class ContentTypes {
 public:
  static ContentTypes Parse(std::string_view xml);
  std::string ToXml() const;

  // The content type of a part, or an empty string when none is declared.
  std::string TypeOf(const std::string& part) const;
  // Declares a part's type, by its extension's default when that already matches.
  void Assign(const std::string& part, const std::string& type);
  void SetDefault(const std::string& extension, const std::string& type);
  void Forget(const std::string& part) { overrides_.erase(part); }
  // Keeps only the overrides of parts for which keep(part) is true.
  template <typename Pred>
  void RetainOverrides(Pred keep) {
    for (auto it = overrides_.begin(); it != overrides_.end();) {
      it = keep(it->first) ? std::next(it) : overrides_.erase(it);
    }
  }

 private:
  std::map<std::string, std::string> defaults_;   // lower-case extension -> type
  std::map<std::string, std::string> overrides_;  // part name without slash -> type
};

}  // namespace morvane::xlsx
