// The one exception the .xlsx engine throws: a readable reason in UTF-8.
#pragma once

#include <stdexcept>

namespace morvane::xlsx {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace morvane::xlsx
