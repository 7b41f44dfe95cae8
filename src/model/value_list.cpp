#include "model/value_list.h"

#include <stdexcept>

namespace morvane {

TValueList::TValueList(std::initializer_list<std::string_view> values) {
  for (std::string_view v : values) push_back(v);
}

TValueList::TValueList(const std::vector<std::string>& values) {
  size_t bytes = 0;
  for (const std::string& v : values) bytes += v.size();
  reserve(values.size(), bytes);
  for (const std::string& v : values) push_back(v);
}

std::string_view TValueList::operator[](size_t i) const {
  const size_t begin = i == 0 ? 0 : ends_[i - 1];
  return std::string_view(bytes_).substr(begin, ends_[i] - begin);
}

void TValueList::push_back(std::string_view value) {
  if (bytes_.size() + value.size() > UINT32_MAX) throw std::length_error("value list too large");
  bytes_.append(value);
  ends_.push_back(static_cast<uint32_t>(bytes_.size()));
}

void TValueList::Set(size_t i, std::string_view value) {
  const size_t begin = i == 0 ? 0 : ends_[i - 1];
  const size_t old_size = ends_[i] - begin;
  if (bytes_.size() - old_size + value.size() > UINT32_MAX) {
    throw std::length_error("value list too large");
  }
  bytes_.replace(begin, old_size, value);
  const int64_t shift = static_cast<int64_t>(value.size()) - static_cast<int64_t>(old_size);
  for (size_t k = i; k < ends_.size(); ++k) {
    ends_[k] = static_cast<uint32_t>(static_cast<int64_t>(ends_[k]) + shift);
  }
}

void TValueList::resize(size_t count) {
  if (count < ends_.size()) {
    ends_.resize(count);
    bytes_.resize(count == 0 ? 0 : ends_.back());
    return;
  }
  ends_.resize(count, static_cast<uint32_t>(bytes_.size()));
}

void TValueList::clear() {
  bytes_.clear();
  ends_.clear();
}

void TValueList::reserve(size_t count, size_t bytes) {
  ends_.reserve(count);
  bytes_.reserve(bytes);
}

void TValueList::shrink_to_fit() {
  bytes_.shrink_to_fit();
  ends_.shrink_to_fit();
}

std::vector<std::string> TValueList::ToVector() const {
  std::vector<std::string> out;
  out.reserve(size());
  for (std::string_view v : *this) out.emplace_back(v);
  return out;
}

bool TValueList::operator==(const TValueList& other) const {
  return ends_ == other.ends_ && bytes_ == other.bytes_;
}

}  // namespace morvane
