// TFileDlg: a thin wrapper around Qt's open and save file dialogs with the option set,
// filter string ("description|pattern|description|pattern") and results the project commands
// expect. Questions the dialog asks (overwrite, read-only file) go through the prompt.
#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>

class QWidget;

namespace morvane {

class IPrompt;

class TFileDlg {
 public:
  enum Option {
    kReadOnly = 1 << 0,
    kOverwritePrompt = 1 << 1,
    kHideReadOnly = 1 << 2,
    kNoChangeDir = 1 << 3,
    kShowHelp = 1 << 4,
    kNoValidate = 1 << 5,
    kAllowMultiSelect = 1 << 6,
    kExtensionDifferent = 1 << 7,
    kPathMustExist = 1 << 8,
    kFileMustExist = 1 << 9,
    kCreatePrompt = 1 << 10,
    kShareAware = 1 << 11,
    kNoReadOnlyReturn = 1 << 12,
    kNoTestFileCreate = 1 << 13,
    kNoNetworkButton = 1 << 14,
    kNoLongNames = 1 << 15,
    kOldStyleDialog = 1 << 16,
    kNoDereferenceLinks = 1 << 17,
  };
  Q_DECLARE_FLAGS(Options, Option)

  TFileDlg(QWidget* owner, IPrompt& prompt) : owner_(owner), prompt_(prompt) {}

  QString defaultExt;     // appended when the user types a name without extension
  QString fileName;       // in: initial name; out: the (first) chosen path
  QStringList fileNames;  // out: every chosen path
  QString filter;         // "description|pattern" pairs
  int filterIndex = 1;    // 1-based, in and out
  QString initialDir;     // empty: Qt's choice
  Options options;
  QString title;  // empty: Qt's default title

  // Both return true when the user confirmed, false on cancel.
  bool ExecuteOpen() { return Execute(false); }
  bool ExecuteSave() { return Execute(true); }

 private:
  bool Execute(bool save);
  // Checks a chosen save path; false means the dialog is shown again.
  bool AcceptSavePath(const QString& path);
  // Checks chosen paths to open; false means the dialog is shown again.
  bool AcceptOpenPaths(const QStringList& paths);

  QWidget* owner_;
  IPrompt& prompt_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TFileDlg::Options)

// Turns "VNK ﾌｧｲﾙ|*.vnk|All|*" into Qt's name filters ("VNK ﾌｧｲﾙ (*.vnk)", "All (*)").
// Patterns separated by ";" become space-separated; a description without pattern is dropped.
QStringList FilterToQt(const QString& filter);

}  // namespace morvane
