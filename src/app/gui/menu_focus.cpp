#include "app/gui/menu_focus.h"

#include <QMenu>
#include <QMenuBar>

namespace morvane {

bool IsMenuWidget(const QWidget* widget) {
  for (const QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    if (qobject_cast<const QMenuBar*>(w) != nullptr || qobject_cast<const QMenu*>(w) != nullptr) {
      return true;
    }
  }
  return false;
}

}  // namespace morvane
