#include "model/item_def.h"

#include "model/data_kind.h"

namespace morvane {

int EstimateTextWidth(std::string_view cp932) { return static_cast<int>(cp932.size()) * 7; }

std::string ColumnLetters(int index) {
  if (index < 0) return {};
  // Bijective base 26: A..Z, AA..ZZ, AAA..; below index 702 this is one optional prefix letter
  // and one letter.
  std::string letters;
  long long n = static_cast<long long>(index) + 1;
  while (n > 0) {
    --n;
    letters.insert(letters.begin(), static_cast<char>('A' + n % 26));
    n /= 26;
  }
  return letters;
}

int DefaultItemWidth(std::string_view name, int valueKind, const TextMeasurer& measure) {
  int width = measure(name) + 20;
  if (valueKind == kValueKindText && width < 100) width = 100;
  return width;
}

TItemDef MakeDefaultItem(std::string name, int valueKind, int index, int itemLevel,
                         const TextMeasurer& measure) {
  TItemDef item;
  item.width = DefaultItemWidth(name, valueKind, measure);
  item.name = std::move(name);
  item.valueKind = valueKind;
  item.index = index;
  item.output = 1;
  item.excelColumn = ColumnLetters(index);
  if (itemLevel == kItemLevelTable) item.excelCell = item.excelColumn + "1";
  return item;
}

}  // namespace morvane
