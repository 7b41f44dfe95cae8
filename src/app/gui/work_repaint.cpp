#include "app/gui/work_repaint.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QStringList>

namespace morvane {

bool IsStatusActivity(const QString& activity) {
  static const QStringList activities = {QStringLiteral("データ取得"), QStringLiteral("件数取得"),
                                         QStringLiteral("Excel出力"), QStringLiteral("インポート"),
                                         QStringLiteral("表示中")};
  return activities.contains(activity);
}

void RepaintDuringWork(bool now) {
  // Often enough for the eye, rarely enough to cost nothing.
  constexpr qint64 kIntervalMs = 25;
  static QElapsedTimer since_last;
  if (!now && since_last.isValid() && since_last.elapsed() < kIntervalMs) return;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  since_last.start();
}

}  // namespace morvane
