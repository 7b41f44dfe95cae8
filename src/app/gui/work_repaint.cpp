#include "app/gui/work_repaint.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QStringList>

namespace morvane {

bool IsStatusActivity(const QString& activity) {
  static const QStringList activities = {QStringLiteral("データ取得"), QStringLiteral("件数取得"),
                                         QStringLiteral("Excel出力"), QStringLiteral("インポート"),
                                         QStringLiteral("表示中")};
  return activities.contains(activity);
}

void RepaintDuringWork() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace morvane
