#include "app/gui/recent_projects.h"

#include <QDir>
#include <QFileInfo>

namespace morvane {

QString RecentProjectKey(const QString& path) {
  if (path.isEmpty()) return QString();
  return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

TRecentProjects::TRecentProjects(const QStringList& paths) {
  // Oldest first, so that each Add leaves the newer ones ahead of it.
  for (auto it = paths.crbegin(); it != paths.crend(); ++it) Add(*it);
}

qsizetype TRecentProjects::IndexOf(const QString& path) const {
  const QString key = RecentProjectKey(path);
  for (qsizetype i = 0; i < paths_.size(); ++i) {
    if (paths_[i] == key) return i;
  }
  return -1;
}

void TRecentProjects::Add(const QString& path) {
  const QString key = RecentProjectKey(path);
  if (key.isEmpty()) return;
  Remove(key);
  paths_.prepend(key);
  while (paths_.size() > kLimit) paths_.removeLast();
}

bool TRecentProjects::Remove(const QString& path) {
  const qsizetype index = IndexOf(path);
  if (index < 0) return false;
  paths_.removeAt(index);
  return true;
}

}  // namespace morvane
