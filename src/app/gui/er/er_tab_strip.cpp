#include "app/gui/er/er_tab_strip.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStylePainter>
#include <QTabBar>
#include <QTimer>
#include <algorithm>

namespace morvane {
namespace {

QStyleOptionTab TabOption(const QWidget& strip, const QString& text) {
  QStyleOptionTab option;
  option.initFrom(&strip);
  option.shape = QTabBar::RoundedSouth;
  option.text = text;
  return option;
}

}  // namespace

TERTabStrip::TERTabStrip(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("tabERSheets"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QString TERTabStrip::tabText(int index) const {
  return index >= 0 && index < count() ? tabs_[index].text : QString();
}

void TERTabStrip::setTabText(int index, const QString& text) {
  if (index < 0 || index >= count()) return;
  tabs_[index] = Tab{text};
  Changed();
}

void TERTabStrip::setCurrentIndex(int index) {
  if (index < 0 || index >= count() || index == current_) return;
  current_ = index;
  MakeVisible(index);
  update();
  emit currentChanged(index);
}

void TERTabStrip::insertTab(int index, const QString& text) {
  index = std::clamp(index, 0, count());
  tabs_.insert(tabs_.begin() + index, Tab{text});
  if (current_ >= index) ++current_;
  Changed();
  if (current_ < 0) setCurrentIndex(index);
}

void TERTabStrip::removeTab(int index) {
  if (index < 0 || index >= count()) return;
  tabs_.erase(tabs_.begin() + index);
  Changed();
  if (index < current_) {
    --current_;
  } else if (index == current_) {
    // The tab to the right takes its place, or the new last one.
    current_ = -1;
    if (count() > 0) setCurrentIndex(std::min(index, count() - 1));
    if (count() == 0) emit currentChanged(-1);
  }
}

void TERTabStrip::Clear() {
  if (tabs_.empty()) return;
  tabs_.clear();
  current_ = -1;
  Changed();
  emit currentChanged(-1);
}

void TERTabStrip::moveTab(int from, int to) {
  if (from < 0 || from >= count() || to < 0 || to >= count() || from == to) return;
  Tab moved = std::move(tabs_[from]);
  tabs_.erase(tabs_.begin() + from);
  tabs_.insert(tabs_.begin() + to, std::move(moved));
  if (current_ == from) {
    current_ = to;
  } else if (from < current_ && current_ <= to) {
    --current_;
  } else if (to <= current_ && current_ < from) {
    ++current_;
  }
  Changed();
  emit tabMoved(from, to);
}

QRect TERTabStrip::tabRect(int index) const {
  if (index < 0 || index >= count()) return {};
  EnsureLayout();
  return QRect(lefts_[index] - offset_, 0, lefts_[index + 1] - lefts_[index], height());
}

int TERTabStrip::tabAt(const QPoint& point) const {
  if (count() == 0 || point.y() < 0 || point.y() >= height()) return -1;
  EnsureLayout();
  const int x = point.x() + offset_;
  if (x < 0 || x >= lefts_.back()) return -1;
  return static_cast<int>(std::upper_bound(lefts_.begin(), lefts_.end(), x) - lefts_.begin()) - 1;
}

bool TERTabStrip::CanScrollOn() const { return offset_ + width() < TotalWidth(); }

int TERTabStrip::FirstInView() const {
  EnsureLayout();
  const auto after = std::upper_bound(lefts_.begin(), lefts_.end(), offset_);
  return std::clamp(static_cast<int>(after - lefts_.begin()) - 1, 0, std::max(0, count() - 1));
}

void TERTabStrip::ScrollBy(int tabs) {
  if (count() == 0) return;
  const int first = FirstInView();
  // A tab cut at the left edge counts as the first step back.
  const bool cut = lefts_[first] < offset_;
  const int target = std::clamp(first + tabs + (tabs < 0 && cut ? 1 : 0), 0, count() - 1);
  ScrollTo(lefts_[target]);
}

QSize TERTabStrip::sizeHint() const {
  const QStyleOptionTab option = TabOption(*this, QString());
  const int space = style()->pixelMetric(QStyle::PM_TabBarTabVSpace, &option, this);
  const QSize text(0, fontMetrics().height() + space);
  const int height = style()->sizeFromContents(QStyle::CT_TabBarTab, &option, text, this).height();
  return QSize(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 20, height);
}

QSize TERTabStrip::minimumSizeHint() const { return QSize(0, sizeHint().height()); }

void TERTabStrip::paintEvent(QPaintEvent*) {
  if (count() == 0) return;
  QStylePainter painter(this);
  const int first = FirstInView();
  int last = first;
  while (last + 1 < count() && lefts_[last + 1] < offset_ + width()) ++last;
  auto draw = [&](int index) {
    QStyleOptionTab option = TabOption(*this, tabs_[index].text);
    option.rect = tabRect(index);
    option.position = count() == 1           ? QStyleOptionTab::OnlyOneTab
                      : index == 0           ? QStyleOptionTab::Beginning
                      : index == count() - 1 ? QStyleOptionTab::End
                                             : QStyleOptionTab::Middle;
    if (index == current_) option.state |= QStyle::State_Selected;
    painter.drawControl(QStyle::CE_TabBarTab, option);
  };
  for (int i = first; i <= last; ++i) {
    if (i != current_) draw(i);
  }
  if (current_ >= first && current_ <= last) draw(current_);  // the chosen tab lies on top
}

void TERTabStrip::mousePressEvent(QMouseEvent* event) {
  pressAt_ = event->position().toPoint();
  pressed_ = tabAt(pressAt_);
  if (pressed_ >= 0) setCurrentIndex(pressed_);
  if (event->button() != Qt::LeftButton) pressed_ = -1;
  QWidget::mousePressEvent(event);
}

void TERTabStrip::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const int from = pressed_;
  pressed_ = -1;
  if (from < 0 || event->button() != Qt::LeftButton ||
      (at - pressAt_).manhattanLength() < QApplication::startDragDistance()) {
    return;
  }
  // Dropped past either end: the tab goes first or last.
  int to = tabAt(QPoint(std::clamp(at.x(), 0, width() - 1), height() / 2));
  if (to < 0) to = at.x() < 0 ? 0 : count() - 1;
  moveTab(from, to);
}

void TERTabStrip::wheelEvent(QWheelEvent* event) {
  const QPoint delta = event->angleDelta();
  const int steps = (delta.y() != 0 ? delta.y() : delta.x()) / 120;
  if (steps != 0) ScrollBy(-steps);
  event->accept();
}

void TERTabStrip::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // Tabs chosen while the row had no width yet come into view once it has one.
  ScrollTo(offset_);
  if (current_ >= 0) MakeVisible(current_);
}

void TERTabStrip::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    padding_ = -1;
    for (Tab& tab : tabs_) tab.width = -1;
    Changed();
  }
  QWidget::changeEvent(event);
}

