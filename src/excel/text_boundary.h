// Text crossing between the document (CP932) and the workbook engine (UTF-8), and the calls
// into the engine. Text going into a workbook must convert exactly; text read
// from one gives "?" for each character CP932 lacks, as automation does, so a workbook holding
// such text can still be read.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "excel/excel_error.h"

namespace morvane::excel {

std::string ToEngineText(std::string_view cp932);
std::string ToDocumentText(std::string_view utf8);  // never fails

// Runs an engine call. Its failures already are ExcelErrors (one class); the call sites keep
// the wrapper as the mark of where the Excel layer reaches into the engine.
template <typename F>
decltype(auto) Guard(F&& call) {
  return std::forward<F>(call)();
}

}  // namespace morvane::excel
