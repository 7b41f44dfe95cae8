// TAppSettings: what the program remembers between runs for its user, in an INI file in the
// user's configuration folder: the main window's geometry, toolbar and dock state and splitter
// positions, the last data source and user name per database product (never a password), the
// folders last used for projects and workbooks, and the recent projects.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "model/product_profile.h"

class QMainWindow;
class QSettings;

namespace morvane {

class TAppSettings {
 public:
  // The program's own file in the user's configuration folder.
  TAppSettings();
  // Reads and writes `settings` instead (tests give a file in a temporary folder). Not owned.
  explicit TAppSettings(QSettings* settings);
  ~TAppSettings();
  TAppSettings(const TAppSettings&) = delete;
  TAppSettings& operator=(const TAppSettings&) = delete;

  // Switches to `settings` (not owned).
  void Use(QSettings* settings);
  QSettings& Store() { return *settings_; }

  // Geometry, toolbars and docks, and every named splitter of `window`.
  void SaveWindow(const QMainWindow& window);
  // Restores what SaveWindow stored; false when nothing was stored for the geometry.
  bool RestoreWindow(QMainWindow& window);

  struct Login {
    QString dataSource;
    QString user;
  };
  Login LastLogin(Product product) const;
  void SetLastLogin(Product product, const Login& login);

  enum class Folder { kProjects, kWorkbooks };
  // Empty when none was stored.
  QString LastFolder(Folder folder) const;
  void SetLastFolder(Folder folder, const QString& path);
  // Remembers the folder holding `file`.
  void SetLastFolderOf(Folder folder, const QString& file);

  // The schemas last chosen for a generic ODBC fetch from data source `dsn`; nullopt when
  // none were chosen yet.
  std::optional<QStringList> OdbcSchemas(const QString& dsn) const;
  void SetOdbcSchemas(const QString& dsn, const QStringList& schemas);

  QStringList RecentProjects() const;
  void SetRecentProjects(const QStringList& paths);

 private:
  std::unique_ptr<QSettings> own_;
  QSettings* settings_ = nullptr;
};

}  // namespace morvane
