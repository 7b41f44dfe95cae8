// TValueList: an ordered list of CP932 strings, the `values` of records and column rows.
//
// A catalogue holds hundreds of thousands of column rows with a few dozen short values each,
// so a list keeps all its values in one block instead of one std::string apiece: first the end
// offset of every value (1, 2 or 4 bytes each, as wide as the total length needs), then the
// value bytes. That keeps an opened project within a small multiple of its file size. Reading
// gives std::string_view views that stay valid until the list is next changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace morvane {

class TValueList {
 public:
  class const_iterator;

  TValueList() = default;
  TValueList(std::initializer_list<std::string_view> values);
  explicit TValueList(const std::vector<std::string>& values);

  size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }

  // Value i; i must be below size().
  std::string_view operator[](size_t i) const;
  // Value i, or the empty string when the list is shorter: records may hold fewer values than
  // their item list has items.
  std::string_view ValueOr(size_t i) const { return i < size() ? (*this)[i] : std::string_view(); }

  void push_back(std::string_view value);
  // Replaces the content with `count` values of `bytes` bytes in all, produced in order by
  // next() (each view need only live until the following call). One allocation, so a list of
  // millions of values can be built without first holding them elsewhere.
  template <typename Next>
  void Assign(size_t count, size_t bytes, Next next) {
    char* out = Prepare(count, bytes);
    size_t end = 0;
    for (size_t i = 0; i < count; ++i) {
      const std::string_view value = next();
      if (end + value.size() > bytes) throw std::length_error("value list larger than announced");
      value.copy(out + end, value.size());
      end += value.size();
      SetEnd(i, end);
    }
  }
  // Appends several values at once.
  void Append(const std::vector<std::string_view>& values);
  // Replaces value i (i below size()).
  void Set(size_t i, std::string_view value);
  // Grows with empty values or drops values at the end.
  void resize(size_t count);
  void clear();
  // Reserves room for `count` values holding `bytes` bytes in all.
  void reserve(size_t count, size_t bytes);
  // Releases unused capacity.
  void shrink_to_fit();

  std::vector<std::string> ToVector() const;

  const_iterator begin() const;
  const_iterator end() const;

  bool operator==(const TValueList& other) const;

 private:
  size_t EndOf(size_t i) const;
  // Sizes the block for Assign: the values' bytes start at the pointer returned.
  char* Prepare(size_t count, size_t bytes);
  void SetEnd(size_t i, size_t end);
  // True when `value` points into this list's own bytes.
  bool Holds(std::string_view value) const;
  size_t TotalBytes() const { return count_ == 0 ? 0 : EndOf(count_ - 1); }
  const char* Bytes() const { return data_.data() + count_ * width_; }
  void Widen(unsigned width);
  // Replaces the content with the given values.
  void Rebuild(const std::vector<std::string_view>& values);

  std::string data_;  // count_ end offsets of width_ bytes each, then the value bytes
  uint32_t count_ = 0;
  uint8_t width_ = 1;  // bytes per end offset: 1, 2 or 4
};

class TValueList::const_iterator {
 public:
  using iterator_category = std::forward_iterator_tag;
  using value_type = std::string_view;
  using difference_type = std::ptrdiff_t;
  using pointer = void;
  using reference = std::string_view;

  const_iterator() = default;
  const_iterator(const TValueList* list, size_t index) : list_(list), index_(index) {}
  std::string_view operator*() const { return (*list_)[index_]; }
  const_iterator& operator++() {
    ++index_;
    return *this;
  }
  const_iterator operator++(int) {
    const_iterator old = *this;
    ++index_;
    return old;
  }
  bool operator==(const const_iterator& other) const { return index_ == other.index_; }

 private:
  const TValueList* list_ = nullptr;
  size_t index_ = 0;
};

inline TValueList::const_iterator TValueList::begin() const { return {this, 0}; }
inline TValueList::const_iterator TValueList::end() const { return {this, size()}; }

}  // namespace morvane
