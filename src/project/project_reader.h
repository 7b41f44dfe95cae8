// Reading a project file into the document.
//
// The file is read into a fresh document which replaces the store's content only when the
// whole file has been read. On any failure the store is left reset (product 0, no records, no
// ER sheets) with an empty file name, so nothing half-read is ever shown as loaded and a later
// Save cannot silently overwrite the file that failed to load.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue_store.h"
#include "model/progress.h"

namespace morvane {

// The first error shown whenever a file cannot be read as a project.
inline constexpr std::string_view kMsgReadFailed = "ファイルの読み込みに失敗しました。";

// The warning for files from an earlier version (below 280); \r\n are its line breaks.
inline constexpr std::string_view kMsgEarlierVersion =
    "このファイルは以前のバージョンで作成されているため、\r\n"
    "  「Excelインポート」\r\n"
    "  「データベース情報の更新」\r\n"
    "  「データ件数取得」\r\n"
    "  「SQL入力」\r\n"
    "  「ER図へのテーブル追加」\r\n"
    "はできません。";

struct ProjectReadResult {
  bool ok = false;
  // UTF-8 texts to show, in this order: each warning (OK button), then each error.
  std::vector<std::string> warnings;
  std::vector<std::string> errors;
};

// Shows a warning (UTF-8) at once, while the reading waits.
using WarningSink = std::function<void(const std::string& utf8)>;

// Opens the project file at `path` into `store` (the caller has disconnected first). Item
// widths are recomputed with `measure` (every item of data kind 4 gets 100). On success the
// store holds the file's document with the file name set, the modified flag clear, no current
// data kind and the first ER sheet current. With `show_warning` the earlier-version warning is
// shown through it right after the header, before the rest of the file is read; without it the
// warning is returned in the result.
ProjectReadResult OpenProjectFile(TCatalogueStore& store, const std::string& path,
                                  const TextMeasurer& measure, IProgress* progress = nullptr,
                                  const WarningSink& show_warning = {});

// The same for file content already in memory; the file name is left empty.
ProjectReadResult ReadProjectBytes(TCatalogueStore& store, std::string_view bytes,
                                   const TextMeasurer& measure);

}  // namespace morvane
