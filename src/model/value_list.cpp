#include "model/value_list.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>

namespace morvane {
namespace {

unsigned WidthFor(size_t totalBytes) {
  if (totalBytes > UINT32_MAX) throw std::length_error("value list too large");
  if (totalBytes <= UINT8_MAX) return 1;
  if (totalBytes <= UINT16_MAX) return 2;
  return 4;
}

void PutOffset(char* at, size_t value, unsigned width) {
  for (unsigned b = 0; b < width; ++b) at[b] = static_cast<char>((value >> (8 * b)) & 0xFF);
}

size_t GetOffset(const char* at, unsigned width) {
  size_t value = 0;
  for (unsigned b = 0; b < width; ++b) {
    value |= static_cast<size_t>(static_cast<unsigned char>(at[b])) << (8 * b);
  }
  return value;
}

}  // namespace

TValueList::TValueList(std::initializer_list<std::string_view> values) {
  Rebuild(std::vector<std::string_view>(values));
}

TValueList::TValueList(const std::vector<std::string>& values) {
  Rebuild(std::vector<std::string_view>(values.begin(), values.end()));
}

size_t TValueList::EndOf(size_t i) const { return GetOffset(data_.data() + i * width_, width_); }

std::string_view TValueList::operator[](size_t i) const {
  const size_t begin = i == 0 ? 0 : EndOf(i - 1);
  return std::string_view(Bytes() + begin, EndOf(i) - begin);
}

void TValueList::Rebuild(const std::vector<std::string_view>& values) {
  if (values.size() > UINT32_MAX) throw std::length_error("value list too large");
  size_t total = 0;
  for (std::string_view v : values) total += v.size();
  const unsigned width = WidthFor(total);
  std::string data(values.size() * width + total, '\0');
  size_t end = 0;
  char* bytes = data.data() + values.size() * width;
  for (size_t i = 0; i < values.size(); ++i) {
    if (!values[i].empty()) std::memcpy(bytes + end, values[i].data(), values[i].size());
    end += values[i].size();
    PutOffset(data.data() + i * width, end, width);
  }
  data_ = std::move(data);
  count_ = static_cast<uint32_t>(values.size());
  width_ = static_cast<uint8_t>(width);
}

char* TValueList::Prepare(size_t count, size_t bytes) {
  if (count > UINT32_MAX) throw std::length_error("value list too large");
  const unsigned width = WidthFor(bytes);
  data_ = std::string(count * width + bytes, '\0');
  count_ = static_cast<uint32_t>(count);
  width_ = static_cast<uint8_t>(width);
  return data_.data() + count * width;
}

void TValueList::SetEnd(size_t i, size_t end) { PutOffset(data_.data() + i * width_, end, width_); }

void TValueList::Widen(unsigned width) {
  std::string data(count_ * width + TotalBytes(), '\0');
  for (size_t i = 0; i < count_; ++i) PutOffset(data.data() + i * width, EndOf(i), width);
  std::memcpy(data.data() + count_ * width, Bytes(), TotalBytes());
  data_ = std::move(data);
  width_ = static_cast<uint8_t>(width);
}

bool TValueList::Holds(std::string_view value) const {
  const std::less_equal<const char*> notAfter;
  return !value.empty() && notAfter(data_.data(), value.data()) &&
         notAfter(value.data() + value.size(), data_.data() + data_.size());
}

void TValueList::push_back(std::string_view value) {
  // A value taken from this list would move under our feet once the block grows.
  if (Holds(value)) return push_back(std::string(value));
  if (count_ == UINT32_MAX) throw std::length_error("value list too large");
  const size_t end = TotalBytes() + value.size();
  const unsigned width = WidthFor(end);
  if (width > width_) Widen(width);
  char offset[4];
  PutOffset(offset, end, width_);
  data_.insert(count_ * width_, offset, width_);
  data_.append(value);
  ++count_;
}

void TValueList::Append(const std::vector<std::string_view>& values) {
  if (empty()) {
    Rebuild(values);
    return;
  }
  if (std::any_of(values.begin(), values.end(), [this](std::string_view v) { return Holds(v); })) {
    const std::vector<std::string> copies(values.begin(), values.end());
    for (const std::string& v : copies) push_back(v);
    return;
  }
  for (std::string_view v : values) push_back(v);
}

void TValueList::Set(size_t i, std::string_view value) {
  std::vector<std::string> copy = ToVector();
  copy[i] = std::string(value);
  Rebuild(std::vector<std::string_view>(copy.begin(), copy.end()));
}

void TValueList::resize(size_t count) {
  if (count >= count_) {
    while (count_ < count) push_back({});
    return;
  }
  std::vector<std::string_view> kept;
  for (size_t i = 0; i < count; ++i) kept.push_back((*this)[i]);
  std::vector<std::string> copy(kept.begin(), kept.end());
  Rebuild(std::vector<std::string_view>(copy.begin(), copy.end()));
}

void TValueList::clear() {
  data_.clear();
  count_ = 0;
  width_ = 1;
}

void TValueList::reserve(size_t count, size_t bytes) {
  data_.reserve(count * std::max<unsigned>(WidthFor(bytes), width_) + bytes);
}

void TValueList::shrink_to_fit() { data_.shrink_to_fit(); }

std::vector<std::string> TValueList::ToVector() const {
  std::vector<std::string> out;
  out.reserve(size());
  for (std::string_view v : *this) out.emplace_back(v);
  return out;
}

bool TValueList::operator==(const TValueList& other) const {
  if (count_ != other.count_) return false;
  for (size_t i = 0; i < count_; ++i) {
    if ((*this)[i] != other[i]) return false;
  }
  return true;
}

}  // namespace morvane
