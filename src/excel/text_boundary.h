// Text crossing between the document (CP932) and the workbook engine (UTF-8), and engine
// failures turned into ExcelError. Text going into a workbook must convert exactly; text read
// from one gives "?" for each character CP932 lacks, as automation does, so a workbook holding
// such text can still be read.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "excel/excel_error.h"
#include "xlsx/error.h"

namespace morvane::excel {

std::string ToEngineText(std::string_view cp932);
std::string ToDocumentText(std::string_view utf8);  // never fails

// Runs an engine call, reporting its failure as an ExcelError with the same message.
template <typename F>
decltype(auto) Guard(F&& call) {
  try {
    return std::forward<F>(call)();
  } catch (const xlsx::Error& e) {
    throw ExcelError(e.what());
  }
}

}  // namespace morvane::excel
