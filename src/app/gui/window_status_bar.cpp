#include "app/gui/window_status_bar.h"

#include <QApplication>
#include <QStatusBar>
#include <algorithm>

#include "app/gui/qt_text.h"

namespace morvane {
namespace {

constexpr std::array<int, 3> kPanelWidths = {70, 130, 50};

}  // namespace

TWindowStatusBar::TWindowStatusBar(QStatusBar* bar, std::function<void()> panels_changed)
    : bar_(bar), panels_changed_(std::move(panels_changed)) {
  bar_->setObjectName(QStringLiteral("stbMsg"));
  bar_->setSizeGripEnabled(true);
  for (int i = 0; i < 3; ++i) {
    auto* panel = new TStatusPanel(kPanelWidths[i], bar_);
    panel->setObjectName(QStringLiteral("stbMsgPanel%1").arg(i));
    bar_->addWidget(panel);
    panels_[i] = panel;
  }
}

QString TWindowStatusBar::Text(int panel) const { return panels_.at(panel)->text(); }

void TWindowStatusBar::SetText(int panel, const QString& text) {
  panels_.at(panel)->setText(text);
  if (panels_changed_) panels_changed_();
}

void TWindowStatusBar::ShowFetchOutcome(std::string_view kind_caption, bool fetched, size_t count) {
  if (!fetch_outcome_) {
    fetch_outcome_ = new QLabel(bar_);
    fetch_outcome_->setObjectName(QStringLiteral("stbMsgFetchOutcome"));
    bar_->addPermanentWidget(fetch_outcome_);
  }
  const QString caption =
      QString::fromUtf8(kind_caption.data(), static_cast<qsizetype>(kind_caption.size()));
  fetch_outcome_->setText(fetched
                              ? QStringLiteral("%1: %2 件を取得しました").arg(caption).arg(count)
                              : QStringLiteral("%1を取得できませんでした").arg(caption));
}

QString TWindowStatusBar::FetchOutcomeText() const {
  return fetch_outcome_ ? fetch_outcome_->text() : QString();
}

void TWindowStatusBar::SetPanelText(int panel, const std::string& text_cp932) {
  SetText(panel, FromCp932(text_cp932));
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
