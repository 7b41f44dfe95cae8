// The format settings dialog's side of the standard layout: the question before loading it,
// the dialog state it gives for one data kind, and storing it with the dialog's edits.
#pragma once

#include <string>

#include "excel/format_editing.h"

namespace morvane {

// "「Oracle 8」の標準レイアウトで ... を置き換えます。" + CR LF + "よろしいですか？" (UTF-8):
// names everything the standard layout replaces.
std::string StandardLayoutQuestion(Product product);

// The dialog state of `dataKind` as the standard layout of the store's product sets it; the
// store itself is not changed.
TFormatDialogState StandardFormatState(const TCatalogueStore& store, DataKind dataKind);

// Apply after the standard layout was loaded: the standard layout goes into every data kind
// and the import layout, then the dialog's state (with any edits made since) into `dataKind`.
void ApplyStandardFormatState(TFormatDialogState& state, TCatalogueStore& store,
                              DataKind dataKind);

}  // namespace morvane
