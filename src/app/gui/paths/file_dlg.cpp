#include "app/gui/paths/file_dlg.h"

#include <QFileDialog>
#include <QFileInfo>

#include "app/gui/qt_text.h"
#include "model/prompt.h"

namespace morvane {

QStringList FilterToQt(const QString& filter) {
  QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts).join(' ');
    if (patterns.isEmpty()) continue;
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns);
  }
  return filters;
}

bool TFileDlg::AcceptSavePath(const QString& path) {
  QFileInfo info(path);
  QString name = QStringLiteral("「%1」").arg(info.fileName());
  if (options.testFlag(kPathMustExist) && !info.absoluteDir().exists()) {
    prompt_.Warn(ToCp932(name + QStringLiteral("のフォルダが見つかりません。")));
    return false;
  }
  if (!info.exists()) return true;
  if (info.isDir()) {
    prompt_.Warn(
        ToCp932(name + QStringLiteral("はフォルダです。\r\n別の名前を指定してください。")));
    return false;
  }
  if (options.testFlag(kNoReadOnlyReturn) && !info.isWritable()) {
    prompt_.Warn(
        ToCp932(name + QStringLiteral("は読み取り専用です。\r\n別の名前を指定してください。")));
    return false;
  }
  if (options.testFlag(kOverwritePrompt)) {
    PromptButton answer =
        prompt_.Ask(PromptKind::kConfirm,
                    ToCp932(name + QStringLiteral("は既に存在します。\r\n上書きしますか？")),
                    {PromptButton::kYes, PromptButton::kNo}, PromptButton::kNo, PromptButton::kNo);
    return answer == PromptButton::kYes;
  }
  return true;
}

bool TFileDlg::AcceptOpenPaths(const QStringList& paths) {
  for (const QString& path : paths) {
    QFileInfo info(path);
    QString name = QStringLiteral("「%1」").arg(info.fileName());
    if (options.testFlag(kPathMustExist) && !info.absoluteDir().exists()) {
      prompt_.Warn(ToCp932(name + QStringLiteral("のフォルダが見つかりません。")));
      return false;
    }
    if (options.testFlag(kFileMustExist) && !info.isFile()) {
      prompt_.Warn(
          ToCp932(name + QStringLiteral("が見つかりません。\r\nファイル名を確認してください。")));
      return false;
    }
  }
  return true;
}

bool TFileDlg::Execute(bool save) {
  fileNames.clear();
  QFileDialog dialog(owner_, title, initialDir);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // Missing files are refused here, through the prompt, rather than by Qt's own note.
  bool several = !save && options.testFlag(kAllowMultiSelect);
  dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::AnyFile);
  // The questions about an existing file are asked here, through the prompt, in Japanese.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog.setOption(QFileDialog::DontResolveSymlinks, options.testFlag(kNoDereferenceLinks));
  QStringList filters = FilterToQt(filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (filterIndex >= 1 && filterIndex <= filters.size()) {
      dialog.selectNameFilter(filters[filterIndex - 1]);
    }
  }
  if (!defaultExt.isEmpty()) dialog.setDefaultSuffix(defaultExt);
  if (!fileName.isEmpty()) dialog.selectFile(fileName);

  for (;;) {
    if (dialog.exec() != QDialog::Accepted) return false;
    QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return false;
    if (save ? !AcceptSavePath(chosen.first()) : !AcceptOpenPaths(chosen)) continue;
    fileNames = chosen;
    break;
  }
  fileName = fileNames.first();
  filterIndex = filters.indexOf(dialog.selectedNameFilter()) + 1;
  if (filterIndex == 0) filterIndex = 1;
  options.setFlag(kReadOnly, false);  // Qt's dialogs have no read-only check box
  options.setFlag(kExtensionDifferent,
                  !defaultExt.isEmpty() &&
                      QFileInfo(fileName).suffix().compare(defaultExt, Qt::CaseInsensitive) != 0);
  return true;
}

}  // namespace morvane
