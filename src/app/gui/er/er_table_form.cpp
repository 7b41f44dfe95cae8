#include "app/gui/er/er_table_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include "er_picture/er_painting.h"
#include "text/cp932_text.h"

namespace morvane {
namespace {

// Rows of the column list are 12 pixels high whatever the font's own line height. The text
// sits on a fixed baseline and is not clipped to its row, so underscores and descenders show.
class ColumnRowDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(kERColumnRowHeight);
    return size;
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    opt.text.clear();
    opt.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);

    QStyleOptionViewItem check(opt);
    check.rect = CheckRect(option.rect);
    check.state &= ~(QStyle::State_On | QStyle::State_Off);
    check.state |= index.data(Qt::CheckStateRole).toInt() == Qt::Checked ? QStyle::State_On
                                                                         : QStyle::State_Off;
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &check, painter, widget);

    painter->save();
    painter->setFont(opt.font);
    painter->setPen(opt.palette.color(opt.state & QStyle::State_Selected ? QPalette::HighlightedText
                                                                         : QPalette::Text));
    painter->drawText(QPoint(option.rect.left() + kTextIndent, option.rect.top() + kBaseline),
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }

  bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
    if (!(index.flags() & Qt::ItemIsUserCheckable)) return false;
    switch (event->type()) {
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton ||
            !CheckRect(option.rect).adjusted(-1, -1, 1, 1).contains(mouse->position().toPoint())) {
          return false;
        }
        if (event->type() == QEvent::MouseButtonDblClick) return true;
        break;
      }
      case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select) return false;
        break;
      }
      default:
        return false;
    }
    const bool checked = index.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
  }

  static QRect CheckRect(const QRect& row) {
    return QRect(row.left() + 1, row.top() + 1, kERColumnRowHeight - 2, kERColumnRowHeight - 2);
  }

 private:
  static constexpr int kTextIndent = kERColumnRowHeight + 2;
  static constexpr int kBaseline = 10;
};

constexpr int kCloseButtonSize = kERTitleBarHeight - 4;

// The title bar's close button, painted like the frame (cheaper than a styled tool button when
// a sheet holds hundreds of windows).
class TERCloseBox : public QAbstractButton {
 public:
  explicit TERCloseBox(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(kCloseButtonSize, kCloseButtonSize);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    PaintERCloseBox(painter, rect());
  }
};

}  // namespace

TfrmERTable::TfrmERTable(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("frmERTable"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setAcceptDrops(true);  // to refuse tables dropped on the window rather than the sheet
  resize(kDefaultERTableSize, kDefaultERTableSize);

  lstColumn_ = new QListWidget(this);
  lstColumn_->setObjectName(QStringLiteral("lstColumn"));
  lstColumn_->setFont(ERColumnFont());
  lstColumn_->setItemDelegate(new ColumnRowDelegate(lstColumn_));
  lstColumn_->setUniformItemSizes(true);
  lstColumn_->setFrameShape(QFrame::NoFrame);
  lstColumn_->setSelectionMode(QAbstractItemView::SingleSelection);
  lstColumn_->setDragDropMode(QAbstractItemView::NoDragDrop);
  lstColumn_->viewport()->setAcceptDrops(true);
  lstColumn_->viewport()->installEventFilter(this);
  lstColumn_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(lstColumn_, &QListWidget::itemChanged, this, &TfrmERTable::lstColumnClickCheck);
  connect(lstColumn_, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu* menu = popERTable_ ? popERTable_ : popERWindow_;
    menu->popup(lstColumn_->viewport()->mapToGlobal(at));
  });

  popERWindow_ = new QMenu(this);
  popERWindow_->setObjectName(QStringLiteral("popERWindow"));
  AddFitAction(popERWindow_);

  closeButton_ = new TERCloseBox(this);
  closeButton_->setObjectName(QStringLiteral("cmdClose"));
  connect(closeButton_, &QAbstractButton::clicked, this, &TfrmERTable::FormClose);
}

