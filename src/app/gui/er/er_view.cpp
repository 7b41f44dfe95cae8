#include "app/gui/er/er_view.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "app/gui/er/er_sheet_view.h"
#include "app/gui/er/er_table_form.h"
#include "app/gui/qt_text.h"
#include "er/er_from_record.h"
#include "er/er_relations.h"
#include "er_picture/er_picture.h"
#include "model/data_kind.h"

namespace morvane {
namespace {

QString AskPicturePathWithDialog(QWidget* parent, const QString& suggested) {
  QString filter;
  QString path =
      QFileDialog::getSaveFileName(parent, QStringLiteral("ER図を画像で保存"), suggested,
                                   QStringLiteral("PNG 画像 (*.png);;SVG 画像 (*.svg)"), &filter);
  if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
    path += filter.contains(QLatin1String("svg")) ? QLatin1String(".svg") : QLatin1String(".png");
  }
  return path;
}

}  // namespace

TERView::TERView(QTabWidget* pagER, TCatalogueStore& store, IPrompt& prompt,
                 std::function<void()> modified, QObject* parent)
    : QObject(parent),
      pagER_(pagER),
      store_(store),
      prompt_(prompt),
      modified_(std::move(modified)),
      commands_(store.er, prompt, [this] { Modified(); }) {
  pagER_->setTabPosition(QTabWidget::South);
  pagER_->setMovable(true);
  pagER_->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(pagER_->tabBar(), &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ShowSheetMenu(pagER_->tabBar()->mapToGlobal(at)); });
  connect(pagER_, &QTabWidget::currentChanged, this, &TERView::pagERChange);
  connect(pagER_->tabBar(), &QTabBar::tabMoved, this, &TERView::pagERTabMoved);
  askPicturePath_ = [this](const QString& suggested) {
    return AskPicturePathWithDialog(pagER_->window(), suggested);
  };
  BuildSheetMenu();
}

TERView::~TERView() = default;

