// The product words the command line accepts (redbrick, oracle8, oracle7, broadbase).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/data_kind.h"

namespace morvane {

// The product code of a command-line word, or nothing for an unknown word.
inline std::optional<int> ProductFromWord(std::string_view word) {
  if (word == "redbrick") return kProductRedBrick;
  if (word == "oracle8") return kProductOracle8;
  if (word == "oracle7") return kProductOracle7;
  if (word == "broadbase") return kProductBroadbase;
  return std::nullopt;
}

// The message for a word ProductFromWord does not know.
inline std::string UnknownProductMessage(const std::string& word) {
  return "データベースの種類「" + word + "」は使えません (redbrick, oracle8, oracle7, broadbase)。";
}

}  // namespace morvane
