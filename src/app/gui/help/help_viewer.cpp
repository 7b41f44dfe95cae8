#include "app/gui/help/help_viewer.h"

#include <QDir>
#include <QFileInfo>

#include "app/gui/qt_text.h"
#include "model/prompt.h"

namespace morvane {

QStringList HelpFileCandidates(const QString& program_dir) {
  QDir dir(program_dir);
  return {dir.filePath(QStringLiteral("help/index.html")),
          dir.filePath(QStringLiteral("../share/morvane/help/index.html")),
          dir.filePath(QStringLiteral("../../../data/help/index.html"))};
}

QString FindHelpFile(const QString& program_dir) {
  for (const QString& candidate : HelpFileCandidates(program_dir)) {
    QFileInfo info(candidate);
    if (info.isFile()) return info.canonicalFilePath();
  }
  return {};
}

void WarnHelpMissing(const QString& program_dir, IPrompt& prompt) {
  prompt.Warn(ToCp932(QStringLiteral("ヘルプファイルが見つかりません。\r\n"
                                     "探した場所: %1")
                          .arg(HelpFileCandidates(program_dir).first())));
}

bool ShowHelp(const QString& program_dir, const UrlOpener& open_url, IPrompt& prompt) {
  QString path = FindHelpFile(program_dir);
  if (path.isEmpty()) {
    WarnHelpMissing(program_dir, prompt);
    return false;
  }
  if (!open_url(QUrl::fromLocalFile(path))) {
    prompt.Warn(ToCp932(QStringLiteral("ヘルプファイル「%1」を開けませんでした。\r\n"
                                       "HTML を表示できるアプリケーションが設定されているか"
                                       "確認してください。")
                            .arg(path)));
    return false;
  }
  return true;
}

}  // namespace morvane
