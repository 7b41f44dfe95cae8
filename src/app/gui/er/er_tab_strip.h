// TERTabStrip: the row of sheet tabs under the ER sheets. It keeps only names and widths and
// paints the tabs in view, so adding a tab costs the same with ten thousand tabs as with one (a
// QTabBar measures and places every tab again for each tab added). Tabs are chosen with any
// mouse button, dragged to a new place with the left one, and scrolled with the wheel or
// ScrollBy.
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace morvane {

class TERTabStrip : public QWidget {
  Q_OBJECT

 public:
  explicit TERTabStrip(QWidget* parent = nullptr);

  int count() const { return static_cast<int>(tabs_.size()); }
  QString tabText(int index) const;
  void setTabText(int index, const QString& text);
  int currentIndex() const { return current_; }
  // Makes `index` current and scrolls it into view; currentChanged when it changed.
  void setCurrentIndex(int index);

  void insertTab(int index, const QString& text);
  void removeTab(int index);
  // Removes every tab; currentChanged(-1) when there were any.
  void Clear();
  // Moves a tab as a drag would; the current tab stays current. Emits tabMoved.
  void moveTab(int from, int to);

  // The tab's rectangle in the strip (it may lie outside the part in view), or an empty one.
  QRect tabRect(int index) const;
  // The tab at a point of the strip, or -1.
  int tabAt(const QPoint& point) const;

  // Scrolls by whole tabs (negative: towards the first tab).
  void ScrollBy(int tabs);
  bool CanScrollBack() const { return offset_ > 0; }
  bool CanScrollOn() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void currentChanged(int index);
  void tabMoved(int from, int to);
  // The part in view or the tabs changed (for the scroll buttons); after a run of changes, once.
  void scrolled();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct Tab {
    QString text;
    mutable int width = -1;  // measured when first laid out
  };

  // Widths and left edges of every tab, measured again only after a change.
  void EnsureLayout() const;
  void Changed();
  int TotalWidth() const;
  // The first tab wholly or partly in view.
  int FirstInView() const;
  int Padding() const;
  void ScrollTo(int offset);
  void MakeVisible(int index);

  std::vector<Tab> tabs_;
  mutable std::vector<int> lefts_;  // lefts_[i]: left edge of tab i; lefts_[count]: the end
  mutable bool dirty_ = false;
  mutable int padding_ = -1;  // the tab's frame and margins around its text
  int current_ = -1;
  int offset_ = 0;  // strip x of the first pixel in view
  bool notifyPending_ = false;
  int pressed_ = -1;
  QPoint pressAt_;
};

}  // namespace morvane
