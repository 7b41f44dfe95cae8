// The product words the command line accepts (redbrick, oracle8, oracle7, broadbase, odbc).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/data_kind.h"

namespace morvane {

// The product of a command-line word, or nothing for an unknown word.
inline std::optional<Product> ProductFromWord(std::string_view word) {
  return ProductFromCommandWord(word);
}

// The message for a word ProductFromWord does not know.
inline std::string UnknownProductMessage(const std::string& word) {
  return "データベースの種類「" + word + "」は使えません (redbrick, oracle8, oracle7, broadbase, odbc)。";
}

}  // namespace morvane