void TERView::BuildSheetMenu() {
  popBook = new QMenu(pagER_);
  popBook->setObjectName(QStringLiteral("popBook"));
  auto add = [this](const char* name, const QString& caption, void (TERView::*slot)()) {
    QAction* action = popBook->addAction(caption);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  add("popBook_Add", QStringLiteral("新規ｼｰﾄ"), &TERView::popBook_AddClick);
  popBook_Delete_ = add("popBook_Delete", QStringLiteral("削除"), &TERView::popBook_DeleteClick);
  popBook->addSeparator();
  add("popBook_Rename", QStringLiteral("名前変更"), &TERView::popBook_RenameClick);
  popBook->addSeparator();
  add("popBook_Picture", QStringLiteral("このシートを画像で保存..."),
      &TERView::popBook_PictureClick);
  add("popBook_AllPictures", QStringLiteral("全シートを画像で保存..."),
      &TERView::popBook_AllPicturesClick);
  connect(popBook, &QMenu::aboutToShow, this, &TERView::popBookPopup);
}

void TERView::Clear() {
  syncing_ = true;
  while (pagER_->count() > 0) {
    QWidget* page = pagER_->widget(0);
    pagER_->removeTab(0);
    delete page;
  }
  syncing_ = false;
}

void TERView::Rebuild() {
  Clear();
  syncing_ = true;
  for (const auto& sheet : store_.er.sheets) AddSheetPage(*sheet);
  if (store_.er.currentIndex >= 0) pagER_->setCurrentIndex(store_.er.currentIndex);
  syncing_ = false;
}

TERSheetView* TERView::AddSheetPage(TERSheetRec& sheet) {
  auto* view = new TERSheetView(sheet, *this);
  pagER_->addTab(view, FromCp932(sheet.name));
  return view;
}

int TERView::SheetCount() const { return pagER_->count(); }

TERSheetView* TERView::SheetView(int index) const {
  return qobject_cast<TERSheetView*>(pagER_->widget(index));
}

TERSheetView* TERView::CurrentSheetView() const { return SheetView(pagER_->currentIndex()); }

TfrmERTable* TERView::CurrentTable() const {
  TERSheetView* view = CurrentSheetView();
  return view ? view->CurrentWindow() : nullptr;
}

int TERView::IndexOf(const TERSheetView& view) const {
  return pagER_->indexOf(const_cast<TERSheetView*>(&view));
}

void TERView::Modified() {
  if (modified_) modified_();
}

void TERView::MakeCurrent(TERSheetView& view) {
  const int index = IndexOf(view);
  if (index >= 0) store_.er.currentIndex = index;
}

bool TERView::RelationMenu() const { return ProfileOf(store_.product).hasRelationships; }

void TERView::DropTable(TERSheetView& view, QPoint sheetPoint) {
  if (tableToAdd_ == nullptr) return;
  MakeCurrent(view);
  const TERPoint corner = DroppedTablePosition({sheetPoint.x(), sheetPoint.y()});
  commands_.AddWindow(tableToAdd_->name,
                      ERColumnsFromRecord(*tableToAdd_, store_.erColumnPositions), corner.x,
                      corner.y);
  view.SyncWindows();
}

void TERView::RunRelation(TERSheetView& view, TERTableRec& table) {
  MakeCurrent(view);
  TERSheetRec& sheet = view.Sheet();
  const size_t tables = sheet.tables.size(), lines = sheet.lines.size();
  RunRelationCommand(store_, sheet, table, prompt_);
  view.SyncWindows();
  if (sheet.tables.size() != tables || sheet.lines.size() != lines) Modified();
}

void TERView::ShowSheetMenu(QPoint globalPos) { popBook->popup(globalPos); }

void TERView::popBookPopup() { popBook_Delete_->setEnabled(store_.er.sheets.size() > 1); }

void TERView::popBook_AddClick() {
  TERSheetRec& sheet = commands_.AddSheet();
  syncing_ = true;
  TERSheetView* view = AddSheetPage(sheet);
  pagER_->setCurrentWidget(view);
  syncing_ = false;
}

void TERView::popBook_DeleteClick() {
  const int index = store_.er.currentIndex;
  if (!commands_.DeleteCurrentSheet()) return;
  syncing_ = true;
  QWidget* page = pagER_->widget(index);
  pagER_->removeTab(index);
  delete page;
  pagER_->setCurrentIndex(store_.er.currentIndex);
  syncing_ = false;
}

void TERView::popBook_RenameClick() {
  if (!commands_.RenameCurrentSheet()) return;
  pagER_->setTabText(store_.er.currentIndex, FromCp932(store_.er.Current()->name));
}

void TERView::popBook_PictureClick() {
  const TERSheetRec* sheet = store_.er.Current();
  if (sheet == nullptr) return;
  const QString name = FromCp932(sheet->name);
  if (sheet->tables.empty()) {
    prompt_.Warn(ToCp932(QStringLiteral("「%1」シートにはテーブルがありません。").arg(name)));
    return;
  }
  const QString path = askPicturePath_(name + QStringLiteral(".png"));
  if (path.isEmpty()) return;
  QString error;
  if (!SaveERSheetPicture(*sheet, path, &error)) prompt_.Error(ToCp932(error));
}

void TERView::popBook_AllPicturesClick() {
  const auto& sheets = store_.er.sheets;
  if (std::all_of(sheets.begin(), sheets.end(), [](const auto& s) { return s->tables.empty(); })) {
    prompt_.Warn(ToCp932(QStringLiteral("テーブルのあるシートがありません。")));
    return;
  }
  const QString path = askPicturePath_(QStringLiteral("ER.png"));
  if (path.isEmpty()) return;
  for (const auto& sheet : sheets) {
    if (sheet->tables.empty()) continue;
    QString error;
    if (!SaveERSheetPicture(*sheet, ERSheetPicturePath(path, FromCp932(sheet->name)), &error)) {
      prompt_.Error(ToCp932(error));
      return;
    }
  }
}

void TERView::pagERChange(int index) {
  if (syncing_) return;
  if (index >= 0 && index < static_cast<int>(store_.er.sheets.size())) {
    store_.er.currentIndex = index;
  }
}

void TERView::pagERTabMoved(int from, int to) {
  commands_.MoveSheet(from, to);
  store_.er.currentIndex = pagER_->currentIndex();
}

}  // namespace morvane
