// The order of the table list: how the cells of the sort column compare.
//
// Text columns compare byte by byte as unsigned CP932 bytes, so the order is case-sensitive
// ("B" before "a") and a prefix orders before the longer text.
//
// Number columns order the cells in three bands, ascending:
//   1. empty cells (all equal to each other);
//   2. cells that read as a decimal number, by their exact value; whole numbers of any length,
//      decimal fractions ("1.5", "-0.25") and exponents ("2E3") all take part, and surrounding
//      blanks are ignored;
//   3. cells that are not numbers at all (possible after an Excel import, e.g. "N/A"), among
//      themselves as text.
// So no cell can break the sort, and a fraction lands between its neighbouring whole numbers.
// The descending direction reverses the whole order (empty cells last).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace morvane {

// -1, 0 or 1 as a orders before, equal to or after b, byte by byte as unsigned values.
int CompareCp932Bytes(std::string_view a, std::string_view b);

// A cell of a number column, read once so that a sort does not parse it again per comparison.
class TNumberKey {
 public:
  enum class Band { kEmpty = 0, kNumber = 1, kText = 2 };

  explicit TNumberKey(std::string_view cell);

  Band band() const { return band_; }

  // -1, 0 or 1 in ascending order.
  friend int Compare(const TNumberKey& a, const TNumberKey& b);

 private:
  Band band_ = Band::kEmpty;
  // kNumber: value = sign * 0.digits * 10^exponent; digits has no leading or trailing zeros
  // (empty for zero, whose sign is 0).
  int sign_ = 0;
  std::string digits_;
  long long exponent_ = 0;
  // kText: the cell as it is.
  std::string text_;
};

// Sort direction of a list: 0 ascending, 1 descending.
constexpr int kSortAscending = 0;
constexpr int kSortDescending = 1;

// The comparison of two cells of the sort column: text or number by `valueKind` (1 or 2),
// reversed for the descending direction. -1, 0 or 1.
int CompareListKeys(std::string_view a, std::string_view b, int valueKind, int direction);

// The display order of rows whose sort-column cells are `keys` (in fill order): the fill
// positions, sorted by CompareListKeys. Rows with equal keys keep their fill order, in both
// directions.
std::vector<int> SortedRowOrder(const std::vector<std::string_view>& keys, int valueKind,
                                int direction);

}  // namespace morvane
