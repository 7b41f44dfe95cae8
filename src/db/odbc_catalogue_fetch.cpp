#include "db/odbc_catalogue_fetch.h"

#include <exception>
#include <memory>
#include <utility>

#include "db/odbc_catalogue_reader.h"
#include "db/odbc_error.h"
#include "db/table_index_matrix.h"
#include "model/data_kind.h"
#include "text/codec.h"

namespace morvane {
namespace {

bool IsCatalogueDataKind(DataKind data_kind) {
  return data_kind == DataKind::Table || data_kind == DataKind::Index ||
         data_kind == DataKind::TableIndex;
}

// Moves what the reader gave into the store.
void TakeCatalogue(TCatalogueStore& store, DataKind data_kind, OdbcCatalogue& catalogue) {
  RecordList& records = store.Records(data_kind);
  records.reserve(catalogue.records.size());
  for (TTableRec& record : catalogue.records) {
    records.push_back(std::make_unique<TTableRec>(std::move(record)));
  }
  if (data_kind == DataKind::Table) store.relations = std::move(catalogue.relations);
  if (data_kind == DataKind::TableIndex) {
    store.Items(DataKind::TableIndex, kItemLevelColumn) =
        TableIndexColumnItems(catalogue.largestIndexCount);
  }
}

}  // namespace

bool FetchOdbcCatalogue(TCatalogueStore& store, DbSession& session) {
  const DataKind data_kind = store.currentDataKind;
  if (!IsCatalogueDataKind(data_kind) || !session.connection.Connected) {
    session.prompt.Error(InternalErrorText());
    return false;
  }

  session.status.SetBusy(true);
  session.status.SetPanelText(kActivityPanel, ToCp932("データ取得"));

  // The store is touched only once the whole catalogue is read, so that a cancelled read
  // leaves the data kind as it was.
  bool ok = false;
  try {
    OdbcReadOptions options;
    options.schemas = session.connection.OdbcSchemas;
    options.native = !session.connection.OdbcFunctionsOnly;
    options.cache = session.odbcCache;
    OdbcCatalogue catalogue =
        ReadOdbcCatalogue(session.connection.Dbc.get(), data_kind, session.progress, options);
    store.ClearDataKind(data_kind);
    TakeCatalogue(store, data_kind, catalogue);
    ok = true;
  } catch (const OdbcCancelled&) {
    session.status.SetBusy(false);
    return false;
  } catch (const OdbcFailure& failure) {
    session.prompt.Error(failure.message().empty() ? InternalErrorText() : failure.message());
  } catch (const std::exception&) {
    session.prompt.Error(InternalErrorText());
  }
  if (!ok) {
    store.ClearDataKind(data_kind);
    if (data_kind == DataKind::Table) store.relations.clear();
  }
  session.status.SetBusy(false);
  return ok;
}

}  // namespace morvane