void TERTabStrip::EnsureLayout() const {
  if (!dirty_ && lefts_.size() == tabs_.size() + 1) return;
  lefts_.resize(tabs_.size() + 1);
  const QFontMetrics metrics = fontMetrics();
  int x = 0;
  for (size_t i = 0; i < tabs_.size(); ++i) {
    lefts_[i] = x;
    if (tabs_[i].width < 0) tabs_[i].width = metrics.horizontalAdvance(tabs_[i].text) + Padding();
    x += tabs_[i].width;
  }
  lefts_.back() = x;
  dirty_ = false;
}

int TERTabStrip::Padding() const {
  if (padding_ < 0) {
    const QStyleOptionTab option = TabOption(*this, QString());
    const int space = style()->pixelMetric(QStyle::PM_TabBarTabHSpace, &option, this);
    padding_ =
        style()->sizeFromContents(QStyle::CT_TabBarTab, &option, QSize(space, 0), this).width();
  }
  return padding_;
}

void TERTabStrip::Changed() {
  dirty_ = true;
  update();
  // Told once after a run of changes, so that adding many tabs measures them once.
  if (notifyPending_) return;
  notifyPending_ = true;
  QTimer::singleShot(0, this, [this] {
    notifyPending_ = false;
    ScrollTo(offset_);
    emit scrolled();
  });
}

int TERTabStrip::TotalWidth() const {
  EnsureLayout();
  return lefts_.back();
}

void TERTabStrip::ScrollTo(int offset) {
  const int clamped = std::clamp(offset, 0, std::max(0, TotalWidth() - width()));
  if (clamped == offset_) return;
  offset_ = clamped;
  update();
  emit scrolled();
}

void TERTabStrip::MakeVisible(int index) {
  const QRect rect = tabRect(index);
  if (rect.left() < 0) {
    ScrollTo(offset_ + rect.left());
  } else if (rect.right() >= width()) {
    ScrollTo(offset_ + rect.right() + 1 - width());
  }
}

}  // namespace morvane
