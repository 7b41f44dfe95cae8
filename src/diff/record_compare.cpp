#include "diff/record_compare.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>

namespace morvane::diff {
namespace {

// A record or row under its matching key; `index` keeps equal keys in list order.
struct Keyed {
  std::string_view owner;
  std::string_view name;
  size_t index = 0;

  bool operator<(const Keyed& other) const {
    return std::tie(owner, name, index) < std::tie(other.owner, other.name, other.index);
  }
};

// Walks two key lists sorted by key; equal keys pair up in list order.
template <typename Both, typename OnlyBefore, typename OnlyAfter>
void MatchKeys(std::vector<Keyed>& before, std::vector<Keyed>& after, Both both,
               OnlyBefore onlyBefore, OnlyAfter onlyAfter) {
  std::sort(before.begin(), before.end());
  std::sort(after.begin(), after.end());
  size_t i = 0, j = 0;
  while (i < before.size() || j < after.size()) {
    const auto key = [](const Keyed& k) { return std::tie(k.owner, k.name); };
    if (j == after.size() || (i < before.size() && key(before[i]) < key(after[j]))) {
      onlyBefore(before[i++]);
    } else if (i == before.size() || key(after[j]) < key(before[i])) {
      onlyAfter(after[j++]);
    } else {
      both(before[i++], after[j++]);
    }
  }
}

std::string_view ValueAt(const TValueList& values, int index) {
  return index < 0 ? std::string_view() : values.ValueOr(static_cast<size_t>(index));
}

class Comparer {
 public:
  Comparer(const RecordComparison& comparison, ChangeList& changes)
      : c_(comparison), changes_(changes) {}

  void Run() {
    std::vector<Keyed> before = RecordKeys(c_.before);
    std::vector<Keyed> after = RecordKeys(c_.after);
    MatchKeys(
        before, after,
        [&](const Keyed& b, const Keyed& a) { CompareRecord(Old(b.index), New(a.index)); },
        [&](const Keyed& b) { Add(ChangeKind::kRemoved, c_.recordObject, Old(b.index), {}); },
        [&](const Keyed& a) { Add(ChangeKind::kAdded, c_.recordObject, New(a.index), {}); });
  }

 private:
  const TTableRec& Old(size_t i) const { return *(*c_.before.records)[i]; }
  const TTableRec& New(size_t i) const { return *(*c_.after.records)[i]; }

  static std::vector<Keyed> RecordKeys(const RecordSide& side) {
    std::vector<Keyed> keys;
    keys.reserve(side.records->size());
    for (size_t i = 0; i < side.records->size(); ++i) {
      const TTableRec& record = *(*side.records)[i];
      keys.push_back(
          {side.ownerInKey ? std::string_view(record.owner) : std::string_view(), record.name, i});
    }
    return keys;
  }

  // Row names, or "1", "2", ... when rows match by position (kept in `positions`).
  static std::vector<Keyed> RowKeys(const RecordSide& side, const TTableRec& record,
                                    std::vector<std::string>& positions) {
    std::vector<Keyed> keys;
    keys.reserve(record.columns.size());
    if (side.rowNamePosition < 0) {
      positions.resize(record.columns.size());
      for (size_t i = 0; i < positions.size(); ++i) positions[i] = std::to_string(i + 1);
    }
    for (size_t i = 0; i < record.columns.size(); ++i) {
      const std::string_view name = side.rowNamePosition < 0
                                        ? std::string_view(positions[i])
                                        : ValueAt(record.columns[i].values, side.rowNamePosition);
      keys.push_back({{}, name, i});
    }
    return keys;
  }

  void CompareRecord(const TTableRec& old, const TTableRec& now) {
    CompareValues(c_.recordItems, old.values, now.values, c_.recordObject, now, {});
    std::vector<std::string> oldPositions, newPositions;
    std::vector<Keyed> before = RowKeys(c_.before, old, oldPositions);
    std::vector<Keyed> after = RowKeys(c_.after, now, newPositions);
    MatchKeys(
        before, after,
        [&](const Keyed& b, const Keyed& a) {
          CompareValues(c_.rowItems, old.columns[b.index].values, now.columns[a.index].values,
                        c_.rowObject, now, a.name);
        },
        [&](const Keyed& b) { Add(ChangeKind::kRemoved, c_.rowObject, now, b.name); },
        [&](const Keyed& a) { Add(ChangeKind::kAdded, c_.rowObject, now, a.name); });
  }

  void CompareValues(const std::vector<ItemPair>& items, const TValueList& old,
                     const TValueList& now, ObjectKind object, const TTableRec& record,
                     std::string_view part) {
    for (const ItemPair& item : items) {
      const std::string_view before = ValueAt(old, item.beforeIndex);
      const std::string_view after = ValueAt(now, item.afterIndex);
      if (before == after) continue;
      TChange& change = Add(ChangeKind::kChanged, object, record, part);
      change.item = item.name;
      change.oldValue = before;
      change.newValue = after;
    }
  }

  TChange& Add(ChangeKind kind, ObjectKind object, const TTableRec& record, std::string_view part) {
    TChange& change = changes_.emplace_back();
    change.change = kind;
    change.object = object;
    change.dataKind = c_.dataKind;
    change.owner = record.owner;
    change.table = record.name;
    change.part = part;
    change.fullName = JoinFullName(record.owner, record.name, part);
    return change;
  }

  const RecordComparison& c_;
  ChangeList& changes_;
};

}  // namespace

void CompareRecords(const RecordComparison& comparison, ChangeList& changes) {
  Comparer(comparison, changes).Run();
}

}  // namespace morvane::diff
