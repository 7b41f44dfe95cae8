#include "app/gui/recent_menu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>

#include "app/gui/app_settings.h"
#include "app/gui/qt_text.h"
#include "model/prompt.h"

namespace morvane {
namespace {

constexpr int kCaptionWidth = 480;  // pixels; longer paths lose their middle

}  // namespace

TRecentMenu::TRecentMenu(QMenu* menu, TAppSettings& settings, IPrompt& prompt,
                         std::function<void(const QString&)> open)
    : QObject(menu), menu_(menu), settings_(settings), prompt_(prompt), open_(std::move(open)) {}

void TRecentMenu::Restore() {
  recent_ = TRecentProjects(settings_.RecentProjects());
  Rebuild();
}

void TRecentMenu::Remember(const QString& path) {
  recent_.Add(path);
  settings_.SetRecentProjects(recent_.Paths());
  settings_.SetLastFolderOf(TAppSettings::Folder::kProjects, path);
  Rebuild();
}

void TRecentMenu::Open(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    prompt_.Warn(ToCp932(
        QStringLiteral("ファイル \"%1\" が見つかりません。最近使ったファイルの一覧から削除します。")
            .arg(QDir::toNativeSeparators(path))));
    recent_.Remove(path);
    settings_.SetRecentProjects(recent_.Paths());
    Rebuild();
    return;
  }
  open_(path);
}

void TRecentMenu::Rebuild() {
  menu_->clear();
  const QFontMetrics metrics(menu_->font());
  int number = 0;
  for (const QString& path : recent_.Paths()) {
    ++number;
    const QString shown =
        metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle, kCaptionWidth);
    QAction* entry = menu_->addAction(
        QStringLiteral("&%1 %2").arg(number).arg(QString(shown).replace('&', "&&")));
    entry->setObjectName(QStringLiteral("mnuFile_Recent%1").arg(number));
    entry->setData(path);
    entry->setToolTip(path);
    connect(entry, &QAction::triggered, this, [this, path] { Open(path); });
  }
  menu_->setEnabled(!recent_.IsEmpty());
}

}  // namespace morvane
