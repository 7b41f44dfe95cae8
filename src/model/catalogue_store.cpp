#include "model/catalogue_store.h"

#include <stdexcept>

namespace morvane {
namespace {

size_t KindSlot(DataKind dataKind) {
  if (!IsDataKind(dataKind)) throw std::out_of_range("invalid data kind");
  return DataKindIndex(dataKind);
}

size_t LevelSlot(int itemLevel) {
  if (!IsItemLevel(itemLevel)) throw std::out_of_range("invalid item level");
  return static_cast<size_t>(itemLevel - 1);
}

}  // namespace

TCatalogueStore::TCatalogueStore() { Reset(); }

void TCatalogueStore::Reset() {
  product = Product::None;
  currentDataKind = DataKind::None;
  currentListLevel = 0;
  for (DataKind kind : kDataKinds) {
    for (ItemList& list : items_[KindSlot(kind)]) list.clear();
    ClearDataKind(kind);
  }
  relations.clear();
  fileName.clear();
  refreshRequest = false;
  listRebuild = false;
  listViewActive = true;
}

void TCatalogueStore::ClearDataKind(DataKind dataKind) { records_[KindSlot(dataKind)].clear(); }

RecordList& TCatalogueStore::Records(DataKind dataKind) { return records_[KindSlot(dataKind)]; }

const RecordList& TCatalogueStore::Records(DataKind dataKind) const {
  return records_[KindSlot(dataKind)];
}

ItemList& TCatalogueStore::Items(DataKind dataKind, int itemLevel) {
  return items_[KindSlot(dataKind)][LevelSlot(itemLevel)];
}

const ItemList& TCatalogueStore::Items(DataKind dataKind, int itemLevel) const {
  return items_[KindSlot(dataKind)][LevelSlot(itemLevel)];
}

TTableRec& TCatalogueStore::AddRecord(DataKind dataKind) {
  RecordList& list = Records(dataKind);
  list.push_back(std::make_unique<TTableRec>());
  return *list.back();
}

}  // namespace morvane
