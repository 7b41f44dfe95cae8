#include "app/gui/window_status_bar.h"

#include <QApplication>
#include <algorithm>

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

TStatusPanel::TStatusPanel(int least_width, QWidget* parent)
    : QLabel(parent), least_width_(least_width) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
}

QSize TStatusPanel::sizeHint() const {
  QSize hint = QLabel::sizeHint();
  hint.setWidth(std::max(hint.width(), least_width_));
  return hint;
}

}  // namespace morvane
