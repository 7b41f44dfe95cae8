// Text crossing between the document (CP932) and the workbook engine (UTF-8), and the calls
// into the engine. Text going into a workbook must convert exactly; text read
// from one gives "?" for each character CP932 lacks, as automation does, so a workbook holding
// such text can still be read.
#pragma once

#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "excel/excel_error.h"

namespace morvane::excel {

std::string ToEngineText(std::string_view cp932);
std::string ToDocumentText(std::string_view utf8);  // never fails

// The message for an engine failure that is not an ExcelError (memory exhausted, a library's
// own exception): never the library's text, which means nothing to the user.
std::string UnexpectedFailureText(const std::exception& e);
// The message of any failure for the user: the reason of an ExcelError as it is, else
// UnexpectedFailureText.
std::string FailureText(const std::exception& e);

// Runs an engine call, reporting its failure as an ExcelError with the same message, or with
// "ブック「file」を読み込めません: " before it when the call reads the file `file`.
template <typename F>
decltype(auto) Guard(F&& call, const std::string& file = {}) {
  auto fail = [&file](const std::string& reason) {
    return ExcelError(file.empty() ? reason : "ブック「" + file + "」を読み込めません: " + reason);
  };
  try {
    return std::forward<F>(call)();
  } catch (const ExcelError& e) {
    if (file.empty()) throw;
    throw fail(e.what());
  } catch (const std::exception& e) {
    throw fail(UnexpectedFailureText(e));
  }
}

}  // namespace morvane::excel
