#include "browse/list_order.h"

#include <algorithm>
#include <numeric>

#include "model/item_def.h"

namespace morvane {
namespace {

constexpr long long kExponentLimit = 1'000'000'000'000LL;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Reads the digits at the front of `text`, appending them to `digits`; returns how many.
size_t TakeDigits(std::string_view& text, std::string& digits) {
  size_t count = 0;
  while (!text.empty() && IsDigit(text.front())) {
    digits += text.front();
    text.remove_prefix(1);
    ++count;
  }
  return count;
}

// Reads an exponent's digits, saturating far beyond any meaningful size.
bool TakeExponent(std::string_view& text, long long& exponent) {
  int sign = 1;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    sign = text.front() == '-' ? -1 : 1;
    text.remove_prefix(1);
  }
  if (text.empty() || !IsDigit(text.front())) return false;
  long long value = 0;
  while (!text.empty() && IsDigit(text.front())) {
    value = std::min(kExponentLimit, value * 10 + (text.front() - '0'));
    text.remove_prefix(1);
  }
  exponent = sign * value;
  return true;
}

int Sign(long long value) { return (value > 0) - (value < 0); }

}  // namespace

int CompareCp932Bytes(std::string_view a, std::string_view b) {
  size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    auto x = static_cast<unsigned char>(a[i]);
    auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return Sign(static_cast<long long>(a.size()) - static_cast<long long>(b.size()));
}

TNumberKey::TNumberKey(std::string_view cell) {
  std::string_view text = Trimmed(cell);
  if (text.empty()) return;  // kEmpty

  std::string_view rest = text;
  int sign = 1;
  if (rest.front() == '+' || rest.front() == '-') {
    sign = rest.front() == '-' ? -1 : 1;
    rest.remove_prefix(1);
  }
  std::string mantissa;
  size_t whole_digits = TakeDigits(rest, mantissa);
  size_t fraction_digits = 0;
  if (!rest.empty() && rest.front() == '.') {
    rest.remove_prefix(1);
    fraction_digits = TakeDigits(rest, mantissa);
  }
  long long exponent = 0;
  bool valid = whole_digits + fraction_digits > 0;
  if (valid && !rest.empty() && (rest.front() == 'e' || rest.front() == 'E')) {
    rest.remove_prefix(1);
    valid = TakeExponent(rest, exponent);
  }
  if (!valid || !rest.empty()) {
    band_ = Band::kText;
    text_ = std::string(cell);
    return;
  }

  band_ = Band::kNumber;
  // Value = 0.mantissa * 10^(whole_digits + exponent), before the zeros are dropped.
  size_t first = mantissa.find_first_not_of('0');
  if (first == std::string::npos) return;  // zero: sign 0, no digits
  size_t last = mantissa.find_last_not_of('0');
  sign_ = sign;
  digits_ = mantissa.substr(first, last - first + 1);
  exponent_ = static_cast<long long>(whole_digits) - static_cast<long long>(first) + exponent;
}

int Compare(const TNumberKey& a, const TNumberKey& b) {
  if (a.band_ != b.band_) return a.band_ < b.band_ ? -1 : 1;
  switch (a.band_) {
    case TNumberKey::Band::kEmpty:
      return 0;
    case TNumberKey::Band::kText:
      return CompareCp932Bytes(a.text_, b.text_);
    case TNumberKey::Band::kNumber:
      break;
  }
  if (a.sign_ != b.sign_) return a.sign_ < b.sign_ ? -1 : 1;
  if (a.sign_ == 0) return 0;
  int magnitude = a.exponent_ != b.exponent_ ? (a.exponent_ < b.exponent_ ? -1 : 1)
                                             : CompareCp932Bytes(a.digits_, b.digits_);
  return a.sign_ * magnitude;
}

int CompareListKeys(std::string_view a, std::string_view b, int valueKind, int direction) {
  int order = valueKind == kValueKindNumber ? Compare(TNumberKey(a), TNumberKey(b))
                                            : CompareCp932Bytes(a, b);
  return direction == kSortDescending ? -order : order;
}

std::vector<int> SortedRowOrder(const std::vector<std::string_view>& keys, int valueKind,
                                int direction) {
  std::vector<int> order(keys.size());
  std::iota(order.begin(), order.end(), 0);
  const int flip = direction == kSortDescending ? -1 : 1;
  if (valueKind == kValueKindNumber) {
    std::vector<TNumberKey> numbers;
    numbers.reserve(keys.size());
    for (std::string_view key : keys) numbers.emplace_back(key);
    std::stable_sort(order.begin(), order.end(),
                     [&](int x, int y) { return flip * Compare(numbers[x], numbers[y]) < 0; });
  } else {
    std::stable_sort(order.begin(), order.end(),
                     [&](int x, int y) { return flip * CompareCp932Bytes(keys[x], keys[y]) < 0; });
  }
  return order;
}

}  // namespace morvane
