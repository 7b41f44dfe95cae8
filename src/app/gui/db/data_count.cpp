#include "app/gui/db/data_count.h"

#include <vector>

#include "app/gui/browse/report_view.h"
#include "app/gui/qt_text.h"
#include "db/row_count.h"
#include "model/catalogue_store.h"
#include "model/prompt.h"

namespace morvane {

bool RunDataCount(TCatalogueStore& store, DbSession session, const QAbstractItemView* ltvData) {
  if (!session.prompt.AskYesNo(ToCp932(QStringLiteral("データ件数を取得しますか？")))) return false;
  const TListModel* model = ListModelOf(ltvData);
  std::vector<const TTableRec*> tables;
  for (int row : SelectedRows(ltvData)) tables.push_back(model->RecordAt(row));
  GetTableCount(store, session, tables);
  return true;
}

}  // namespace morvane
