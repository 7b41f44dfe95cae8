// What the main window remembers between runs: its geometry and splitters, the recent
// projects in the File menu and the project folder; and keeping the window on its screen.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMenu>
#include <QScreen>

#include "app/gui/main_window.h"
#include "app/gui/qt_text.h"
#include "app/gui/screen_fit.h"
#include "model/prompt.h"

namespace morvane {
namespace {

constexpr int kRecentCaptionWidth = 480;  // pixels; longer paths lose their middle

}  // namespace

void TfrmMain::SetSettings(QSettings* settings) {
  settings_->Use(settings);
  RestoreSettings();
}

void TfrmMain::RestoreSettings() {
  settings_->RestoreWindow(*this);
  recent_ = TRecentProjects(settings_->RecentProjects());
  RebuildRecentMenu();
}

void TfrmMain::SaveSettings() {
  settings_->SaveWindow(*this);
  settings_->SetRecentProjects(recent_.Paths());
}

void TfrmMain::RememberProject(const QString& path) {
  recent_.Add(path);
  settings_->SetRecentProjects(recent_.Paths());
  settings_->SetLastFolderOf(TAppSettings::Folder::kProjects, path);
  RebuildRecentMenu();
}

void TfrmMain::RebuildRecentMenu() {
  QMenu* recent_menu = menus_.value(QStringLiteral("mnuFile_Recent"));
  if (!recent_menu) return;
  recent_menu->clear();
  const QFontMetrics metrics(recent_menu->font());
  int number = 0;
  for (const QString& path : recent_.Paths()) {
    ++number;
    const QString shown =
        metrics.elidedText(QDir::toNativeSeparators(path), Qt::ElideMiddle, kRecentCaptionWidth);
    QAction* entry = recent_menu->addAction(
        QStringLiteral("&%1 %2").arg(number).arg(QString(shown).replace('&', "&&")));
    entry->setObjectName(QStringLiteral("mnuFile_Recent%1").arg(number));
    entry->setData(path);
    entry->setToolTip(path);
    connect(entry, &QAction::triggered, this, [this, path] { OpenRecentProject(path); });
  }
  recent_menu->setEnabled(!recent_.IsEmpty());
}

void TfrmMain::OpenRecentProject(const QString& path) {
  if (!QFileInfo(path).isFile()) {
    prompt_.Warn(ToCp932(
        QStringLiteral("ファイル \"%1\" が見つかりません。最近使ったファイルの一覧から削除します。")
            .arg(QDir::toNativeSeparators(path))));
    recent_.Remove(path);
    settings_->SetRecentProjects(recent_.Paths());
    RebuildRecentMenu();
    return;
  }
  if (SavePrompt()) FileOpen(path);
  emit documentChanged();
}

void TfrmMain::FitToScreen() {
  if (isMaximized() || isFullScreen()) return;
  QScreen* display = screen();
  if (!display) return;
  const QRect frame = frameGeometry();
  const QRect inner = geometry();
  const QRect fitted = FitIntoArea(frame, display->availableGeometry());
  if (fitted == frame) return;
  // The window system's frame keeps its size; the window inside it gives way.
  setGeometry(fitted.adjusted(inner.left() - frame.left(), inner.top() - frame.top(),
                              inner.right() - frame.right(), inner.bottom() - frame.bottom()));
}

}  // namespace morvane
