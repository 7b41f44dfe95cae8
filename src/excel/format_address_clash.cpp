#include "excel/format_address_clash.h"

#include "text/codec.h"
#include "text/cp932_text.h"

namespace morvane {

std::optional<TAddressClash> FirstAddressClash(const TFormatList& list) {
  const auto& rows = list.rows;
  for (size_t later = 0; later < rows.size(); ++later) {
    if (!rows[later].checked || rows[later].first.empty()) continue;
    for (size_t earlier = 0; earlier < later; ++earlier) {
      if (rows[earlier].checked &&
          EqualsIgnoringAsciiCase(rows[earlier].first, rows[later].first)) {
        return TAddressClash{static_cast<int>(earlier), static_cast<int>(later)};
      }
    }
  }
  return std::nullopt;
}

std::string AddressClashQuestion(const TFormatList& list, const TAddressClash& clash) {
  const TFormatRow& earlier = list.rows[static_cast<size_t>(clash.earlier)];
  const TFormatRow& later = list.rows[static_cast<size_t>(clash.later)];
  const char* place = list.firstColumn == TFirstColumn::kCell ? "セル" : "列";
  return ToCp932(place) + ToCp932("「") + UpperAsciiLetters(later.first) + ToCp932("」は「") +
         earlier.name + ToCp932("」と「") + later.name + ToCp932("」の両方に設定されています。") +
         "\r\n" + ToCp932("このまま設定しますか？");
}

}  // namespace morvane
