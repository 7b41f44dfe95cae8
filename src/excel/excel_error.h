// The failure of an Excel operation, carrying a readable message (UTF-8) for the error box.
#pragma once

#include <stdexcept>

namespace morvane::excel {

class ExcelError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace morvane::excel