void TfrmERTable::Load(TERTableRec& table, bool relationMenu) {
  record_ = &table;
  setObjectName(ERDisplayText(table.name));
  setWindowTitle(ERDisplayText(table.caption));
  QSignalBlocker block(lstColumn_);
  lstColumn_->clear();
  for (const TERColumnRec& column : table.columns) {
    auto* item = new QListWidgetItem(ERDisplayText(column.listText), lstColumn_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(column.checked ? Qt::Checked : Qt::Unchecked);
  }
  if (relationMenu && popERTable_ == nullptr) {
    popERTable_ = new QMenu(this);
    popERTable_->setObjectName(QStringLiteral("popERTable"));
    QAction* relation = popERTable_->addAction(QStringLiteral("ﾘﾚｰｼｮﾝからﾃｰﾌﾞﾙ追加"));
    relation->setObjectName(QStringLiteral("popERTable_Relation"));
    connect(relation, &QAction::triggered, this, &TfrmERTable::popERTable_RelationClick);
    popERTable_->addSeparator();
    AddFitAction(popERTable_);
  }
}

void TfrmERTable::PlaceAt(const QRect& geometry) {
  placing_ = true;
  setGeometry(geometry);
  placing_ = false;
}

void TfrmERTable::SetActive(bool active) {
  if (active_ == active) return;
  active_ = active;
  update(ERWindowTitleRect(rect()));
}

void TfrmERTable::FormClose() {
  if (host_) host_->ERTableCloseRequested(*this);
}

void TfrmERTable::lstColumnClickCheck(QListWidgetItem* item) {
  if (host_) {
    host_->ERTableColumnChecked(*this, lstColumn_->row(item), item->checkState() == Qt::Checked);
  }
}

void TfrmERTable::AddFitAction(QMenu* menu) {
  QAction* fit = menu->addAction(QStringLiteral("内容に合わせる"));
  fit->setObjectName(QStringLiteral("popERWindow_Fit"));
  connect(fit, &QAction::triggered, this, &TfrmERTable::popERWindow_FitClick);
}

void TfrmERTable::popERWindow_FitClick() {
  if (host_) host_->ERTableFitRequested(*this);
}

void TfrmERTable::popERTable_RelationClick() {
  if (host_) host_->ERTableRelationRequested(*this);
}

void TfrmERTable::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintERWindowFrame(painter, rect(), windowTitle(), active_, false);
}

void TfrmERTable::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  lstColumn_->setGeometry(ERWindowClientRect(rect()));
  const QRect title = ERWindowTitleRect(rect());
  closeButton_->move(title.right() - kCloseButtonSize - 1, title.top() + 2);
  if (!placing_ && host_) host_->ERTableGeometryChanged(*this);
}

void TfrmERTable::moveEvent(QMoveEvent* event) {
  QFrame::moveEvent(event);
  if (!placing_ && host_) host_->ERTableGeometryChanged(*this);
}

Qt::Edges TfrmERTable::EdgesAt(QPoint p) const {
  Qt::Edges edges;
  if (p.x() < kERFrameWidth) edges |= Qt::LeftEdge;
  if (p.x() >= width() - kERFrameWidth) edges |= Qt::RightEdge;
  if (p.y() < kERFrameWidth) edges |= Qt::TopEdge;
  if (p.y() >= height() - kERFrameWidth) edges |= Qt::BottomEdge;
  return edges;
}

void TfrmERTable::UpdateCursor(QPoint p) {
  const Qt::Edges e = EdgesAt(p);
  const bool diagonalDown =
      (e == (Qt::LeftEdge | Qt::TopEdge)) || (e == (Qt::RightEdge | Qt::BottomEdge));
  const bool diagonalUp =
      (e == (Qt::RightEdge | Qt::TopEdge)) || (e == (Qt::LeftEdge | Qt::BottomEdge));
  if (diagonalDown) {
    setCursor(Qt::SizeFDiagCursor);
  } else if (diagonalUp) {
    setCursor(Qt::SizeBDiagCursor);
  } else if (e & (Qt::LeftEdge | Qt::RightEdge)) {
    setCursor(Qt::SizeHorCursor);
  } else if (e & (Qt::TopEdge | Qt::BottomEdge)) {
    setCursor(Qt::SizeVerCursor);
  } else {
    unsetCursor();
  }
}

void TfrmERTable::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QFrame::mousePressEvent(event);
  raise();
  if (host_) host_->ERTableActivated(*this);
  pressGlobal_ = event->globalPosition().toPoint();
  pressGeometry_ = geometry();
  resizeEdges_ = EdgesAt(event->position().toPoint());
  gesture_ = resizeEdges_ ? Gesture::kResize : Gesture::kMove;
}

