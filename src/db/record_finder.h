// Finds the records and column rows named by the rows of the statements that run after a table
// fetch (primary-key and unique marks). Always the first match in list order, as a linear
// search would find it, but through an index built once, so marking stays fast on large
// catalogues.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "model/catalogue_store.h"

namespace morvane {

class RecordFinder {
 public:
  // `records` must not change while the finder is used.
  explicit RecordFinder(const RecordList& records);

  // The first record whose name is `name`; null when there is none.
  TTableRec* ByName(std::string_view name) const;
  // The first record whose owner is `owner` and whose name is `name`; null when there is none.
  TTableRec* ByOwnerAndName(std::string_view owner, std::string_view name) const;

 private:
  static std::string OwnerAndNameKey(std::string_view owner, std::string_view name);

  std::unordered_map<std::string_view, TTableRec*> by_name_;
  std::unordered_map<std::string, TTableRec*> by_owner_and_name_;
};

// The first column row of `record` whose entry `entry` is `text`; null when there is none.
TColumnRow* FindColumnRow(TTableRec& record, size_t entry, std::string_view text);

}  // namespace morvane
