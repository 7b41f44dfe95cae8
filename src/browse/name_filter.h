// The filter of the table list: which table names a text typed above the list lets through.
//
// Names and the filter text are CP932 bytes. They are compared character by character, never
// byte by byte, since a trail byte can look like an ASCII letter or '*':
//   - ASCII letters match in either case, and so do full-width Latin letters (Ａ and ａ);
//     everything else, Japanese text included, must match as it is (no width folding);
//   - '*' (or the full-width '＊') stands for any run of characters, the empty run included;
//   - otherwise a name matches when it contains the text anywhere: "ORD*LOG" finds the names
//     that contain "ORD" and, somewhere after it, "LOG".
// An empty filter, or one of wildcards only, lets every name through.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

class TNameFilter {
 public:
  TNameFilter() = default;
  explicit TNameFilter(std::string_view patternCp932);

  // True when the filter lets every name through.
  bool Empty() const { return pieces_.empty(); }
  bool Matches(std::string_view nameCp932) const;

 private:
  // The runs of characters between the wildcards, folded, in order; none are empty.
  std::vector<std::u16string> pieces_;
};

}  // namespace morvane
