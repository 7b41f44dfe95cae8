#include "fileio/system_error_text.h"

#include <cerrno>

namespace morvane::fileio {
namespace {

struct ErrorText {
  int error;
  const char* text;
};

constexpr ErrorText kTexts[] = {
    {ENOSPC, "ディスクの空き容量が足りません"},
    {EDQUOT, "ディスクの使用量の制限を超えました"},
    {EFBIG, "ファイルの大きさの制限を超えました"},
    {EACCES, "アクセスが許可されていません"},
    {EPERM, "操作が許可されていません"},
    {EROFS, "読み取り専用のファイルシステムです"},
    {ENOENT, "ファイルまたはフォルダがありません"},
    {ENOTDIR, "フォルダではありません"},
    {EISDIR, "フォルダです"},
    {EEXIST, "同じ名前のファイルが既にあります"},
    {ENAMETOOLONG, "ファイル名が長すぎます"},
    {EIO, "入出力エラーが発生しました"},
    {EBUSY, "ファイルが使用中です"},
    {ETXTBSY, "ファイルが使用中です"},
    {EXDEV, "別のファイルシステムへは移動できません"},
    {EMFILE, "開いているファイルが多すぎます"},
    {ENOMEM, "メモリが足りません"},
    {EWOULDBLOCK, "他のプログラムが使用中です"},
    {EINTR, "中断されました"},
    {ELOOP, "シンボリックリンクが多すぎます"},
    {ENXIO, "読み手のいない名前付きパイプか、存在しない装置です"},
};

}  // namespace

std::string SystemErrorText(int error) {
  for (const ErrorText& entry : kTexts) {
    if (entry.error == error) return entry.text;
  }
  return "システムエラー " + std::to_string(error);
}

}  // namespace morvane::fileio
