// TRecentProjects: the list of recently used project files shown in the File menu. Most recent
// first, each file once, at most kLimit entries. Plain list logic, kept apart from the menu.
#pragma once

#include <QString>
#include <QStringList>

namespace morvane {

class TRecentProjects {
 public:
  static constexpr int kLimit = 8;

  TRecentProjects() = default;
  // Takes a stored list as it is read back: blanks and repeats dropped, cut to the limit.
  explicit TRecentProjects(const QStringList& paths);

  const QStringList& Paths() const { return paths_; }
  bool IsEmpty() const { return paths_.isEmpty(); }

  // Puts `path` first; an earlier entry for the same file goes, the oldest beyond the limit too.
  void Add(const QString& path);
  // Removes the entry for the same file as `path`; false when there was none.
  bool Remove(const QString& path);

 private:
  qsizetype IndexOf(const QString& path) const;

  QStringList paths_;
};

// The form in which a project path is listed and compared: absolute and cleaned, so that
// "a/../b.vnk" and "b.vnk" name one entry.
QString RecentProjectKey(const QString& path);

}  // namespace morvane
