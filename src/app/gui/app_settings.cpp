#include "app/gui/app_settings.h"

#include <QFileInfo>
#include <QMainWindow>
#include <QSettings>
#include <QSplitter>
#include <QUrl>

namespace morvane {
namespace {

constexpr char kOrganization[] = "Morvane";
constexpr char kApplication[] = "morvane";

constexpr char kGeometryKey[] = "window/geometry";
constexpr char kStateKey[] = "window/state";
constexpr char kSplitterGroup[] = "window/splitters";
constexpr char kRecentKey[] = "files/recentProjects";

QString LoginGroup(Product product) {
  return QStringLiteral("connect/product%1").arg(ProductCode(product));
}

QString FolderKey(TAppSettings::Folder folder) {
  return folder == TAppSettings::Folder::kProjects ? QStringLiteral("files/projectFolder")
                                                   : QStringLiteral("files/workbookFolder");
}

}  // namespace

TAppSettings::TAppSettings()
    : own_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QLatin1String(kOrganization), QLatin1String(kApplication))),
      settings_(own_.get()) {}

TAppSettings::TAppSettings(QSettings* settings) : settings_(settings) {}

TAppSettings::~TAppSettings() = default;

void TAppSettings::Use(QSettings* settings) {
  settings_ = settings;
  own_.reset();
}

void TAppSettings::SaveWindow(const QMainWindow& window) {
  settings_->setValue(QLatin1String(kGeometryKey), window.saveGeometry());
  settings_->setValue(QLatin1String(kStateKey), window.saveState());
  settings_->beginGroup(QLatin1String(kSplitterGroup));
  for (const QSplitter* splitter : window.findChildren<QSplitter*>()) {
    if (!splitter->objectName().isEmpty()) {
      settings_->setValue(splitter->objectName(), splitter->saveState());
    }
  }
  settings_->endGroup();
  settings_->sync();
}

bool TAppSettings::RestoreWindow(QMainWindow& window) {
  const QByteArray geometry = settings_->value(QLatin1String(kGeometryKey)).toByteArray();
  const bool restored = !geometry.isEmpty() && window.restoreGeometry(geometry);
  const QByteArray state = settings_->value(QLatin1String(kStateKey)).toByteArray();
  if (!state.isEmpty()) window.restoreState(state);
  settings_->beginGroup(QLatin1String(kSplitterGroup));
  for (QSplitter* splitter : window.findChildren<QSplitter*>()) {
    if (splitter->objectName().isEmpty()) continue;
    const QByteArray sizes = settings_->value(splitter->objectName()).toByteArray();
    if (!sizes.isEmpty()) splitter->restoreState(sizes);
  }
  settings_->endGroup();
  return restored;
}

TAppSettings::Login TAppSettings::LastLogin(Product product) const {
  const QString group = LoginGroup(product);
  return Login{settings_->value(group + QStringLiteral("/dataSource")).toString(),
               settings_->value(group + QStringLiteral("/user")).toString()};
}

void TAppSettings::SetLastLogin(Product product, const Login& login) {
  const QString group = LoginGroup(product);
  settings_->setValue(group + QStringLiteral("/dataSource"), login.dataSource);
  settings_->setValue(group + QStringLiteral("/user"), login.user);
  settings_->sync();
}

namespace {

// One key per data source; the name is percent-encoded so that any name is a valid key.
QString OdbcSchemasKey(const QString& dsn) {
  return QStringLiteral("odbcSchemas/") + QString::fromLatin1(QUrl::toPercentEncoding(dsn));
}

}  // namespace

std::optional<QStringList> TAppSettings::OdbcSchemas(const QString& dsn) const {
  const QString key = OdbcSchemasKey(dsn);
  if (!settings_->contains(key)) return std::nullopt;
  return settings_->value(key).toStringList();
}

void TAppSettings::SetOdbcSchemas(const QString& dsn, const QStringList& schemas) {
  settings_->setValue(OdbcSchemasKey(dsn), schemas);
  settings_->sync();
}

QString TAppSettings::LastFolder(Folder folder) const {
  return settings_->value(FolderKey(folder)).toString();
}

void TAppSettings::SetLastFolder(Folder folder, const QString& path) {
  if (path.isEmpty()) return;
  settings_->setValue(FolderKey(folder), path);
  settings_->sync();
}

void TAppSettings::SetLastFolderOf(Folder folder, const QString& file) {
  if (!file.isEmpty()) SetLastFolder(folder, QFileInfo(file).absolutePath());
}

QStringList TAppSettings::RecentProjects() const {
  return settings_->value(QLatin1String(kRecentKey)).toStringList();
}

void TAppSettings::SetRecentProjects(const QStringList& paths) {
  settings_->setValue(QLatin1String(kRecentKey), paths);
  settings_->sync();
}

}  // namespace morvane
