#include "app/gui/window_status_bar.h"

#include <QApplication>

#include "app/gui/main_window.h"
#include "app/gui/qt_text.h"

namespace morvane {

void TWindowStatusBar::SetPanelText(int panel, const std::string& text_cp932) {
  window_.SetStatusText(panel, FromCp932(text_cp932));
}

void TWindowStatusBar::SetBusy(bool busy) {
  if (busy) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

}  // namespace morvane
