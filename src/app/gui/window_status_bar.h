// The main window's status bar and cursor as the database code drives them: CP932 texts into
// the panels of stbMsg, and the hourglass while a connect, disconnect or fetch runs.
#pragma once

#include <QLabel>
#include <string>

#include "db/status_bar.h"

namespace morvane {

class TfrmMain;

class TWindowStatusBar : public IStatusBar {
 public:
  explicit TWindowStatusBar(TfrmMain& window) : window_(window) {}
  void SetPanelText(int panel, const std::string& text_cp932) override;
  // Calls nest: the normal cursor returns with the last SetBusy(false).
  void SetBusy(bool busy) override;

 private:
  TfrmMain& window_;
};

// A panel of stbMsg: at least its given width, wider when its text needs more at the current font.
class TStatusPanel : public QLabel {
  Q_OBJECT

 public:
  TStatusPanel(int least_width, QWidget* parent);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 private:
  int least_width_;
};

}  // namespace morvane
