#include "app/gui/er/er_sheet_tabs.h"

#include <QBoxLayout>
#include <QStackedWidget>
#include <QToolButton>
#include <algorithm>

#include "app/gui/er/er_tab_strip.h"

namespace morvane {
namespace {

QToolButton* ScrollButton(QWidget* parent, const char* name, Qt::ArrowType arrow,
                          const QString& tip) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setArrowType(arrow);
  button->setToolTip(tip);
  button->setAutoRaise(true);
  button->setAutoRepeat(true);
  button->hide();
  return button;
}

}  // namespace

TERSheetTabs::TERSheetTabs(QWidget* parent)
    : QWidget(parent),
      stack_(new QStackedWidget(this)),
      strip_(new TERTabStrip(this)),
      btnBack_(ScrollButton(this, "btnERTabsBack", Qt::LeftArrow,
                            QStringLiteral("前のタブを表示します"))),
      btnOn_(ScrollButton(this, "btnERTabsOn", Qt::RightArrow,
                          QStringLiteral("次のタブを表示します"))) {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(strip_, 1);
  row->addWidget(btnBack_);
  row->addWidget(btnOn_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(stack_, 1);
  layout->addLayout(row);
  connect(strip_, &TERTabStrip::currentChanged, this, &TERSheetTabs::TabChanged);
  connect(strip_, &TERTabStrip::tabMoved, this, &TERSheetTabs::TabMoved);
  connect(strip_, &TERTabStrip::scrolled, this, &TERSheetTabs::UpdateScrollButtons);
  connect(btnBack_, &QToolButton::clicked, this, [this] { strip_->ScrollBy(-1); });
  connect(btnOn_, &QToolButton::clicked, this, [this] { strip_->ScrollBy(1); });
}

QWidget* TERSheetTabs::widget(int index) const {
  return index >= 0 && index < count() ? pages_[index] : nullptr;
}

int TERSheetTabs::indexOf(const QWidget* page) const {
  const auto found = std::find(pages_.begin(), pages_.end(), page);
  return found == pages_.end() ? -1 : static_cast<int>(found - pages_.begin());
}

QString TERSheetTabs::tabText(int index) const { return strip_->tabText(index); }

void TERSheetTabs::setTabText(int index, const QString& text) { strip_->setTabText(index, text); }

int TERSheetTabs::currentIndex() const { return strip_->currentIndex(); }

void TERSheetTabs::setCurrentIndex(int index) { strip_->setCurrentIndex(index); }

int TERSheetTabs::addTab(QWidget* page, const QString& text) {
  page->hide();
  stack_->addWidget(page);
  pages_.push_back(page);
  strip_->insertTab(count() - 1, text);
  return count() - 1;
}

void TERSheetTabs::removeTab(int index) {
  if (index < 0 || index >= count()) return;
  QWidget* page = pages_[index];
  pages_.erase(pages_.begin() + index);
  stack_->removeWidget(page);
  strip_->removeTab(index);
}

void TERSheetTabs::DeleteAll() {
  strip_->Clear();
  pages_.clear();
  // The pages go with their stack at once: a stack that loses its current page makes another
  // one current, which passes over every page each time.
  auto* fresh = new QStackedWidget(this);
  delete layout()->replaceWidget(stack_, fresh);
  delete stack_;
  stack_ = fresh;
}

void TERSheetTabs::setCornerWidget(QWidget* widget) {
  auto* row = static_cast<QBoxLayout*>(layout()->itemAt(1)->layout());
  if (corner_ != nullptr) row->removeWidget(corner_);
  corner_ = widget;
  if (widget != nullptr) row->addWidget(widget);
}

void TERSheetTabs::TabChanged(int index) {
  if (QWidget* page = widget(index)) stack_->setCurrentWidget(page);
  emit currentChanged(index);
}

void TERSheetTabs::TabMoved(int from, int to) {
  QWidget* page = pages_[from];
  pages_.erase(pages_.begin() + from);
  pages_.insert(pages_.begin() + to, page);
}

void TERSheetTabs::UpdateScrollButtons() {
  const bool scrolls = strip_->CanScrollBack() || strip_->CanScrollOn();
  btnBack_->setVisible(scrolls);
  btnOn_->setVisible(scrolls);
  btnBack_->setEnabled(strip_->CanScrollBack());
  btnOn_->setEnabled(strip_->CanScrollOn());
}

}  // namespace morvane
