// Writing the document to a project file, complete or not at all (see fileio/file_save.h: a
// new file renamed over the old one, or a write in place that puts the old bytes back when it
// fails; links, FIFOs and devices stay what they are).
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
// byte for byte as it was.
ProjectWriteResult SaveProjectFile(TCatalogueStore& store, const std::string& path,
                                   IProgress* progress = nullptr);

}  // namespace morvane
