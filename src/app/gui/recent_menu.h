// TRecentMenu: the File menu's recent projects (最近使ったファイル), numbered, with long paths
// shortened in the middle, and remembered in the user's settings.
#pragma once

#include <QObject>
#include <functional>

#include "app/gui/recent_projects.h"

class QMenu;

namespace morvane {

class IPrompt;
class TAppSettings;

class TRecentMenu : public QObject {
  Q_OBJECT

 public:
  // `open` opens a project through the normal open path (asking to save first).
  TRecentMenu(QMenu* menu, TAppSettings& settings, IPrompt& prompt,
              std::function<void(const QString&)> open);

  const TRecentProjects& Projects() const { return recent_; }
  // Reads the list from the settings.
  void Restore();
  // Puts an opened or saved project first and remembers its folder.
  void Remember(const QString& path);
  // Opens an entry; one whose file is gone is removed from the list with a message.
  void Open(const QString& path);

 private:
  void Rebuild();

  QMenu* menu_;
  TAppSettings& settings_;
  IPrompt& prompt_;
  std::function<void(const QString&)> open_;
  TRecentProjects recent_;
};

}  // namespace morvane
