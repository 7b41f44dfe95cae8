#include "app/gui/er/er_view.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/er/er_sheet_list_form.h"
#include "app/gui/er/er_sheet_tabs.h"
#include "app/gui/er/er_sheet_view.h"
#include "app/gui/er/er_tab_strip.h"
#include "app/gui/er/er_table_form.h"
#include "app/gui/paths/project_folder.h"
#include "app/gui/qt_text.h"
#include "er/er_from_record.h"
#include "er/er_relations.h"
#include "er_picture/er_painting.h"
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

// A tab's page. The sheet's view is made when the page is first shown or asked for, so a
// project of thousands of sheets opens without making thousands of views.
class ERSheetPage : public QWidget {
 public:
  ERSheetPage(TERSheetRec& sheet, TERView& owner) : sheet_(sheet), owner_(owner) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
  }

  TERSheetView* View() {
    if (view_ == nullptr) {
      view_ = new TERSheetView(sheet_, owner_);
      layout()->addWidget(view_);
      view_->show();
    }
    return view_;
  }

 protected:
  void showEvent(QShowEvent* event) override {
    View();
    QWidget::showEvent(event);
  }

 private:
  TERSheetRec& sheet_;
  TERView& owner_;
  TERSheetView* view_ = nullptr;
};

}  // namespace

TERView::TERView(TERSheetTabs* pagER, TCatalogueStore& store, IPrompt& prompt,
                 std::function<void()> modified, QObject* parent)
    : QObject(parent),
      pagER_(pagER),
      store_(store),
      prompt_(prompt),
      modified_(std::move(modified)),
      commands_(store.er, prompt, [this] { Modified(); }) {
  pagER_->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(pagER_->tabBar(), &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { ShowSheetMenu(pagER_->tabBar()->mapToGlobal(at)); });
  connect(pagER_, &TERSheetTabs::currentChanged, this, &TERView::pagERChange);
  connect(pagER_->tabBar(), &TERTabStrip::tabMoved, this, &TERView::pagERTabMoved);
  auto* list_button = new QToolButton(pagER_);
  list_button->setObjectName(QStringLiteral("btnERSheetList"));
  list_button->setText(QStringLiteral("シート一覧"));
  list_button->setToolTip(QStringLiteral("シートを名前で探して表示します"));
  list_button->setAutoRaise(true);
  pagER_->setCornerWidget(list_button);
  connect(list_button, &QToolButton::clicked, this, &TERView::ShowSheetList);
  showSheetList_ = [](TfrmERSheetList& form) { return form.exec(); };
  askPicturePath_ = [this](const QString& suggested) {
    return AskPicturePathWithDialog(pagER_->window(), suggested);
  };
  BuildSheetMenu();
  // Windows placed from the tree or from relations are sized to their content.
  placementMeasure_ = ERTextMeasure();
  commands_.SetPlacementMeasure(placementMeasure_);
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
  add("popBook_FitAll", QStringLiteral("すべて内容に合わせる"), &TERView::popBook_FitAllClick);
  popBook->addSeparator();
  add("popBook_Picture", QStringLiteral("このシートを画像で保存..."),
      &TERView::popBook_PictureClick);
  add("popBook_AllPictures", QStringLiteral("全シートを画像で保存..."),
      &TERView::popBook_AllPicturesClick);
  connect(popBook, &QMenu::aboutToShow, this, &TERView::popBookPopup);
}

void TERView::Clear() {
  syncing_ = true;
  pagER_->DeleteAll();
  syncing_ = false;
}

void TERView::Rebuild() {
  Clear();
  syncing_ = true;
  for (const auto& sheet : store_.er.sheets) AddSheetPage(*sheet);
  if (store_.er.currentIndex >= 0) pagER_->setCurrentIndex(store_.er.currentIndex);
  syncing_ = false;
}

void TERView::ShowSheetList() {
  if (!sheetList_) sheetList_ = new TfrmERSheetList(pagER_->window());
  TERSheetChoice choice;
  for (int i = 0; i < pagER_->count(); ++i) choice.names << pagER_->tabText(i);
  choice.current = pagER_->currentIndex();
  sheetList_->Load(choice);
  if (showSheetList_(*sheetList_) != QDialog::Accepted) return;
  sheetList_->Apply(choice);
  if (choice.current >= 0) pagER_->setCurrentIndex(choice.current);
}

QWidget* TERView::AddSheetPage(TERSheetRec& sheet) {
  auto* page = new ERSheetPage(sheet, *this);
  pagER_->addTab(page, FromCp932(sheet.name));
  return page;
}

int TERView::SheetCount() const { return pagER_->count(); }

TERSheetView* TERView::SheetView(int index) const {
  auto* page = dynamic_cast<ERSheetPage*>(pagER_->widget(index));
  return page == nullptr ? nullptr : page->View();
}

TERSheetView* TERView::CurrentSheetView() const { return SheetView(pagER_->currentIndex()); }

TfrmERTable* TERView::CurrentTable() const {
  TERSheetView* view = CurrentSheetView();
  return view ? view->CurrentWindow() : nullptr;
}

int TERView::IndexOf(const TERSheetView& view) const {
  return pagER_->indexOf(view.parentWidget());
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
  RunRelationCommand(store_, sheet, table, prompt_, &placementMeasure_);
  view.SyncWindows();
  if (sheet.tables.size() != tables || sheet.lines.size() != lines) Modified();
}

void TERView::ShowSheetMenu(QPoint globalPos) { popBook->popup(globalPos); }

void TERView::popBookPopup() { popBook_Delete_->setEnabled(store_.er.sheets.size() > 1); }

void TERView::popBook_AddClick() {
  TERSheetRec& sheet = commands_.AddSheet();
  syncing_ = true;
  pagER_->setCurrentWidget(AddSheetPage(sheet));
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

void TERView::popBook_FitAllClick() {
  TERSheetView* view = CurrentSheetView();
  if (view == nullptr) return;
  if (commands_.FitAllWindows(view->Sheet(), placementMeasure_) > 0) view->SyncWindows();
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
  const QString path = askPicturePath_(InProjectFolder(store_, name + QStringLiteral(".png")));
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
  const QString path = askPicturePath_(InProjectFolder(store_, QStringLiteral("ER.png")));
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
