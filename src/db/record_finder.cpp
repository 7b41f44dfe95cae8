#include "db/record_finder.h"

namespace morvane {

RecordFinder::RecordFinder(const RecordList& records) {
  for (const auto& record : records) {
    // emplace keeps the first record of a name.
    by_name_.emplace(record->name, record.get());
    by_owner_and_name_.emplace(OwnerAndNameKey(record->owner, record->name), record.get());
  }
}

TTableRec* RecordFinder::ByName(std::string_view name) const {
  auto found = by_name_.find(name);
  return found == by_name_.end() ? nullptr : found->second;
}

TTableRec* RecordFinder::ByOwnerAndName(std::string_view owner, std::string_view name) const {
  auto found = by_owner_and_name_.find(OwnerAndNameKey(owner, name));
  return found == by_owner_and_name_.end() ? nullptr : found->second;
}

// The owner's length first, so no owner and name can run into each other.
std::string RecordFinder::OwnerAndNameKey(std::string_view owner, std::string_view name) {
  std::string key = std::to_string(owner.size());
  key += ':';
  key += owner;
  key += name;
  return key;
}

TColumnRow* FindColumnRow(TTableRec& record, size_t entry, std::string_view text) {
  for (TColumnRow& row : record.columns) {
    if (entry < row.values.size() && row.values[entry] == text) return &row;
  }
  return nullptr;
}

}  // namespace morvane
