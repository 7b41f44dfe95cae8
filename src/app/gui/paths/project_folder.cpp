#include "app/gui/paths/project_folder.h"

#include <QDir>
#include <QFileInfo>

namespace morvane {

QString ProjectFolder(const TCatalogueStore& store) {
  if (store.fileName.empty()) return {};
  return QFileInfo(QString::fromStdString(store.fileName)).absolutePath();
}

QString InProjectFolder(const TCatalogueStore& store, const QString& file_name) {
  const QString folder = ProjectFolder(store);
  return QDir(folder.isEmpty() ? QDir::homePath() : folder).filePath(file_name);
}

}  // namespace morvane
