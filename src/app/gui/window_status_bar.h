// The main window's status bar stbMsg: three panels (the product, the connection, the work or the
// selection count), the outcome of the last fetch beside them, and the hourglass while a connect,
// disconnect or fetch runs. The database code reaches it as an IStatusBar, in CP932.
#pragma once

#include <QLabel>
#include <array>
#include <functional>
#include <string>

#include <string_view>
#include "db/status_bar.h"

class QStatusBar;

namespace morvane {

class TWindowStatusBar : public IStatusBar {
 public:
  // Makes the panels in `bar`. `panels_changed` runs after a panel's text changed (its width may
  // have too).
  TWindowStatusBar(QStatusBar* bar, std::function<void()> panels_changed);

  QString Text(int panel) const;
  void SetText(int panel, const QString& text);
  // The last panel, which the progress bar keeps to the right of.
  const QWidget* LastPanel() const { return panels_.back(); }

  // "表: 12 件を取得しました" or "表を取得できませんでした", from the first fetch on.
  void ShowFetchOutcome(std::string_view kind_caption, bool fetched, size_t count);
  QString FetchOutcomeText() const;

  // IStatusBar.
  void SetPanelText(int panel, const std::string& text_cp932) override;
  // Calls nest: the normal cursor returns with the last SetBusy(false).
  void SetBusy(bool busy) override;

 private:
  QStatusBar* bar_;
  std::function<void()> panels_changed_;
  std::array<QLabel*, 3> panels_{};
  QLabel* fetch_outcome_ = nullptr;
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
