// Where the file dialogs of the project's documents (workbooks, pictures) start.
#pragma once

#include <QString>

#include "model/catalogue_store.h"

namespace morvane {

// The folder of the project file; empty while the project has no file.
QString ProjectFolder(const TCatalogueStore& store);

// `file_name` in the project's folder, or in the home folder while the project has no file:
// never relative to the folder the program happened to be started from.
QString InProjectFolder(const TCatalogueStore& store, const QString& file_name);

}  // namespace morvane
