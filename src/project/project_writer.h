// Writing the document to a project file.
//
// The file is written beside the target under a temporary name and renamed over the target only
// once it is complete and flushed, so a failed save never damages the previous file. An
// interrupt (SIGINT, SIGTERM) during the save removes the temporary file.
//
// Where a new file cannot or must not replace the target, the existing target is overwritten in
// place once the whole content has been produced: a FIFO or a device node (also reached through
// a symbolic link) stays what it is, a file with other hard links stays linked, and a writable
// file in a folder the user may not write to can still be saved.
//
// Values holding \x01, \x02, CR or LF are escaped as a code letter followed by \x01
// (\x01 -> "a\x01", \x02 -> "b\x01", CR -> "r\x01", LF -> "n\x01"; see project_format.h).
// A file whose values hold none of those four characters is the plain format, byte for byte.
#pragma once

#include <string>

#include "model/catalogue_store.h"
#include "model/progress.h"

namespace morvane {

struct ProjectWriteResult {
  bool ok = false;
  std::string error;  // UTF-8 message for the user when not ok
};

// The complete file content for the document (header and the seventeen sections).
std::string ProjectFileBytes(const TCatalogueStore& store);

// Saves the document to `path`. On success the store's file name becomes `path` and its
// modified flag is cleared; on failure the store is untouched and the old file, if any, stays
// (apart from a write in place that fails part way, as a plain overwrite would).
ProjectWriteResult SaveProjectFile(TCatalogueStore& store, const std::string& path,
                                   IProgress* progress = nullptr);

}  // namespace morvane
