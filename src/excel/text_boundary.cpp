#include "excel/text_boundary.h"

#include <new>
#include <stdexcept>

#include "text/codec.h"

namespace morvane::excel {

std::string ToEngineText(std::string_view cp932) {
  CodecResult result = Cp932ToUtf8(cp932);
  if (!result.ok) throw ExcelError(result.error);
  return std::move(result.text);
}

std::string ToDocumentText(std::string_view utf8) { return Utf8ToCp932Lossy(utf8); }

std::string UnexpectedFailureText(const std::exception& e) {
  if (dynamic_cast<const std::bad_alloc*>(&e) != nullptr ||
      dynamic_cast<const std::length_error*>(&e) != nullptr) {
    return "メモリが足りないため処理を続けられません";
  }
  return "予期しないエラーのため処理を続けられません";
}

std::string FailureText(const std::exception& e) {
  if (dynamic_cast<const ExcelError*>(&e) != nullptr) return e.what();
  return UnexpectedFailureText(e);
}

}  // namespace morvane::excel