void TfrmERTable::mouseMoveEvent(QMouseEvent* event) {
  if (gesture_ == Gesture::kNone) {
    UpdateCursor(event->position().toPoint());
    return;
  }
  const QPoint delta = event->globalPosition().toPoint() - pressGlobal_;
  QRect g = pressGeometry_;
  if (gesture_ == Gesture::kMove) {
    // A window never leaves the sheet above or to the left.
    g.moveTopLeft(QPoint(std::max(g.left() + delta.x(), 0), std::max(g.top() + delta.y(), 0)));
  } else {
    if (resizeEdges_ & Qt::LeftEdge) {
      g.setLeft(std::clamp(g.left() + delta.x(), 0, g.right() + 1 - kMinimumWidth));
    }
    if (resizeEdges_ & Qt::RightEdge) {
      g.setRight(std::max(g.right() + delta.x(), g.left() + kMinimumWidth - 1));
    }
    if (resizeEdges_ & Qt::TopEdge) {
      g.setTop(std::clamp(g.top() + delta.y(), 0, g.bottom() + 1 - kMinimumHeight));
    }
    if (resizeEdges_ & Qt::BottomEdge) {
      g.setBottom(std::max(g.bottom() + delta.y(), g.top() + kMinimumHeight - 1));
    }
  }
  setGeometry(g);
}

void TfrmERTable::mouseReleaseEvent(QMouseEvent* event) {
  gesture_ = Gesture::kNone;
  QFrame::mouseReleaseEvent(event);
}

// Qt offers a drag the window refuses to the widgets below it, so the window takes the drag
// itself with no action: a table dropped on a window is not placed on the sheet beneath.
void TfrmERTable::dragEnterEvent(QDragEnterEvent* event) {
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
}

void TfrmERTable::dragMoveEvent(QDragMoveEvent* event) { event->ignore(); }

void TfrmERTable::dropEvent(QDropEvent* event) { event->ignore(); }

bool TfrmERTable::AcceptsColumnDrag(const QMimeData* mime) const {
  return mime != nullptr && mime->hasFormat(QLatin1String(kERWindowDragMime)) &&
         record_ != nullptr &&
         !EqualsIgnoringAsciiCase(mime->data(QLatin1String(kERWindowDragMime)).toStdString(),
                                  record_->name);
}

bool TfrmERTable::lstColumnMouseDown(QMouseEvent* event) {
  raise();
  if (host_) host_->ERTableActivated(*this);
  dragArmed_ = event->button() == Qt::LeftButton;
  dragStart_ = event->position().toPoint();
  return false;  // the list still selects and ticks
}

void TfrmERTable::StartColumnDrag() {
  if (record_ == nullptr) return;
  auto* drag = new QDrag(lstColumn_);
  auto* mime = new QMimeData;
  mime->setData(QLatin1String(kERWindowDragMime), QByteArray::fromStdString(record_->name));
  drag->setMimeData(mime);
  drag->exec(Qt::LinkAction);
}

bool TfrmERTable::eventFilter(QObject* watched, QEvent* event) {
  if (watched != lstColumn_->viewport()) return QFrame::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      return lstColumnMouseDown(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (dragArmed_ && (mouse->buttons() & Qt::LeftButton) &&
          (mouse->position().toPoint() - dragStart_).manhattanLength() >=
              QApplication::startDragDistance()) {
        dragArmed_ = false;
        StartColumnDrag();
        return true;
      }
      return false;
    }
    case QEvent::MouseButtonRelease:
      dragArmed_ = false;
      return false;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (AcceptsColumnDrag(drag->mimeData())) {
        drag->setDropAction(Qt::LinkAction);
        drag->accept();
      } else {
        drag->ignore();
      }
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (!AcceptsColumnDrag(drop->mimeData())) {
        drop->ignore();
        return true;
      }
      drop->setDropAction(Qt::LinkAction);
      drop->accept();
      const std::string source =
          drop->mimeData()->data(QLatin1String(kERWindowDragMime)).toStdString();
      if (host_) host_->ERTableColumnListDropped(*this, source);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace morvane
