#include "project/new_project.h"

#include "er/er_sheets.h"
#include "model/default_items.h"

namespace morvane {

void ResetLayoutState(TCatalogueStore& store) {
  store.erViewActive = false;
  store.sortColumn.fill(0);
  store.sortDirection.fill(0);
  DeleteAllERSheets(store.er);
  store.listViewActive = true;
}

void NewProject(TCatalogueStore& store, Product product, const TextMeasurer& measure) {
  store.fileVersion = kCurrentFileVersion;
  store.Reset();
  store.product = product;
  BuildDefaultItems(store, product, measure);
  store.formatSettings.lineType = kLineTypeStraight;
  ResetLayoutState(store);
  store.selectedOwner.reset();
  store.selectedType.reset();
  store.sqlMaxRow = "1000";
  store.sqlText.clear();
  AddERSheet(store.er);
  store.modified = false;
  store.fileName.clear();
}

}  // namespace morvane
