#include "excel/text_boundary.h"

#include "text/codec.h"

namespace morvane::excel {

std::string ToEngineText(std::string_view cp932) {
  CodecResult result = Cp932ToUtf8(cp932);
  if (!result.ok) throw ExcelError(result.error);
  return std::move(result.text);
}

std::string ToDocumentText(std::string_view utf8) { return Utf8ToCp932Lossy(utf8); }

}  // namespace morvane::excel
