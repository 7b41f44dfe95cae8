// How the project commands ask the user for a project file path. The main window uses the
// real file dialogs; tests put in a chooser that answers without a display.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace morvane {

class IPrompt;
class TAppSettings;

class IProjectPathChooser {
 public:
  virtual ~IProjectPathChooser() = default;
  // The project to open; nothing when the user cancelled.
  virtual std::optional<QString> AskOpenPath() = 0;
  // Where to save; `current_path` is the project's file name (may be empty). Nothing when the
  // user cancelled.
  virtual std::optional<QString> AskSavePath(const QString& current_path) = 0;
};

// The filter of every project file dialog.
QString ProjectFileFilter();

// The open and save dialogs of project files, on TFileDlg.
class TProjectFileDialogs : public IProjectPathChooser {
 public:
  // With `settings`, the dialogs start in the folder last used for projects.
  TProjectFileDialogs(QWidget* owner, IPrompt& prompt, TAppSettings* settings = nullptr)
      : owner_(owner), prompt_(prompt), settings_(settings) {}
  std::optional<QString> AskOpenPath() override;
  std::optional<QString> AskSavePath(const QString& current_path) override;

 private:
  QWidget* owner_;
  IPrompt& prompt_;
  TAppSettings* settings_;
};

}  // namespace morvane
