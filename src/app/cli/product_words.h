// The product words the command line accepts: each product's command word from its profile, in
// menu order.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/data_kind.h"
#include "model/product_profile.h"

namespace morvane {

// The product of a command-line word, or nothing for an unknown word.
inline std::optional<Product> ProductFromWord(std::string_view word) {
  return ProductFromCommandWord(word);
}

// Every product's word in menu order, separated by separator ("redbrick|oracle8|...").
inline std::string ProductWords(std::string_view separator) {
  std::string words;
  for (Product product : MenuProducts()) {
    if (!words.empty()) words += separator;
    words += ProfileOf(product).commandWord;
  }
  return words;
}

// The message for a word ProductFromWord does not know.
inline std::string UnknownProductMessage(const std::string& word) {
  return "データベースの種類「" + word + "」は使えません (" + ProductWords(", ") + ")。";
}

}  // namespace morvane
