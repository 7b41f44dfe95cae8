#include "text/utf8_locale.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>

namespace morvane {

void UseUtf8CharacterLocale() {
  if (std::setlocale(LC_CTYPE, "") != nullptr && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0) {
    return;
  }
  std::setlocale(LC_CTYPE, "C.UTF-8");
}

}  // namespace morvane
