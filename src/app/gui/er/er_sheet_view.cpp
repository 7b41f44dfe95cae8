#include "app/gui/er/er_sheet_view.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "app/gui/er/er_view.h"
#include "er/er_commands.h"
#include "er/er_tables.h"
#include "er_picture/er_painting.h"

namespace morvane {
namespace {

// Room kept right of and below the furthest window, so it can be scrolled fully into view.
constexpr int kSheetMargin = 20;

}  // namespace

TERSheetSurface::TERSheetSurface(TERSheetView& view) : QWidget(nullptr), view_(view) {
  setObjectName(QStringLiteral("ERSheetSurface"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAcceptDrops(true);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

void TERSheetSurface::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  PaintERLines(painter, view_.Sheet(), -view_.Origin(), event->rect());
}

bool TERSheetSurface::SheetDragOver(const QMimeData* mime) const {
  return mime != nullptr && mime->hasFormat(QLatin1String(kTableDragMime)) &&
         view_.Owner().TableToAdd() != nullptr;
}

void TERSheetSurface::dragEnterEvent(QDragEnterEvent* event) {
  if (SheetDragOver(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TERSheetSurface::dragMoveEvent(QDragMoveEvent* event) {
  if (SheetDragOver(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TERSheetSurface::dropEvent(QDropEvent* event) {
  if (!SheetDragOver(event->mimeData())) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  view_.Owner().DropTable(view_, view_.SurfaceToSheet(event->position().toPoint()));
}

TERSheetView::TERSheetView(TERSheetRec& sheet, TERView& owner)
    : sheet_(sheet), owner_(owner), surface_(new TERSheetSurface(*this)) {
  setObjectName(QStringLiteral("ERSheetView"));
  setBackgroundRole(QPalette::Base);
  QPalette white = palette();
  white.setColor(QPalette::Base, Qt::white);
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
  setWidgetResizable(false);
  setWidget(surface_);
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this,
          [this](int value) { sheet_.scrollX = value; });
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
          [this](int value) { sheet_.scrollY = value; });
  connect(surface_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { owner_.ShowSheetMenu(surface_->mapToGlobal(at)); });
  SyncWindows();
}

TERSheetView::~TERSheetView() {
  // Tearing down the scroll bars must not write into a sheet that may be gone.
  horizontalScrollBar()->disconnect(this);
  verticalScrollBar()->disconnect(this);
  for (auto& [table, window] : windows_) window->SetHost(nullptr);
}

QRect TERSheetView::WidgetRect(const TERTableRec& table) const {
  // What Qt can show of a window a file placed very far out or made very large.
  auto coordinate = [](long long value) {
    return static_cast<int>(std::clamp<long long>(value, 0, QWIDGETSIZE_MAX));
  };
  return QRect(coordinate(static_cast<long long>(table.left) - origin_.x()),
               coordinate(static_cast<long long>(table.top) - origin_.y()), coordinate(table.width),
               coordinate(table.height));
}

void TERSheetView::SyncWindows() {
  // Windows whose record is gone.
  for (auto it = windows_.begin(); it != windows_.end();) {
    const bool present = std::any_of(sheet_.tables.begin(), sheet_.tables.end(),
                                     [&](const auto& t) { return t.get() == it->first; });
    if (present) {
      ++it;
      continue;
    }
    if (current_ == it->second) current_ = nullptr;
    it->second->hide();
    it->second->deleteLater();
    it = windows_.erase(it);
  }
  long long minLeft = 0, minTop = 0;
  for (const auto& table : sheet_.tables) {
    minLeft = std::min<long long>(minLeft, table->left);
    minTop = std::min<long long>(minTop, table->top);
  }
  constexpr long long kFarthest = -(1LL << 30);
  origin_ = QPoint(static_cast<int>(std::max(minLeft, kFarthest)),
                   static_cast<int>(std::max(minTop, kFarthest)));
  const bool relationMenu = owner_.RelationMenu();
  for (const auto& table : sheet_.tables) {
    TfrmERTable*& window = windows_[table.get()];
    if (window == nullptr) {
      window = new TfrmERTable(surface_);
      window->Load(*table, relationMenu);
      window->PlaceAt(WidgetRect(*table));
      window->show();
      // Placed before it reports: showing sends the moves Qt held back while it was hidden.
      window->SetHost(this);
    } else {
      window->PlaceAt(WidgetRect(*table));
    }
  }
  ResizeSurface();
  surface_->update();
}

void TERSheetView::Refresh() {
  ResizeSurface();
  surface_->update();
}

TfrmERTable* TERSheetView::WindowOf(const TERTableRec* table) const {
  auto found = windows_.find(table);
  return found == windows_.end() ? nullptr : found->second;
}

void TERSheetView::ResizeSurface() {
  long long right = 0, bottom = 0;
  for (const auto& table : sheet_.tables) {
    right = std::max<long long>(right,
                                static_cast<long long>(table->left) + table->width - origin_.x());
    bottom = std::max<long long>(bottom,
                                 static_cast<long long>(table->top) + table->height - origin_.y());
  }
  // Qt widgets stop at 16777215 pixels; windows beyond stay in the document as they are.
  constexpr long long kLargest = QWIDGETSIZE_MAX;
  const QSize wanted(
      static_cast<int>(
          std::min(std::max<long long>(right + kSheetMargin, viewport()->width()), kLargest)),
      static_cast<int>(
          std::min(std::max<long long>(bottom + kSheetMargin, viewport()->height()), kLargest)));
  if (surface_->size() != wanted) surface_->resize(wanted);
}

QRegion TERSheetView::LinesAreaOf(const TERTableRec& table) const {
  QRegion area;
  for (const auto& line : sheet_.lines) {
    if (line->fromWindow == &table || line->toWindow == &table) {
      area += ERLineArea(*line, -origin_);
    }
  }
  return area;
}

void TERSheetView::ERTableActivated(TfrmERTable& window) {
  owner_.MakeCurrent(*this);
  if (current_ == &window) return;
  if (current_) current_->SetActive(false);
  current_ = &window;
  current_->SetActive(true);
}

void TERSheetView::ERTableGeometryChanged(TfrmERTable& window) {
  TERTableRec* table = window.Record();
  if (table == nullptr) return;
  // Showing a window placed earlier is no change.
  if (window.geometry() == WidgetRect(*table)) return;
  const QRect g = window.geometry().translated(origin_);
  const QRegion before = LinesAreaOf(*table);
  if (!owner_.Commands().SetWindowBounds(*table, g.left(), g.top(), g.width(), g.height())) {
    return;
  }
  surface_->update(before + LinesAreaOf(*table));
  ResizeSurface();
}

void TERSheetView::ERTableCloseRequested(TfrmERTable& window) {
  TERTableRec* table = window.Record();
  if (table == nullptr) return;
  owner_.MakeCurrent(*this);
  if (!owner_.Commands().CloseWindow(*table)) return;
  SyncWindows();
}

void TERSheetView::ERTableColumnChecked(TfrmERTable& window, int row, bool checked) {
  if (TERTableRec* table = window.Record()) {
    owner_.Commands().SetColumnChecked(*table, row, checked);
  }
}

void TERSheetView::ERTableColumnListDropped(TfrmERTable& target, const std::string& source) {
  TERTableRec* to = target.Record();
  TERTableRec* from = FindERTable(sheet_, source);
  if (to == nullptr || from == nullptr) return;
  owner_.MakeCurrent(*this);
  if (owner_.Commands().ToggleLine(*from, *to) != LineToggle::kRefused) Refresh();
}

void TERSheetView::ERTableRelationRequested(TfrmERTable& window) {
  if (TERTableRec* table = window.Record()) owner_.RunRelation(*this, *table);
}

void TERSheetView::ERTableFitRequested(TfrmERTable& window) {
  TERTableRec* table = window.Record();
  if (table == nullptr) return;
  const QRegion before = LinesAreaOf(*table);
  if (!owner_.Commands().FitWindow(*table, owner_.PlacementMeasure())) return;
  SyncWindows();
  surface_->update(before + LinesAreaOf(*table));
}

void TERSheetView::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  ResizeSurface();
}

void TERSheetView::showEvent(QShowEvent* event) {
  QScrollArea::showEvent(event);
  ResizeSurface();
  RestoreScroll();
}

void TERSheetView::RestoreScroll() {
  horizontalScrollBar()->setValue(sheet_.scrollX);
  verticalScrollBar()->setValue(sheet_.scrollY);
}

}  // namespace morvane
